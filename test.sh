#!/usr/bin/env bash
# Builds everything and runs every test, one stage after another, each a CMake preset
# (CMakePresets.json) or one script: the unit, integration and end-to-end tests, the same tests
# under AddressSanitizer + UndefinedBehaviorSanitizer, each fuzz harness for a short while, the
# Windows build under Wine, the release packages, and the browser build in headless Chromium. GL
# tests run on Mesa's software renderer through SDL's offscreen driver.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

# Each stage's heading says how long the stages before it took.
started=$SECONDS
stage() { echo "== $* (at $((SECONDS - started)) s)"; }

# A stage this machine may be unable to run: exit status 77 skips it.
skippable() {
  local status=0
  "$@" || status=$?
  if [ $status -eq 77 ]; then echo "(skipped)"; return 0; fi
  return $status
}

scripts/install-deps.sh build fuzz

stage "build"
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"

stage "tests"
ctest --preset default -j"$jobs"

# The GL driver and the font library keep caches for the life of the process: the asan preset
# suppresses their leaks by library name (tests/lsan.supp).
stage "tests under ASan + UBSan"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

stage "fuzz harnesses (${FUZZ_SECONDS:-10} s each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
scripts/fuzz-short.sh build/bin build-fuzz

stage "Windows build and its smoke test under Wine"
skippable env JOBS="$jobs" scripts/test-windows.sh

# The packages a viewer gets (scripts/release.sh), unpacked and run; the Debian package is also
# installed and removed again when running as root in CI (CI=true, or ORBEK_RELEASE_INSTALL=1).
stage "release packages: made, unpacked, installed and run"
env JOBS="$jobs" scripts/test-release.sh

stage "web build: the GL layer in headless Chromium"
skippable scripts/test-web-gl.sh

stage "web build: unit tests under node, the show in headless Chromium"
skippable env JOBS="$jobs" scripts/test-web.sh

stage "all tests passed"
