#!/usr/bin/env bash
# The web build's tests: builds it (scripts/build-web.sh) with its unit tests, runs those under
# node, then plays the show in headless Chromium against stills from the native capture tool.
# Exits non-zero when a test fails. JOBS sets the build's parallelism (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

scripts/build-web.sh web_tests
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
ctest --preset web -j"$jobs"

(cd tests/web && [ -d node_modules ] || npm ci --no-audit --no-fund --silent)
cmake --build build -j"$jobs" --target orbek42-capture
stills=$(mktemp -d)
trap 'rm -rf "$stills"' EXIT
build/bin/orbek42-capture --png "$stills" --frames "$(node tests/web/show_test.js --frames)" >/dev/null

mkdir -p build-web/screenshots
node tests/web/show_test.js build-web/bin "$stills" build-web/screenshots
