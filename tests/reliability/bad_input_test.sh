#!/usr/bin/env bash
# Bad-input cases that the golden format cannot express: names with control
# characters or invalid UTF-8, a file larger than memory, a reader that stops
# early, ten thousand FILE arguments, and a read that fails part way. Each case checks the exact output,
# messages and exit status.
#
# Usage: bad_input_test.sh --list
#        bad_input_test.sh --program PATH [--emulator CMD] [--bits 32|64] [--sanitized 0|1]
#                          [--failing-read LIBRARY] CASE
# LIBRARY: failing_read.cpp built for the program's target.
# Exit 0 when the case passes, 1 when it fails, 77 when it does not apply.
set -uo pipefail

program=
emulator=
bits=64
sanitized=0
failing_read=
case_name=

cases=(
  newline_in_names
  escape_sequence_in_name
  invalid_utf8_in_names
  control_character_in_option_value
  file_larger_than_memory
  reader_stops_early_on_a_large_file
  reader_stops_early_on_large_standard_input
  reader_stops_early_with_broken_pipe_ignored
  ten_thousand_files
  ten_thousand_missing_files
  read_fails_part_way_through_a_file
)

while (($#)); do
  case $1 in
    --list) printf '%s\n' "${cases[@]}"; exit 0 ;;
    --program) program=$2; shift 2 ;;
    --emulator) emulator=$2; shift 2 ;;
    --bits) bits=$2; shift 2 ;;
    --sanitized) sanitized=$2; shift 2 ;;
    --failing-read) failing_read=$2; shift 2 ;;
    *) case_name=$1; shift ;;
  esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# Runs the program with the given arguments; stdin from /dev/null unless
# redirected by the caller. Same fixed environment as the golden cases.
# The program sees "hexloom" as its name, as it does in the golden cases.
# With $bad_spot set, reads of regular files fail after that many bytes.
hexloom() {
  local environment=(env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8) guest=() preload=
  if [[ -n ${bad_spot:-} ]]; then
    # The sanitizers' runtime would insist on being loaded first.
    environment+=(HEXLOOM_FAIL_READ_AFTER="$bad_spot" ASAN_OPTIONS=verify_asan_link_order=0)
    if [[ -n $emulator ]]; then
      guest=(-E LD_PRELOAD="$failing_read")
    else
      preload=$failing_read
    fi
  fi
  if [[ -n $emulator ]]; then
    # shellcheck disable=SC2086  # the emulator is a command with its words
    "${environment[@]}" $emulator "${guest[@]}" -0 hexloom "$program" "$@"
  else
    # The library is preloaded into the program alone: the shell that starts
    # it is a 64-bit program, whose loader would refuse a 32-bit library aloud.
    "${environment[@]}" /bin/bash -c '[[ -n $1 ]] && export LD_PRELOAD=$1; exec -a hexloom "$0" "${@:2}"' \
      "$program" "$preload" "$@"
  fi
}

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# expect_file NAME FILE EXPECTED-TEXT (printf format, so escapes work)
expect_file() {
  local what=$1 file=$2 expected
  expected=$(mktemp -p "$work")
  printf "$3" >"$expected"
  if ! cmp -s "$expected" "$file"; then
    fail "$what differs"
    echo "--- expected"; od -c "$expected" | head -20
    echo "--- actual"; od -c "$file" | head -20
  fi
}

expect_status() {
  [[ $1 == "$2" ]] || fail "exit status $2, expected $1"
}

# run_case ARGS...: runs the program, keeping out, err and status.
run_case() {
  hexloom "$@" >out 2>err </dev/null
  status=$?
}

# The path line of a file keeps its bytes (it is the dump's own output); the
# diagnostic escapes the line break so it stays one line.
newline_in_names() {
  printf AB >$'a\nb.prg'
  run_case --ascii --Epath $'a\nb.prg' $'gone\nx.prg'
  expect_file stdout out 'a\nb.prg\n0000: 41 42                                           AB\n'
  expect_file stderr err "hexloom: warning: 'gone\\\\nx.prg': no such file or directory\n"
  expect_status 0 "$status"
}

# A name must not drive the terminal: the escape character is shown, not sent.
escape_sequence_in_name() {
  run_case $'\e[2J\e]0;owned\a.prg'
  expect_file stdout out ''
  expect_file stderr err "hexloom: warning: '\\\\x1b[2J\\\\x1b]0;owned\\\\x07.prg': no such file or directory\n"
  expect_status 0 "$status"
}

# Bytes that are not UTF-8 are a valid Linux name: dumped, and quoted as
# they are in messages.
invalid_utf8_in_names() {
  printf AB >$'\xff\xfe.prg'
  run_case --ascii --Epath $'\xff\xfe.prg' $'\xc3(.prg'
  expect_file stdout out '\377\376.prg\n0000: 41 42                                           AB\n'
  expect_file stderr err "hexloom: warning: '\303(.prg': no such file or directory\n"
  expect_status 0 "$status"
}

control_character_in_option_value() {
  run_case -w $'1\n2' a.prg
  expect_file stdout out ''
  expect_file stderr err "hexloom: fatal: -w must be followed by a valid integer (found: '1\\\\n2')\nTry 'hexloom --help' for more information.\n"
  expect_status 1 "$status"
}

