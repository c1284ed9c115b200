#!/usr/bin/env bash
# Makes doc/colour-dump.png, the picture of a colour dump in the README: the
# Linux program with -C in xterm on a virtual X server, captured as it is
# shown. Needs xterm, Xvfb and imagemagick.
#
# Usage: bash doc/make-screenshot.sh HEXLOOM [FONT_DIRECTORY]
#   HEXLOOM          the program, e.g. build/native/hexloom
#   FONT_DIRECTORY   a folder with a font for the machine's glyphs (such as
#                    Hexloom Mono), which xterm then uses for the whole text
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
fonts=${2:+$(realpath "$2")}
face='DejaVu Sans Mono' size=11
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if [[ -n $fonts ]]; then
  cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><include ignore_missing="yes">/etc/fonts/fonts.conf</include><dir>$fonts</dir></fontconfig>
CONF
  export FONTCONFIG_FILE=$work/fonts.conf
  # xterm does not look for a second font per character, so the font with
  # the machine's glyphs must be the terminal's font; its glyphs are drawn
  # on a 16-pixel grid, which 11.52 points at 100 dpi (16 pixels) keep sharp.
  face="$(fc-scan --format '%{family[0]}\n' "$fonts" | head -n 1)"
  size=11.52
fi

# A display of its own: the first free one from :90 on.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 800x120x24 -dpi 100 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

cp "$here/../samples/hello.prg" "$work/"
cd "$work"
# The terminal shows the command line and the dump, then waits to be captured.
# The cursor is hidden (\e[?25l) so that only the text is in the picture.
xterm -geometry 76x5+0+0 -fa "$face" -fs "$size" -bg black -fg grey85 -xrm 'XTerm*borderWidth: 0' \
  -e bash -c "printf '\\e[?25l\$ hexloom -C -L hello.prg\n'; '$program' -C -L hello.prg; touch shown; sleep 60" \
  2>/dev/null &
for _ in $(seq 100); do [[ -e shown ]] && break; sleep 0.1; done
sleep 1
import -window root "$work/screen.png"
convert "$work/screen.png" -trim +repage -bordercolor black -border 8 -strip -colors 64 "PNG8:$here/colour-dump.png"
echo "written: $here/colour-dump.png"
