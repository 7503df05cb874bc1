#!/usr/bin/env bash
# A long fuzzing campaign: every harness for MINUTES minutes (30 by default), JOBS of them at a
# time (default: one per core), each from the corpus kept in tests/fuzz/corpus/<name>/ and seeds
# made from data.dat, with its dictionary where it has one (tests/fuzz/<name>.dict). Then each
# harness's corpus is minimised back into tests/fuzz/corpus/<name>/, where CI's short runs start,
# and a table gives per harness the inputs run, inputs per second, the coverage reached and what
# was found. Findings and logs stay in build-asan/campaign/.
#   scripts/fuzz.sh [MINUTES]        HARNESSES="load_3ds load_bitmap" runs only those harnesses
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
minutes=${1:-30}
jobs=${JOBS:-$(nproc)}
[[ $minutes =~ ^[0-9]+$ && $minutes -gt 0 ]] || { echo "usage: scripts/fuzz.sh [MINUTES]" >&2; exit 2; }

scripts/install-deps.sh build fuzz
[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
cmake --build build -j"$jobs" --target datpack data_dat
cmake --preset asan >/dev/null
cmake --build --preset fuzz -j"$jobs"

campaign=$root/build-asan/campaign
rm -rf "$campaign"
mkdir -p "$campaign/findings"
scripts/fuzz-seeds.sh build/bin "$campaign/seeds"

names=()
for fuzzer in build-asan/bin/fuzz_*; do
  name=${fuzzer##*/fuzz_}
  [[ -z ${HARNESSES:-} || " $HARNESSES " == *" $name "* ]] && names+=("$name")
done
[ ${#names[@]} -gt 0 ] || { echo "fuzz.sh: no harness to run" >&2; exit 2; }

echo "== fuzzing ${names[*]}: $minutes min each, $jobs at a time (logs in $campaign)"
for name in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  ( status=0
    scripts/fuzz-harness.sh "build-asan/bin/fuzz_$name" $((minutes * 60)) "$campaign/corpus/$name" \
      "$campaign/findings/$name-" "tests/fuzz/corpus/$name" "$campaign/seeds/$name" \
      >"$campaign/$name.log" 2>&1 || status=$?
    echo "$status" >"$campaign/$name.status"
    echo "-- $name finished (status $status)" ) &
done
wait

# Back into the repository: the smallest set of inputs that reaches everything the campaign did.
echo "== minimising the corpus into tests/fuzz/corpus/"
for name in "${names[@]}"; do
  kept=tests/fuzz/corpus/$name
  merged=$campaign/merged/$name
  mkdir -p "$merged"
  if scripts/fuzz-harness.sh "build-asan/bin/fuzz_$name" merge "$merged" "$campaign/findings/$name-" \
     "$campaign/corpus/$name" "$kept" "$campaign/seeds/$name" >"$campaign/$name.merge.log" 2>&1; then
    rm -rf "$kept" && mkdir -p "$kept" && cp "$merged"/* "$kept"/
  else
    echo "-- $name: minimising failed, $kept left as it was (see $campaign/$name.merge.log)"
  fi
done

# The table: libFuzzer's final statistics and its last coverage line, per harness.
printf '\n%-12s %12s %10s %8s %8s %8s  %s\n' harness inputs inputs/s cov features corpus found
failed=0
for name in "${names[@]}"; do
  log=$campaign/$name.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  last=$(grep -E $'^#[0-9]+[ \t].* cov: ' "$log" | tail -n 1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  # libFuzzer also keeps inputs that once ran slowly (slow-unit-*); on a busy machine that is
  # often the machine, so they are listed apart: run one again to tell.
  found=$(cd "$campaign/findings" && ls | sed -n "s/^$name-\([a-z-]*\)-.*/\1/p" |
          { grep -v '^slow-unit$' || true; } | sort | uniq -c |
          awk '{ printf "%s%s %s", sep, $1, $2; sep = ", " }')
  slow=$(cd "$campaign/findings" && ls | grep -c "^$name-slow-unit-" || true)
  status=$(cat "$campaign/$name.status")
  if [ -z "$found" ]; then
    found="none"
    [ "$status" -eq 0 ] || found="run failed (status $status)"
  fi
  [ "$found" = none ] || failed=1
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\)[[:space:]].*/\1/p' "$log" | tail -n 1)
  rate=$([ -n "$seconds" ] && [ "$seconds" -gt 0 ] && echo $((runs / seconds)) || echo "?")
  printf '%-12s %12s %10s %8s %8s %8s  %s\n' "$name" "${runs:-0}" "$rate" "${cov:-?}" \
    "${features:-?}" "$(ls "tests/fuzz/corpus/$name" 2>/dev/null | wc -l)" \
    "$found$([ "$slow" -eq 0 ] || echo " ($slow slow input kept)")"
done
exit $failed
