#!/usr/bin/env bash
# Side-by-side benchmarks of two builds: an earlier commit ("old") and the
# current tree with its uncommitted changes ("new", build/release as
# ./build.sh build makes it).
#
# The commit is exported (git archive) into a folder outside the checkout,
# <COMPARE_BUILDS_DIR>/<full sha>, and built there as build/release is built
# (Release, benchmarks on); later runs reuse that build. Both builds run the
# current tree's bench/ sources, so that they measure the same code and a
# benchmark added since the commit gets a reference too. A program whose
# current source does not compile against the commit's engine is built from
# the commit's own source instead, and the output says so; a benchmark that
# only one build has is listed as such.
#
# Every benchmark runs as its own process (--benchmark_filter='^name$') on one
# pinned core for a fixed minimum time, the two builds by turns: each round
# shuffles the benchmarks, and which build goes first alternates from round
# to round. The table gives each benchmark's median real time in both builds,
# in the benchmark's own unit, the ratio new/old, the spread of its runs (the
# larger of the two builds' (slowest - fastest) / median: a ratio inside it
# may be the machine's noise) and SLOWER where the new build is more than 10%
# slower. It measures and does not judge: the exit code is 0 whatever the
# ratios, and non-zero only when a build fails. At the defaults the current
# set of about 60 benchmarks takes about 13 minutes once both builds are there.
#
# Usage: bench/compare_builds.sh COMMIT [REGEX]
#   REGEX               only the benchmarks whose <program>/<name> it matches
#                       (grep -E; the program is the bench/ file's name, as in
#                       pictures/BM_Zoom/15 or scene_frame/BM_SceneFrame/...)
#   BENCH_ROUNDS        runs of each benchmark in each build (default 5)
#   BENCH_MIN_TIME      seconds each run measures at least (default 0.3)
#   BENCH_CPU           core to pin every run to (default: the last one)
#   BENCH_TIMEOUT       seconds before a run counts as timed out (default 120)
#   BENCH_JOBS          parallel jobs of the commit's build (default: all cores)
#   COMPARE_BUILDS_DIR  where commits are built (default ~/.cache/engine-compare)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
source "$ROOT/bench/stats.sh"

