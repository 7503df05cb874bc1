#!/usr/bin/env bash
# The real orbek42, offscreen and without dialogs, ended every hostile way: SIGHUP, SIGQUIT, SIGINT
# while unpacking a large entry, messages into a pipe nobody reads, SIGKILL and the next run's
# sweep, two runs at once, a full temporary filesystem, an archive cut short and data.dat as a FIFO.
# Each case runs in a temporary folder of its own and must leave it empty. Usage: ways_out.sh BIN
set -u
bin=$(cd "$1" && pwd) || exit 1
[ -f "$bin/data.dat" ] || { echo "no data.dat in $bin: skipped"; exit 77; }
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ORBEK42_NO_DIALOGS=1

scratch=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done; rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL $case: $*"; failures=$((failures + 1)); }
ok() { [ "$failures" -gt "$failed_before" ] || echo "ok $case: $*"; }

# A case's own folder: its TMPDIR, and the current directory with the data.dat it is given.
begin() {  # NAME [ARCHIVE]
  case=$1
  failed_before=$failures
  run="$scratch/$1"
  mkdir -p "$run/tmp"
  ln -s "${2:-$bin/data.dat}" "$run/data.dat"
  export TMPDIR="$run/tmp"
}
# Nothing left in the case's temporary folder.
clean() {
  local left
  left=$(find "$TMPDIR" -mindepth 1 | head -3)
  [ -z "$left" ] || { fail "left behind: $left"; return 1; }
}
start() {  # starts orbek42 in the case's folder; its pid in $pid
  (cd "$run" && exec "$bin/orbek42" 2>>"$run/stderr") &
  pid=$!
  pids+=("$pid")
}
# Starts orbek42 with stderr on a pipe whose reader has gone before anything is written.
start_on_closed_pipe() {
  mkfifo "$run/pipe"
  (cd "$run" && exec "$bin/orbek42" 2>"$run/pipe") &
  pid=$!
  pids+=("$pid")
  exec 3<"$run/pipe"
  exec 3<&-
}
# expect_message TEXT: the case's stderr holds TEXT.
expect_message() {
  grep -qF -- "$1" "$run/stderr" || fail "no message \"$1\" in: $(head -c 600 "$run/stderr")"
}
# wait_for TENTHS COMMAND...: true once the command succeeds, polled every tenth of a second.
wait_for() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
# The start-up is over once the music player holds the track open.
playing() { ls -l "/proc/$1/fd" 2>/dev/null | grep -q musica.mp3; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# stop PID SIGNAL STATUS: the signal must end the run within 5 s with that status.
stop() {
  kill -s "$2" "$1"
  wait_for 50 ended "$1" || { fail "still running 5 s after $2"; kill -9 "$1"; }
  wait "$1"
  local status=$?
  [ "$status" -eq "$3" ] || fail "status $status after $2, not $3"
}
# An archive of one empty entry made by datpack, then given SIZE bytes of sparse data.
sparse_archive() {  # FILE NAME SIZE
  local folder
  folder=$(dirname "$1")
  : >"$folder/$2"
  "$bin/datpack" create "$1" "$folder/$2" || return 1
  rm "$folder/$2"
  printf "$(printf '\\x%02x' $(($3 & 255)) $(($3 >> 8 & 255)) $(($3 >> 16 & 255)) $(($3 >> 24)))" |
    dd of="$1" bs=1 seek=60 conv=notrunc status=none
  truncate -s $((64 + $3)) "$1"
}

for signal in HUP:129 QUIT:131; do
  begin "sig${signal%%:*}"
  start
  wait_for 300 playing $pid || fail "never started"
  stop $pid "${signal%%:*}" "${signal#*:}"
  clean && ok "status ${signal#*:}, temporary folder clean"
done

# SIGINT while a 2 GiB sparse entry is being unpacked, under an address-space limit that the whole
# entry in memory would break.
begin unpacking "$scratch/big.dat"
sparse_archive "$scratch/big.dat" big.bin $((2 * 1024 * 1024 * 1024 - 1))
(ulimit -v 1048576; cd "$run" && exec "$bin/orbek42" 2>>"$run/stderr") &
pid=$!
pids+=("$pid")
growing() { [ -n "$(find "$TMPDIR" -name big.bin -size +1M 2>/dev/null)" ]; }
wait_for 100 growing || fail "the large entry was never being unpacked"
signalled=$(date +%s%N)
stop $pid INT 130
took=$((($(date +%s%N) - signalled) / 1000000))
[ "$took" -lt 3000 ] || fail "ended $took ms after SIGINT"
clean && ok "status 130, $took ms after SIGINT during unpacking, temporary folder clean"

# Messages written into a pipe whose reader has gone: a damaged archive still fails with 1, and a
# show that printed a message (a model missing from its archive) still ends cleanly on SIGTERM.
printf 'abc' >"$scratch/damaged.dat"
begin pipe-damaged "$scratch/damaged.dat"
start_on_closed_pipe
wait_for 100 ended $pid || { fail "still running"; kill -9 $pid; }
{ wait $pid; } 2>/dev/null
status=$?
[ $status -eq 1 ] || fail "status $status with stderr on a closed pipe"
clean && ok "status 1 with stderr on a closed pipe"

mkdir -p "$scratch/parts" "$scratch/nostars"
"$bin/datpack" extract "$bin/data.dat" "$scratch/parts" >/dev/null
(cd "$scratch/parts" && "$bin/datpack" create "$scratch/nostars/data.dat" $(ls | grep -v '^estrelles.3ds$'))
begin pipe-running "$scratch/nostars/data.dat"
start_on_closed_pipe
wait_for 300 playing $pid || fail "never started"
stop $pid TERM 143
clean && ok "status 143 after a message on a closed pipe, temporary folder clean"

# SIGKILL leaves the folder; the next run removes it, while a second run at once keeps working and
# leaves the first one's folder alone.
begin killed
start
wait_for 300 playing $pid || fail "never started"
kill -9 $pid
{ wait $pid; } 2>/dev/null
stale=$(find "$TMPDIR" -mindepth 1 -maxdepth 1)
[ -n "$stale" ] || fail "SIGKILL left nothing to sweep"
# Not ours to remove, whatever their names: a link to a folder of ours, and a folder without a lock.
mkdir -p "$scratch/elsewhere" "$TMPDIR/orbek42-nolock"
touch "$scratch/elsewhere/kept" "$TMPDIR/orbek42-nolock/kept"
cp -a "$stale/orbek42..lock" "$scratch/elsewhere/"
ln -s "$scratch/elsewhere" "$TMPDIR/orbek42-link"
start
first=$pid
wait_for 300 playing $first || fail "never started after SIGKILL"
[ -e "$stale" ] && fail "the stale folder $stale is still there"
start
second=$pid
wait_for 300 playing $second || fail "the second run at once never started"
count=$(find "$TMPDIR" -mindepth 1 -maxdepth 1 -name 'orbek42-*' -type d | wc -l)
[ "$count" -eq 3 ] || fail "$count folders while two runs go on, not 3 (2 runs and orbek42-nolock)"
stop $first TERM 143
stop $second TERM 143
[ -e "$scratch/elsewhere/kept" ] && [ -e "$TMPDIR/orbek42-nolock/kept" ] && [ -L "$TMPDIR/orbek42-link" ] ||
  fail "a folder that is not a stale one of ours was touched"
rm -rf "$TMPDIR/orbek42-nolock" "$TMPDIR/orbek42-link"
clean && ok "stale folder swept, two runs at once, others kept, temporary folder clean"

# Archives not unpacked whole: exit 1 before any window, with one message naming the entries.
begin short "$scratch/short.dat"
head -c 4000000 "$bin/data.dat" >"$scratch/short.dat"
start
wait_for 100 ended $pid || { fail "still running"; kill -9 $pid; }
{ wait $pid; } 2>/dev/null
status=$?
[ $status -eq 1 ] || fail "status $status for an archive cut short"
expect_message "could not be unpacked"
expect_message "its data reaches past the end of the archive"
clean && ok "status 1 for an archive cut short, temporary folder clean"

# A full temporary filesystem: a 1 MiB tmpfs in a mount namespace of its own when the system lets
# us make one (the "No space left on device" of a real disk), else a file-size limit ("File too
# large" from the same failed write).
begin full
cd "$run" || exit 1
if unshare -m true 2>/dev/null; then
  unshare -m sh -c 'mount -t tmpfs -o size=1m tmpfs "$TMPDIR" || exit 99
    "$0/orbek42" 2>"$1/stderr"; echo $? >"$1/status"
    find "$TMPDIR" -mindepth 1 >"$1/left"' "$bin" "$run"
  reason="No space left on device"
else
  (trap '' XFSZ; ulimit -f 1024; exec "$bin/orbek42" 2>"$run/stderr"); echo $? >"$run/status"
  find "$TMPDIR" -mindepth 1 >"$run/left"
  reason="File too large"
fi
cd "$scratch" || exit 1
[ "$(cat "$run/status")" = 1 ] || fail "status $(cat "$run/status") with a full temporary folder"
expect_message "could not be unpacked"
expect_message "musica.mp3"
expect_message "$reason"
[ -s "$run/left" ] && fail "left behind: $(head -3 "$run/left")"
clean && ok "status 1 and \"$reason\" named, temporary folder clean"

# data.dat as a FIFO: refused at once, nobody ever writing to it.
begin fifo "$scratch/fifo.dat"
mkfifo "$scratch/fifo.dat"
start
wait_for 50 ended $pid || { fail "blocked on the FIFO"; kill -9 $pid; }
{ wait $pid; } 2>/dev/null
status=$?
[ $status -eq 1 ] || fail "status $status for a FIFO"
expect_message 'Cannot open the archive "data.dat": it is not a regular file.'
clean && ok "status 1 for a FIFO, at once"

[ $failures -eq 0 ]
