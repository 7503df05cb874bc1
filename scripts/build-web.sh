#!/usr/bin/env bash
# Builds the demo for the browser into build-web/bin (the `web` preset): index.html, orbek42.js,
# orbek42.wasm and orbek42.data. data.dat and the glyph file come from host tools in the native
# tree build/ (the `default` preset), which is configured and built first when needed. Further
# arguments name more targets to build; JOBS sets the parallelism (default: all cores). Serve the
# result with scripts/serve-web.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh build web

[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
cmake --build build -j"$jobs" --target data_dat glyph_file

cmake --preset web >/dev/null
cmake --build --preset web -j"$jobs" --target orbek42 "$@"
echo "Built build-web/bin: $(cd build-web/bin && echo index.html orbek42.*)"
