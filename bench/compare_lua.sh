#!/usr/bin/env bash
# Whole-process comparison of the script interpreter with Lua 5.4, and of
# the engine's start-up and exit with a minimal SDL program.
#
# Each case of bench/compare/ exists twice: <case>.asm in the engine's script
# language and <case>.lua as a Lua programmer writes it. Both sides run as
# whole processes on the same pinned core, their repetitions interleaved (the
# case order is shuffled every round and the side that goes first alternates)
# and the last number each prints must agree. Each side's start-up is the
# median of its empty program and is subtracted; the tables give medians and
# the ratio script / Lua, of wall time and of CPU time (user + system).
#
# Start-up: the empty game (a script that pushes one value), the demo up to
# its first drawn frame (a preloaded probe ends it there) and the minimal SDL
# program opening the same font and, for each, the same mode, once without
# audio and once opening and closing the audio device as the engine does;
# again interleaved, with ratios against both. Runs with the probe timing
# instead (PROBE_TIMES) split the empty game into its start (to main's
# return, the script's end) and its exit, and time the audio close in it and
# in the minimal program.
#
# Usage: bench/compare_lua.sh [repetitions] [case ... | start]
#   start  only the start-up and exit tables
#   BENCH_CPU      core to pin every run to (default: the last one)
#   BENCH_TIMEOUT  seconds before a run counts as timed out (default 120)
#   BENCH_ENGINE   the engine program to measure (default build/release/engine)
# Needs ./build.sh build (build/release) and lua5.4.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
source "$ROOT/bench/stats.sh"
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
SCRIPTS=(empty "${CASES[@]}")
[ "${CASES[*]}" = start ] && CASES=() SCRIPTS=()
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

for c in "${SCRIPTS[@]}"; do make_game "$WORK/$c" "$CASES_DIR/$c.asm"; done
make_game "$WORK/start" "$CASES_DIR/empty.asm"
cp -r "$ROOT/games/demo" "$WORK/demo"
mkdir -p "$WORK/demo/configs/fonts"
cp "$FONT" "$WORK/demo/configs/fonts/normal.ttf"
rm -rf "$WORK/demo/saves"  # no self-play
# The demo's window size, for the minimal program measured beside it.
read -r DEMO_W DEMO_H < <(sed -n 's/.*<windebug> *\([0-9]*\) *\([0-9]*\).*/\1 \2/p' "$WORK/demo/configs/zel_config")

TIMES=$WORK/times  # lines: key milliseconds
: >"$TIMES"

# Runs one side once: records its time under `key` and its last number.
run() {  # key, folder, command...
  local key=$1 dir=$2
  shift 2
  local out=$WORK/out.$key status=0 TIMEFORMAT='%R %U %S'
  { time (cd "$dir" && timeout -s KILL "$TIMEOUT" taskset -c "$CPU" "$@" >"$out" 2>&1); } 2>"$WORK/time" ||
    status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    printf '%s timeout\n%s.cpu timeout\n' "$key" "$key" >>"$TIMES"
  else
    awk -v k="$key" '{ printf "%s %.1f\n%s.cpu %.1f\n", k, $1 * 1000, k, ($2 + $3) * 1000 }' "$WORK/time" >>"$TIMES"
  fi
  local last=timeout
  [ "$status" -eq 124 ] || [ "$status" -eq 137 ] || last=$(grep -Eo '[0-9]+' "$out" | tail -n 1 || true)
  echo "${last:-none}" >"$WORK/result.$key"
}

# Adds the probe's times of the last run under `key`: its exit, its audio
# close, and its start (the whole run less its exit).
probe_times() {  # key
  awk -v k="$1" 'FILENAME != ARGV[1] && $1 == k { w = $2 }
    FILENAME == ARGV[1] && $1 == "probe:" { e = $5; c = $7 }
    END { if (w != "" && e != "") printf "%s.exit %s\n%s.close %s\n%s.start %.1f\n", k, e, k, c, k, w - e }' \
    "$WORK/out.$1" "$TIMES" >>"$TIMES"
}
TIMED=(env PROBE_TIMES=1 LD_PRELOAD="$PROBE")

script_side() { run "$1.script" "$WORK/$1" "$ENGINE"; }
lua_side() { run "$1.lua" "$CASES_DIR" lua5.4 "$CASES_DIR/$1.lua"; }

