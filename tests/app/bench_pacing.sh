#!/usr/bin/env bash
# Benchmark of the show's pacing natively, on a virtual screen of its own: for each build folder
# given, the real orbek42's processor time per second of show (the whole process and its main
# thread, read from /proc over SECONDS seconds once it has started), then, where the folder has it,
# bench_pacing's frame intervals and the drawing's share of the main thread.
#   tests/app/bench_pacing.sh [BIN_DIR ...]        (default build/bin; BENCH_SECONDS=20)
# Compare two builds in one run, e.g. tests/app/bench_pacing.sh /path/to/old/build/bin build/bin
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/virtual_screen.sh"
seconds=${BENCH_SECONDS:-20}
[ $# -gt 0 ] || set -- build/bin

# cpu_ticks STAT_FILE: user + system time in clock ticks.
cpu_ticks() {
  awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "$1"
}

# measure BIN_DIR: run on the current display and print the processor time per second of show.
measure() {
  local bin=$1 temp pid ticks before_all before_main after_all after_main
  temp=$(mktemp -d)
  (cd "$bin" && exec env TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy ./orbek42) &
  pid=$!
  sleep 5  # unpacking, loading and the start of the music are not the show's pacing
  ticks=$(getconf CLK_TCK)
  before_all=$(cpu_ticks /proc/$pid/stat)
  before_main=$(cpu_ticks /proc/$pid/task/$pid/stat)
  sleep "$seconds"
  after_all=$(cpu_ticks /proc/$pid/stat)
  after_main=$(cpu_ticks /proc/$pid/task/$pid/stat)
  xdotool search --name ORBEK42 windowfocus --sync key Escape >/dev/null 2>&1 || kill $pid
  wait $pid
  rm -rf "$temp"
  awk -v a="$before_all" -v b="$after_all" -v m="$before_main" -v n="$after_main" \
      -v t="$ticks" -v s="$seconds" -v bin="$bin" 'BEGIN {
    printf "%s: orbek42 used %.3f CPU-s per s of show, its main thread %.3f\n", bin,
           (b - a) / t / s, (n - m) / t / s }'
}

run_all() {
  local bin
  for bin in "$@"; do
    measure "$bin"
    if [ -x "$bin/bench_pacing" ]; then
      local temp
      temp=$(mktemp -d)
      (cd "$bin" && TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy \
        ./bench_pacing "$seconds")
      rm -rf "$temp"
    fi
  done
}

export -f measure cpu_ticks run_all
export seconds
on_virtual_screen bash -c 'run_all "$@"' run_all "$@"
