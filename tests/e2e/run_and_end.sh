#!/usr/bin/env bash
# One run of orbek42 on the current X display, ended by Escape or by a window close:
#   run_and_end.sh BIN_DIR escape|close [COMMAND [ARGUMENT...]]
# COMMAND, ./orbek42 by default, is started in BIN_DIR; a release's launcher goes there.
# Exits with the program's status, or 91 (ended early), 92 (did not end), 93 (no window).
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/virtual_screen.sh"
cd "$1" || exit 90
how=$2
shift 2
[ $# -gt 0 ] || set -- ./orbek42
wait_for_screen || exit 93

# start: starts the program and waits up to 30 s (a loaded machine may be slow) for its window;
# true once the window is there, false when the program ended first, its messages in $errors.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
start() {
  "$@" 2> >(tee "$errors" >&2) & pid=$!
  window=""
  for i in $(seq 1 300); do
    window=$(xdotool search --name ORBEK42 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  kill -0 $pid 2>/dev/null
}

# Seen once on a loaded machine: SDL's X11 driver refuses a fresh virtual screen that has just
# answered xdotool, and the program says there is no display. That case, and only that one, is
# started once more, and said so.
for attempt in 1 2; do
  start "$@" && break
  wait $pid
  status=$?
  if [ $attempt -eq 1 ] && [ $status -eq 1 ] && grep -q 'There is no display' "$errors"; then
    echo "orbek42 found no display on $DISPLAY, which answers: started again"
    continue
  fi
  echo "orbek42 ended early: $status"
  exit 91
done
[ -n "$window" ] || { kill -9 $pid; echo "orbek42 showed no window"; exit 93; }
sleep 3
kill -0 $pid 2>/dev/null || { wait $pid; echo "orbek42 ended early: $?"; exit 91; }
if [ "$how" = escape ]; then
  # No window manager here: give the window the keyboard before pressing.
  xdotool windowfocus --sync "$window" 2>/dev/null
  press_escape
else
  ./close_window ORBEK42
fi
wait_for_exit $pid 20 || { kill -9 $pid; echo "orbek42 did not end"; exit 92; }
wait $pid
