#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time on its seed
# corpus. Prints one line per target with the number of executions; a
# failing input is kept under <build>/artifacts/ and the script fails.
#
# Usage: bash fuzz/run.sh [BUILD_DIR]        (default: build/fuzz)
#        HEXLOOM_FUZZ_SECONDS=60             seconds per target
#        HEXLOOM_FUZZ_TARGETS="dump_bytes"   only these targets
# A crash input becomes a regression case by copying it to
# fuzz/corpus/<target>/regression-<what it shows>: the unit suite replays it.
# An input of whole_program_image is shown as the command line and the image
# it runs by: python3 fuzz/image_inputs.py --show INPUT [DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build/fuzz}")
seconds=${HEXLOOM_FUZZ_SECONDS:-60}
targets=${HEXLOOM_FUZZ_TARGETS:-parse_arguments integer_notation petscii_text dump_bytes dump_stream disk_image whole_program_image reverse_dump basic_listing}
log=$build/build.log
mkdir -p "$build"

executables=()
for target in $targets; do executables+=("fuzz_$target"); done
if ! cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >"$log" 2>&1 ||
   ! cmake --build "$build" -j2 --target "${executables[@]}" >>"$log" 2>&1; then
  tail -n 40 "$log"
  echo "!! fuzz: build failed (whole log: $log)"
  exit 2
fi

failed=0
for target in $targets; do
  work=$build/corpus/$target artifacts=$build/artifacts/$target
  mkdir -p "$work" "$artifacts"
  run_log=$build/$target.log
  # New inputs go to the build's own corpus; the repository's seeds are only read.
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work" "$root/fuzz/corpus/$target" >"$run_log" 2>&1
  status=$?
  runs=$(sed -n -E 's/^stat::number_of_executed_units: *([0-9]+)$/\1/p' "$run_log" | tail -n 1)
  if ((status != 0)); then
    grep -E -A3 '^property violated|ERROR: |runtime error' "$run_log" | head -n 20
    echo "!! fuzz $target: FAILED after ${runs:-?} executions; input kept in $artifacts (log: $run_log)"
    failed=$((failed + 1))
  else
    echo "fuzz $target: ${runs:-?} executions in ${seconds}s, no failure"
  fi
done
((failed == 0))
