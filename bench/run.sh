#!/usr/bin/env bash
# The hexloom benchmark kit: builds the program, makes reproducible inputs and
# times hexloom against xxd (and hexyl once) on the same input. See
# bench/README.md for what is measured and what the targets mean.
#
#   bash bench/run.sh [--quick] [--runs N] [--work DIR] [--hexloom PATH]
#                     [--no-hexyl] [--no-i386] [--no-micro] [--checksums]
set -euo pipefail
export LC_ALL=C

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$repo/build/bench
quick=false
runs=
hexloom=
withHexyl=true
withI386=true
withMicro=true
checksumsOnly=false

usage() {
    sed -n '2,7p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
    cat <<'EOF'

  --quick        10 MiB input instead of 100 MiB, 3 runs per measurement,
                 and no whole dump of the 5 GiB sparse file
  --runs N       runs per measurement (default 5, quick 3); medians are printed
  --work DIR     build and data directory (default build/bench, outside git)
  --hexloom PATH time this program instead of building one (no micro cases)
  --no-hexyl     skip the single hexyl run
  --no-i386      skip the 32-bit build under qemu-i386
  --no-micro     skip the Google Benchmark cases
  --checksums    only print the SHA-256 of every mode's output and exit
                 (compare before and after a change: output must not move)
EOF
}

while (($#)); do
    case $1 in
        --quick) quick=true ;;
        --runs) runs=$2; shift ;;
        --work) work=$2; shift ;;
        --hexloom) hexloom=$2; shift ;;
        --no-hexyl) withHexyl=false ;;
        --no-i386) withI386=false ;;
        --no-micro) withMicro=false ;;
        --checksums) checksumsOnly=true ;;
        -h|--help) usage; exit 0 ;;
        *) echo "run.sh: unknown argument: $1" >&2; usage >&2; exit 2 ;;
    esac
    shift
done

mkdir -p "$work"
work=$(cd "$work" && pwd)
data=$work/data
logs=$work/logs
mkdir -p "$data" "$logs"

mib=1048576
if $quick; then
    mainMiB=10; runs=${runs:-3}; emulatedMiB=1
else
    mainMiB=100; runs=${runs:-5}; emulatedMiB=4
fi
smallRuns=21
seed=1

say() { printf '%s\n' "$*"; }
die() { printf 'run.sh: %s\n' "$*" >&2; exit 1; }

for tool in xxd /usr/bin/time cmake; do
    command -v "$tool" >/dev/null || die "$tool is needed (Debian packages: xxd, time, cmake)"
done

# ---------------------------------------------------------------- building --

