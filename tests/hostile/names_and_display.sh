#!/usr/bin/env bash
# The real orbek42 against hostile texture names in its models, and without a display or a window:
# for each, its exit status and message, no control byte on the terminal, an empty temporary
# folder, and nothing outside the private folder opened or changed.
# Usage: names_and_display.sh BIN_DIR WRITE_TEXTURED_MODEL
set -u
bin=$(cd "$1" && pwd) || exit 1
writer=$2
[ -f "$bin/data.dat" ] || { echo "no data.dat in $bin: skipped"; exit 77; }

scratch=$(mktemp -d)
marks=$(mktemp -d)  # where the stand-in dialog helper notes itself, outside what the runs may touch
writers=()
cleanup() {
  for pid in "${writers[@]}"; do kill -9 "$pid" 2>/dev/null; done
  for mark in "$marks"/*; do [ -s "$mark" ] && kill -9 "$(cat "$mark")" 2>/dev/null; done
  rm -rf "$scratch" "$marks"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# Everything in the scratch folder but the runs' own temporary folders and output, with the sizes
# and times of files: a run must leave it as it was.
snapshot() {
  (cd "$scratch" && find . ! -path './*/tmp/*' ! -name output \
    \( -type d -printf '%p d\n' -o -printf '%p %y %s %T@\n' \) | LC_ALL=C sort)
}

# The generated archive's files, unpacked once; each case packs them again with its own tube.
mkdir "$scratch/assets"
"$bin/datpack" extract "$bin/data.dat" "$scratch/assets" || exit 1

# make_case NAME TEXTURE_NAME [EXTRA_FILE...]: $scratch/NAME/data.dat, whose tube model is one
# triangle textured from TEXTURE_NAME.
make_case() {
  local dir="$scratch/$1" texture=$2
  shift 2
  mkdir -p "$dir/tmp" "$dir/model"
  "$writer" "$dir/model/tubo6.3ds" "$texture" || exit 1
  local files=("$dir/model/tubo6.3ds")
  for f in "$scratch"/assets/*; do [ "${f##*/}" = tubo6.3ds ] || files+=("$f"); done
  "$bin/datpack" create "$dir/data.dat" "${files[@]}" "$@" || exit 1
}

# run NAME UNTIL_TEXT [NAME=VALUE...]: runs orbek42 in $scratch/NAME with its own temporary folder,
# no display, no sound, no dialogs and the environment given. A run that shows UNTIL_TEXT is ended
# with SIGTERM once it has; a run with UNTIL_TEXT empty must end by itself. Sets status.
run() {
  local name=$1 dir="$scratch/$1" until=$2
  shift 2
  (cd "$dir" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER TMPDIR="$dir/tmp" \
    SDL_AUDIODRIVER=dummy ORBEK42_NO_DIALOGS=1 "$@" "$bin/orbek42" >"$dir/output" 2>&1) &
  local pid=$! i
  for ((i = 0; i < 300; i++)); do
    kill -0 $pid 2>/dev/null || break
    [ -n "$until" ] && grep -qF -- "$until" "$dir/output" && break
    sleep 0.1
  done
  if kill -0 $pid 2>/dev/null; then
    [ -n "$until" ] || fail "$name: still running after 30 s"
    kill -TERM $pid
    for ((i = 0; i < 100; i++)); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    kill -0 $pid 2>/dev/null && { fail "$name: did not end on SIGTERM"; kill -9 $pid; }
  fi
  wait $pid
  status=$?
}

# check NAME STATUS MESSAGE: what every run must show.
check() {
  local dir="$scratch/$1" output failed=$failures
  output=$(cat -v "$dir/output")
  [ "$status" -eq "$2" ] || fail "$1: exit status $status, not $2"
  grep -qF -- "$3" "$dir/output" || fail "$1: no \"$3\" in: $output"
  LC_ALL=C grep -q $'[\x01-\x08\x0b-\x1f\x7f]' "$dir/output" && fail "$1: raw control bytes in the output"
  local left
  left=$(find "$dir/tmp" -mindepth 1 | head -5)
  [ -z "$left" ] || fail "$1: left in the temporary folder: $left"
  [ "$(snapshot)" = "$before" ] || fail "$1: files outside the private folder changed: $(diff <(echo "$before") <(snapshot))"
  [ $failures -eq $failed ] && echo "ok $1: exit $status, \"$3\""
}

terminated=$((128 + 15))
failed_open="Failed to open DIB file "

