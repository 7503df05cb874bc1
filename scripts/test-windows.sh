#!/usr/bin/env bash
# Smoke test of the Windows build under Wine on a virtual 640x480x16 X screen. The platform suite,
# the shared bitmap cases and the Win32 extras (platform_tests.exe, scene_tests.exe,
# win32_tests.exe) must pass; datpack.exe must unpack data.dat and mp3.dll must play its track;
# orbek42.exe must unpack data.dat into a private folder, open its window and keep drawing frames
# with the countdown's 3D digits, end with status 0 on Escape and on a WM_CLOSE posted by
# wintool.exe, reach no message box, and leave nothing in the temporary folder. Run from anywhere
# after the Linux build made build/bin/data.dat (ORBEK_DATA names another); JOBS sets the build's
# parallelism. Exits 77 (skipped) without data.dat, or when Wine or the cross compiler cannot be
# installed.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-win
data=${ORBEK_DATA:-$root/build/bin/data.dat}
[ -f "$data" ] || { echo "no $data: Windows smoke test skipped"; exit 77; }
scripts/install-deps.sh windows || { echo "Wine or the cross compiler cannot be installed: skipped"; exit 77; }
source tests/support/virtual_screen.sh

cmake --preset mingw >/dev/null || exit 1
cmake --build --preset mingw -j"${JOBS:-$(nproc)}" || exit 1

source scripts/windows/wine_prefix.sh
prepare_wine "$build" || exit 1
cp "$data" "$build/bin/data.dat"
rm -rf "$build/bin/extracted" "$build"/countdown*.png
rm -rf "$temp"/orbek42-* "$temp"/orbek-test-* "$temp"/orbek-sweep-test-* "$temp"/orbek-map-test.bin "$temp"/orbek-win32-test-*  # left by a killed run
before=$(ls -A "$temp")

echo "== Windows binaries under Wine"
on_virtual_screen scripts/windows/smoke_under_wine.sh "$build/bin" "$build" "$temp"
status=$?
wineserver -k 2>/dev/null
after=$(ls -A "$temp")
if [ "$before" != "$after" ]; then
  echo "FAIL: left in the temporary folder: $(comm -13 <(echo "$before") <(echo "$after") | head -5)"
  exit 1
fi
[ $status -eq 0 ] || exit 1
echo "ok temporary folder clean; screenshot: $build/countdown.png"
