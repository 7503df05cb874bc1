#!/usr/bin/env bash
# The web build's tests, in three parts that test.sh runs at different times (all three, in order,
# without an argument):
#   scripts/test-web.sh show-build   builds the program for the web (scripts/build-web.sh) and the
#                                    native capture tool's stills of the frames the show test holds,
#                                    at 640x480 and at 1280x960
#   scripts/test-web.sh show         plays the show in headless Chromium against those stills
#   scripts/test-web.sh unit         builds the unit tests for wasm32 and runs them under node
# Exits non-zero when a test fails. JOBS sets the builds' parallelism (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
stills=build-web/stills

show_build() {
  scripts/build-web.sh
  (cd tests/web && [ -d node_modules ] || npm ci --no-audit --no-fund --silent)
  cmake --build build -j"$jobs" --target orbek42-capture
  rm -rf "$stills" && mkdir -p "$stills/1280x960"
  frames=$(node tests/web/show_test.js --frames)
  build/bin/orbek42-capture --png "$stills" --frames "$frames" >/dev/null
  # The browser's canvas is multisampled: so are the sharp stills.
  build/bin/orbek42-capture --png "$stills/1280x960" --frames "$frames" --size 1280x960 \
    --supersample 2 >/dev/null
}

show() {
  [ -d "$stills" ] || { echo "test-web.sh: no stills in $stills; run 'scripts/test-web.sh show-build' first" >&2; exit 1; }
  mkdir -p build-web/screenshots
  node tests/web/show_test.js build-web/bin "$stills" build-web/screenshots
}

unit() {
  scripts/build-web.sh web_tests
  ctest --preset web -j"$jobs"
}

case ${1:-all} in
  show-build) show_build ;;
  show) show ;;
  unit) unit ;;
  all) show_build && show && unit ;;
  *) echo "usage: scripts/test-web.sh [show-build|show|unit]" >&2; exit 2 ;;
esac
