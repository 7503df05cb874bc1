#!/usr/bin/env bash
# The release packages, made by scripts/release.sh, tried the way a viewer and a distribution use
# them:
#  - made twice from the same commit, the second time from build trees whose files all got new
#    dates: the same bytes (dist/SHA256SUMS), and no path of this tree in any file they hold;
#  - the Linux folder, unpacked into a fresh folder and started through its run.sh from another
#    folder on a virtual X screen, ended by Escape: exit status 0, nothing left in the temporary
#    folder and nothing written into the unpacked one;
#  - the Debian package: lintian without an error or a warning, its fields and files (dpkg-deb),
#    the changelog, the AppStream record (appstreamcli), the desktop entry, a manual page that
#    renders for every command, the capture tool run from the unpacked tree; then, as root and only
#    when CI=true or ORBEK_RELEASE_INSTALL=1 asks for it, installed with apt-get, started from
#    /usr/games the same way, and removed again with dpkg -r;
#  - the web release: the site's zip unpacked and served, and the single file opened from disk, in
#    Chromium and in Firefox (tests/web/release_test.js), each holding a frame of the show;
#  - the Windows folder, unzipped: the program's version record and icon, and orbek42.exe under
#    Wine as scripts/test-windows.sh runs it; left out, as that test is, when Wine or the cross
#    compiler cannot be installed.
# The release text must be plain ASCII of at most 80 columns naming every package the folder's
# programs depend on.
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

scripts/install-deps.sh release >/dev/null || fail "the release tools cannot be installed"
windows=yes
scripts/install-deps.sh windows >/dev/null 2>&1 || windows=no
release_options=()
if [ $windows = no ]; then
  echo "Wine or the cross compiler cannot be installed: the Windows package is left out"
  release_options=(--no-windows)
fi
packages=$(scripts/release.sh "${release_options[@]}") || exit 1
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
  sed -n "s|^$2/\([^/][^/]*\)$|\1|p" <<<"$names" | sort
}

# state FOLDER: what lies in FOLDER, to see that a run wrote nothing there.
state() {
  find "$1" -printf '%P %s %m\n' | sort
}

# no_build_paths FOLDER: no file under FOLDER names this tree's path.
no_build_paths() {
  local found
  found=$(grep -rlF -- "$root" "$1")
  [ -z "$found" ] || fail "the path $root is written in: $found"
}

# run_demo WHAT FOLDER COMMAND...: one run of COMMAND, started in FOLDER, ended by Escape; WHAT is
# one word (it names the run's temporary folder).
run_demo() {
  local what=$1 folder=$2 temp=$scratch/tmp-$1 status=0 left
  shift 2
  mkdir -p "$temp"
  TMPDIR="$temp" ORBEK42_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy \
    on_virtual_screen tests/e2e/run_and_end.sh "$folder" escape "$@" || status=$?
  left=$(find "$temp" -mindepth 1 | head -5)
  [ $status -eq 0 ] || fail "$what: status $status"
  [ -z "$left" ] || fail "$what: left in the temporary folder: $left"
  echo "ok $what: exit 0 on Escape, temporary folder clean"
}

# The second run packs from the same build trees after every file in them got a new date: the
# build is then up to date but for the Windows program's resources, which follow the icon.
check_reproducible() {
  local first second
  first=$(cat dist/SHA256SUMS) || fail "no dist/SHA256SUMS"
  (cd dist && sha256sum --quiet -c SHA256SUMS) || fail "dist/SHA256SUMS does not match the packages"
  [ "$(awk '{ print $2 }' dist/SHA256SUMS | sort)" = "$(sed 's|^dist/||' <<<"$packages" | sort)" ] ||
    fail "dist/SHA256SUMS does not list the packages made"
  # One whole second for all, so that none is newer than another.
  local now trees=(build/bin build/release)
  now=$(date +%s)
  [ -d build-win/bin ] && trees+=(build-win/bin)
  find "${trees[@]}" -exec touch -h -d "@$now" {} +
  scripts/release.sh "${release_options[@]}" >/dev/null || exit 1
  second=$(cat dist/SHA256SUMS)
  if [ "$first" != "$second" ]; then
    diff <(echo "$first") <(echo "$second")
    fail "two releases of the same commit differ"
  fi
  echo "ok two releases of the same commit are the same bytes:"
  sed 's/^/   /' dist/SHA256SUMS
}

