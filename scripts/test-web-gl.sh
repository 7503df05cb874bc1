#!/usr/bin/env bash
# Tests of the browser build's GL layer (platform/web/ffgl) in headless Chromium, from the CMake
# presets: the native tree's ffgl_references draws the reference scenes with Mesa, the
# `webgl-tests` build preset makes the GoogleTest page in the web tree, and the `webgl-tests` test
# preset runs both (tests/web/ffgl/CMakeLists.txt). The page's pictures and the desktop's are left
# as PNG files in build-web/tests/web/ffgl/renders. Exits 77 (skipped) when emscripten, Chromium
# or node cannot be installed. JOBS sets the builds' parallelism (default: all cores).
set -u
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

need_missing() {
  for tool in emcc chromium node npm; do command -v "$tool" >/dev/null || return 0; done
  return 1
}
if need_missing && [ -x scripts/install-deps.sh ]; then
  scripts/install-deps.sh web || true
fi
if need_missing; then
  echo "emscripten, chromium, node or npm missing: web GL tests skipped"
  exit 77
fi

if [ ! -d tests/web/node_modules/puppeteer-core ] || [ ! -d tests/web/node_modules/pngjs ]; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error) || exit 1
fi

[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null || exit 1
cmake --build --preset default -j"$jobs" --target ffgl_references || exit 1
cmake --preset web >/dev/null || exit 1
cmake --build --preset webgl-tests -j"$jobs" || exit 1
ctest --preset webgl-tests
