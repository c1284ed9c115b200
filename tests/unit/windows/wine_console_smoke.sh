#!/usr/bin/env bash
# Runs hexloom.exe in a real Wine console (a tmux pane) and checks what
# Wine's console does as Windows does: standard output is found to be a
# console, the escape flags are accepted, and text-mode output puts every
# line at the left margin although the automatic carriage return is off.
# (Wine prints escape sequences instead of processing them and reports no
# TrueType font, so neither is checked here.)
#
#   wine_console_smoke.sh WINE64 HEXLOOM.EXE
set -euo pipefail
wine=$1
program=$2
socket=hexloom-smoke-$$
trap 'tmux -L "$socket" kill-server 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $1"
    echo "--- screen"
    printf '%s\n' "$screen"
    exit 1
}

tmux -L "$socket" new-session -d -x 120 -y 40 \
    "'$wine' '$program' --help --debug 1; tmux -L '$socket' wait-for -S done; sleep 120"
timeout 60 tmux -L "$socket" wait-for done
screen=$(tmux -L "$socket" capture-pane -p)

grep -Eq '^stdout is a Windows console; codepage:[0-9]+; TTF font:(yes|no); ANSI capable:yes$' <<<"$screen" ||
    fail "no console status line"
grep -q '^usage: .*hexloom\.exe \[options\.\.\.\] \[FILE\]\.\.\.$' <<<"$screen" || fail "no usage line"
grep -q '^ -L/--load        regard first two bytes as a load (start) address$' <<<"$screen" ||
    fail "help lines do not start at the left margin"
echo "Wine console: $(grep '^stdout is' <<<"$screen")"
