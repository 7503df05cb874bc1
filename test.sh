#!/usr/bin/env bash
# Builds everything and runs every test, in stages, each a CMake preset (CMakePresets.json) or one
# script: the unit, integration and end-to-end tests, the same tests under AddressSanitizer +
# UndefinedBehaviorSanitizer, each fuzz harness for a short while, the Windows build under Wine,
# the release packages, and the browser build in headless Chromium and in Firefox. GL tests run on
# Mesa's software renderer through SDL's offscreen driver. The browser show plays in real time for
# nearly three minutes: the other builds run meanwhile, at a lower priority so that the show keeps
# its pace.
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

stage "web build and the native stills the browser show is compared with"
env JOBS="$jobs" scripts/test-web.sh show-build
show_log=build-web/show.log
scripts/test-web.sh show >"$show_log" 2>&1 &
show=$!
trap 'kill $show 2>/dev/null || true' EXIT

# One clang build under the sanitizers holds both the unit tests and the fuzz harnesses: assertions
# on, optimised lightly (-O1) with line tables only, which builds an eighth faster than -O2 -g and
# runs as fast.
stage "while the show plays in headless Chromium: the sanitizer, Windows and web test builds"
cmake --preset asan >/dev/null
nice -n 10 cmake --build --preset asan -j"$jobs"
if scripts/install-deps.sh windows; then
  cmake --preset mingw >/dev/null
  nice -n 10 cmake --build --preset mingw -j"$jobs"
fi
nice -n 10 env JOBS="$jobs" scripts/test-web.sh unit

stage "the show in headless Chromium"
status=0
wait $show || status=$?
trap - EXIT
cat "$show_log"
[ $status -eq 0 ] || exit $status

stage "the page in headless Chromium and in Firefox"
scripts/test-web.sh page

stage "tests"
ctest --preset default -j"$jobs"

# The GL driver and the font library keep caches for the life of the process: the asan preset
# suppresses their leaks by library name (tests/lsan.supp).
stage "tests under ASan + UBSan"
ctest --preset asan -j"$jobs"

stage "fuzz harnesses (${FUZZ_SECONDS:-10} s each, $jobs at a time)"
scripts/fuzz-short.sh build/bin build-asan

stage "Windows smoke test under Wine"
skippable env JOBS="$jobs" scripts/test-windows.sh

# The packages a viewer gets (scripts/release.sh), unpacked and run; the Debian package is also
# installed and removed again when running as root in CI (CI=true, or ORBEK_RELEASE_INSTALL=1).
stage "release packages: made, unpacked, installed and run"
env JOBS="$jobs" scripts/test-release.sh

stage "web build: the GL layer in headless Chromium"
skippable scripts/test-web-gl.sh

stage "all tests passed"
