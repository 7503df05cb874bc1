#!/usr/bin/env bash
# The release packages, made by scripts/release.sh, tried the way a viewer uses them:
#  - the Linux folder, unpacked into a fresh folder and started through its run.sh from another
#    folder on a virtual X screen, ended by Escape: exit status 0, nothing left in the temporary
#    folder and nothing written into the unpacked one;
#  - the Debian package's fields and files (dpkg-deb); then, as root and only when CI=true or
#    ORBEK_RELEASE_INSTALL=1 asks for it, installed with apt-get, started as orbek42 from the PATH
#    the same way, and removed again with dpkg -r;
#  - the web release: the site's zip unpacked and served, and the single file opened from disk, in
#    Chromium and in Firefox (tests/web/release_test.js), each holding a frame of the show;
#  - the Windows folder, unzipped, orbek42.exe under Wine as scripts/test-windows.sh runs it; left
#    out, as that test is, when Wine or the cross compiler cannot be installed.
# The release text must be plain ASCII of at most 80 columns naming every package depended on.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
source tests/support/virtual_screen.sh

scratch=$(mktemp -d)
chmod 755 "$scratch"  # apt reads the package as its own user
installed=no
cleanup() {
  [ $installed = yes ] && dpkg --purge orbek42 >/dev/null 2>&1
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL $*"
  exit 1
}

windows=yes
scripts/install-deps.sh windows >/dev/null 2>&1 || windows=no
if [ $windows = yes ]; then
  packages=$(scripts/release.sh) || exit 1
else
  echo "Wine or the cross compiler cannot be installed: the Windows package is left out"
  packages=$(scripts/release.sh --no-windows) || exit 1
fi
version=$(scripts/version.sh)
tarball=$root/$(grep '\.tar\.gz$' <<<"$packages")
deb=$root/$(grep '\.deb$' <<<"$packages")
zip=$(grep -- '-win64\.zip$' <<<"$packages") && zip=$root/$zip
web_zip=$root/$(grep -- '-web\.zip$' <<<"$packages")
web_html=$root/$(grep '\.html$' <<<"$packages")

# check_text FILE: the release text, ASCII and 80 columns (a Windows copy ends its lines in CR LF).
check_text() {
  local text
  text=$(tr -d '\r' <"$1")
  LC_ALL=C grep -q '[^ -~]' <<<"$text" && fail "$1: not plain printable ASCII"
  awk 'length > 80 { exit 1 }' <<<"$text" || fail "$1: lines wider than 80 columns"
  grep -qF "version $version" <<<"$text" || fail "$1: no 'version $version'"
}

# listing ARCHIVE TOP: the files in ARCHIVE under its one folder TOP, sorted; fails on others.
listing() {
  local names
  names=$(cmake -E tar tf "$1") || fail "$1 cannot be read"
  grep -qv "^$2/" <<<"$names" && fail "$1 holds files outside $2/"
  sed -n "s|^$2/\(..*\)|\1|p" <<<"$names" | sort
}

# state FOLDER: what lies in FOLDER, to see that a run wrote nothing there.
state() {
  find "$1" -printf '%P %s %m\n' | sort
}

# run_demo WHAT FOLDER COMMAND: one run of COMMAND, started in FOLDER, ended by Escape; WHAT is
# one word (it names the run's temporary folder).
run_demo() {
  local temp=$scratch/tmp-$1 status=0 left
  mkdir -p "$temp"
  TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy \
    on_virtual_screen tests/e2e/run_and_end.sh "$2" escape "$3" || status=$?
  left=$(find "$temp" -mindepth 1 | head -5)
  [ $status -eq 0 ] || fail "$1: status $status"
  [ -z "$left" ] || fail "$1: left in the temporary folder: $left"
  echo "ok $1: exit 0 on Escape, temporary folder clean"
}

echo "== the Linux folder: $tarball"
top=orbek42-$version-linux-$(uname -m)
[ "$(listing "$tarball" "$top")" = "$(printf '%s\n' data.dat libmp3.so orbek42 orbek42.nfo run.sh)" ] ||
  fail "$tarball holds $(listing "$tarball" "$top" | tr '\n' ' ')"
mkdir "$scratch/unpacked" "$scratch/elsewhere"
tar xzf "$tarball" -C "$scratch/unpacked" || fail "$tarball cannot be unpacked"
folder=$scratch/unpacked/$top
check_text "$folder/orbek42.nfo"
for binary in orbek42 libmp3.so; do
  ldd "$folder/$binary" | grep 'not found' && fail "$binary: a library is missing"
  readelf -S "$folder/$binary" | grep -q '\.debug_info' && fail "$binary: not stripped"
done
before=$(state "$folder")
run_demo unpacked "$scratch/elsewhere" "$folder/run.sh"
[ "$(state "$folder")" = "$before" ] || fail "the run wrote into the unpacked folder"

echo "== the Debian package: $deb"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = orbek42 ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
echo "Depends: $depends"
# Each dependency's (first) package name, one a line.
names=$(tr ',' '\n' <<<"$depends" | sed 's/|.*//' | awk 'NF { print $1 }' | sort -u)
for needed in libsdl2-2.0-0 libmpg123-0 libgl1 libglu1-mesa; do
  grep -qx "$needed" <<<"$names" || fail "Depends names no $needed"
done
dpkg-deb -x "$deb" "$scratch/deb" || fail "$deb cannot be unpacked"
nfo=$scratch/deb/usr/share/doc/orbek42/orbek42.nfo
check_text "$nfo"
words=$(tr -s ' ,()\r' '\n' <"$nfo")
for name in $names; do
  grep -qFx -- "$name" <<<"$words" || fail "the release text does not name $name"