check_linux_folder() {
  echo "== the Linux folder: $tarball"
  local top=orbek42-$version-linux-$(uname -m) binary before
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
  no_build_paths "$folder"
  # The release text names every package the folder's programs are linked against, and the GL
  # library SDL opens.
  local words names name
  mkdir -p "$scratch/shlibdeps/debian" && touch "$scratch/shlibdeps/debian/control"
  names=$(cd "$scratch/shlibdeps" && dpkg-shlibdeps -O -e"$folder/orbek42" -e"$folder/libmp3.so" 2>/dev/null |
    sed 's/^shlibs:Depends=//' | tr ',' '\n' | sed 's/|.*//' | awk 'NF { print $1 }')
  [ -n "$names" ] || fail "dpkg-shlibdeps found no dependencies"
  words=$(tr -s ' ,()\r' '\n' <"$folder/orbek42.nfo")
  for name in $names libgl1; do
    grep -qFx -- "$name" <<<"$words" || fail "the release text does not name $name"
  done
  before=$(state "$folder")
  run_demo unpacked "$scratch/elsewhere" "$folder/run.sh"
  [ "$(state "$folder")" = "$before" ] || fail "the run wrote into the unpacked folder"
}

# The tags lintian reports, one a line; fails on an error or a warning. Informational, pedantic
# and experimental tags are shown and allowed.
check_lintian() {
  local output tags
  output=$(lintian --pedantic --display-experimental --tag-display-limit 0 "$deb" 2>&1)
  [ $? -le 1 ] || { echo "$output"; fail "lintian could not check $deb"; }
  tags=$(grep -E '^[EWIPXCO]: ' <<<"$output")
  echo "lintian: ${tags:-no tags}" | sed '2,$s/^/         /'
  grep -q '^[EW]: ' <<<"$tags" && fail "lintian reports errors or warnings"
  echo "ok lintian: no error, no warning"
}

