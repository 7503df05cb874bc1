#!/usr/bin/env bash
# Runs one libFuzzer harness of a fuzz build for a while, the way every fuzzing script runs it:
#   scripts/fuzz-harness.sh HARNESS SECONDS WORK_CORPUS FINDINGS_PREFIX [MORE_CORPUS_DIR...]
# HARNESS is a path such as build-asan/bin/fuzz_load_3ds. New inputs go into WORK_CORPUS; the
# other folders are only read. SECONDS "merge" fuzzes nothing: it adds to WORK_CORPUS the fewest
# inputs of the other folders that reach all they reach. Its dictionary, tests/fuzz/<name>.dict, is used when there is one.
# A crash, leak, time-out or memory blow-up ends the run with a non-zero status and is saved as
# FINDINGS_PREFIX<kind>-<hash>. libFuzzer's output goes to stderr.
set -euo pipefail
fuzzer=$1
seconds=$2
work=$3
findings=$4
shift 4
name=$(basename "$fuzzer")
dictionary=$(cd "$(dirname "$0")/.." && pwd)/tests/fuzz/${name#fuzz_}.dict

# The readers' own messages for refused inputs (most inputs) are dropped, or a long run would write
# gigabytes of them; libFuzzer's output and the sanitizers' reports still come through. Run the
# harness on a saved input to see what it printed.
options=(-max_len=32768 -rss_limit_mb=2048 -timeout=10 -close_fd_mask=2 -artifact_prefix="$findings")
if [ "$seconds" = merge ]; then
  options+=(-merge=1)
else
  options+=(-max_total_time="$seconds" -print_final_stats=1)
  [ -f "$dictionary" ] && options+=(-dict="$dictionary")
fi
mkdir -p "$work"
corpora=("$work")
for folder in "$@"; do [ -d "$folder" ] && corpora+=("$folder"); done

# Undefined behaviour ends the run like a crash; the harnesses never open a window or a dialog.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen ORBEK42_NO_DIALOGS=1
exec "$fuzzer" "${options[@]}" "${corpora[@]}"
