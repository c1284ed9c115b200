#!/usr/bin/env bash
# The console stage: the Windows program in Wine's windowed console host on a
# virtual X server of its own. That host reports a TrueType font, as the
# console of every current Windows does, so the program writes its text
# column, paths and help as UTF-16. read_screen.exe, run in the same console
# after each case, writes what the console shows as UTF-8; the stage compares
# that with expected/<case>.txt, exactly.
#
# A screenshot of the colour dump is kept as WORKDIR/colour.png for people to
# look at; it is not judged, as this host prints escape sequences instead of
# processing them.
#
#   run.sh HEXLOOM.EXE READ_SCREEN.EXE WORKDIR
# Ends with "N passed, N failed"; exit status 0 when nothing failed.
set -uo pipefail
exec </dev/null
here=$(cd "$(dirname "$0")" && pwd)
samples=$(cd "$here/../../samples" && pwd)
program=$1 reader=$2
mkdir -p "$3" && work=$(cd "$3" && pwd) || exit 1

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
finish() {
  echo "$passed passed, $failed failed"
  ((failed == 0))
  exit
}

# The X server, the wineserver and the prefix go away however the stage ends.
xvfb_pid= prefix= wine_pid=
stop_all() {
  if [[ -n $prefix ]]; then
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1
    rm -rf "$prefix"
  fi
  [[ -n $wine_pid ]] && kill "$wine_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap stop_all EXIT
trap 'exit 1' INT TERM HUP

# wait_for FILE SECONDS: true as soon as the file exists.
wait_for() {
  local deadline=$((SECONDS + $2))
  while [[ ! -e $1 ]]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

for file in "$program" "$reader"; do
  [[ -f $file ]] || { fail "missing $file (is the Windows tree built?)"; finish; }
done

# ---- the cases: name and the command line after hexloom.exe --------------
# The files: hello.prg, and the same bytes as grüß.prg. The batch file is
# written in the console's code page 437, so nö*.prg reaches the program as
# typed.
cases=(
  "default|-L hello.prg"
  "ascii|-L --ascii hello.prg"
  "lowercase|-L -c hello.prg"
  "turbo-upper|--turbo -H hello.prg"
  "width-8|-w 8 hello.prg"
  "help-debug|--help --debug 1"
  "path-lines|--Epath gr*.prg nö*.prg"
  "stderr-to-file|-L hello.prg nö*.prg 2>errors.txt"
)

run=$work/run
rm -rf "$run" "$work/colour.png"
mkdir -p "$run/screens"
cp "$program" "$run/hexloom.exe"
cp "$reader" "$run/read_screen.exe"
cp "$samples/hello.prg" "$run/hello.prg"
cp "$samples/hello.prg" "$run/grüß.prg"
{
  printf '@echo off\r\ncd /d "%%~dp0"\r\n'
  for entry in "${cases[@]}"; do
    printf 'cls\r\nhexloom.exe %s\r\necho rc=%%errorlevel%%\r\nread_screen.exe screens\\%s.txt\r\n' \
      "${entry#*|}" "${entry%%|*}"
  done
  # The colour dump stays on the screen until the screenshot is taken.
  printf 'cls\r\nhexloom.exe -C -L hello.prg\r\necho rc=%%errorlevel%%\r\nread_screen.exe screens\\colour.txt shot.taken\r\n'
} | iconv -f UTF-8 -t CP437 >"$run/cases.bat" || { fail "cases not written"; finish; }

# ---- a virtual X server on a display number it finds free ----------------
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + 20))
# Xvfb writes the number with its line end once it takes connections.
until grep -qs '^[0-9][0-9]*$' "$work/display"; do
  if ((SECONDS >= deadline)) || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    cat "$work/xvfb.log"
    fail "Xvfb did not start"
    finish
  fi
  sleep 0.1
done
export DISPLAY=:$(head -n 1 "$work/display")

# ---- a Wine prefix of this stage's own ------------------------------------
prefix=$(mktemp -d "${TMPDIR:-/tmp}/hexloom-console.XXXXXX")
export WINEPREFIX=$prefix WINEDEBUG=-all LANG=C.UTF-8
if ! { wineserver -p && wineboot -i; } >"$work/wine.log" 2>&1; then
  cat "$work/wine.log"
  fail "Wine could not be started"
  finish
