#!/usr/bin/env bash
# An interrupted colour dump on a terminal: on SIGINT, SIGQUIT, SIGTERM and SIGHUP the
# program's last bytes are the colour reset, and it still dies by the signal.
# It dumps a file first, which leaves the text column's colour on, then waits
# on a FIFO; the FIFO's writer sends the signal once the program has opened it.
# Usage: colour_reset_on_signal.sh PROGRAM [EMULATOR...]
set -euo pipefail

program=$(realpath "$1")
shift
emulator=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'AB' >"$work/a.prg"
# No core file is left by SIGQUIT.
command_line="ulimit -c 0 && cd $(printf '%q' "$work") && echo \$\$ >pid && exec $(printf '%q ' "${emulator[@]}" "$program") -C --ascii a.prg pipe.fifo"

# The file's dump line ends in the text column's colour; the reset follows it.
expected_tail=$'\e[22;36;1mAB\n\e[0;22m'
failed=0
for signal in INT QUIT TERM HUP; do
    rm -f "$work/pid" "$work/pipe.fifo"
    mkfifo "$work/pipe.fifo"
    # Opening the FIFO returns once the program opens it to read; the writer
    # then keeps it open, so the program waits for data until the signal.
    (
        exec 3>"$work/pipe.fifo"
        kill -s "$signal" "$(cat "$work/pid")"
        exec sleep 60
    ) &
    writer=$!
    status=0
    # script(1) -e gives 128 + the signal's number when the program was killed.
    output=$(timeout 60 script -qec "$command_line" /dev/null </dev/null | tr -d '\r') || status=$?
    # An emulator reports a signal that dumps core (SIGQUIT) after the program's output.
    ((${#emulator[@]})) && output=${output%%qemu: uncaught target signal*}
    kill "$writer" 2>/dev/null || true
    wait "$writer" 2>/dev/null || true

    expected_status=$((128 + $(kill -l "$signal")))
    if [[ "${output: -${#expected_tail}}" != "$expected_tail" || $status -ne $expected_status ]]; then
        echo "SIG$signal: status $status (expected $expected_status), output ends:"
        printf '%s' "${output: -40}" | od -c | head -n 5
        failed=1
    fi
done
[[ $failed -eq 0 ]] || exit 1
echo "colour reset on SIGINT, SIGQUIT, SIGTERM and SIGHUP: as expected"