usage() {
  echo "usage: bench/compare_builds.sh COMMIT [REGEX]" >&2
  exit 2
}
if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
SHA=$(git rev-parse --verify --quiet "$1^{commit}") || {
  echo "not a commit: $1" >&2
  usage
}
FILTER=${2:-}
ROUNDS=${BENCH_ROUNDS:-5}
MIN_TIME=${BENCH_MIN_TIME:-0.3}
CPU=${BENCH_CPU:-$(($(nproc) - 1))}
TIMEOUT=${BENCH_TIMEOUT:-120}
JOBS=${BENCH_JOBS:-$(nproc)}
REF=$(realpath -m "${COMPARE_BUILDS_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/engine-compare}/$SHA")
case $REF/ in "$ROOT"/*)
  echo "COMPARE_BUILDS_DIR must be outside the checkout" >&2
  exit 2
  ;;
esac
OLD_SRC=$REF/src       # the commit's tree with the current bench/
OWN_BENCH=$REF/bench   # the commit's own bench/
OLD_BUILD=$REF/build
NEW_BUILD=$ROOT/build/release
LOG=$REF/build.log

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/run"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$WORK
NOTES=$WORK/notes  # lines printed above the table
: >"$NOTES"

say() { echo "$*" >&2; }
note() { echo "$*" | tee -a "$NOTES" >&2; }
fail_build() {  # message
  say "$1"
  say "see $LOG"
  tail -n 20 "$LOG" >&2
  exit 1
}

# The benchmark programs of a bench/ folder: its sources that use the
# benchmark library (the others are the scripts' helpers).
programs_in() {  # folder
  local f
  for f in "$1"/*.cpp; do
    [ -f "$f" ] && grep -q '<benchmark/benchmark.h>' "$f" && basename "$f" .cpp
  done
  return 0
}

# The current bench/ as it is on disk, new files included, relative to it.
current_bench_files() {
  git ls-files --cached --others --exclude-standard -- bench | sort -u | while read -r f; do
    [ -f "$f" ] && echo "${f#bench/}"
  done
}

export_commit() {
  [ -d "$OLD_SRC" ] && return
  say "exporting $SHA into $REF"
  rm -rf "$REF/export" "$OWN_BENCH"
  mkdir -p "$REF/export"
  git archive "$SHA" | tar -x -C "$REF/export"
  if [ -d "$REF/export/bench" ]; then mv "$REF/export/bench" "$OWN_BENCH"; else mkdir "$OWN_BENCH"; fi
  mv "$REF/export" "$OLD_SRC"
}

# Makes the commit tree's bench/ the current one, touching only the files
# whose content differs, so that the build redoes only what changed.
sync_bench() {
  local dst=$OLD_SRC/bench f
  mkdir -p "$dst"
  current_bench_files >"$WORK/wanted"
  (cd "$dst" && find . -type f | sed 's|^\./||' | sort) >"$WORK/there"
  comm -23 "$WORK/there" "$WORK/wanted" | while read -r f; do rm -f "$dst/$f"; done
  while read -r f; do
    mkdir -p "$(dirname "$dst/$f")"
    cmp -s "bench/$f" "$dst/$f" || cp "bench/$f" "$dst/$f"
  done <"$WORK/wanted"
}

# Builds one program from the commit's own source: the file in bench/ only
# includes it, so that its own includes are found beside it.
use_own_source() {  # program
  printf '// The commit'"'"'s own source of this program.\n#include "%s/%s.cpp"\n' "$OWN_BENCH" "$1" \
    >"$OLD_SRC/bench/$1.cpp"
}

build_target() {  # target
  cmake --build "$OLD_BUILD" -j "$JOBS" --target "$1" >>"$LOG" 2>&1
}

# The commit's build. Fills $WORK/old.programs with the programs built, and
# the notes with those built from the commit's own source or not at all.
build_commit() {
  local short p
  short=$(git rev-parse --short "$SHA")
  export_commit
  sync_bench
  : >"$LOG"
  programs_in "$OLD_SRC/bench" >"$WORK/old.programs"
  # Programs the current tree no longer has are built from their own source.
  for p in $(programs_in "$OWN_BENCH"); do
    grep -qx "$p" "$WORK/old.programs" && continue
    use_own_source "$p"
    echo "$p" >>"$WORK/old.programs"
  done
  say "building $short in $OLD_BUILD (log: $LOG)"
  if ! cmake -S "$OLD_SRC" -B "$OLD_BUILD" -DCMAKE_BUILD_TYPE=Release -DENGINE_TESTS=OFF -DENGINE_BENCH=ON \
    >>"$LOG" 2>&1; then
    note "old: the current bench/ does not configure against $short: its own bench/ is used for every program"
    rm -rf "$OLD_SRC/bench"
    cp -r "$OWN_BENCH" "$OLD_SRC/bench"
    programs_in "$OLD_SRC/bench" >"$WORK/old.programs"
    cmake -S "$OLD_SRC" -B "$OLD_BUILD" -DCMAKE_BUILD_TYPE=Release -DENGINE_TESTS=OFF -DENGINE_BENCH=ON \
      >>"$LOG" 2>&1 || fail_build "$short does not configure"
  fi
  : >"$WORK/built"
  local programs
  mapfile -t programs <"$WORK/old.programs"
  for p in "${programs[@]}"; do
    if build_target "${p}_bench"; then
      echo "$p" >>"$WORK/built"
    elif [ -f "$OWN_BENCH/$p.cpp" ] && ! grep -qF "$OWN_BENCH" "$OLD_SRC/bench/$p.cpp"; then
      use_own_source "$p"
      build_target "${p}_bench" || fail_build "${p}_bench does not build at $short, from the current source nor its own"
      note "old: ${p}_bench is built from $short's own bench/$p.cpp: the current one does not compile against it"
      echo "$p" >>"$WORK/built"
    elif [ -f "$OWN_BENCH/$p.cpp" ]; then
      fail_build "${p}_bench does not build at $short"
    else
      note "old: ${p}_bench is new since $short and does not compile against it"
    fi
  done
  mv "$WORK/built" "$WORK/old.programs"
}

# Lists the benchmarks of one build as <program>/<name>, those the filter
# takes, into $WORK/<side>.list.
list_benchmarks() {  # side, build folder, programs...
  local side=$1 dir=$2 p
  shift 2
  : >"$WORK/$side.list"
  for p in "$@"; do
    if ! (cd "$WORK/run" && "$dir/bench/${p}_bench" --benchmark_list_tests=true) >"$WORK/listed" 2>&1; then
      note "$side: ${p}_bench could not list its benchmarks: it is left out"
      continue
    fi
    # A program may print more than the names (a closing table): names have no blanks.
    grep -E '^[^[:space:]]+$' "$WORK/listed" | sed "s|^|$p/|" | grep -E -- "${FILTER:-.}" >>"$WORK/$side.list" || true
  done
}

# A time in ns in the given unit, to four figures or so; a word as it is.
shown() {  # nanoseconds, unit
  awk -v v="$1" -v u="$2" -v num="$BENCH_NUMBER" 'BEGIN {
    if (v !~ num) { print v; exit }
    v /= (u == "us" ? 1e3 : u == "ms" ? 1e6 : u == "s" ? 1e9 : 1)
    printf(v >= 1000 ? "%.0f\n" : v >= 100 ? "%.1f\n" : v >= 10 ? "%.2f\n" : "%.3f\n", v)
  }'
}

# Whether new is more than 10% above old (both numbers).
slower() {  # old, new
  awk -v o="$1" -v n="$2" -v num="$BENCH_NUMBER" 'BEGIN { exit !(o ~ num && n ~ num && n > 1.1 * o) }'
}

# The name as a regex that matches it alone.
escape_regex() { sed 's/[][\.^$*+?(){}|]/\\&/g' <<<"$1"; }

TIMES=$WORK/times  # lines: side:<program>/<name> nanoseconds (or timeout, failed)
UNITS=$WORK/units  # lines: side:<program>/<name> unit
: >"$TIMES"
: >"$UNITS"

# One run of one benchmark in one build; records its real time in ns.
run_one() {  # side, key
  local side=$1 key=$2 dir=$NEW_BUILD status=0
  local prog=${key%%/*} name=${key#*/}
  [ "$side" = old ] && dir=$OLD_BUILD
  rm -f "$WORK/out.csv"
  (cd "$WORK/run" && timeout -s KILL "$TIMEOUT" taskset -c "$CPU" "$dir/bench/${prog}_bench" \
    --benchmark_filter="^$(escape_regex "$name")\$" --benchmark_min_time="$MIN_TIME" \
    --benchmark_repetitions=1 --benchmark_out="$WORK/out.csv" --benchmark_out_format=csv \
    >/dev/null 2>&1) || status=$?
  if [ "$status" -eq 137 ]; then
    echo "$side:$key timeout" >>"$TIMES"
    return
  fi
  if [ "$status" -ne 0 ] || [ ! -f "$WORK/out.csv" ]; then
    echo "$side:$key failed" >>"$TIMES"
    return
  fi
  # The row of the benchmark: "name",iterations,real_time,cpu_time,time_unit,...
  # (an empty real time when the benchmark reported an error).
  awk -F, -v n="\"$name\"" -v k="$side:$key" -v units="$UNITS" '
    $1 == n && $3 != "" {
      f = $5 == "ns" ? 1 : $5 == "us" ? 1e3 : $5 == "ms" ? 1e6 : $5 == "s" ? 1e9 : 0
      if (f) { printf "%s %.6g\n", k, $3 * f; print k, $5 >>units; found = 1 }
    }
    END { if (!found) print k, "failed" }' "$WORK/out.csv" >>"$TIMES"
}

