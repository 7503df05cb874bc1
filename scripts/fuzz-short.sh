#!/usr/bin/env bash
# Runs every fuzz harness of a fuzz build for a short while, seeded from small files of the
# generated data.dat, and stops at the first crash:
#   scripts/fuzz-short.sh BIN_DIR FUZZ_DIR     (FUZZ_SECONDS per harness, 10 by default)
# BIN_DIR holds datpack and data.dat (a native build), FUZZ_DIR is the fuzz build; its corpus/
# grows from run to run, and a crashing input is kept as FUZZ_DIR/fuzz_NAME-crash-*.
set -euo pipefail
bin=$1
fuzz=$2
seconds=${FUZZ_SECONDS:-10}

"$(dirname "$0")/fuzz-seeds.sh" "$bin" "$fuzz/seeds"
for fuzzer in "$fuzz"/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="$fuzz/corpus/$name"
  mkdir -p "$corpus"
  log="$fuzz/$name.log"
  echo "-- $name"
  if ! SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen ORBEK42_NO_DIALOGS=1 \
       "$fuzzer" -max_total_time="$seconds" -max_len=32768 -rss_limit_mb=2048 -timeout=10 \
       -artifact_prefix="$fuzz/$name-" "$corpus" "$fuzz/seeds/${name#fuzz_}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "FAILED: $name (the input is saved as $fuzz/$name-*)"
    exit 1
  fi
  tail -n 1 "$log"
done