check_same() {  # case
  local s l
  s=$(cat "$WORK/result.$1.script")
  l=$(cat "$WORK/result.$1.lua")
  [ "$s" = timeout ] || [ "$l" = timeout ] || [ "$s" = "$l" ] ||
    echo "case $1: script printed $s, Lua printed $l" >>"$WORK/mismatches"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "pinned to CPU $CPU, $REPS rounds, case order shuffled every round"
for ((r = 1; r <= REPS; r++)); do
  for c in $(printf '%s\n' "${SCRIPTS[@]}" | shuf); do
    if ((r % 2)); then script_side "$c"; lua_side "$c"; else lua_side "$c"; script_side "$c"; fi
    [ "$c" = empty ] || check_same "$c"
  done
  for s in $(printf '%s\n' minimal minimal_audio minimal_demo minimal_demo_audio game demo game_split \
    minimal_split | shuf); do
    case $s in
      minimal) run start.minimal "$WORK/start" "$MINIMAL" ;;
      minimal_audio) run start.minimal_audio "$WORK/start" "$MINIMAL" --audio ;;
      minimal_demo) run start.minimal_demo "$WORK/demo" "$MINIMAL" "$DEMO_W" "$DEMO_H" ;;
      minimal_demo_audio) run start.minimal_demo_audio "$WORK/demo" "$MINIMAL" --audio "$DEMO_W" "$DEMO_H" ;;
      game) run start.game "$WORK/start" "$ENGINE" ;;
      demo) run start.demo "$WORK/demo" env PROBE_DRAWN=1 LD_PRELOAD="$PROBE" "$ENGINE" ;;
      game_split) run split.game "$WORK/start" "${TIMED[@]}" "$ENGINE" && probe_times split.game ;;
      minimal_split) run split.minimal_audio "$WORK/start" "${TIMED[@]}" "$MINIMAL" --audio && probe_times split.minimal_audio ;;
    esac
  done
  echo "round $r of $REPS done" >&2
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

minus() {  # a, b: a - b, or timeout
  awk -v a="$1" -v b="$2" 'BEGIN { if (a == "timeout") print "timeout"; else printf "%.1f", a - b }'
}

# Wall time, and CPU time (user + system), which other load on the core
# disturbs less. (No table when only start-up is measured.)
if ((${#CASES[@]})); then
  for clock in "" .cpu; do
    ss=$(median "$TIMES" "empty.script$clock")
    ls=$(median "$TIMES" "empty.lua$clock")
    echo
    [ -z "$clock" ] && echo "wall time" || echo "CPU time"
    echo "start-up subtracted: script ${ss} ms, Lua ${ls} ms (medians of the empty programs)"
    printf '%-12s %12s %12s %12s\n' case "script ms" "Lua ms" "script/Lua"
    for c in "${CASES[@]}"; do
      s=$(minus "$(median "$TIMES" "$c.script$clock")" "$ss")
      l=$(minus "$(median "$TIMES" "$c.lua$clock")" "$ls")
      printf '%-12s %12s %12s %12s\n' "$c" "$s" "$l" "$(ratio "$s" "$l")"
    done
  done
fi

echo
echo "start-up and exit, whole process (medians, ms; wall, then CPU; ratios against the minimal"
echo "SDL program opening the same mode without audio, then with audio as the engine opens it)"
printf '%-36s %8s %8s %8s %8s %8s %8s\n' program wall /minimal /+audio CPU /minimal /+audio
for p in "minimal:minimal SDL program, 320x240" "minimal_audio:the same with audio" \
  "game:empty game, start to exit" "minimal_demo:minimal SDL program, ${DEMO_W}x${DEMO_H}" \
  "minimal_demo_audio:the same with audio" "demo:demo, start to first drawn frame"; do
  key=start.${p%%:*}
  base=start.minimal
  [ "${key#*demo}" = "$key" ] || base=start.minimal_demo
  w=$(median "$TIMES" "$key")
  c=$(median "$TIMES" "$key.cpu")
  printf '%-36s %8s %8s %8s %8s %8s %8s\n' "${p#*:}" "$w" "$(ratio "$w" "$(median "$TIMES" "$base")")" \
    "$(ratio "$w" "$(median "$TIMES" "$base"_audio)")" "$c" "$(ratio "$c" "$(median "$TIMES" "$base.cpu")")" \
    "$(ratio "$c" "$(median "$TIMES" "$base"_audio.cpu)")"
done

# The split comes from other runs, with the probe preloaded; its whole time
# is given beside it.
echo
echo "where the wall time goes (medians, ms; runs with the timing probe)"
echo "start: to main's return (the script's end); exit: from there to the end"
printf '%-36s %8s %8s %8s %12s\n' program whole start exit "audio close"
w=$(median "$TIMES" split.game)
printf '%-36s %8s %8s %8s %12s\n' "empty game" "$w" "$(median "$TIMES" split.game.start)" \
  "$(median "$TIMES" split.game.exit)" "$(median "$TIMES" split.game.close)"
w=$(median "$TIMES" split.minimal_audio)
printf '%-36s %8s %8s %8s %12s\n' "minimal SDL program with audio" "$w" - - "$(median "$TIMES" split.minimal_audio.close)"

if [ -s "$WORK/mismatches" ]; then
  echo
  echo "RESULTS DIFFER:"
  cat "$WORK/mismatches"
  exit 1
fi
