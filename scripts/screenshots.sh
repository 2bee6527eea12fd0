#!/usr/bin/env bash
# Takes the README's pictures of the screens from the program itself, under
# Xvfb, with the worked-example project loaded.
#
#   scripts/screenshots.sh [BUILD_DIR]     (default: build)
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-$ROOT/build}
[[ -f "$BUILD/build.ninja" ]] || cmake -S "$ROOT" -B "$BUILD" -G Ninja
cmake --build "$BUILD" --target miravel_screenshots
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
# Nothing is remembered into the real home; every window starts at its own size.
XDG_CONFIG_HOME=$TMP xvfb-run -a -s "-screen 0 1600x1200x24" \
  "$BUILD/miravel_screenshots" "$ROOT/docs/screenshots" "$ROOT/tests/fixtures/worked-example.tvd"
