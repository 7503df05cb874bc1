#!/usr/bin/env bash
# The web build's tests: builds it (scripts/build-web.sh) with its unit tests, runs those under
# node, then plays the show in headless Chromium against stills from the native capture tool.
# Exits non-zero when a test fails. JOBS sets the build's parallelism (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-web}
native=${NATIVE_DIR:-build}
jobs=${JOBS:-$(nproc)}

scripts/build-web.sh "$build" web_tests
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
(cd "$build" && ctest -R '^web_' -j"$jobs" --output-on-failure)

cmake --build "$native" -j"$jobs" --target orbek42-capture
stills=$(mktemp -d)
trap 'rm -rf "$stills"' EXIT
"$native/bin/orbek42-capture" --png "$stills" --frames "$(node tests/web/show_test.js --frames)" >/dev/null

(cd tests/web && [ -d node_modules ] || npm ci --no-audit --no-fund --silent)
mkdir -p "$build/screenshots"
node tests/web/show_test.js "$build/bin" "$stills" "$build/screenshots"