# Both builds.
START=$SECONDS
say "building the current tree (./build.sh build)"
./build.sh build >"$WORK/new.log" 2>&1 || {
  tail -n 20 "$WORK/new.log" >&2
  say "the current tree does not build"
  exit 1
}
build_commit
mapfile -t new_programs < <(programs_in bench)
mapfile -t old_programs <"$WORK/old.programs"
list_benchmarks new "$NEW_BUILD" "${new_programs[@]}"
list_benchmarks old "$OLD_BUILD" "${old_programs[@]}"
# Every benchmark once, the current build's order first.
cat "$WORK/new.list" "$WORK/old.list" | awk '!seen[$0]++' >"$WORK/all.list"
[ -s "$WORK/all.list" ] || {
  say "no benchmark matches '${FILTER}'"
  exit 0
}
in_list() { grep -qxF -- "$2" "$WORK/$1.list"; }

echo "old: $(git log -1 --format='%h %s' "$SHA" | cut -c1-100)"
dirty=""
[ -z "$(git status --porcelain)" ] || dirty=" with uncommitted changes"
echo "new: the current tree at $(git rev-parse --short HEAD)$dirty"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "pinned to CPU $CPU, $ROUNDS rounds of $(wc -l <"$WORK/all.list") benchmarks, at least ${MIN_TIME} s a run"
RUNS_START=$SECONDS
for ((r = 1; r <= ROUNDS; r++)); do
  for key in $(shuf "$WORK/all.list"); do
    sides=(old new)
    ((r % 2)) || sides=(new old)
    for side in "${sides[@]}"; do
      if in_list "$side" "$key"; then run_one "$side" "$key"; fi
    done
  done
  say "round $r of $ROUNDS done ($((SECONDS - RUNS_START)) s)"
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

# The table: medians in the benchmark's own unit (the new build's when the two differ).
echo
if [ -s "$NOTES" ]; then
  cat "$NOTES"
  echo
fi
width=$(awk '{ if (length($0) > w) w = length($0) } END { print (w > 9 ? w : 9) }' "$WORK/all.list")
printf "%-${width}s %5s %11s %11s %8s %7s\n" benchmark unit old new new/old spread
while read -r key; do
  old=$(median "$TIMES" "old:$key")
  new=$(median "$TIMES" "new:$key")
  unit=$(awk -v k="new:$key" '$1 == k { u = $2 } END { print u }' "$UNITS")
  [ -n "$unit" ] || unit=$(awk -v k="old:$key" '$1 == k { u = $2 } END { print u }' "$UNITS")
  mark="" sides=("old:$key" "new:$key")
  if ! in_list old "$key"; then
    old=- mark="new only" sides=("new:$key")
  elif ! in_list new "$key"; then
    new=- mark="old only" sides=("old:$key")
  elif slower "$old" "$new"; then
    mark=SLOWER
  fi
  printf "%-${width}s %5s %11s %11s %8s %7s%s\n" "$key" "${unit:--}" "$(shown "$old" "$unit")" \
    "$(shown "$new" "$unit")" "$(ratio "$new" "$old")" "$(spread "$TIMES" "${sides[@]}")" "${mark:+  $mark}"
done <"$WORK/all.list"
echo
echo "took $(((SECONDS - START) / 60)) min $(((SECONDS - START) % 60)) s, of which the runs $((SECONDS - RUNS_START)) s"
