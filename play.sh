#!/usr/bin/env bash
# Builds the demo and its data if needed, then plays it from build/bin, where data.dat lives.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target orbek42 data_dat

cd build/bin
exec ./orbek42
