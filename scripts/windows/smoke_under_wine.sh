#!/usr/bin/env bash
# The Windows binaries under Wine on the current X display, called by scripts/test-windows.sh:
#   smoke_under_wine.sh BIN_DIR SHOTS_DIR TEMP_DIR [TOOLS_DIR]
# BIN_DIR holds the build and data.dat, SHOTS_DIR gets the countdown screenshots, TEMP_DIR is Wine's
# temporary folder as a Unix path. Prints one line per check; exits 1 at the first failure.
# With TOOLS_DIR (the build's bin folder; scripts/test-release.sh), BIN_DIR is an unzipped release
# holding only the demo: its helpers come from TOOLS_DIR and only the run ended by Escape is made.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/support/virtual_screen.sh"
cd "$1" || exit 90
shots=$2
temp=$3
tools=${4:-.}
pid=""

fail() {
  echo "FAIL $*"
  wine "$tools/wintool.exe" dialogs
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  exit 1
}

# Per mille of the screen drawn, and of it red digits.
measure() {
  ffmpeg -loglevel error -i "$1" -f rawvideo -pix_fmt rgb24 - | "$here/screen_coverage.py"
}

shot() {
  xwd -root -silent >"$shots/$1.xwd" && ffmpeg -loglevel error -y -i "$shots/$1.xwd" "$shots/$1.png" &&
    rm -f "$shots/$1.xwd"
}

# The countdown: wait for a red digit to stand whole in the tube (the camera backs past it, so it
# fills the screen at first; far down the tube a digit covers less than a hundredth of it), then a second screenshot half a second later must be drawn too and
# differ from the first.
check_countdown() {
  local lit=0 red=0 later i seen=""
  for i in $(seq 1 60); do
    shot countdown || fail "screenshot"
    read -r lit red < <(measure "$shots/countdown.png")
    [ "$red" -ge 3 ] && [ "$red" -le 60 ] && break
    seen="$seen $lit/$red"
    sleep 0.25
  done
  [ "$red" -ge 3 ] && [ "$red" -le 60 ] || fail "no countdown digit drawn (per mille drawn/red seen:$seen)"
  sleep 0.5 && shot countdown-later || fail "screenshot"
  read -r later _ < <(measure "$shots/countdown-later.png")
  echo "countdown: $((lit / 10))% and $((later / 10))% of the screen drawn, $red per mille red digits"
  [ "$lit" -ge 300 ] && [ "$later" -ge 300 ] || fail "the window is not drawn"
  cmp -s "$shots/countdown.png" "$shots/countdown-later.png" && fail "the picture does not move"
}

one_run() {  # $1: escape | close
  wine orbek42.exe & pid=$!
  wine "$tools/wintool.exe" wait ORBEK42 60 || fail "$1: no window"
  sleep 1
  kill -0 "$pid" 2>/dev/null || { wait "$pid"; fail "$1: orbek42.exe ended early with status $?"; }
  wine "$tools/wintool.exe" dialogs || fail "$1: a message box is open"
  local unpacked
  unpacked=$(ls -d "$temp"/orbek42-* 2>/dev/null)
  [ "$(echo "$unpacked" | wc -l)" -eq 1 ] && [ -d "$unpacked" ] || fail "$1: not exactly one private folder in $temp"
  # Beside the entries, the run's lock file that marks the folder as in use.
  [ "$(ls "$unpacked" | grep -vx 'orbek42..lock')" = "$(ls "$extracted")" ] && [ -f "$unpacked/orbek42..lock" ] ||
    fail "$1: $unpacked does not hold what data.dat does and the run's lock file"
  if [ "$1" = escape ]; then
    check_countdown
    press_escape
  else
    wine "$tools/wintool.exe" close ORBEK42 || fail "$1: no window to close"
  fi
  wait_for_exit "$pid" 15 || fail "$1: orbek42.exe did not end"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ $status -eq 0 ] || fail "$1: exit status $status"
  echo "ok $1: exit status 0"
}

# What the demo's private folder must hold: data.dat unpacked by datpack.exe, beside the build or,
# for a release, beside the screenshots.
if [ "$tools" = . ]; then extracted=extracted; else extracted=$shots/extracted; fi
rm -rf "$extracted" && mkdir "$extracted" || fail "no folder $extracted"
into=$extracted
[ "$tools" = . ] || into=$(winepath -w "$extracted")
wine "$tools/datpack.exe" extract data.dat "$into" >/dev/null || fail "datpack.exe extract"
[ -s "$extracted/musica.mp3" ] || fail "datpack.exe extracted no musica.mp3"
echo "ok datpack.exe: $(ls "$extracted" | wc -l) files extracted"
if [ "$tools" != . ]; then
  one_run escape
  wineserver -k
  exit 0
fi
wine platform_tests.exe || fail "platform_tests.exe"
wine scene_tests.exe || fail "scene_tests.exe"
ORBEK_TEST_FILES=extracted wine win32_tests.exe || fail "win32_tests.exe"
wine wintool.exe play "extracted\\musica.mp3" 2 || fail "mp3.dll"
echo "ok mp3.dll"
one_run escape
one_run close
wineserver -k
