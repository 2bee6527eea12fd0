#!/usr/bin/env bash
# How the network scales: generates towers of about 1,000, 10,000, 100,000
# and 1,000,000 outlets and prints for each the CPU time and peak memory of
# --levels beside a QJsonDocument parse of the same file, their ratios, and
# opening the file plus one edit on the network screen (offscreen).
#
#   scripts/scale.sh [BUILD_DIR] [SIZES...]    (default: build-rel; 1k 10k 100k 1m)
#
# BUILD_DIR is configured as a Release build with the tests (which bring the
# generator and the measuring programs) when it does not exist yet.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${1:-$ROOT/build-rel}
shift || true
SIZES=("$@")
[[ ${#SIZES[@]} -gt 0 ]] || SIZES=(1k 10k 100k 1m)
[[ -f "$BUILD/build.ninja" ]] ||
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
cmake --build "$BUILD" -j2 --target miravel generate_tower json_parse_floor screen_scale
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export XDG_CONFIG_HOME=$TMP QT_QPA_PLATFORM=offscreen

# floors, lines per floor, series units per line, floors per riser
plan() {
  case $1 in
    1k) echo 20 10 5 5 ;;
    10k) echo 100 10 10 5 ;;
    100k) echo 1000 10 10 5 ;;
    1m) echo 8640 11 10 5 ;; # 950,400 outlets: the node cap holds the rest
    *) echo "unknown size $1" >&2; exit 2 ;;
  esac
}

# CPU seconds (user + system) and peak memory (MiB) of a command.
# The least of three runs: the machines this runs on are shared, and other
# work only ever adds to a run's time.
measure() {
  : >"$TMP/times"
  for _ in 1 2 3; do
    /usr/bin/time -f '%U %S %M' -o "$TMP/time" "$@" >/dev/null 2>"$TMP/err" || true
    tail -1 "$TMP/time" >>"$TMP/times"
  done
  sort -n -k1,1 "$TMP/times" | awk 'NR == 1 || $1 + $2 < best { best = $1 + $2; mem = $3 }
    END { printf "%.2f %.1f", best, mem / 1024 }'
}

# a / b to two decimals, "-" when b is too small to tell (time counts in 10 ms).
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (b < 0.005) print "-"; else printf "%.2f", a / b }'
}

printf '%-6s %9s %8s %9s | %7s %8s | %7s %7s | %s\n' size outlets "levels s" "MiB" \
  "parse s" "MiB" "CPU x" "mem x" "screen (offscreen)"
for size in "${SIZES[@]}"; do
  file=$TMP/tower-$size.tvdn
  # shellcheck disable=SC2046
  "$BUILD/examples/generate_tower" "$file" $(plan "$size")
  read -r lcpu lmem <<<"$(measure "$BUILD/miravel" --levels --format=csv "$file")"
  "$BUILD/miravel" --levels --format=csv "$file" >"$TMP/levels.csv" 2>/dev/null || true
  outlets=$(($(wc -l <"$TMP/levels.csv") - 1))
  read -r pcpu pmem <<<"$(measure "$BUILD/bench/json_parse_floor" "$file")"
  screen=$("$BUILD/bench/screen_scale" "$file" 2>/dev/null || echo "failed")
  printf '%-6s %9d %8s %9s | %7s %8s | %7s %7s | %s\n' "$size" "$outlets" "$lcpu" "$lmem" \
    "$pcpu" "$pmem" "$(ratio "$lcpu" "$pcpu")" "$(ratio "$lmem" "$pmem")" "$screen"
  rm -f "$file"
done
