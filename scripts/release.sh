#!/usr/bin/env bash
# Builds the demo and makes its release packages in dist/, VERSION from scripts/version.sh:
#   orbek42-VERSION-linux-x86_64.tar.gz   a folder to unpack anywhere and start with run.sh
#   orbek42_VERSION_amd64.deb             /usr/lib/orbek42, orbek42 on the PATH and in the menu
#   orbek42-VERSION-win64.zip             the Windows folder, cross-built with mingw-w64
#   orbek42-VERSION-web.zip               the web page with its precompressed files, for any host
#   orbek42-VERSION.html                  one file that plays the show when opened from disk
# It builds in the trees of the presets default (build/), mingw (build-win/) and web (build-web/),
# only what the packages hold, then CPack packs the first two (cmake/Release.cmake). --no-windows
# leaves the Windows zip out; JOBS sets the build's parallelism. Prints the packages' paths, one a
# line, on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=yes
case ${1:-} in
  --no-windows) windows=no ;;
  "") ;;
  *) echo "usage: scripts/release.sh [--no-windows]" >&2; exit 2 ;;
esac
jobs=${JOBS:-$(nproc)}
version=$(scripts/version.sh)
# dist/ holds the packages of the last run only.
mkdir -p dist
rm -f dist/orbek42[-_]*.tar.gz dist/orbek42[-_]*.deb dist/orbek42[-_]*.zip dist/orbek42-*.html

# pack BUILD_DIR GENERATOR FILE: CPack works in BUILD_DIR/cpack; the package FILE goes to dist/.
pack() {
  local log=$1/cpack/$2.log
  mkdir -p "$1/cpack"
  echo "== packing $3" >&2
  if ! cpack --config "$1/CPackConfig.cmake" -G "$2" -B "$1/cpack" \
    -D CPACK_PACKAGE_VERSION="$version" >"$log" 2>&1; then
    cat "$log" >&2
    echo "release.sh: CPack could not make $3" >&2
    exit 1
  fi
  mv -f "$1/cpack/$3" dist/
  echo "dist/$3"
}

# web_release: the browser build's site zipped (scripts/web/zip_site.py) and its single file, both
# the same bytes from the same build: entries sorted and dated by SOURCE_DATE_EPOCH, or else the
# commit's time.
web_release() {
  local epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
  echo "== building orbek42 $version for the browser" >&2
  JOBS=$jobs scripts/build-web.sh web_offline >&2
  python3 scripts/web/zip_site.py build-web/bin "dist/orbek42-$version-web.zip" "orbek42-$version-web" "$epoch"
  echo "dist/orbek42-$version-web.zip"
  cp build-web/orbek42.html "dist/orbek42-$version.html"
  touch -d "@$epoch" "dist/orbek42-$version.html"
  echo "dist/orbek42-$version.html"
}

scripts/install-deps.sh build >&2
echo "== building orbek42 $version for Linux" >&2
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs" --target orbek42 mp3 data_dat release_icon >&2
pack build TGZ "orbek42-$version-linux-$(uname -m).tar.gz"
pack build DEB "orbek42_${version}_$(dpkg --print-architecture).deb"

if [ $windows = yes ]; then
  scripts/install-deps.sh windows >&2
  echo "== building orbek42 $version for Windows" >&2
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw -j"$jobs" --target orbek42 mp3 >&2
  pack build-win ZIP "orbek42-$version-win64.zip"
fi

web_release
