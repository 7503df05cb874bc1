#!/usr/bin/env bash
# Builds the demo and makes its release packages in dist/, VERSION from scripts/version.sh:
#   orbek42-VERSION-linux-x86_64.tar.gz   a folder to unpack anywhere and start with run.sh
#   orbek42_VERSION_amd64.deb             /usr/lib/orbek42, orbek42 in /usr/games and the menu
#   orbek42-VERSION-win64.zip             the Windows folder, cross-built with mingw-w64
#   orbek42-VERSION-web.zip               the web page with its precompressed files, for any host
#   orbek42-VERSION.html                  one file that plays the show when opened from disk
#   SHA256SUMS                            the checksums of the packages above
# It builds in the trees of the presets default (build/), mingw (build-win/) and web (build-web/),
# only what the packages hold; CPack packs the first two (cmake/Release.cmake). The same commit
# gives the same bytes (scripts/reproducible.sh): dates are the commit's, archives sorted, owners
# and modes fixed. --no-windows leaves the Windows zip out; JOBS sets the build's parallelism.
# Prints the packages' paths, one a line, on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/reproducible.sh

windows=yes
case ${1:-} in
  --no-windows) windows=no ;;
  "") ;;
  *) echo "usage: scripts/release.sh [--no-windows]" >&2; exit 2 ;;
esac
jobs=${JOBS:-$(nproc)}
version=$(scripts/version.sh)
made=()

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
  # CPack dates a Debian package by SOURCE_DATE_EPOCH and sorts it; its other archives are
  # packed again by the same rules.
  [ "$2" = DEB ] || repack "$1/cpack/$3" || exit 1
  mv -f "$1/cpack/$3" dist/
  made+=("$3")
  echo "dist/$3"
}

build_linux() {
  scripts/install-deps.sh build release >&2
  echo "== building orbek42 $version for Linux" >&2
  cmake --preset default >/dev/null
  cmake --build --preset default -j"$jobs" \
    --target orbek42 orbek42-capture mp3 data_dat release_icon >&2
}

# After build_linux: the Windows program's icon comes from the Linux build.
build_windows() {
  scripts/install-deps.sh windows >&2
  echo "== building orbek42 $version for Windows" >&2
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw -j"$jobs" --target orbek42 mp3 >&2
}

# The browser build's site, zipped, and its single file.
web_release() {
  local site
  echo "== building orbek42 $version for the browser" >&2
  JOBS=$jobs scripts/build-web.sh web_offline >&2
  site=$(mktemp -d)
  mkdir "$site/orbek42-$version-web"
  # The site's own files: the tree may also hold the browser build's unit tests.
  cp build-web/bin/index.html* build-web/bin/orbek42.* build-web/bin/preview.png* \
    "$site/orbek42-$version-web/"
  pack_zip "$site" "orbek42-$version-web" "dist/orbek42-$version-web.zip" || exit 1
  rm -rf "$site"
  cp build-web/orbek42.html "dist/orbek42-$version.html"
  touch -d "@$SOURCE_DATE_EPOCH" "dist/orbek42-$version.html"
  made+=("orbek42-$version-web.zip" "orbek42-$version.html")
  echo "dist/orbek42-$version-web.zip"
  echo "dist/orbek42-$version.html"
}

# checksums: dist/SHA256SUMS for the packages this run made.
checksums() {
  (cd dist && sha256sum "${made[@]}") >dist/SHA256SUMS.part && mv -f dist/SHA256SUMS.part dist/SHA256SUMS
}

reproducible_environment
# dist/ holds the packages of the last run only.
mkdir -p dist
rm -f dist/orbek42[-_]*.tar.gz dist/orbek42[-_]*.deb dist/orbek42[-_]*.zip dist/orbek42-*.html \
  dist/SHA256SUMS

build_linux
pack build TGZ "orbek42-$version-linux-$(uname -m).tar.gz"
pack build DEB "orbek42_${version}_$(dpkg --print-architecture).deb"
if [ $windows = yes ]; then
  build_windows
  pack build-win ZIP "orbek42-$version-win64.zip"
fi
web_release
checksums
