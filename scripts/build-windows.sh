#!/usr/bin/env bash
# Cross-compiles the native Windows build with mingw-w64 into BUILD_DIR/bin (default build-win):
# orbek42.exe, mp3.dll, datpack.exe, model-info.exe and the smoke test's wintool.exe and
# win32_tests.exe, each linked statically against the C and C++ runtimes. Installs the Debian cross
# compiler when it is missing; exits 77 (skipped) when it cannot. JOBS sets the build's parallelism
# (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-win}
jobs=${JOBS:-$(nproc)}

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: g++-mingw-w64-x86-64-posix"
  if ! { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
           g++-mingw-w64-x86-64-posix >/dev/null ||
         { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
             --no-install-recommends g++-mingw-w64-x86-64-posix >/dev/null; }; }; then
    echo "mingw-w64 cannot be installed: Windows build skipped"
    exit 77
  fi
fi

cmake --no-warn-unused-cli -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DORBEK_PARTS="platform;archive;scene;model3ds;effects;music;director;app;tools" \
  -DORBEK_ASSETS=OFF -DORBEK_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$jobs"
