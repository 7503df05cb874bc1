# Shell helpers for running the demo on a virtual X screen, sourced by the end-to-end test and the
# Windows smoke test. The screen is the demo's own mode: 640x480 at 16 bits.

# Runs a command with DISPLAY set to a new virtual screen that ends with it.
on_virtual_screen() {
  xvfb-run -a -s "-screen 0 640x480x16" "$@"
}

# Waits up to 10 s for the X server named by DISPLAY to answer; a program started before that
# finds no display.
wait_for_screen() {
  local i
  for i in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the virtual screen $DISPLAY does not answer"
  return 1
}

# Presses and releases Escape, held long enough for a program polling once a frame to see it.
press_escape() {
  xdotool keydown Escape
  sleep 0.5
  xdotool keyup Escape
}

# wait_for_exit PID SECONDS: true once the process has ended, false when it still runs after that.
wait_for_exit() {
  local pid=$1 tenths=$(($2 * 10)) i
  for ((i = 0; i < tenths; i++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null
}