done
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
expected="./usr/bin/orbek42
./usr/lib/orbek42/data.dat
./usr/lib/orbek42/libmp3.so
./usr/lib/orbek42/orbek42
./usr/lib/orbek42/run.sh
./usr/share/applications/orbek42.desktop
./usr/share/doc/orbek42/orbek42.nfo
./usr/share/icons/hicolor/128x128/apps/orbek42.png"
[ "$files" = "$expected" ] || fail "$deb holds: $(tr '\n' ' ' <<<"$files")"
[ "$(readlink "$scratch/deb/usr/bin/orbek42")" = ../lib/orbek42/run.sh ] ||
  fail "/usr/bin/orbek42 does not lead to /usr/lib/orbek42/run.sh"
cmp -s "$scratch/deb/usr/lib/orbek42/data.dat" "$folder/data.dat" || fail "the packages' data.dat differ"
desktop-file-validate "$scratch/deb/usr/share/applications/orbek42.desktop" || fail "the desktop entry"
# A PNG's header gives its size: width and height, big-endian, from byte 16.
size=$(od -An -tu1 -j16 -N8 "$scratch/deb/usr/share/icons/hicolor/128x128/apps/orbek42.png" |
  awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
[ "$size" = 128x128 ] || fail "the icon is $size, not 128x128"
echo "ok fields, files, desktop entry and icon"

if [ "$(id -u)" -eq 0 ] && { [ "${CI:-}" = true ] || [ "${ORBEK_RELEASE_INSTALL:-}" = 1 ]; }; then
  installed=yes
  DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall -o DPkg::Lock::Timeout=300 \
    "$deb" >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt-get install"; }
  [ "$(command -v orbek42)" = /usr/bin/orbek42 ] || fail "no orbek42 on the PATH"
  run_demo installed "$scratch/elsewhere" orbek42
  dpkg -r orbek42 >/dev/null || fail "dpkg -r orbek42"
  installed=no
  [ ! -e /usr/lib/orbek42 ] && [ ! -L /usr/bin/orbek42 ] || fail "dpkg -r left files behind"
  dpkg --purge orbek42 >/dev/null  # nor any trace in dpkg's records
  echo "ok installed with apt-get, run, removed with dpkg -r"
else
  echo "(installing it left out: that needs root and CI=true, or ORBEK_RELEASE_INSTALL=1)"
fi

# check_web: the site's zip holds every file with its .gz and .br under one folder; unpacked, it is
# served and played, and the single file plays from disk, each against a still of the show.
check_web() {
  local top=orbek42-$version-web name expected=() stills=$scratch/web-stills
  for name in index.html orbek42.data orbek42.js orbek42.png orbek42.wasm preview.png; do
    expected+=("$name" "$name.br" "$name.gz")
  done
  [ "$(listing "$web_zip" "$top")" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
    fail "$web_zip holds $(listing "$web_zip" "$top" | tr '\n' ' ')"
  (cd tests/web && [ -d node_modules ] || npm ci --no-audit --no-fund --silent) || fail "npm ci in tests/web"
  mkdir "$scratch/web" "$stills"
  (cd "$scratch/web" && cmake -E tar xf "$web_zip") || fail "$web_zip cannot be unpacked"
  cmake --build build --target orbek42-capture >/dev/null || fail "the capture tool"
  build/bin/orbek42-capture --png "$stills" --frames "$(node tests/web/release_test.js --frames)" >/dev/null ||
    fail "the native still"
  xvfb-run -a -s "-screen 0 1280x1024x24" tests/web/null_sound.sh \
    node tests/web/release_test.js "$scratch/web/$top" "$web_html" "$stills" "$root/build-web/screenshots" ||
    fail "the web release"
  echo "ok the web release: the site served and the single file from disk, in Chromium and Firefox"
}
echo "== the web release: $web_zip, $web_html"
check_web

[ -n "$zip" ] || exit 0
echo "== the Windows folder: $zip"
top=orbek42-$version-win64
[ "$(listing "$zip" "$top")" = "$(printf '%s\n' data.dat mp3.dll orbek42.exe orbek42.nfo)" ] ||
  fail "$zip holds $(listing "$zip" "$top" | tr '\n' ' ')"
mkdir "$scratch/unzipped"
(cd "$scratch/unzipped" && cmake -E tar xf "$zip") || fail "$zip cannot be unpacked"
folder=$scratch/unzipped/$top
check_text "$folder/orbek42.nfo"
source scripts/windows/wine_prefix.sh
prepare_wine "$root/build-win" || exit 1
# Every DLL the two binaries import must be one Windows has: no compiler runtime beside them.
for dll in $(x86_64-w64-mingw32-objdump -p "$folder/orbek42.exe" "$folder/mp3.dll" |
  awk '/DLL Name:/ { print $3 }' | sort -uf); do
  [[ $dll != lib* ]] && ls "$WINEPREFIX/drive_c/windows/system32" | grep -qix "$dll" ||
    fail "$dll, which the Windows build imports, is not part of Windows"
done
cmake --build --preset mingw --target wintool datpack >/dev/null || fail "the Windows helpers"
rm -rf "$temp"/orbek42-*  # left by a killed run
before=$(state "$folder")
temp_before=$(ls -A "$temp")
on_virtual_screen scripts/windows/smoke_under_wine.sh "$folder" "$scratch" "$temp" "$root/build-win/bin"
status=$?
wineserver -k 2>/dev/null
[ $status -eq 0 ] || exit 1
[ "$(ls -A "$temp")" = "$temp_before" ] || fail "left in Wine's temporary folder"
[ "$(state "$folder")" = "$before" ] || fail "the run wrote into the unzipped folder"
echo "ok unzipped and run under Wine, temporary folder clean"