# Every command in /usr/games has a manual page that man renders without a warning.
check_manual_pages() {
  local command page problems
  for command in "$scratch"/deb/usr/games/*; do
    page=$scratch/deb/usr/share/man/man6/$(basename "$command").6.gz
    [ -f "$page" ] || fail "no manual page for $(basename "$command")"
    problems=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$problems" ] || fail "$page: $problems"
  done
  echo "ok a manual page renders for each of: $(ls "$scratch/deb/usr/games" | tr '\n' ' ')"
}

check_debian_package() {
  echo "== the Debian package: $deb"
  check_lintian
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = orbek42 ] || fail "Package: $(field Package)"
  [ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
  [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
  [ "$(field Section)" = games ] || fail "Section: $(field Section)"
  grep -qw ffmpeg <<<"$(field Recommends)" || fail "Recommends names no ffmpeg: $(field Recommends)"
  local depends names needed
  depends=$(field Depends)
  echo "Depends: $depends"
  # Each dependency's (first) package name, one a line.
  names=$(tr ',' '\n' <<<"$depends" | sed 's/|.*//' | awk 'NF { print $1 }' | sort -u)
  for needed in libsdl2-2.0-0 libmpg123-0 libgl1 libglu1-mesa libegl1 libpng16-16; do
    grep -qx "$needed" <<<"$names" || fail "Depends names no $needed"
  done
  dpkg-deb -x "$deb" "$scratch/deb" || fail "$deb cannot be unpacked"
  local doc=$scratch/deb/usr/share/doc/orbek42
  check_text "$doc/orbek42.nfo"
  local files expected
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
  expected="./usr/games/orbek42
./usr/games/orbek42-capture
./usr/lib/orbek42/data.dat
./usr/lib/orbek42/libmp3.so
./usr/lib/orbek42/orbek42
./usr/lib/orbek42/orbek42-capture
./usr/lib/orbek42/run.sh
./usr/share/applications/orbek42.desktop
./usr/share/doc/orbek42/changelog.gz
./usr/share/doc/orbek42/copyright
./usr/share/doc/orbek42/orbek42.nfo
./usr/share/icons/hicolor/128x128/apps/orbek42.png
./usr/share/man/man6/orbek42-capture.6.gz
./usr/share/man/man6/orbek42.6.gz
./usr/share/metainfo/example.orbek42.orbek42.metainfo.xml"
  [ "$files" = "$expected" ] || fail "$deb holds: $(tr '\n' ' ' <<<"$files")"
  [ "$(readlink "$scratch/deb/usr/games/orbek42")" = ../lib/orbek42/run.sh ] ||
    fail "/usr/games/orbek42 does not lead to /usr/lib/orbek42/run.sh"
  cmp -s "$scratch/deb/usr/lib/orbek42/data.dat" "$folder/data.dat" || fail "the packages' data.dat differ"
  no_build_paths "$scratch/deb"
  # The changelog: this version, dated by the commit.
  zcat "$doc/changelog.gz" >"$scratch/changelog" || fail "changelog.gz cannot be read"
  [ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)" = "$version" ] ||
    fail "the changelog is not for $version"
  [ "$(date -u -d "$(dpkg-parsechangelog -l "$scratch/changelog" -S Date)" +%s)" = \
    "$(git log -1 --format=%ct)" ] || fail "the changelog's date is not the commit's"
  head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "the copyright file is not in the machine-readable format"
  local metainfo=$scratch/deb/usr/share/metainfo/example.orbek42.orbek42.metainfo.xml output
  output=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || { echo "$output"; fail "appstreamcli validate"; }
  echo "appstreamcli: $output" | sed '2,$s/^/              /'
  grep -qF "<release version=\"$version\"" "$metainfo" || fail "the AppStream record is not for $version"
  local entry=$scratch/deb/usr/share/applications/orbek42.desktop
  desktop-file-validate "$entry" || fail "the desktop entry"
  grep -qx 'Exec=orbek42 --fullscreen' "$entry" || fail "the desktop entry does not start orbek42 --fullscreen"
  check_manual_pages
  # A PNG's header gives its size: width and height, big-endian, from byte 16.
  local size
  size=$(od -An -tu1 -j16 -N8 "$scratch/deb/usr/share/icons/hicolor/128x128/apps/orbek42.png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$size" = 128x128 ] || fail "the icon is $size, not 128x128"
  echo "ok fields, files, changelog, copyright, AppStream record, desktop entry, icon"
  # The capture tool through its link, from another folder: it finds data.dat and the decoder
  # library beside itself, and writes where it was started.
  mkdir -p "$scratch/capture" "$scratch/tmp-capture"
  (cd "$scratch/capture" && TMPDIR="$scratch/tmp-capture" "$scratch/deb/usr/games/orbek42-capture" \
    --png . --frames 0 >"$scratch/capture.log" 2>&1) || { cat "$scratch/capture.log"; fail "orbek42-capture"; }
  [ -s "$scratch/capture/frame-00000.png" ] || fail "orbek42-capture wrote no still"
  [ -z "$(ls -A "$scratch/tmp-capture")" ] || fail "orbek42-capture left files in the temporary folder"
  echo "ok the unpacked orbek42-capture wrote frame 0"
}

