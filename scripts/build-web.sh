#!/usr/bin/env bash
# Builds the demo for the browser into build-web/bin (the `web` preset): index.html, orbek42.js,
# orbek42.wasm, orbek42.data, the icon and the link preview, each with a .gz and a .br beside it.
# data.dat, the glyph file and the pictures come from host tools in the native tree build/ (the
# `default` preset), which is configured and built first when needed. Further arguments name more
# targets to build (web_offline: build-web/orbek42.html, the single file that plays from disk);
# JOBS sets the parallelism (default: all cores). Serve the result with scripts/serve-web.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh build web

[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
cmake --build build -j"$jobs" --target data_dat glyph_file
# Apart, so that a tree configured before web_images existed has regenerated itself by now.
cmake --build build -j"$jobs" --target web_images

cmake --preset web >/dev/null
cmake --build --preset web -j"$jobs" --target web_page "$@"
echo "Built build-web/bin: $(cd build-web/bin && ls | grep -v '\.\(gz\|br\)$' | tr '\n' ' ')"
