# Shell helpers for running the demo on a virtual X screen, sourced by the end-to-end test and the
# Windows smoke test. The screen is the demo's own mode: 640x480 at 16 bits.

# Runs a command with DISPLAY set to a new virtual screen that ends with it.
on_virtual_screen() {
  xvfb-run -a -s "-screen 0 640x480x16" "$@"
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
