#!/usr/bin/env bash
# Builds the demo and its data if needed, then plays it from build/bin, where data.dat lives.
# Without a display it makes a video of the show instead: build/demo.mp4.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target orbek42 orbek42-capture mp3 data_dat

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: capturing the show to build/demo.mp4 instead (about a minute or two)."
  build/bin/orbek42-capture --archive build/bin/data.dat --video build/demo.mp4
  echo "The video is at $(pwd)/build/demo.mp4"
  exit 0
fi

cd build/bin
exec ./orbek42
