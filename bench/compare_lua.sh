#!/usr/bin/env bash
# Whole-process comparison of the script interpreter with Lua 5.4, and of
# the engine's start-up and exit with a minimal SDL program.
#
# Each case of bench/compare/ exists twice: <case>.asm in the engine's script
# language and <case>.lua as a Lua programmer writes it. Both sides run as
# whole processes on the same pinned core, their repetitions interleaved (the
# case order is shuffled every round and the side that goes first alternates)
# and the last number each prints must agree. Each side's start-up is the
# median of its empty program and is subtracted; the table gives medians and
# the ratio script / Lua.
#
# Start-up: the empty game (a script that pushes one value), the demo up to
# its first frame (a preloaded probe ends it there) and the minimal SDL
# program opening the same mode and font, again interleaved; ratios against
# the minimal program.
#
# Usage: bench/compare_lua.sh [repetitions] [case ...]
#   BENCH_CPU      core to pin every run to (default: the last one)
#   BENCH_TIMEOUT  seconds before a run counts as timed out (default 120)
#   BENCH_ENGINE   the engine program to measure (default build/release/engine)
# Needs ./build.sh build (build/release) and lua5.4.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$ROOT/build/release
ENGINE=${BENCH_ENGINE:-$BUILD/engine}
MINIMAL=$BUILD/bench/minimal_sdl
PROBE=$BUILD/bench/libfirst_frame_probe.so
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
CASES_DIR=$ROOT/bench/compare

REPS=${1:-5}
shift || true
CASES=("$@")
[ ${#CASES[@]} -eq 0 ] && CASES=(count fib_cthis fib_call globals object_vars strings)
CPU=${BENCH_CPU:-$(($(nproc) - 1))}
TIMEOUT=${BENCH_TIMEOUT:-120}

for f in "$ENGINE" "$MINIMAL" "$PROBE"; do
  [ -e "$f" ] || { echo "missing $f: run ./build.sh build first" >&2; exit 1; }
done
command -v lua5.4 >/dev/null || { echo "lua5.4 is missing: run ./build.sh build first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$WORK

# A game folder running one script.
make_game() {  # folder, script
  mkdir -p "$1/configs/fonts" "$1/scripts"
  cp "$FONT" "$1/configs/fonts/normal.ttf"
  echo '<config><windebug> 320 240 32 1</windebug></config>' >"$1/configs/zel_config"
  echo main.asm >"$1/scripts/game"
  cp "$2" "$1/scripts/main.asm"
}

for c in empty "${CASES[@]}"; do make_game "$WORK/$c" "$CASES_DIR/$c.asm"; done
cp -r "$ROOT/games/demo" "$WORK/demo"
mkdir -p "$WORK/demo/configs/fonts"
cp "$FONT" "$WORK/demo/configs/fonts/normal.ttf"
rm -rf "$WORK/demo/saves"  # no self-play

TIMES=$WORK/times  # lines: key milliseconds
: >"$TIMES"

# Runs one side once: records its time under `key` and its last number.
run() {  # key, folder, command...
  local key=$1 dir=$2
  shift 2
  local out=$WORK/out.$key status=0
  local t0=$EPOCHREALTIME
  (cd "$dir" && timeout -s KILL "$TIMEOUT" taskset -c "$CPU" "$@" >"$out" 2>&1) || status=$?
  local t1=$EPOCHREALTIME
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "$key timeout" >>"$TIMES"
  else
    awk -v a="$t0" -v b="$t1" -v k="$key" 'BEGIN { printf "%s %.1f\n", k, (b - a) * 1000 }' >>"$TIMES"
  fi
  local last
  last=$(grep -Eo '[0-9]+' "$out" | tail -n 1 || true)
  echo "${last:-none}" >"$WORK/result.$key"
}

script_side() { run "$1.script" "$WORK/$1" "$ENGINE"; }
lua_side() { run "$1.lua" "$CASES_DIR" lua5.4 "$CASES_DIR/$1.lua"; }

check_same() {  # case
  local s l
  s=$(cat "$WORK/result.$1.script")
  l=$(cat "$WORK/result.$1.lua")
  [ "$s" = "$l" ] || echo "case $1: script printed $s, Lua printed $l" >>"$WORK/mismatches"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "pinned to CPU $CPU, $REPS rounds, case order shuffled every round"
for ((r = 1; r <= REPS; r++)); do
  for c in $(printf '%s\n' empty "${CASES[@]}" | shuf); do
    if ((r % 2)); then script_side "$c"; lua_side "$c"; else lua_side "$c"; script_side "$c"; fi
    [ "$c" = empty ] || check_same "$c"
  done
  for s in $(printf '%s\n' minimal game demo | shuf); do
    case $s in
      minimal) run start.minimal "$WORK/empty" "$MINIMAL" ;;
      game) run start.game "$WORK/empty" "$ENGINE" ;;
      demo) run start.demo "$WORK/demo" env LD_PRELOAD="$PROBE" "$ENGINE" ;;
    esac
  done
  echo "round $r of $REPS done" >&2
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

# Median of a key's times, or "timeout" when any run of it timed out.
median() {
  awk -v k="$1" '$1 == k { if ($2 == "timeout") t = 1; else v[n++] = $2 }
    END {
      if (t) { print "timeout"; exit }
      if (n == 0) { print "none"; exit }
      for (i = 0; i < n; i++) for (j = i + 1; j < n; j++) if (v[j] < v[i]) { x = v[i]; v[i] = v[j]; v[j] = x }
      print (n % 2) ? v[int(n / 2)] : (v[n / 2 - 1] + v[n / 2]) / 2
    }' "$TIMES"
}

ratio() {  # a, b
  awk -v a="$1" -v b="$2" 'BEGIN { if (a == "timeout" || b <= 0) print "-"; else printf "%.2f", a / b }'
}

less() {  # a, b: a - b, or timeout
  awk -v a="$1" -v b="$2" 'BEGIN { if (a == "timeout") print "timeout"; else printf "%.1f", a - b }'
}

ss=$(median empty.script)
ls=$(median empty.lua)
echo
echo "start-up subtracted: script ${ss} ms, Lua ${ls} ms (medians of the empty programs)"
printf '%-12s %12s %12s %12s\n' case "script ms" "Lua ms" "script/Lua"
for c in "${CASES[@]}"; do
  s=$(less "$(median "$c.script")" "$ss")
  l=$(less "$(median "$c.lua")" "$ls")
  printf '%-12s %12s %12s %12s\n' "$c" "$s" "$l" "$(ratio "$s" "$l")"
done

m=$(median start.minimal)
g=$(median start.game)
d=$(median start.demo)
echo
echo "start-up and exit, whole process (medians, ms)"
printf '%-28s %10s %14s\n' program ms "/ minimal SDL"
printf '%-28s %10s %14s\n' "minimal SDL program" "$m" "1.00"
printf '%-28s %10s %14s\n' "empty game, start to exit" "$g" "$(ratio "$g" "$m")"
printf '%-28s %10s %14s\n' "demo, start to first frame" "$d" "$(ratio "$d" "$m")"

if [ -s "$WORK/mismatches" ]; then
  echo
  echo "RESULTS DIFFER:"
  cat "$WORK/mismatches"
  exit 1
fi
