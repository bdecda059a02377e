#!/usr/bin/env bash
# Usage: ./build.sh run | test | build | bench | fuzz [SECONDS]
#   run    install what is missing, build, run the bundled demo game
#   test   install what is missing, build with the sanitizers, run every test
#   build  build the optimised program at build/release/engine
#   bench  build and run the benchmarks
#   fuzz   build the fuzz targets with clang (build/fuzz) and run each for
#          SECONDS (default 30), FUZZ_JOBS (default 4) at a time, or only
#          those whose names hold FUZZ_ONLY; fails on any crash, hang, leak
#          or sanitizer report, leaving the input in build/fuzz/run/<target>/
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc 2>/dev/null || echo 4)

PACKAGES=(g++ cmake make pkg-config libgtest-dev libbenchmark-dev
  libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libsdl-gfx1.2-dev
  liblua5.4-dev lua5.4 fonts-dejavu-core xvfb xauth clang-format)
# What the fuzz build adds: clang, its libFuzzer and sanitizer runtimes, and
# the symbolizer that turns their reports into file and line.
FUZZ_PACKAGES=(clang libclang-rt-14-dev llvm)

install_missing() {  # extra packages...
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  # The bundled games' default font comes from Debian's DejaVu Sans.
  local game font
  for game in demo tutorial; do
    font=games/$game/configs/fonts/normal.ttf
    if [ ! -f "$font" ]; then
      mkdir -p "$(dirname "$font")"
      cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$font"
    fi
  done
}

configure_and_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

build_release() {
  configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DENGINE_TESTS=OFF -DENGINE_BENCH=ON
}

# Runs one fuzz target: its scratch corpus and findings in build/fuzz/run/<name>
# (the committed seeds under tests/fuzz/corpus/<name> are only read), its
# working folder a fresh temporary one (on tmpfs when there is one) for the
# files the target writes. Prints one line of executions and coverage.
run_fuzz_target() {  # binary seconds
  local bin=$1 secs=$2 name run seeds work status=0
  name=$(basename "$bin")
  run=$ROOT/build/fuzz/run/$name
  seeds=$ROOT/tests/fuzz/corpus/$name
  mkdir -p "$run/corpus"
  rm -f "$run"/crash-* "$run"/leak-* "$run"/timeout-* "$run"/oom-* "$run"/slow-unit-*
  local dict=()
  [ -f "$ROOT/tests/fuzz/$name.dict" ] && dict=(-dict="$ROOT/tests/fuzz/$name.dict")
  work=$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/engine_fuzz.XXXXXX")
  (cd "$work" && FUZZ_RUN_DIR=$run "$bin" -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=1 \
      -print_final_stats=1 -artifact_prefix="$run/" "${dict[@]}" "$run/corpus" "$seeds" </dev/null) >"$run/log" 2>&1 || status=$?
  rm -rf "$work"
  local execs cov ft
  execs=$(grep -o 'number_of_executed_units: [0-9]*' "$run/log" | grep -o '[0-9]*$' || true)
  cov=$(grep -o 'cov: [0-9]*' "$run/log" | tail -1 | grep -o '[0-9]*$' || true)
  ft=$(grep -o 'ft: [0-9]*' "$run/log" | tail -1 | grep -o '[0-9]*$' || true)
  if [ "$status" -eq 0 ]; then
    printf '%-28s ok  %10s execs  cov %6s  ft %7s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}"
  else
    # one write, so that targets running side by side do not interleave
    printf '%-28s FAILED (exit %s), see %s\n%s\n' "$name" "$status" "$run/log" \
      "$(grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz finding)|runtime error|Test unit written' "$run/log" | head -6 | sed 's/^/    /')"
  fi
  return "$status"
}

fuzz() {  # seconds
  local secs=$1 jobs=${FUZZ_JOBS:-4} bin failed=$ROOT/build/fuzz/run/failed
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  mkdir -p "$ROOT/build/fuzz/run"
  rm -f "$failed"
  for bin in "$ROOT"/build/fuzz/tests/fuzz/*_fuzz; do
    [ -x "$bin" ] || continue
    [[ "$(basename "$bin")" == *"${FUZZ_ONLY:-}"* ]] || continue
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    { run_fuzz_target "$bin" "$secs" || touch "$failed"; } &
  done
  wait
  if [ -e "$failed" ]; then
    echo "fuzzing found problems" >&2
    return 1
  fi
}

cmd=${1:-}
case "$cmd" in
  build)
    install_missing
    build_release
    ;;
  run)
    install_missing
    build_release
    cd games/demo
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display here: running the demo under Xvfb for 5 seconds."
      export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
      status=0
      xvfb-run -a timeout 5 "$ROOT/build/release/engine" || status=$?
      [ "$status" -eq 124 ] && status=0  # ended by the time limit
      exit "$status"
    fi
    exec "$ROOT/build/release/engine"
    ;;
  test)
    install_missing
    configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DENGINE_SANITIZE=ON
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
    cd build/asan
    ctest --output-on-failure -j "$JOBS"
    ;;
  bench)
    install_missing
    build_release
    for b in build/release/bench/*_bench; do [ -x "$b" ] && "$b"; done
    ;;
  fuzz)
    secs=${2:-30}
    install_missing "${FUZZ_PACKAGES[@]}"
    configure_and_build build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DENGINE_FUZZ=ON -DENGINE_TESTS=OFF
    fuzz "$secs"
    ;;
  *)
    echo "usage: $0 run | test | build | bench | fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
