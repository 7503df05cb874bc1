#!/usr/bin/env bash
# Runs a command with a sound server whose only output is a null sink, for browsers on a machine
# without a sound device: Firefox's audio contexts stay suspended without one, while ALSA's null
# device and Firefox's own null backend never let a context run. A private PulseAudio in a
# temporary folder, reached through PULSE_SERVER, ended with the command; its status is the
# command's. Usage: tests/web/null_sound.sh COMMAND [ARGUMENT...]
set -u
folder=$(mktemp -d)
cleanup() {
  [ -n "${daemon:-}" ] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT

# The daemon keeps its state and socket in the folder and never looks for a session bus.
HOME=$folder XDG_RUNTIME_DIR=$folder XDG_CONFIG_HOME=$folder pulseaudio -n --daemonize=no \
  --exit-idle-time=-1 --use-pid-file=no -F "$(dirname "$0")/null-sink.pa" >"$folder/log" 2>&1 &
daemon=$!
socket=$folder/pulse/native
for _ in $(seq 1 100); do
  [ -S "$socket" ] && break
  kill -0 "$daemon" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$socket" ]; then
  echo "null_sound.sh: the sound server did not start:" >&2
  cat "$folder/log" >&2
  exit 1
fi
PULSE_SERVER=unix:$socket "$@"
