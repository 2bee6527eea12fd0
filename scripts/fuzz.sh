#!/usr/bin/env bash
# Bounded fuzzing runs of the project file reader and the network file
# reader (libFuzzer, clang).
#
#   scripts/fuzz.sh [seconds]     default 60, for each reader
#
# Builds build-fuzz with clang, writes the project seed corpus with the
# program's own encoder (a start-state project, a filled one and a few
# hand-made forms), seeds the network reader with the example networks, then
# fuzzes. The corpora grow in build-fuzz/corpus and build-fuzz/corpus-tvdn
# across runs. Fails when the fuzzer finds a crash, a leak, undefined
# behaviour or a broken invariant; the failing input is left in
# build-fuzz/artifacts.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD="$ROOT/build-fuzz"
SECONDS_TO_RUN=${1:-60}

if [[ ! -f "$BUILD/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja \
    -DMIRAVEL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD" -j "$(nproc)" --target fuzz_tvdfile tvd_seeds fuzz_tvdnfile

mkdir -p "$BUILD/corpus" "$BUILD/corpus-tvdn" "$BUILD/artifacts"
rm -rf "$BUILD/seeds"
"$BUILD/tests/project/fuzz/tvd_seeds" "$BUILD/seeds"

echo "== fuzzing the project file reader for ${SECONDS_TO_RUN}s"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$BUILD/tests/project/fuzz/fuzz_tvdfile" \
  -max_total_time="$SECONDS_TO_RUN" -timeout=5 -rss_limit_mb=2048 -max_len=4096 \
  -dict="$ROOT/tests/project/fuzz/tvd.dict" \
  -artifact_prefix="$BUILD/artifacts/" -print_final_stats=1 \
  "$BUILD/corpus" "$BUILD/seeds"

echo "== fuzzing the network file reader for ${SECONDS_TO_RUN}s"
rm -rf "$BUILD/seeds-tvdn"
mkdir -p "$BUILD/seeds-tvdn"
cp "$ROOT"/examples/*.tvdn "$ROOT"/tests/network/fuzz/seeds/*.tvdn "$BUILD/seeds-tvdn/"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$BUILD/tests/network/fuzz/fuzz_tvdnfile" \
  -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -dict="$ROOT/tests/network/fuzz/tvdn.dict" \
  -artifact_prefix="$BUILD/artifacts/tvdn-" -print_final_stats=1 \
  "$BUILD/corpus-tvdn" "$BUILD/seeds-tvdn"
