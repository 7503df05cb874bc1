#!/usr/bin/env bash
# The program's screen options on virtual screens: --size 1280x960 --windowed, and --fullscreen on
# a 1920x1080 screen (the picture between black bars), each held at a countdown frame and compared
# with orbek42-capture's still of it, then ended by Escape with status 0 and nothing left behind.
# Usage: player_options.sh BIN_DIR [SHOTS_DIR]; the screenshots are kept in SHOTS_DIR when given.
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd) || exit 1
[ -f "$bin/data.dat" ] || { echo "no data.dat in $bin: skipped"; exit 77; }
for tool in Xvfb xdotool ffmpeg; do
  command -v $tool >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
source "$here/../support/virtual_screen.sh"
# Frame 200 is the countdown's digit 1: no particles, whose randomness no two runs share.
frame=200
least_psnr=28

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
shots=$scratch
[ -n "${2:-}" ] && [ "$2" != --inside ] && shots=$(cd "$2" && pwd)
fail() {
  echo "FAIL $*"
  exit 1
}

# psnr A B: the two pictures' peak signal-to-noise ratio in dB, whole (inf when they are equal).
psnr() {
  ffmpeg -hide_banner -nostats -i "$1" -i "$2" -lavfi psnr -f null - 2>&1 |
    sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p'
}

# at_least VALUE LIMIT: true when the dB figure VALUE (or inf) reaches LIMIT.
at_least() {
  [ "$1" = inf ] || awk -v v="$1" -v l="$2" 'BEGIN { exit !(v + 0 >= l) }'
}

# One run on the screen named by DISPLAY (run by on_virtual_screen through this same script):
#   held_run NAME WIDTH HEIGHT OPTIONS...
# starts orbek42 with OPTIONS and --hold-frame, checks that its window is WIDTH x HEIGHT at 0,0,
# takes a screenshot of it once the frame is held (SHOTS/NAME.png), and ends it with Escape.
held_run() {
  local name=$1 width=$2 height=$3 temp=$scratch/tmp-$1 window="" geometry status=0 i
  shift 3
  mkdir -p "$temp"
  wait_for_screen || return 1
  cd "$bin" || return 1
  TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy \
    ./orbek42 "$@" --hold-frame $frame >"$scratch/$name.out" 2>&1 &
  local pid=$!
  # The program says when the frame is on the screen; a loaded machine may take a while.
  for i in $(seq 1 1200); do
    grep -q "holding frame $frame" "$scratch/$name.out" && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  grep -q "holding frame $frame" "$scratch/$name.out" ||
    { kill -9 $pid 2>/dev/null; cat "$scratch/$name.out"; fail "$name: frame $frame was not held"; }
  window=$(xdotool search --name ORBEK42 2>/dev/null | head -n 1)
  [ -n "$window" ] || { kill -9 $pid; fail "$name: no window"; }
  geometry=$(xdotool getwindowgeometry --shell "$window" | tr '\n' ' ')
  [[ $geometry == *"X=0 Y=0 WIDTH=$width HEIGHT=$height "* ]] ||
    { kill -9 $pid; fail "$name: the window is $geometry, not ${width}x$height at 0,0"; }
  ffmpeg -loglevel error -f x11grab -draw_mouse 0 -video_size "${width}x$height" -i "$DISPLAY+0,0" \
    -frames:v 1 -y "$shots/$name.png" || { kill -9 $pid; fail "$name: no screenshot"; }
  xdotool windowfocus --sync "$window" 2>/dev/null
  press_escape
  wait_for_exit $pid 20 || { kill -9 $pid; fail "$name: did not end on Escape"; }
  wait $pid || status=$?
  [ $status -eq 0 ] || { cat "$scratch/$name.out"; fail "$name: exit status $status"; }
  [ -z "$(ls -A "$temp")" ] || fail "$name: left in the temporary folder: $(ls -A "$temp")"
  echo "ok $name: a ${width}x$height window at 0,0 held frame $frame, exit 0 on Escape, temporary folder clean"
}

if [ "${2:-}" = --inside ]; then
  shots=$3
  shift 3
  held_run "$@"
  exit $?
fi

# still SIZE: orbek42-capture's frame at that size, as still-SIZE.png.
still() {
  mkdir -p "$scratch/still-$1"
  (cd "$bin" && ./orbek42-capture --size "$1" --png "$scratch/still-$1" --frames $frame \
    >/dev/null 2>&1) || fail "orbek42-capture --size $1"
  mv "$scratch/still-$1/frame-$(printf %05d $frame).png" "$scratch/still-$1.png"
}

# The screen is 24 bits deep so that the comparison measures the drawing, not the screen's colours.
on_virtual_screen -s 1600x1200x24 "$0" "$bin" --inside "$shots" windowed 1280 960 --size 1280x960 \
  --windowed || exit 1
still 1280x960
value=$(psnr "$shots/windowed.png" "$scratch/still-1280x960.png")
at_least "$value" $least_psnr || fail "windowed: ${value:-no} dB from orbek42-capture's frame $frame"
echo "ok windowed: $value dB from orbek42-capture --size 1280x960's frame $frame"

on_virtual_screen -s 1920x1080x24 "$0" "$bin" --inside "$shots" fullscreen 1920 1080 --fullscreen || exit 1
# The bars: every pixel of the 240 columns each side black; the picture between them the capture
# tool's at its size.
for side in 0 1680; do
  ffmpeg -loglevel error -i "$shots/fullscreen.png" -vf "crop=240:1080:$side:0" -f rawvideo \
    -pix_fmt gray - | od -An -tu1 -v | tr -s ' ' '\n' | grep -qv '^0*$' &&
    fail "fullscreen: the bar at column $side is not black"
done
ffmpeg -loglevel error -i "$shots/fullscreen.png" -vf "crop=1440:1080:240:0" -y \
  "$scratch/picture.png" || fail "fullscreen: the picture cannot be cut out"
still 1440x1080
value=$(psnr "$scratch/picture.png" "$scratch/still-1440x1080.png")
at_least "$value" $least_psnr || fail "fullscreen: ${value:-no} dB from orbek42-capture's frame $frame"
echo "ok fullscreen: black bars of 240 columns, the picture $value dB from orbek42-capture --size 1440x1080's frame $frame"