fi
# A screen 120 columns wide and 300 lines high, so nothing wraps or scrolls away.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Console]\r\n"ScreenBufferSize"=dword:012c0078\r\n"WindowSize"=dword:00190078\r\n' \
  >"$run/console.reg"
wine reg import "$(winepath -w "$run/console.reg")" >>"$work/wine.log" 2>&1 || fail "console settings not taken"

# A first window that can read its own screen shows that the console host
# works in this prefix before the cases depend on it; a window that does not
# get that far is tried again, twice at most.
printf '@echo off\r\ncd /d "%%~dp0"\r\nread_screen.exe screens\\ready.txt\r\n' >"$run/ready.bat"
# (wine start returns before the console's programs end: files tell when.)
for attempt in 1 2 3; do
  wine start /wait wineconsole cmd /c "$(winepath -w "$run/ready.bat")" >>"$work/wine.log" 2>&1
  wait_for "$run/screens/ready.txt" 20 && break
  echo "console not ready (attempt $attempt)" >>"$work/wine.log"
done
[[ -f $run/screens/ready.txt ]] || { fail "no working console window (see $work/wine.log)"; finish; }

# ---- all cases in one console window ---------------------------------------
wine start /wait wineconsole cmd /c "$(winepath -w "$run/cases.bat")" >>"$work/wine.log" 2>&1 &
wine_pid=$!
if wait_for "$run/screens/colour.txt" 90; then
  import -window root "$work/colour.png" >>"$work/wine.log" 2>&1 || echo "note: no screenshot taken"
else
  fail "the console did not get through its cases (see $work/wine.log)"
fi
touch "$run/shot.taken"
deadline=$((SECONDS + 30))
while kill -0 "$wine_pid" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
kill -0 "$wine_pid" 2>/dev/null && fail "the console window did not close"
wine_pid=

# ---- what the console showed ----------------------------------------------
# The screens hold the private-use code points of the machine's glyphs; the
# expected texts write them as \u{EE8B}, as the golden cases do.
escape_private_use() {
  python3 -c 'import re, sys
text = open(sys.argv[1], encoding="utf-8", newline="").read()
sys.stdout.write(re.sub("[\ue000-\uf8ff]", lambda m: "\\u{%04X}" % ord(m.group()), text))' "$1"
}

# compare NAME ACTUAL EXPECTED
compare() {
  if [[ ! -f $2 ]]; then
    fail "$1: nothing written"
    return
  fi
  escape_private_use "$2" >"$2.escaped"
  if cmp -s "$2.escaped" "$3"; then
    pass
  else
    fail "$1:"
    diff -u "$3" "$2.escaped" | sed 's/^/    /'
  fi
}

for entry in "${cases[@]}"; do
  name=${entry%%|*}
  [[ $name == help-debug ]] && continue
  compare "$name (${entry#*|})" "$run/screens/$name.txt" "$here/expected/$name.txt"
done
# Standard error was a file beside the console: UTF-8 and plain line ends.
compare "stderr-to-file: the file" "$run/errors.txt" "$here/expected/stderr-to-file.errors"

# The help text belongs to other tests; here only that it all arrives and
# ends well on a console that has a TrueType font.
screen=$run/screens/help-debug.txt
if [[ ! -f $screen ]]; then
  fail "help-debug: nothing written"
elif grep -q '^usage: hexloom\.exe \[options\.\.\.\] \[FILE\]\.\.\.$' "$screen" &&
     grep -Eq '^stdout is a Windows console; codepage:[0-9]+; TTF font:yes; ANSI capable:yes$' "$screen" &&
     grep -Eq '^ -\?/--help +show this help text, then exit$' "$screen" &&
     ! grep -qi 'fatal' "$screen" && [[ $(tail -n 1 "$screen") == rc=0 ]]; then
  pass
else
  fail "help-debug (--help --debug 1):"
  sed 's/^/    /' "$screen"
fi
finish