# A 5 GiB sparse file: more than the 32-bit build can address and, with its
# address space limited to 2 GiB, more than the 64-bit build can hold. Only
# the bytes shown are read, so a slice deep inside it dumps, and so does the
# next file (whose two positions lie past its end).
file_larger_than_memory() {
  truncate -s 5G huge.bin && printf AB >a.prg || exit 1
  if ((bits == 32 || sanitized)); then
    # The sanitizers reserve more address space than the limit allows.
    hexloom --ascii -s 2000000000 -l 20 huge.bin a.prg >out 2>err </dev/null
  else
    (ulimit -v 2097152 && hexloom --ascii -s 2000000000 -l 20 huge.bin a.prg) >out 2>err </dev/null
  fi
  status=$?
  expect_file stdout out '59400: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ````````````````\n59410: 00 00 00 00                                     ````\n59400: -- --                                           ``\n'
  expect_file stderr err ''
  expect_status 0 "$status"
}

# `| head -c 100` on 50 MB: the program ends soon after the reader has gone,
# with at most one message. $1: how the input is given; $2: "ignore" to start
# the program with SIGPIPE ignored, as some service managers do.
reader_stops_early() {
  head -c 50000000 /dev/zero >big.bin || exit 1
  local started=$SECONDS
  if [[ $1 == stdin ]]; then
    ( [[ $2 == ignore ]] && trap '' PIPE; hexloom --ascii <big.bin 2>err ) | head -c 100 >out
  else
    ( [[ $2 == ignore ]] && trap '' PIPE; hexloom --ascii big.bin big.bin 2>err </dev/null ) | head -c 100 >out
  fi
  local elapsed=$((SECONDS - started)) limit=20
  [[ -n $emulator ]] && limit=60
  ((elapsed <= limit)) || fail "took ${elapsed}s after the reader stopped"
  expect_file stdout out '00000: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ````````````````\n00010: 00 00 00 00 00 00 00 '
  if [[ -s err ]]; then
    expect_file stderr err "hexloom: fatal: could not write to standard output: Broken pipe\n"
  fi
}
reader_stops_early_on_a_large_file() { reader_stops_early file default; }
reader_stops_early_on_large_standard_input() { reader_stops_early stdin default; }
reader_stops_early_with_broken_pipe_ignored() { reader_stops_early file ignore; }

ten_thousand_files() {
  local names=() i
  for ((i = 0; i < 10000; ++i)); do names+=("f$i"); done
  printf A | tee "${names[@]}" >/dev/null
  run_case --ascii "${names[@]}"
  local line='0000: 41                                              A\n' expected_lines
  [[ $(sort -u out) == "$(printf "$line")" ]] || fail "not every line is the dump of one 'A'"
  expected_lines=$(wc -l <out)
  ((expected_lines == 10000)) || fail "$expected_lines lines instead of 10000"
  expect_file stderr err ''
  expect_status 0 "$status"
}

ten_thousand_missing_files() {
  local names=() i
  for ((i = 0; i < 10000; ++i)); do names+=("gone$i"); done
  run_case "${names[@]}"
  expect_file stdout out ''
  local warnings
  warnings=$(grep -c -E "^hexloom: warning: 'gone[0-9]+': no such file or directory$" err)
  ((warnings == 10000)) || fail "$warnings warnings instead of 10000"
  [[ $(wc -l <err) -eq 10000 ]] || fail "other lines on standard error"
  expect_status 0 "$status"
}

# A bad spot 100 bytes into a 70,000-byte file: the 100 bytes before it are
# shown, then the message; the same past the first 64 KiB block, and for
# standard input, whose failure is fatal.
read_fails_part_way_through_a_file() {
  [[ -n $failing_read ]] || exit 77
  head -c 70000 /dev/zero | tr '\0' A >f.bin || exit 1
  # The first 100 bytes with four address digits (standard input, whose
  # length is open) and with five (the file, 70,000 bytes long).
  local line='0000: 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 AAAAAAAAAAAAAAAA\n'
  local four=${line}${line//0000/0010}${line//0000/0020}${line//0000/0030}${line//0000/0040}${line//0000/0050}
  four+='0060: 41 41 41 41                                     AAAA\n'
  local five="0${four//\\n0/\\n00}"
  bad_spot=100 run_case --ascii f.bin
  expect_file stdout out "$five"
  expect_file stderr err "hexloom: warning: 'f.bin': unknown error during read: 5\n"
  expect_status 0 "$status"

  bad_spot=65636 run_case --ascii f.bin
  [[ $(wc -l <out) -eq 4103 ]] || fail "$(wc -l <out) lines instead of 4103 for 65636 bytes"
  [[ $(tail -n 1 out) == '10060: 41 41 41 41 '* ]] || fail "last line: $(tail -n 1 out)"
  expect_file stderr err "hexloom: warning: 'f.bin': unknown error during read: 5\n"

  bad_spot=100 hexloom --ascii <f.bin >out 2>err
  status=$?
  expect_file stdout out "$four"
  expect_file stderr err 'hexloom: fatal: could not read standard input: Input/output error\n'
  expect_status 1 "$status"
}

if [[ -z $program || -z $case_name ]] || ! declare -F "$case_name" >/dev/null; then
  echo "usage: $0 --program PATH [--emulator CMD] [--bits N] [--sanitized 0|1] CASE (one of: ${cases[*]})" >&2
  exit 2
fi
program=$(realpath "$program")
"$case_name"
((failures == 0))
