#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time on its seed
# corpus, as many at once as there are cores (at most two). Prints one line
# per target with the number of executions; a failing input is kept under
# <build>/artifacts/ and the script fails.
#
# Usage: bash fuzz/run.sh [BUILD_DIR]        (default: build/fuzz)
#        HEXLOOM_FUZZ_SECONDS=420            seconds of fuzzing for all targets
#                                            together, shared out by the shares
#                                            below (on two cores, half as long)
#        HEXLOOM_FUZZ_TARGETS="dump_bytes"   only these targets (the targets
#                                            of fuzz/targets.cmake by default)
# A crash input becomes a regression case by copying it to
# fuzz/corpus/<target>/regression-<what it shows>: the unit suite replays it.
# An input of whole_program_image is shown as the command line and the image
# it runs by: python3 fuzz/image_inputs.py --show INPUT [DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath -m "${1:-build/fuzz}")
budget=${HEXLOOM_FUZZ_SECONDS:-420}
lanes=$(nproc 2>/dev/null || echo 2)
((lanes > 2)) && lanes=2
log=$build/build.log
mkdir -p "$build"

# The targets, as fuzz/targets.cmake lists them for the build.
listed_targets() {
  local script=$build/list_targets.cmake
  printf 'include("%s")\nmessage("${hexloom_fuzz_targets}")\n' "$root/fuzz/targets.cmake" >"$script"
  cmake -P "$script" 2>&1 | tr ';' ' '
}
targets=${HEXLOOM_FUZZ_TARGETS:-$(listed_targets)}

# Shares of the time, after how long each target went on finding new paths
# in a minute's run: one share for the integer notation and PETSCII text
# (nothing new after a second or two), two for the dump formatter (nothing
# new after ten seconds), more for the ones still finding new paths late in
# the minute; a target not named here has one share.
declare -A shares=(
  [dump_bytes]=2
  [basic_listing]=3
  [parse_arguments]=3
  [dump_stream]=3
  [reverse_dump]=4
  [disk_image]=4
  [whole_program_image]=7
)
minimum_seconds=5
total_shares=0
for target in $targets; do total_shares=$((total_shares + ${shares[$target]:-1})); done
seconds_for() {
  local seconds=$((budget * ${shares[$1]:-1} / total_shares))
  ((seconds < minimum_seconds)) && seconds=$minimum_seconds
  echo "$seconds"
}

executables=()
for target in $targets; do executables+=("fuzz_$target"); done
if ! cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >"$log" 2>&1 ||
   ! cmake --build "$build" -j2 --target "${executables[@]}" >>"$log" 2>&1; then
  tail -n 40 "$log"
  echo "!! fuzz: build failed (whole log: $log)"
  exit 2
fi

# fuzz TARGET: runs one target for its share of the time; its line of the
# report goes to <build>/TARGET.result.
fuzz() {
  local target=$1 work=$build/corpus/$1 artifacts=$build/artifacts/$1
  local run_log=$build/$1.log result=$build/$1.result seconds status runs
  seconds=$(seconds_for "$target")
  mkdir -p "$work" "$artifacts"
  # New inputs go to the build's own corpus; the repository's seeds are only read.
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work" "$root/fuzz/corpus/$target" >"$run_log" 2>&1
  status=$?
  runs=$(sed -n -E 's/^stat::number_of_executed_units: *([0-9]+)$/\1/p' "$run_log" | tail -n 1)
  if ((status != 0)); then
    {
      grep -E -A3 '^property violated|ERROR: |runtime error' "$run_log" | head -n 20
      echo "!! fuzz $target: FAILED after ${runs:-?} executions; input kept in $artifacts (log: $run_log)"
    } >"$result"
  else
    echo "fuzz $target: ${runs:-?} executions in ${seconds}s, no failure" >"$result"
  fi
}

# The longest first, so that the lanes end together.
by_length=$(for target in $targets; do echo "$(seconds_for "$target") $target"; done | sort -rn | cut -d' ' -f2)
for target in $by_length; do
  rm -f "$build/$target.result"
  while (($(jobs -rp | wc -l) >= lanes)); do wait -n; done
  fuzz "$target" &
done
wait

failed=0
for target in $targets; do
  if [[ -f $build/$target.result ]]; then
    cat "$build/$target.result"
    grep -q '^!! fuzz' "$build/$target.result" && failed=$((failed + 1))
  else
    echo "!! fuzz $target: no result"
    failed=$((failed + 1))
  fi
done
((failed == 0))
