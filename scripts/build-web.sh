#!/usr/bin/env bash
# Builds the demo for the browser into BUILD_DIR/bin (default build-web): index.html, orbek42.js,
# orbek42.wasm and orbek42.data. data.dat and the glyph file come from host tools in the native
# tree NATIVE_DIR (default build), which is configured and built first when needed. JOBS sets the
# build's parallelism (default: all cores). Serve the result with scripts/serve-web.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-web}
native=${NATIVE_DIR:-build}
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh web
# Emscripten's own tools need JavaScript packages that Debian keeps outside node's default path.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

if [ ! -f "$native/CMakeCache.txt" ]; then
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$native" -j"$jobs" --target data_dat glyph_file

# emcmake would pass node a flag that newer versions refuse, so the toolchain is named directly.
cmake --no-warn-unused-cli -S . -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" -DCMAKE_BUILD_TYPE=Release \
  -DORBEK_PARTS="platform;archive;scene;model3ds;effects;music;director;app" \
  -DORBEK_ASSETS=OFF -DORBEK_BENCHMARKS=OFF -DORBEK_NATIVE_BUILD="$(realpath "$native")" >/dev/null
cmake --build "$build" -j"$jobs" --target orbek42 "${@:2}"
echo "Built $build/bin: $(cd "$build/bin" && echo index.html orbek42.*)"
