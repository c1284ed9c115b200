#!/usr/bin/env bash
# The help screen's status report when standard output is a terminal: the
# program runs on a pseudo-terminal made by script(1), and the report must
# say so between the usage text and the option list.
# Usage: status_report_on_terminal.sh PROGRAM [EMULATOR...]
set -euo pipefail

program=$1
shift
emulator=("$@")

command_line=$(printf '%q ' "${emulator[@]}" "$program" --help --debug 1)
# The terminal turns every "\n" into "\r\n"; the report is compared without them.
output=$(script -qec "$command_line" /dev/null </dev/null | tr -d '\r')

expected_head='usage: hexloom [options...] [FILE]...

  > hexloom is an xxd-like hex dumper with PETSCII output.

stdout is a terminal; ANSI capable:yes

 -L/--load        regard first two bytes as a load (start) address'

# The usage line names the program as started; only its last part is stable.
actual_head=$(printf '%s\n' "$output" | head -n 7 | sed '1s|^usage: [^ ]*/|usage: |')

if [[ "$actual_head" != "$expected_head" ]]; then
    echo "unexpected help screen on a terminal:"
    diff <(printf '%s\n' "$expected_head") <(printf '%s\n' "$actual_head") || true
    exit 1
fi
echo "status report on a terminal: as expected"
