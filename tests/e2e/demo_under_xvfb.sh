#!/usr/bin/env bash
# The real orbek42 on a virtual 640x480x16 X screen: it must run, end with status 0 on Escape and
# on a window close, and leave nothing in the temporary folder. Usage: demo_under_xvfb.sh BIN_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd) || exit 1
[ -f "$bin/data.dat" ] || { echo "no data.dat in $bin: skipped"; exit 77; }
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb/xdotool missing: skipped"; exit 77; }
source "$here/../support/virtual_screen.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

one_run() {  # $1: escape | close
  local temp="$scratch/tmp-$1"
  mkdir -p "$temp"
  TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy \
    on_virtual_screen "$here/run_and_end.sh" "$bin" "$1"
  local status=$?
  local left
  left=$(find "$temp" -mindepth 1 | head -5)
  if [ $status -ne 0 ]; then echo "FAIL $1: status $status"; return 1; fi
  if [ -n "$left" ]; then echo "FAIL $1: left behind: $left"; return 1; fi
  echo "ok $1: exit 0, temporary folder clean"
}

one_run escape && one_run close
