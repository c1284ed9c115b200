#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets:
# the files in their places, a manual page that renders without warnings and
# documents every option the program offers, and shell completions that know
# the same options and complete them in bash.
#
# Usage: install_test.sh BUILD_DIRECTORY
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi

program=$prefix/bin/hexloom
page=$prefix/share/man/man1/hexloom.1
bash_completion=$prefix/share/bash-completion/completions/hexloom
zsh_completion=$prefix/share/zsh/vendor-completions/_hexloom
fish_completion=$prefix/share/fish/vendor_completions.d/hexloom.fish

for file in "$page" "$bash_completion" "$zsh_completion" "$fish_completion" \
            "$prefix/share/doc/hexloom/LICENSE" "$prefix/share/doc/hexloom/README.md" \
            "$prefix/share/doc/hexloom/examples/hello.prg"; do
  [[ -f $file ]] || fail "not installed: ${file#"$prefix"/}"
done
# The font, where fontconfig looks, with its licence and fontconfig rule
# (when this tree builds it).
if [[ -f $build/font/HexloomMono.ttf ]]; then
  for file in share/fonts/truetype/hexloom/HexloomMono.ttf share/doc/hexloom/HexloomMono-OFL.txt \
              share/fontconfig/conf.avail/61-hexloom-mono.conf; do
    [[ -f $prefix/$file ]] || fail "not installed: $file"
  done
fi
# Every file the installed README links to is installed beside it.
links=$(grep -o '](\([^)#:]*\)' "$prefix/share/doc/hexloom/README.md" | sed 's/^](//')
for link in $links; do
  [[ -e $prefix/share/doc/hexloom/$link ]] || fail "the installed README links to $link, which is not installed"
done
[[ -x $program ]] || fail "not installed as a program: bin/hexloom"
"$program" --version >/dev/null 2>&1 || fail "the installed program does not run"

# The manual page renders without a single warning, in groff and through man.
groff -man -ww -z "$page" 2>"$work/groff.err" || fail "groff exited with an error"
[[ -s $work/groff.err ]] && fail "groff warns about the manual page: $(cat "$work/groff.err")"
MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" || fail "man -l exited with an error"
[[ -s $work/man.err ]] && fail "man warns about the manual page: $(cat "$work/man.err")"
grep -q '^SYNOPSIS' "$work/man.txt" || fail "man -l rendered no SYNOPSIS section"

# Every option of the help screen is documented (manual page, README) and
# completed (bash, zsh, fish).
"$program" --help >"$work/help.txt" 2>&1
long_options=$(grep -oE -- '--[A-Za-z0-9-]+' "$work/help.txt" | sort -u)
short_options=$(grep -oE -- '^ -./--' "$work/help.txt" | cut -c3)
[[ $(wc -w <<<"$long_options") -ge 18 ]] || fail "too few options read from --help: $long_options"
sed 's/\\-/-/g' "$page" >"$work/page.txt"
for option in $long_options; do
  name=${option#--}
  grep -qF -- "$option" "$work/page.txt" || fail "manual page lacks $option"
  grep -qF -- "\`$option" "$prefix/share/doc/hexloom/README.md" || fail "README's option table lacks $option"
  grep -qE -- "(^|[[:space:]'])$option([[:space:]']|$)" "$bash_completion" || fail "bash completion lacks $option"
  grep -qF -- "$option" "$zsh_completion" || fail "zsh completion lacks $option"
  grep -qE -- "-l $name( |$)" "$fish_completion" || fail "fish completion lacks $option"
done
for letter in $short_options; do
  grep -qE -- "(^|[^-])-[$letter]" "$work/page.txt" || fail "manual page lacks -$letter"
  grep -qF -- "\`-$letter" "$prefix/share/doc/hexloom/README.md" || fail "README's option table lacks -$letter"
  grep -qF -- "-$letter" "$bash_completion" || fail "bash completion lacks -$letter"
  grep -qF -- "-$letter" "$zsh_completion" || grep -qF -- "-\\$letter" "$zsh_completion" ||
    fail "zsh completion lacks -$letter"
  grep -qF -e "-s $letter " -e "-s '$letter' " "$fish_completion" || fail "fish completion lacks -$letter"
done

# The bash completion, as bash loads it: once with the bash-completion
# package's helpers present, once in a plain bash.
bash -n "$bash_completion" || fail "bash completion does not parse"
mkdir -p "$work/files"
touch "$work/files/game.prg" "$work/files/game two.prg" "$work/files/intro.bin"
cat >"$work/complete.sh" <<'SCRIPT'
source "$1"
# complete WORD...: the candidates for the last word, one per line.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _hexloom hexloom "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ' -
}
while IFS='|' read -r words expected; do
  read -ra argv <<<"$words"
  [[ $words == *' ' ]] && argv+=("")
  got=$(complete_words hexloom "${argv[@]}")
  [[ $got == "$expected" ]] || echo "FAIL: completing '$words' gave '$got', expected '$expected'"
done <<'CASES'
--wi|--width
--E|--Enewline --Epath
--hex|--hex-upper
-L --lo|--load --lowercase
-L --loa|--load
-w |
--seek |
ga|game two.prg game.prg
in|intro.bin
-- --|
-- ga|game two.prg game.prg
intro.bin : |
intro.bin : ga|
intro.bin:ga|
CASES
SCRIPT
cd "$work/files"
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  out=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$0" "$1"' "$work/complete.sh" "$bash_completion" 2>&1)
  [[ -z $out ]] || fail "with bash-completion: $out"
fi
out=$(bash --norc --noprofile "$work/complete.sh" "$bash_completion" 2>&1)
[[ -z $out ]] || fail "in a plain bash: $out"
cd - >/dev/null

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "install layout, manual page and completions: all checks passed"
