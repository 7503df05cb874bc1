# Shell helpers for running the demo on a virtual X screen, sourced by the end-to-end tests, the
# Windows smoke test and the release tests. The screen is the demo's own mode, 640x480 at 16 bits,
# unless asked otherwise.

# on_virtual_screen [-s WxHxD] COMMAND...: runs COMMAND with DISPLAY set to a virtual screen of its
# own, which ends with it. The X server picks a free display number itself and names it only once
# it accepts connections (-displayfd), so screens started at the same moment never share a number
# (as xvfb-run -a's guesses can) and nothing starts before its screen can be used. Only this
# machine's own socket reaches it (no TCP), so it needs no cookie.
on_virtual_screen() {
  local size=640x480x16 folder server number="" status=0 i
  if [ "${1:-}" = -s ]; then size=$2; shift 2; fi
  folder=$(mktemp -d) || return 1
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$folder/display" 2>"$folder/log" &
  server=$!
  for i in $(seq 1 300); do
    number=$(head -n 1 "$folder/display")
    [ -n "$number" ] && break
    kill -0 $server 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "the virtual screen did not start: $(cat "$folder/log")"
    kill $server 2>/dev/null
    rm -rf "$folder"
    return 1
  fi
  env -u WAYLAND_DISPLAY -u XAUTHORITY DISPLAY=":$number" "$@" || status=$?
  kill $server 2>/dev/null
  wait $server 2>/dev/null
  rm -rf "$folder"
  return $status
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