# A name that climbs out of the private folder to a FIFO with a writer waiting on it: whoever opens
# it for reading lets the writer through, which then leaves a mark. Nothing else can open it, and a
# refused name must not. Each run's private folder is $scratch/NAME/tmp/orbek42-*/, so "../../../"
# leads to $scratch.
mkfifo "$scratch/sentinel.fifo"
(exec 3>"$scratch/sentinel.fifo"; : >"$scratch/sentinel-opened") &
writers+=($!)
disown
make_case outside "../../../sentinel.fifo"
before=$(snapshot)
run outside "$failed_open" SDL_VIDEODRIVER=offscreen
check outside $terminated "$failed_open$scratch/outside/tmp/orbek42-"
[ -e "$scratch/sentinel-opened" ] && fail "outside: the file outside the private folder was opened"

# A FIFO nobody writes to: opening it for reading would wait for ever.
mkfifo "$scratch/silent.fifo"
make_case fifo "../../../silent.fifo"
before=$(snapshot)
run fifo "$failed_open" SDL_VIDEODRIVER=offscreen
check fifo $terminated "/../../../silent.fifo."

# A name that is a bare file name but carries terminal escapes (retitle, clear, colour), packed as
# an empty file so that the bitmap reader reports it.
escapes=$'\e]0;owned\a\e[2J\e[31m.bmp'
mkdir -p "$scratch/escapes/empty"
: >"$scratch/escapes/empty/$escapes"
make_case escapes "$escapes" "$scratch/escapes/empty/$escapes"
before=$(snapshot)
run escapes "$failed_open" SDL_VIDEODRIVER=offscreen
check escapes $terminated '\x1b]0;owned\x07\x1b[2J\x1b[31m.bmp.'

# No display and no video driver asked for: SDL would fall back to drawing offscreen, unseen.
mkdir -p "$scratch/nodisplay/tmp"
ln -s "$bin/data.dat" "$scratch/nodisplay/data.dat"
before=$(snapshot)
run nodisplay ""
check nodisplay 1 "There is no display to show the demo on. orbek42-capture makes a video"

# A window that cannot be made: a driver that does not exist (so no display mode either, and nobody
# to accept a window instead), and one without GL.
for driver in nonexistent dummy; do
  mkdir -p "$scratch/$driver/tmp"
  ln -s "$bin/data.dat" "$scratch/$driver/data.dat"
  before=$(snapshot)
  run "$driver" "" SDL_VIDEODRIVER=$driver
  case $driver in
    nonexistent) check "$driver" 1 "ERROR: Program Will Now Close." ;;
    dummy) check "$driver" 1 "ERROR: Can't Set The PixelFormat." ;;
  esac
done

# Message boxes with a display named (DISPLAY need not answer: SDL hands boxes to a dialog helper)
# and a dialog helper that never answers, so a box that goes up waits for ever.
helper=$(cd "$(dirname "$0")/dialog-helper" && pwd)
boxes=(DISPLAY=:9 ORBEK42_NO_DIALOGS=0 PATH="$helper:$PATH")

# The capture tool fails the same way for its own window, and as a tool it shows no box at all.
mkdir -p "$scratch/capture/tmp"
before=$(snapshot)
(cd "$scratch/capture" && exec env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER TMPDIR="$scratch/capture/tmp" \
  SDL_VIDEODRIVER=nonexistent SDL_AUDIODRIVER=dummy "${boxes[@]}" \
  ORBEK_DIALOG_MARK="$marks/capture" timeout 30 "$bin/orbek42-capture" \
  --archive "$bin/data.dat" --timeline >output 2>&1)
status=$?
check capture 1 "orbek42-capture: the window or the demo's start-up failed"
[ -e "$marks/capture" ] && fail "capture: the tool put up a message box"

# The program asks its full-screen question in a box; a termination request while it waits ends the
# run as at any other time, the box's helper with it.
mkdir -p "$scratch/boxed/tmp"
ln -s "$bin/data.dat" "$scratch/boxed/data.dat"
before=$(snapshot)
run boxed "dialog helper waiting" SDL_VIDEODRIVER=nonexistent "${boxes[@]}" \
  ORBEK_DIALOG_MARK="$marks/boxed"
check boxed $terminated "Tavi GL: The Requested Fullscreen Mode Is Not Supported"
if [ ! -s "$marks/boxed" ]; then
  fail "boxed: the box never went up"
else
  # Ended means gone or a zombie nobody waited for (the program did not wait once it was told
  # to end).
  state=$(ps -o stat= -p "$(cat "$marks/boxed")" 2>/dev/null)
  [ -z "$state" ] || [ "${state:0:1}" = Z ] || fail "boxed: the box's helper outlived the program"
fi

[ $failures -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