install_debian_package() {
  if ! { [ "$(id -u)" -eq 0 ] && { [ "${CI:-}" = true ] || [ "${ORBEK_RELEASE_INSTALL:-}" = 1 ]; }; }; then
    echo "(installing it left out: that needs root and CI=true, or ORBEK_RELEASE_INSTALL=1)"
    return
  fi
  installed=yes
  DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall -o DPkg::Lock::Timeout=300 \
    "$deb" >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt-get install"; }
  [ -x /usr/games/orbek42 ] && [ -x /usr/games/orbek42-capture ] || fail "no commands in /usr/games"
  # As the desktop's menu starts it.
  run_demo installed "$scratch/elsewhere" /usr/games/orbek42 --fullscreen
  dpkg -r orbek42 >/dev/null || fail "dpkg -r orbek42"
  installed=no
  [ ! -e /usr/lib/orbek42 ] && [ ! -L /usr/games/orbek42 ] || fail "dpkg -r left files behind"
  # Nor any trace in dpkg's records (with no maintainer scripts, dpkg -r leaves none to purge).
  dpkg --purge orbek42 >/dev/null 2>&1
  dpkg-query -W orbek42 >/dev/null 2>&1 && fail "dpkg still records orbek42"
  echo "ok installed with apt-get, run, removed with dpkg -r"
}

check_windows_folder() {
  echo "== the Windows folder: $zip"
  local top=orbek42-$version-win64 dll status before temp_before description
  [ "$(listing "$zip" "$top")" = "$(printf '%s\n' data.dat mp3.dll orbek42.exe orbek42.nfo)" ] ||
    fail "$zip holds $(listing "$zip" "$top" | tr '\n' ' ')"
  mkdir "$scratch/unzipped"
  (cd "$scratch/unzipped" && cmake -E tar xf "$zip") || fail "$zip cannot be unpacked"
  folder=$scratch/unzipped/$top
  check_text "$folder/orbek42.nfo"
  no_build_paths "$folder"
  source scripts/windows/wine_prefix.sh
  prepare_wine "$root/build-win" || exit 1
  # Every DLL the two binaries import must be one Windows has: no compiler runtime beside them.
  for dll in $(x86_64-w64-mingw32-objdump -p "$folder/orbek42.exe" "$folder/mp3.dll" |
    awk '/DLL Name:/ { print $3 }' | sort -uf); do
    [[ $dll != lib* ]] && ls "$WINEPREFIX/drive_c/windows/system32" | grep -qix "$dll" ||
      fail "$dll, which the Windows build imports, is not part of Windows"
  done
  cmake --build --preset mingw --target wintool datpack >/dev/null || fail "the Windows helpers"
  # What Explorer shows in the program's properties: its version and its icon in four sizes.
  description=$(wine "$root/build-win/bin/wintool.exe" describe "$(winepath -w "$folder/orbek42.exe")" | tr -d '\r')
  # A Wine server started without a display must be gone before the program wants a screen.
  wineserver -w
  echo "$description" | sed 's/^/   /'
  grep -qx "ProductVersion: $version" <<<"$description" || fail "orbek42.exe does not carry version $version"
  grep -qx "icons: 1, images: 4" <<<"$description" || fail "orbek42.exe does not carry its icon"
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
}

# check_web: the site's zip holds every file with its .gz and .br under one folder; unpacked, it is
# served and played, and the single file plays from disk, each against a still of the show.
check_web() {
  echo "== the web release: $web_zip, $web_html"
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
  on_virtual_screen -s 1280x1024x24 tests/web/null_sound.sh \
    node tests/web/release_test.js "$scratch/web/$top" "$web_html" "$stills" "$root/build-web/screenshots" ||
    fail "the web release"
  echo "ok the web release: the site served and the single file from disk, in Chromium and Firefox"
}
echo "== two releases of one commit"
check_reproducible
check_linux_folder
check_debian_package
install_debian_package
check_web
[ -n "$zip" ] && check_windows_folder
exit 0
