#!/usr/bin/env bash
# Builds everything and runs every test: the unit and integration tests, the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, and each fuzz harness for a short while.
# GL tests run on Mesa's software renderer through SDL's offscreen driver; no X server is needed.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-20}

scripts/install-deps.sh

echo "== build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"

echo "== tests"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 300)

echo "== tests under ASan + UBSan"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORBEK_SANITIZE=ON -DORBEK_ASSETS=OFF \
  -DORBEK_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
# The GL driver and the font library keep caches for the life of the process: their leaks are
# suppressed by library name (tests/lsan.supp).
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --output-on-failure -j"$jobs" --timeout 600 -LE "e2e|show")

echo "== fuzz harnesses (${fuzz_seconds} s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBEK_FUZZ=ON \
  -DORBEK_ASSETS=OFF -DORBEK_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers
scripts/fuzz-seeds.sh build/bin build-fuzz/seeds
for fuzzer in build-fuzz/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  log="build-fuzz/$name.log"
  echo "-- $name"
  if ! SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen ORBEK42_NO_DIALOGS=1 \
       "$fuzzer" -max_total_time="$fuzz_seconds" -max_len=32768 -rss_limit_mb=2048 -timeout=10 \
       -artifact_prefix="build-fuzz/$name-" "$corpus" "build-fuzz/seeds/${name#fuzz_}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "FAILED: $name (the input is saved as build-fuzz/$name-*)"
    exit 1
  fi
  tail -n 1 "$log"
done

echo "== Windows build and its smoke test under Wine"
windows=0
JOBS="$jobs" scripts/test-windows.sh || windows=$?
if [ "$windows" -eq 77 ]; then
  echo "(Windows stage skipped)"
elif [ "$windows" -ne 0 ]; then
  exit "$windows"
fi

echo "== all tests passed"
