#!/usr/bin/env bash
# Tests of the web build's GL layer (platform/web/gl) in headless Chromium: builds the test page
# with emscripten into build-webgl-tests/ and the desktop reference renderer with the host's
# compiler, then runs tests/web/gl/run-shim-tests.js, which fails unless every check passes and
# the quadrics match Mesa's GLU. The renders are left as PNG files in build-webgl-tests/renders.
# Run from anywhere; exits 77 (skipped) when emscripten, Chromium or node cannot be installed.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build-webgl-tests

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

# Debian's emscripten finds its JavaScript dependencies through NODE_PATH with any node.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
if [ ! -d tests/web/node_modules/puppeteer-core ] || [ ! -d tests/web/node_modules/pngjs ]; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error) || exit 1
fi

# emcmake passes a flag newer node rejects: the toolchain file and the emulator by hand.
cmake -S tests/web/gl -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" >/dev/null || exit 1
cmake --build "$build" -j2 || exit 1

# The same quadric scenes from the desktop's GL and GLU, on SDL's offscreen driver.
(unset CMAKE_TOOLCHAIN_FILE; cmake -S tests/web/gl/reference -B "$build/native" -DCMAKE_BUILD_TYPE=Release \
  >/dev/null) || exit 1
cmake --build "$build/native" -j2 || exit 1
rm -rf "$build/references" && mkdir -p "$build/references"
SDL_VIDEODRIVER=offscreen "$build/native/webgl_references" "$build/references" || exit 1

node tests/web/gl/run-shim-tests.js "$build/page" "$build/renders" "$build/references" 2>&1 |
  grep -v -e 'GL Driver Message' -e '^WARNING: using emscripten GL'
exit "${PIPESTATUS[0]}"
