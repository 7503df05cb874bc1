#!/usr/bin/env bash
# The web build's tests, in four parts that test.sh runs at different times (all four, in order,
# without an argument):
#   scripts/test-web.sh show-build   builds the program for the web (scripts/build-web.sh) and the
#                                    native capture tool's stills of the frames the browser tests
#                                    hold, at 640x480 (and at 1280x960 for the show test)
#   scripts/test-web.sh show         plays the show in headless Chromium against those stills
#   scripts/test-web.sh page         the page as viewers meet it, in headless Chromium and in Firefox
#                                    on a virtual screen with a null sound sink (tests/web/page_test.js)
#   scripts/test-web.sh unit         builds the unit tests for wasm32 and runs them under node, with
#                                    the page's scripts, its build tools and its server
# Exits non-zero when a test fails. JOBS sets the builds' parallelism (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/virtual_screen.sh
jobs=${JOBS:-$(nproc)}
stills=build-web/stills

show_build() {
  scripts/build-web.sh
  (cd tests/web && [ -d node_modules ] || npm ci --no-audit --no-fund --silent)
  cmake --build build -j"$jobs" --target orbek42-capture
  rm -rf "$stills" && mkdir -p "$stills/1280x960"
  # The frames either browser test holds, each once.
  frames=$({ node tests/web/show_test.js --frames; node tests/web/page_test.js --frames; } |
    tr ',' '\n' | sort -nu | paste -sd,)
  build/bin/orbek42-capture --png "$stills" --frames "$frames" >/dev/null
  # The show test's second run at 1280x960, whose canvas is multisampled: so are these stills.
  build/bin/orbek42-capture --png "$stills/1280x960" --frames "$(node tests/web/show_test.js --frames)" \
    --size 1280x960 --supersample 2 >/dev/null
}

show() {
  [ -d "$stills" ] || { echo "test-web.sh: no stills in $stills; run 'scripts/test-web.sh show-build' first" >&2; exit 1; }
  mkdir -p build-web/screenshots
  node tests/web/show_test.js build-web/bin "$stills" build-web/screenshots
}

page() {
  [ -d "$stills" ] || { echo "test-web.sh: no stills in $stills; run 'scripts/test-web.sh show-build' first" >&2; exit 1; }
  mkdir -p build-web/screenshots
  node tests/web/page_test.js chromium build-web/bin "$stills" build-web/screenshots
  # Headless Firefox draws no WebGL here: a window on a virtual screen, sound into a null sink.
  on_virtual_screen -s 1280x1024x24 tests/web/null_sound.sh \
    node tests/web/page_test.js firefox build-web/bin "$stills" build-web/screenshots
}

unit() {
  scripts/build-web.sh web_tests
  ctest --preset web -j"$jobs"
}

case ${1:-all} in
  show-build) show_build ;;
  show) show ;;
  page) page ;;
  unit) unit ;;
  all) show_build && show && page && unit ;;
  *) echo "usage: scripts/test-web.sh [show-build|show|page|unit]" >&2; exit 2 ;;
esac
