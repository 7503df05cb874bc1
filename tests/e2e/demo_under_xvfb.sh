#!/usr/bin/env bash
# The real orbek42 on a virtual 640x480x16 X screen: it must run, end with status 0 on Escape and
# on a window close, and leave nothing in the temporary folder. Usage: demo_under_xvfb.sh BIN_DIR
set -u
bin=$(cd "$1" && pwd) || exit 1
[ -f "$bin/data.dat" ] || { echo "no data.dat in $bin: skipped"; exit 77; }
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "xvfb-run/xdotool missing: skipped"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

one_run() {  # $1: escape | close
  local temp="$scratch/tmp-$1"
  mkdir -p "$temp"
  TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 640x480x16" \
    bash -c '
      cd "$1" || exit 90
      ./orbek42 & pid=$!
      # A loaded machine may take a while to start; give it 30 s to show its window.
      window=""
      for i in $(seq 1 300); do
        window=$(xdotool search --name ORBEK42 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
      done
      kill -0 $pid 2>/dev/null || { wait $pid; echo "orbek42 ended early: $?"; exit 91; }
      [ -n "$window" ] || { kill -9 $pid; echo "orbek42 showed no window"; exit 93; }
      sleep 3
      kill -0 $pid 2>/dev/null || { wait $pid; echo "orbek42 ended early: $?"; exit 91; }
      if [ "$2" = escape ]; then
        # No window manager here: give the window the keyboard before pressing.
        xdotool windowfocus --sync "$window" 2>/dev/null
        xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
      else
        "$3" ORBEK42
      fi
      for i in $(seq 1 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
      if kill -0 $pid 2>/dev/null; then kill -9 $pid; echo "orbek42 did not end"; exit 92; fi
      wait $pid
    ' _ "$bin" "$1" "$bin/close_window"
  local status=$?
  local left
  left=$(find "$temp" -mindepth 1 | head -5)
  if [ $status -ne 0 ]; then echo "FAIL $1: status $status"; return 1; fi
  if [ -n "$left" ]; then echo "FAIL $1: left behind: $left"; return 1; fi
  echo "ok $1: exit 0, temporary folder clean"
}

one_run escape && one_run close
