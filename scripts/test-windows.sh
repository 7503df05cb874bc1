#!/usr/bin/env bash
# Smoke test of the Windows build under Wine on a virtual 640x480x16 X screen. orbek42.exe must
# unpack data.dat into a private folder, open its window and keep drawing frames with the countdown's
# 3D digits, end with status 0 on Escape and on a WM_CLOSE posted by wintool.exe, reach no message
# box, and leave nothing in the temporary folder; datpack.exe must unpack the archive, mp3.dll must
# play its track, and win32_tests.exe (the Win32 platform layer and the decoder) must pass. Run from
# the repository root after the Linux build made build/bin/data.dat (ORBEK_DATA names another).
# Exits 77 (skipped) without data.dat, or when Wine or the cross compiler cannot be installed.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-win
data=${ORBEK_DATA:-$root/build/bin/data.dat}
[ -f "$data" ] || { echo "no $data: Windows smoke test skipped"; exit 77; }

# Wine and the X tools, from Debian 12; without them the test cannot run here.
# Debian keeps wine64's loader off the search path, in /usr/lib/wine.
missing=()
for need in wine:wine /usr/lib/wine/wine64:wine64 xvfb-run:xvfb xdotool:xdotool xwd:x11-apps ffmpeg:ffmpeg \
            /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf:fonts-liberation; do
  what=${need%%:*}
  if [ "${what#/}" != "$what" ]; then [ -e "$what" ]; else command -v "$what" >/dev/null; fi ||
    missing+=("${need#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
           --no-install-recommends "${missing[@]}" >/dev/null; }; then
    echo "Wine cannot be installed: Windows smoke test skipped"
    exit 77
  fi
fi

scripts/build-windows.sh "$build" || exit $?

# The prefix lives in the build tree; no Mono or Gecko installer may ask anything.
export WINEPREFIX=$build/wine-prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine plays through ALSA's null device: the track is decoded and played and nobody hears it.
export ALSA_CONFIG_PATH=$build/alsa-null.conf
printf 'pcm.!default { type null }\n' >"$ALSA_CONFIG_PATH"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== making the Wine prefix"
  wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot"; exit 1; }
fi
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /t REG_SZ /d "Liberation Mono" /f \
  >/dev/null 2>&1 || { echo "FAIL: the font replacement cannot be set"; exit 1; }
temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
wineserver -w
[ -n "$temp" ] && [ -d "$temp" ] || { echo "FAIL: Wine's temporary folder not found"; exit 1; }
cp "$data" "$build/bin/data.dat"
rm -rf "$build/bin/extracted" "$build"/countdown*.png
rm -rf "$temp"/orbek42-* "$temp"/orbek-win32-test-*  # what a run that was killed left behind
before=$(ls -A "$temp")

echo "== Windows binaries under Wine"
xvfb-run -a -s "-screen 0 640x480x16" bash -c '
  cd "$1" || exit 90
  shots=$2
  temp=$3
  pid=""
  fail() {
    echo "FAIL $*"
    wine wintool.exe dialogs
    [ -n "$pid" ] && kill -9 $pid 2>/dev/null
    exit 1
  }
  # Per mille of a screenshot: pixels that are not black, and pixels of the red digits
  # (the tube has orange and yellow, but nothing with so little green).
  measure() { ffmpeg -loglevel error -i "$1" -f rawvideo -pix_fmt rgb24 - | python3 -c "
import sys
d = sys.stdin.buffer.read(); n = max(len(d) // 3, 1)
r, g, b = d[0::3], d[1::3], d[2::3]
lit = sum(1 for i in range(n) if r[i] > 16 or g[i] > 16 or b[i] > 16)
red = sum(1 for i in range(n) if r[i] > 180 and g[i] < 80 and b[i] < 80)
print(lit * 1000 // n, red * 1000 // n)"; }
  shot() { xwd -root -silent >"$shots/$1.xwd" && ffmpeg -loglevel error -y -i "$shots/$1.xwd" "$shots/$1.png" &&
           rm -f "$shots/$1.xwd"; }
  one_run() {  # $1: escape | close
    wine orbek42.exe & pid=$!
    wine wintool.exe wait ORBEK42 60 || fail "$1: no window"
    sleep 1
    kill -0 $pid 2>/dev/null || { wait $pid; fail "$1: orbek42.exe ended early with status $?"; }
    wine wintool.exe dialogs || fail "$1: a message box is open"
    unpacked=$(ls -d "$temp"/orbek42-* 2>/dev/null)
    [ "$(echo "$unpacked" | wc -l)" -eq 1 ] && [ -d "$unpacked" ] || fail "$1: not exactly one private folder in $temp"
    [ "$(ls "$unpacked")" = "$(ls extracted)" ] || fail "$1: $unpacked does not hold what data.dat does"
    if [ "$1" = escape ]; then
      # The countdown: wait for a red digit to stand whole in the tube (the camera backs past it,
      # so it fills the screen at first), then a second screenshot half a second later must be
      # drawn too and differ from the first.
      red=0
      for i in $(seq 1 60); do
        shot countdown || fail "screenshot"
        read -r lit red < <(measure "$shots/countdown.png")
        [ "$red" -ge 10 ] && [ "$red" -le 60 ] && break
        sleep 0.25
      done
      [ "$red" -ge 10 ] && [ "$red" -le 60 ] || fail "no countdown digit drawn"
      sleep 0.5 && shot countdown-later || fail "screenshot"
      read -r later _ < <(measure "$shots/countdown-later.png")
      echo "countdown: $((lit / 10))% and $((later / 10))% of the screen drawn, $red per mille red digits"
      [ "$lit" -ge 300 ] && [ "$later" -ge 300 ] || fail "the window is not drawn"
      cmp -s "$shots/countdown.png" "$shots/countdown-later.png" && fail "the picture does not move"
      xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
    else
      wine wintool.exe close ORBEK42 || fail "$1: no window to close"
    fi
    for i in $(seq 1 150); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    kill -0 $pid 2>/dev/null && fail "$1: orbek42.exe did not end"
    wait $pid; status=$?; pid=""
    [ $status -eq 0 ] || fail "$1: exit status $status"
    echo "ok $1: exit status 0"
  }
  mkdir extracted && wine datpack.exe extract data.dat extracted >/dev/null || fail "datpack.exe extract"
  [ -s extracted/musica.mp3 ] || fail "datpack.exe extracted no musica.mp3"
  echo "ok datpack.exe: $(ls extracted | wc -l) files extracted"
  wine win32_tests.exe "extracted\\musica.mp3" "extracted\\bandera.bmp" || fail "win32_tests.exe"
  wine wintool.exe play "extracted\\musica.mp3" 2 || fail "mp3.dll"
  echo "ok mp3.dll"
  one_run escape
  one_run close
  wineserver -k
' _ "$build/bin" "$build" "$temp"
status=$?
wineserver -k 2>/dev/null
after=$(ls -A "$temp")
if [ "$before" != "$after" ]; then
  echo "FAIL: left in the temporary folder: $(comm -13 <(echo "$before") <(echo "$after") | head -5)"
  exit 1
fi
[ $status -eq 0 ] || exit 1
echo "ok temporary folder clean; screenshot: $build/countdown.png"
