#!/usr/bin/env bash
# Installs the Debian 12 packages of the named groups that are missing (as root or through sudo):
#   scripts/install-deps.sh [GROUP...]     GROUP: build (the default), fuzz, windows, web, release
# build: the native build, the demo and its tests; fuzz: clang and its fuzzing runtime;
# windows: the mingw-w64 cross compiler and Wine with an X screen for the smoke test;
# web: the emscripten build and the browser that runs it; release: what packing the releases
# and checking the packages take beyond the builds (zip, whose -X keeps no owners in the archive;
# lintian, AppStream's validator, the manual page tools). Exits 1 when a package cannot be had.
set -euo pipefail

group_build=(
  build-essential cmake pkg-config git
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation libpng-dev
  libmpg123-dev libmp3lame-dev
  googletest libgtest-dev libbenchmark-dev lib3ds-dev
  xvfb xauth xdotool ffmpeg sox desktop-file-utils imagemagick
)
group_fuzz=(clang libclang-rt-14-dev)
group_windows=(
  cmake g++-mingw-w64-x86-64-posix googletest wine wine64
  xvfb xauth xdotool x11-apps ffmpeg fonts-liberation
)
group_web=(cmake emscripten chromium nodejs python3 firefox-esr pulseaudio xvfb xauth)
group_release=(zip lintian appstream desktop-file-utils man-db groff-base)
# A Node.js build that brings its own npm conflicts with Debian's npm package.
command -v npm >/dev/null || group_web+=(npm)

[ $# -gt 0 ] || set -- build
wanted=()
for group in "$@"; do
  case $group in
    build) wanted+=("${group_build[@]}") ;;
    fuzz) wanted+=("${group_fuzz[@]}") ;;
    windows) wanted+=("${group_windows[@]}") ;;
    web) wanted+=("${group_web[@]}") ;;
    release) wanted+=("${group_release[@]}") ;;
    *) echo "install-deps.sh: no package group '$group' (build, fuzz, windows, web, release)" >&2; exit 2 ;;
  esac
done

# One query for the lot; a package dpkg does not know is missing too.
installed=" $({ dpkg-query -W -f='${Package} ${Status}\n' "${wanted[@]}" 2>/dev/null || true; } |
              awk '/install ok installed$/ { printf "%s ", $1 }')"
missing=()
for package in "${wanted[@]}"; do
  if [[ $installed != *" $package "* && " ${missing[*]} " != *" $package "* ]]; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
