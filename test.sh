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
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" --timeout 600 -LE "e2e|show")

echo "== fuzz harnesses (${fuzz_seconds} s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBEK_FUZZ=ON \
  -DORBEK_ASSETS=OFF -DORBEK_BENCHMARKS=OFF -DORBEK_PARTS="platform;archive;scene;model3ds;music;tools;tests" >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers
for fuzzer in build-fuzz/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "-- $name"
  SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen ORBEK42_NO_DIALOGS=1 \
    "$fuzzer" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
done

echo "== all tests passed"
