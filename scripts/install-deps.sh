#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the demo and the tests need, if any is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang libclang-rt-14-dev
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation libpng-dev
  libmpg123-dev libmp3lame-dev
  googletest libgtest-dev libbenchmark-dev lib3ds-dev
  xvfb xauth xdotool ffmpeg sox
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
