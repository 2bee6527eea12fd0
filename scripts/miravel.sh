#!/usr/bin/env bash
# Set-up, build, run and test on a Debian 12 machine (run as root).
#
#   scripts/miravel.sh run    install what is missing, build, start the program
#   scripts/miravel.sh test   install what is missing, build, run every test
#
# Running it again installs nothing that is there and rebuilds only what changed.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=$(nproc)

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools libgtest-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth poppler-utils
  clang libclang-rt-14-dev
  libbenchmark-dev valgrind time
  python3 libsimdjson-dev
  desktop-file-utils appstream lintian dpkg-dev file fakeroot librsvg2-bin
  shared-mime-info libglib2.0-bin xdg-utils
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build DIR [extra cmake options...]
build() {
  local dir=$1
  shift
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir" -j "$JOBS"
}

run_tests() {
  local dir=$1
  (cd "$dir" && ctest --output-on-failure -j "$JOBS" --timeout 300)
}

case "${1:-}" in
run)
  install_missing
  build "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "== no display: starting under Xvfb"
    exec xvfb-run -a "$ROOT/build/miravel"
  fi
  exec "$ROOT/build/miravel"
  ;;
test)
  install_missing
  echo "== house check: no upward include, no include circle (scripts/house-check.py)"
  python3 "$ROOT/scripts/house-check.py" "$ROOT"
  echo "== build and test"
  build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug
  run_tests "$ROOT/build-test"
  echo "== Debian package, desktop files and command line (scripts/package-check.sh)"
  # The package checked is the one shipped: built as the README says, in build-pkg.
  "$ROOT/scripts/package-check.sh" "$ROOT/build-pkg"
  echo "== fuzzing the file readers (log: build-fuzz/fuzz.log)"
  mkdir -p "$ROOT/build-fuzz"
  if ! "$ROOT/scripts/fuzz.sh" > "$ROOT/build-fuzz/fuzz.log" 2>&1; then
    tail -n 80 "$ROOT/build-fuzz/fuzz.log"
    echo "fuzzing failed" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$ROOT/build-fuzz/fuzz.log" || true
  echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
  build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DMIRAVEL_SANITIZE=ON
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_tests "$ROOT/build-asan"
  ;;
*)
  echo "usage: $0 run|test" >&2
  exit 2
  ;;
esac
