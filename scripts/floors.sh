#!/usr/bin/env bash
# Instruction counts of Keisan, of a recompute of 10,000 outlets and of the
# start-up to the start menu's first paint, each beside its floor (the least code doing the same work), counted
# with valgrind's callgrind: counts, unlike times, do not move with the load
# of a shared machine.
#
#   scripts/floors.sh [BUILD_DIR]   (default build-bench, RelWithDebInfo)
#
# Keisan: instructions per call of Keisan and of keisanFloor in
# bench/miravel_bench. Recompute: per call of recomputeTower (from scratch)
# and of LevelUpdate::walkAll (kept in place) beside walkAndJudgeFloor, in
# bench/miravel_bench on its 10,000-outlet tower. Start-up: the whole process of build/miravel and of
# bench/miravel_menu_floor, each ended right after its first paint
# (MIRAVEL_QUIT_AFTER_FIRST_PAINT), under Xvfb with fresh settings.
set -euo pipefail

cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
if [[ ! -f "$BUILD/build.ninja" ]]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD" --target miravel miravel_bench miravel_menu_floor

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Per-call inclusive instructions of the functions named in $2.. in the
# callgrind profile $1: their call edges' costs summed, over their calls.
per_call() {
  python3 - "$@" <<'EOF'
import re, sys
path, wanted = sys.argv[1], sys.argv[2:]
names, totals = {}, {w: [0, 0] for w in wanted}
target, calls = None, 0
with open(path) as profile:
    for line in profile:
        m = re.match(r'c?fn=\((\d+)\)(?: (.*))?', line)
        if m:
            if m.group(2): names[m.group(1)] = m.group(2)
            if line.startswith('cfn='):
                name = names.get(m.group(1), '')
                target = next((w for w in wanted if w in name), None)
            continue
        if line.startswith('calls='):
            calls = int(line.split()[0][6:])
            continue
        if calls and target:
            totals[target][0] += calls
            totals[target][1] += int(line.split()[1])
        calls = 0
for w in wanted:
    n, cost = totals[w]
    print(f"{w} {cost // n if n else 0}")
EOF
}

# Total instructions of a profile.
total() { sed -n 's/^summary: //p' "$1"; }

valgrind -q --tool=callgrind --callgrind-out-file="$WORK/keisan.out" \
  "$BUILD/bench/miravel_bench" --benchmark_filter='^BM_Keisan(Floor)?$' \
  --benchmark_min_time=0.01 >/dev/null 2>&1
read -r _ keisan < <(per_call "$WORK/keisan.out" 'terminal::Keisan(' | head -1)
read -r _ floor < <(per_call "$WORK/keisan.out" 'keisanFloor(' | head -1)

# Apart from the in-place walk, whose first update flattens the tree.
valgrind -q --tool=callgrind --callgrind-out-file="$WORK/recompute.out" \
  "$BUILD/bench/miravel_bench" --benchmark_filter='^BM_Network(Recompute|WalkAndJudgeFloor)$' \
  --benchmark_min_time=0.01 >/dev/null 2>&1
valgrind -q --tool=callgrind --callgrind-out-file="$WORK/inplace.out" \
  "$BUILD/bench/miravel_bench" --benchmark_filter='^BM_NetworkRecomputeInPlace$' \
  --benchmark_min_time=0.01 >/dev/null 2>&1
read -r _ fresh < <(per_call "$WORK/recompute.out" 'recomputeTower(' | head -1)
read -r _ kept < <(per_call "$WORK/inplace.out" 'LevelUpdate::walkAll(' | head -1)
read -r _ walk_floor < <(per_call "$WORK/recompute.out" 'walkAndJudgeFloor(' | head -1)

# Fresh settings (no recent files, no window places) for both programs; the
# single-instance socket, left behind by the quick end, in the work folder.
startup() {
  local out=$1
  shift
  env XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK" TMPDIR="$WORK" \
    MIRAVEL_QUIT_AFTER_FIRST_PAINT=1 \
    xvfb-run -a valgrind -q --tool=callgrind --callgrind-out-file="$out" "$@" >/dev/null 2>&1
  total "$out"
}
program=$(startup "$WORK/program.out" "$BUILD/miravel")
menu_floor=$(startup "$WORK/floor.out" "$BUILD/bench/miravel_menu_floor")

ratio() { python3 -c "print(f'{$1 / $2:.2f}')"; }
printf '%-30s %14s %14s %7s\n' measure Miravel floor ratio
printf '%-30s %14s %14s %7s\n' 'Keisan (per call)' "$keisan" "$floor" "$(ratio "$keisan" "$floor")"
printf '%-30s %14s %14s %7s\n' 'recompute, 10,000 outlets' "$fresh" "$walk_floor" \
  "$(ratio "$fresh" "$walk_floor")"
printf '%-30s %14s %14s %7s\n' '  the same, kept in place' "$kept" "$walk_floor" \
  "$(ratio "$kept" "$walk_floor")"
printf '%-30s %14s %14s %7s\n' 'start-up to first paint' "$program" "$menu_floor" \
  "$(ratio "$program" "$menu_floor")"
