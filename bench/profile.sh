#!/usr/bin/env bash
# Profiles one hexloom run on the benchmark input and prints where the time
# goes, per function (self and inclusive cost).
#
#   bash bench/profile.sh [--callgrind] [--work DIR] [--mib N] [-- hexloom options...]
#
# Builds an optimised program with debug information in DIR/profile (default
# build/bench), dumps an N MiB random input (default 10; 2 under callgrind)
# to /dev/null, and reports with perf (sampling, needs perf_event access) or,
# with --callgrind or when perf cannot record, with valgrind's callgrind
# (exact instruction counts, about 50 times slower).
set -euo pipefail
export LC_ALL=C

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$repo/build/bench
tool=perf
mib=
options=()

while (($#)); do
    case $1 in
        --callgrind) tool=callgrind ;;
        --work) work=$2; shift ;;
        --mib) mib=$2; shift ;;
        --) shift; options=("$@"); break ;;
        -h|--help) sed -n '2,11p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "profile.sh: unknown argument: $1" >&2; exit 2 ;;
    esac
    shift
done

die() { printf 'profile.sh: %s\n' "$*" >&2; exit 1; }

mkdir -p "$work/data" "$work/logs"
work=$(cd "$work" && pwd)
build=$work/profile
log=$work/logs/profile.log
if ! { cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DHEXLOOM_BUILD_TESTS=OFF \
        -DCMAKE_CXX_FLAGS="-g -fno-omit-frame-pointer" &&
      cmake --build "$build" -j2 --target hexloom bench_make_input; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    die "build failed, see $log"
fi

if [[ $tool == perf ]] && ! perf record -q -o /dev/null true >/dev/null 2>&1; then
    echo "perf cannot record here; using callgrind" >&2
    tool=callgrind
fi
if [[ -z $mib ]]; then
    mib=10
    [[ $tool == callgrind ]] && mib=2
fi
input=$work/data/random-${mib}M.bin
bytes=$((mib * 1048576))
if [[ ! -f $input || $(stat -c %s "$input") != "$bytes" ]]; then
    "$build/bench_make_input" random "$bytes" 1 "$input"
fi

program=$build/hexloom
echo "profiling: hexloom ${options[*]} $(basename "$input") >/dev/null ($tool)"
case $tool in
    perf)
        data=$work/perf.data
        perf record -q -g -o "$data" "$program" "${options[@]}" -- "$input" >/dev/null
        echo "--- self time per function"
        perf report -i "$data" --no-children --stdio --percent-limit 1 -g none 2>/dev/null |
            grep -v '^#' | grep -v '^$' | head -n 30
        echo "--- time including callees"
        perf report -i "$data" --children --stdio --percent-limit 3 -g none 2>/dev/null |
            grep -v '^#' | grep -v '^$' | head -n 30
        echo "(full report: perf report -i $data)"
        ;;
    callgrind)
        data=$work/callgrind.out
        valgrind --tool=callgrind --callgrind-out-file="$data" \
            "$program" "${options[@]}" -- "$input" >/dev/null 2>"$work/logs/callgrind.log"
        echo "--- instructions per function (self)"
        callgrind_annotate "$data" 2>/dev/null | sed -n '/^Ir/,$p' | head -n 30
        echo "--- instructions including callees"
        callgrind_annotate --inclusive=yes "$data" 2>/dev/null | sed -n '/^Ir/,$p' | head -n 30
        echo "(full report: callgrind_annotate $data)"
        ;;
esac
