#!/usr/bin/env bash
# Runs every fuzz harness of a fuzz build for a short while, JOBS at a time (default: one per
# core), from the corpus kept in the repository (tests/fuzz/corpus/, grown by scripts/fuzz.sh) and
# small files of the generated data.dat:
#   scripts/fuzz-short.sh BIN_DIR FUZZ_DIR     (FUZZ_SECONDS per harness, 10 by default)
# BIN_DIR holds datpack and data.dat (a native build), FUZZ_DIR is the fuzz build; its corpus/
# grows from run to run, and an input that crashes a harness is kept as FUZZ_DIR/fuzz_NAME-*.
# Exits 1 when any harness finds something.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kept=$here/../tests/fuzz/corpus
bin=$1
fuzz=$2
seconds=${FUZZ_SECONDS:-10}
jobs=${JOBS:-$(nproc)}

"$here/fuzz-seeds.sh" "$bin" "$fuzz/seeds"
names=()
for fuzzer in "$fuzz"/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  names+=("$name")
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  ( status=0
    "$here/fuzz-harness.sh" "$fuzzer" "$seconds" "$fuzz/corpus/$name" "$fuzz/$name-" \
      "$kept/${name#fuzz_}" "$fuzz/seeds/${name#fuzz_}" >"$fuzz/$name.log" 2>&1 || status=$?
    echo "$status" >"$fuzz/$name.status" ) &
done
wait

failed=0
for name in "${names[@]}"; do
  log=$fuzz/$name.log
  if [ "$(cat "$fuzz/$name.status")" -ne 0 ]; then
    tail -n 60 "$log"
    echo "FAILED: $name (the input is saved as $fuzz/$name-*)"
    failed=1
  else
    echo "-- $name: $(grep -E $'^#[0-9]+[ \t]+DONE' "$log" | tail -n 1)"
  fi
done
exit $failed