# Configures and builds the given targets; the log is kept for a failed build.
build() {
    local dir=$1 log=$2; shift 2
    local configure=(cmake -S "$repo" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DHEXLOOM_BUILD_TESTS=OFF)
    if [[ $dir == *i386 ]]; then
        configure+=(-DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-i386.cmake")
    fi
    if ! { "${configure[@]}" && cmake --build "$dir" -j2 --target "$@"; } >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        die "build failed, see $log"
    fi
}

hasTarget() {
    local targets
    targets=$(cmake --build "$1" --target help 2>/dev/null) || return 1
    grep -q "\.\.\. $2\$" <<<"$targets"
}

say "building (Release) in $work ..."
nativeTargets=(bench_make_input)
[[ -z $hexloom ]] && nativeTargets+=(hexloom)
build "$work/native" "$logs/native.log" "${nativeTargets[@]}"
makeInput=$work/native/bench_make_input
micro=
if [[ -z $hexloom ]]; then
    hexloom=$work/native/hexloom
    if $withMicro && hasTarget "$work/native" hexloom_benchmarks; then
        build "$work/native" "$logs/native.log" hexloom_benchmarks
        micro=$work/native/hexloom_benchmarks
    fi
fi
[[ -x $hexloom ]] || die "no program at $hexloom"
hexloom32=
if $withI386 && ! $checksumsOnly; then
    if command -v qemu-i386 >/dev/null && build "$work/i386" "$logs/i386.log" hexloom; then
        hexloom32=$work/i386/hexloom
    fi
fi

# ------------------------------------------------------------------ inputs --

# Makes an input unless a file of the right size is already there: the bytes
# depend only on the seed, so a kept file is the same file.
input() {
    local path=$1 bytes=$2; shift 2
    if [[ ! -f $path || $(stat -c %s "$path") != "$bytes" ]]; then
        "$makeInput" "$@" "$path" || die "cannot make $path"
    fi
}

mainInput=$data/random-${mainMiB}M.bin
emulatedInput=$data/random-${emulatedMiB}M.bin
prg=$data/program-64k.prg
small=$data/small
smallAll=$data/small-all.bin
input "$mainInput" $((mainMiB * mib)) random $((mainMiB * mib)) $seed
input "$emulatedInput" $((emulatedMiB * mib)) random $((emulatedMiB * mib)) $seed
input "$prg" 65536 prg 65536 3 0x0801
if [[ ! -f $smallAll ]]; then
    rm -rf "$small" && mkdir -p "$small"
    "$makeInput" files 200 4096 4 "$small" || die "cannot make $small"
    cat "$small"/f*.bin >"$smallAll.tmp" && mv "$smallAll.tmp" "$smallAll"
fi
smallFiles=("$small"/f*.bin)
((${#smallFiles[@]} == 200)) || die "expected 200 files in $small"
# Containers written with the test kit's GCR writer: a T64 of one 20 MiB
# entry, and a G64 crafted against a decoder that decodes a track per sector.
containers=$data/containers
if [[ ! -f $containers/headers.g64 ]]; then
    mkdir -p "$containers" && python3 "$repo/bench/make_containers.py" "$containers" || die "cannot make $containers"
fi

# ------------------------------------------------------------------- modes --

# One row per hexloom mode: label | hexloom arguments | input channel | xxd
# reference | target ratio ("-" = none). Channels: file (hexloom FILE) or
# stdin (cat FILE | hexloom); the output goes to /dev/null and through a pipe.
modes=(
    "default (Unicode)||file|xxd|0.20"
    "--ascii|--ascii|file|xxd|0.20"
    "--0x|--0x|file|xxd|0.20"
    "--turbo -H|--turbo -H|file|xxd|0.20"
    "--color|--color|file|xxd|0.33"
    "-w 64|-w 64|file|xxd -c 64|-"
    "standard input||stdin|xxd|-"
)
pipeTarget=0.33   # default mode through a pipe

q() { printf '%q' "$1"; }

# The command for a program, its arguments and an input channel; output not
# redirected yet.
commandFor() {
    local program=$1 args=$2 channel=$3 file=$4
    case $channel in
        file) printf '%s %s -- %s' "$program" "$args" "$(q "$file")" ;;
        stdin) printf 'cat %s | %s %s' "$(q "$file")" "$program" "$args" ;;
    esac
}

if $checksumsOnly; then
    say "SHA-256 of the output of $hexloom on $(basename "$mainInput"):"
    for row in "${modes[@]}"; do
        IFS='|' read -r label args channel _ _ <<<"$row"
        sum=$(eval "$(commandFor "$(q "$hexloom")" "$args" "$channel" "$mainInput")" | sha256sum)
        printf '  %-26s %s\n' "$label" "${sum%% *}"
    done
    # Further combinations that the timed modes leave out.
    for args in "-c" "--ascii -c" "--0x -H -w 7" "--color --turbo -c -w 13" \
                "-w 1 -l 100000" "-s 5 -l 1000000 -w 3"; do
        sum=$(eval "$(q "$hexloom") $args -- $(q "$mainInput")" | sha256sum)
        printf '  %-26s %s\n' "$args" "${sum%% *}"
    done
    sum=$("$hexloom" -L -s 65530 -l 100 "$prg" | sha256sum)
    printf '  %-26s %s\n' "-L, missing bytes" "${sum%% *}"
    sum=$("$hexloom" "${smallFiles[@]}" | sha256sum)
    printf '  %-26s %s\n' "200 small files" "${sum%% *}"
    sum=$("$hexloom" -L "$prg" | sha256sum)
    printf '  %-26s %s\n' "-L 64 KiB PRG" "${sum%% *}"
    exit 0
fi

# ------------------------------------------------------------------ timing --

# Runs a shell command N times. Sets median, fastest and slowest wall time
# and cpuMedian, the median processor time (user + system, of every process
# of the command line), all in microseconds. On a busy machine wall time
# suffers most; processor time shows whether a slow run was only waiting.
median=0 fastest=0 slowest=0 cpuMedian=0
timeRuns() {
    local n=$1 command=$2 i start end user system
    local walls=() cpus=() TIMEFORMAT='%3U %3S'
    for ((i = 0; i < n; i++)); do
        start=${EPOCHREALTIME/./}
        { time eval "$command" 2>&3; } 3>&2 2>"$work/cpu.out" || die "failed: $command"
        end=${EPOCHREALTIME/./}
        walls+=($((end - start)))
        read -r user system <"$work/cpu.out"
        cpus+=($(((10#${user/./} + 10#${system/./}) * 1000)))
    done
    mapfile -t walls < <(printf '%s\n' "${walls[@]}" | sort -n)
    mapfile -t cpus < <(printf '%s\n' "${cpus[@]}" | sort -n)
    fastest=${walls[0]}
    slowest=${walls[n - 1]}
    median=$(middleOf "${walls[@]}")
    cpuMedian=$(middleOf "${cpus[@]}")
}

# The median of sorted numbers.
middleOf() {
    local values=("$@") n=$#
    if ((n % 2)); then
        echo "${values[n / 2]}"
    else
        echo $(((values[n / 2 - 1] + values[n / 2]) / 2))
    fi
}

seconds() { awk -v us="$1" 'BEGIN { printf "%.3f", us / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else printf "-" }'; }
# PASS when value <= limit.
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "PASS" : "MISS" }'; }
# "median [fastest-slowest]", the spread being the noise of this run.
timing() { printf '%s [%s-%s]' "$(seconds "$median")" "$(seconds "$fastest")" "$(seconds "$slowest")"; }

sinkFor() {
    case $1 in
        null) printf '>/dev/null' ;;
        pipe) printf '| cat >/dev/null' ;;
    esac
}

targets=()   # "description|value|limit"
defaultTime=0
target() { targets+=("$1|$2|$3"); }

say ""
say "hexloom: $hexloom"
say "input:   $(basename "$mainInput") ($mainMiB MiB, seed $seed), $runs runs each;"
say "         times are median [fastest-slowest] in seconds of wall time; ratio is"
say "         hexloom/xxd on wall time, cpu ratio the same on processor time"
say "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# xxd reference times, measured once per (reference command, channel, sink);
# sets referenceMedian and referenceText.
declare -A reference
referenceMedian=0 referenceCpu=0 referenceText=
referenceTime() {
    local key="$1|$2|$3"
    if [[ -z ${reference[$key]:-} ]]; then
        timeRuns "$runs" "$(commandFor "$1" "" "$2" "$mainInput") $(sinkFor "$3")"
        reference[$key]="$median|$cpuMedian|$(timing)"
    fi
    IFS='|' read -r referenceMedian referenceCpu referenceText <<<"${reference[$key]}"
}

for sink in null pipe; do
    say ""
    case $sink in
        null) say "output to /dev/null" ;;
        pipe) say "output through a pipe (| cat >/dev/null)" ;;
    esac
    printf '  %-18s %-24s %-24s %-6s %-9s %s\n' mode hexloom xxd ratio "cpu ratio" target
    for row in "${modes[@]}"; do
        IFS='|' read -r label args channel xxdCommand limit <<<"$row"
        timeRuns "$runs" "$(commandFor "$(q "$hexloom")" "$args" "$channel" "$mainInput") $(sinkFor "$sink")"
        ours=$median oursCpu=$cpuMedian oursText=$(timing)
        [[ $label == "default (Unicode)" && $sink == null ]] && defaultTime=$ours
        referenceTime "$xxdCommand" "$channel" "$sink"
        r=$(ratio "$ours" "$referenceMedian")
        if [[ $sink == pipe ]]; then
            limit=-
            [[ $label == "default (Unicode)" ]] && limit=$pipeTarget
        fi
        mark=-
        if [[ $limit != - ]]; then
            mark="<= $limit $(verdict "$r" "$limit")"
            target "time ratio, $label, $([[ $sink == null ]] && echo /dev/null || echo pipe)" "$r" "$limit"
        fi
        printf '  %-18s %-24s %-24s %-6s %-9s %s\n' "$label" "$oursText" "$referenceText" "$r" \
            "$(ratio "$oursCpu" "$referenceCpu")" "$mark"
    done
done

if $withHexyl && command -v hexyl >/dev/null; then
    say ""
    say "hexyl --color=never, one run, output to /dev/null"
    timeRuns 1 "hexyl --color=never $(q "$mainInput") >/dev/null"
    hexylTime=$median
    referenceTime xxd file null
    printf '  hexyl %ss (%s x xxd); hexloom default %ss (%s x hexyl)\n' \
        "$(seconds "$hexylTime")" "$(ratio "$hexylTime" "$referenceMedian")" \
        "$(seconds "$defaultTime")" "$(ratio "$defaultTime" "$hexylTime")"
fi

# ---------------------------------------- raw bytes and squeezed lines --

# --raw is the dump without its lines: it should cost what copying the file
# costs. -a on zeros writes three lines for the whole file: it should cost
# what reading and comparing the lines costs, far less than writing them.
zeros=$data/zeros-${mainMiB}M.bin
if [[ ! -f $zeros || $(stat -c %s "$zeros") != $((mainMiB * mib)) ]]; then
    head -c $((mainMiB * mib)) /dev/zero >"$zeros" || die "cannot make $zeros"
fi
say ""
say "raw bytes and squeezed lines, output to /dev/null"
printf '  %-30s %-24s %-24s %s\n' job hexloom peer ratio
peerJob() {
    local label=$1 ours=$2 peer=$3 oursMedian oursText
    timeRuns "$runs" "$ours >/dev/null"
    oursMedian=$median oursText=$(timing)
    timeRuns "$runs" "$peer >/dev/null"
    printf '  %-30s %-24s %-24s %s\n' "$label" "$oursText" "$(timing) ${peer%% *}" "$(ratio "$oursMedian" "$median")"
}
peerJob "--raw FILE (random)" "$(q "$hexloom") --raw -- $(q "$mainInput")" "cat $(q "$mainInput")"
peerJob "-a FILE (zeros)" "$(q "$hexloom") -a -- $(q "$zeros")" "xxd -a $(q "$zeros")"

# ------------------------------------------- memory, large and slow inputs --

# The 32-bit build runs directly where the kernel runs 32-bit programs (its
# memory is then its own), else under qemu-i386 (whose own memory counts).
runner32=
if [[ -n $hexloom32 ]]; then
    if "$hexloom32" --version >/dev/null 2>&1; then
        runner32=$(q "$hexloom32")
    else
        runner32="qemu-i386 $(q "$hexloom32")"
    fi
fi

# Sparse files take no room on disk; the dump reads only what it shows.
huge=$data/sparse-5G.bin
large=$data/sparse-2G.bin
[[ -f $huge ]] || truncate -s $((5 * 1024 * mib)) "$huge" || die "cannot make $huge"
[[ -f $large ]] || truncate -s $((2 * 1024 * mib)) "$large" || die "cannot make $large"
memoryLimitKiB=16384
seekLimit=0.050 seekLimitMicroseconds=50000
gcrLimit=0.500 gcrLimitMicroseconds=500000

# Peak resident set size in KiB and wall time in microseconds (peakKiB,
# wallTime) of one run of a command line that writes GNU time's %M to
# $work/time.out.
peakKiB=0 wallTime=0
measureOnce() {
    local start end
    start=${EPOCHREALTIME/./}
    eval "$1" || die "failed: $1"
    end=${EPOCHREALTIME/./}
    wallTime=$((end - start))
    peakKiB=$(tail -n 1 "$work/time.out")
}

# Seconds until the first line of `hexloom -l 32` appears, when its input
# sends 19 bytes, waits 2 seconds and sends the rest.
firstLineSeconds() {
    local started=${EPOCHREALTIME/./} seen
    seen=$( { (printf 'ABCDEFGHIJKLMNOPQRS'; sleep 2; printf 'TUVWXYZ0123456') | eval "$1 -l 32 --ascii"; } |
        { IFS= read -r _; echo "${EPOCHREALTIME/./}"; cat >/dev/null; })
    seconds $((seen - started))
}

say ""
say "memory and large inputs; peak memory (GNU time %M) limit $memoryLimitKiB KiB for every size and source"
timeOut=$(q "$work/time.out")
xxdKiB=$(
    /usr/bin/time -f %M -o "$work/time.out" xxd "$mainInput" >/dev/null || die "xxd failed"
    tail -n 1 "$work/time.out"
)
say "  xxd on the $mainMiB MiB file: $xxdKiB KiB"
printf '  %-7s %-46s %-12s %s\n' build case "peak KiB" "time (s)"
# One row of the table for $build: case, time text; the peak memory of the
# last measureOnce.
row() {
    printf '  %-7s %-46s %-12s %s\n' "$build" "$1" "$peakKiB $(verdict "$peakKiB" "$memoryLimitKiB")" "$2"
    target "peak memory, $build, $1 (KiB)" "$peakKiB" "$memoryLimitKiB"
}
builds=("native|$(q "$hexloom")")
[[ -n $runner32 ]] && builds+=("32-bit|$runner32")
for entry in "${builds[@]}"; do
    IFS='|' read -r build program <<<"$entry"
    measureOnce "/usr/bin/time -f %M -o $timeOut $program $(q "$mainInput") >/dev/null"
    row "$mainMiB MiB file" "$(seconds "$wallTime")"
    measureOnce "cat $(q "$mainInput") | /usr/bin/time -f %M -o $timeOut $program >/dev/null"
    row "$mainMiB MiB standard input" "$(seconds "$wallTime")"
    timeRuns "$runs" "$program -s 2000000000 -l 256 $(q "$huge") >/dev/null"
    measureOnce "/usr/bin/time -f %M -o $timeOut $program -s 2000000000 -l 256 $(q "$huge") >/dev/null"
    row "-s 2000000000 -l 256, 5 GiB sparse file" "$(timing) $(verdict "$median" "$seekLimitMicroseconds")"
    target "time, $build, -s 2000000000 -l 256 on 5 GiB (s)" "$(seconds "$median")" "$seekLimit"
    timeRuns "$runs" "$program -s 1000000000 -l 16 $(q "$large") >/dev/null"
    measureOnce "/usr/bin/time -f %M -o $timeOut $program -s 1000000000 -l 16 $(q "$large") >/dev/null"
    row "-s 1000000000 -l 16, 2 GiB sparse file" "$(timing) $(verdict "$median" "$seekLimitMicroseconds")"
    target "time, $build, -s 1000000000 -l 16 on 2 GiB (s)" "$(seconds "$median")" "$seekLimit"
    measureOnce "/usr/bin/time -f %M -o $timeOut $program -s -15000000 $(q "$containers/entry-20M.t64:big") >/dev/null"
    row "-s -15000000 in a 20 MiB T64 entry" "$(seconds "$wallTime")"
    timeRuns "$runs" "$program --raw $(q "$containers/headers.g64:headers") >/dev/null"
    measureOnce "/usr/bin/time -f %M -o $timeOut $program --raw $(q "$containers/headers.g64:headers") >/dev/null"
    if [[ $build == native ]]; then
        row "--raw of a file on a G64 full of headers" "$(timing) $(verdict "$median" "$gcrLimitMicroseconds")"
        target "time, $build, a file on a G64 full of headers (s)" "$(seconds "$median")" "$gcrLimit"
    else
        row "--raw of a file on a G64 full of headers" "$(timing)"
    fi
    say "  $build  first line from a slow pipe (2 s pause after 19 bytes): $(firstLineSeconds "$program") s"
    if ! $quick; then
        # The whole 5 GiB: its last line lies past 4 GiB, at 0x13ffffff0.
        measureOnce "/usr/bin/time -f %M -o $timeOut $program $(q "$huge") | tail -n 1 >$(q "$work/last.out")"
        last=$(cut -c1-6 "$work/last.out")
        row "5 GiB sparse file whole, through tail -n 1" "$(seconds "$wallTime"), last line '$last' $([[ $last == "ffff0:" ]] && echo PASS || echo MISS)"
    fi
done

# ----------------------------------------------------------- small inputs --

say ""
say "small inputs, $smallRuns runs each (after one warm-up run)"
printf '  %-34s %-24s %-24s %-6s %s\n' case hexloom xxd ratio "cpu ratio"
smallCase() {
    local label=$1 ours=$2 theirs=$3 oursTime oursCpu oursText
    eval "$ours"; eval "$theirs"
    timeRuns "$smallRuns" "$ours"
    oursTime=$median oursCpu=$cpuMedian oursText=$(timing)
    timeRuns "$smallRuns" "$theirs"
    printf '  %-34s %-24s %-24s %-6s %s\n' "$label" "$oursText" "$(timing)" \
        "$(ratio "$oursTime" "$median")" "$(ratio "$oursCpu" "$cpuMedian")"
    lastRatio=$(ratio "$oursTime" "$median")
}
smallList=
for file in "${smallFiles[@]}"; do smallList+=" $(q "$file")"; done
smallCase "200 files in one call / xxd concat" "$(q "$hexloom")$smallList >/dev/null" "xxd $(q "$smallAll") >/dev/null"
target "time ratio, 200 small files vs xxd over their concatenation" "$lastRatio" 1.2
smallCase "-L 64 KiB PRG" "$(q "$hexloom") -L $(q "$prg") >/dev/null" "xxd $(q "$prg") >/dev/null"

# ------------------------------------------------------- dumps read back --

# hexloom -r on hexloom's dump of a file against xxd -r on xxd's dump of
# the same file; the dumps are made once, into $work/dumps.
reverseMiB=$((mainMiB / 4))
reverseInput=$data/random-${reverseMiB}M.bin
input "$reverseInput" $((reverseMiB * mib)) random $((reverseMiB * mib)) $seed
dumps=$work/dumps
mkdir -p "$dumps"
xxd "$reverseInput" >"$dumps/xxd.txt"
say ""
say "reading dumps back, $reverseMiB MiB of bytes, $runs runs; hexloom -r against xxd -r of xxd's dump"
printf '  %-34s %-24s %-24s %-6s %s\n' case hexloom "xxd -r" ratio "cpu ratio"
reverseCase() {
    local label=$1 options=$2 dump=$dumps/hexloom${2// /}.txt oursTime oursCpu oursText
    # shellcheck disable=SC2086
    "$hexloom" $options "$reverseInput" >"$dump"
    timeRuns "$runs" "$(q "$hexloom") -r $(q "$dump") >/dev/null"
    oursTime=$median oursCpu=$cpuMedian oursText=$(timing)
    timeRuns "$runs" "xxd -r $(q "$dumps/xxd.txt") >/dev/null"
    printf '  %-34s %-24s %-24s %-6s %s\n' "$label" "$oursText" "$(timing)" \
        "$(ratio "$oursTime" "$median")" "$(ratio "$oursCpu" "$cpuMedian")"
    target "time ratio, -r of $label vs xxd -r" "$(ratio "$oursTime" "$median")" 1.0
}
reverseCase "default (Unicode)" ""
reverseCase "--0x" "--0x"
reverseCase "--color" "--color"
reverseCase "-w 64 --ascii" "-w 64 --ascii"
measureOnce "/usr/bin/time -f %M -o $timeOut $(q "$hexloom") -r $(q "$dumps/hexloom.txt") >/dev/null"
say "  peak memory of -r: $peakKiB KiB $(verdict "$peakKiB" "$memoryLimitKiB")"
target "peak memory, native, -r of a $reverseMiB MiB dump (KiB)" "$peakKiB" "$memoryLimitKiB"

# ------------------------------------------------------ 32-bit under qemu --

if [[ -n $hexloom32 ]]; then
    say ""
    say "32-bit build under qemu-i386 vs native, default mode, $emulatedMiB MiB input, $runs runs (report only)"
    timeRuns "$runs" "$(q "$hexloom") $(q "$emulatedInput") >/dev/null"
    native=$median nativeText=$(timing)
    timeRuns "$runs" "qemu-i386 $(q "$hexloom32") $(q "$emulatedInput") >/dev/null"
    printf '  native %s   qemu-i386 %s   ratio %s\n' "$nativeText" "$(timing)" "$(ratio "$median" "$native")"
elif $withI386; then
    say ""
    say "32-bit build under qemu-i386: skipped (no qemu-i386 or build failed, see $logs/i386.log)"
fi

# ----------------------------------------------------------------- targets --

say ""
say "targets (benchmark goals, not tests)"
for entry in "${targets[@]}"; do
    IFS='|' read -r description value limit <<<"$entry"
    printf '  %-58s %10s  <= %-10s %s\n' "$description" "$value" "$limit" "$(verdict "$value" "$limit")"
done

# ------------------------------------------------------- micro benchmarks --

if [[ -n $micro ]]; then
    say ""
    say "Google Benchmark cases (formatter and PETSCII translation)"
    "$micro" --benchmark_min_time=0.2 2>&1 | sed 's/^/  /'
fi
