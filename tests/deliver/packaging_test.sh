#!/usr/bin/env bash
# Builds the three packages with packaging/make-packages.sh and inspects them
# as a user would receive them: the Debian fields, the file lists, what
# lintian says about the .deb files, the Windows documents, the font (the
# same in all three, and found by fontconfig once unpacked), and the programs
# inside, which must run (the 32-bit one under qemu-i386, the Windows one
# under Wine when it is installed).
#
# Slow: it needs a 32-bit and a Windows build. It reuses the sibling build
# trees ../i386 and ../windows of this build tree when they exist (as
# tests/run-all.sh leaves them in build/) and otherwise builds them under
# BUILD_DIRECTORY/packaging/. It only runs when HEXLOOM_PACKAGING_TEST=1;
# otherwise it reports itself skipped (exit 77).
#
# Usage: packaging_test.sh SOURCE_DIRECTORY BUILD_DIRECTORY
set -uo pipefail
source_dir=$(realpath "$1")
build=$(realpath "$2")
if [[ ${HEXLOOM_PACKAGING_TEST:-0} != 1 ]]; then
  echo "skipped: set HEXLOOM_PACKAGING_TEST=1 to build and inspect the packages"
  exit 77
fi

work=$build/packaging
out=$work/out
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# sibling_or_own TARGET TOOLCHAIN: a sibling build tree made with TOOLCHAIN,
# or a tree of this test's own.
sibling_or_own() {
  local sibling=$build/../$1
  if grep -qs "^CMAKE_TOOLCHAIN_FILE:.*=.*/$2\$" "$sibling/CMakeCache.txt"; then
    realpath "$sibling"
  else
    echo "$work/$1"
  fi
}

mkdir -p "$work"
if ! HEXLOOM_NATIVE_BUILD=$build \
     HEXLOOM_I386_BUILD=$(sibling_or_own i386 toolchain-i386.cmake) \
     HEXLOOM_WINDOWS_BUILD=$(sibling_or_own windows toolchain-mingw64.cmake) \
     bash "$source_dir/packaging/make-packages.sh" "$out"; then
  echo "FAIL: packaging/make-packages.sh"
  exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
amd64_deb=$out/hexloom_${version}_amd64.deb
i386_deb=$out/hexloom_${version}_i386.deb
zip=$out/hexloom-${version}-win64.zip
for package in "$amd64_deb" "$i386_deb" "$zip"; do
  [[ -f $package ]] || { echo "FAIL: not made: $package"; ls -l "$out"; exit 1; }
done

# Debian fields.
field() { dpkg-deb -f "$1" "$2"; }
for deb in "$amd64_deb" "$i386_deb"; do
  [[ $(field "$deb" Package) == hexloom ]] || fail "$deb: Package is '$(field "$deb" Package)'"
  [[ $(field "$deb" Version) == "$version" ]] || fail "$deb: Version is '$(field "$deb" Version)'"
done
[[ $(field "$amd64_deb" Architecture) == amd64 ]] || fail "native package architecture: $(field "$amd64_deb" Architecture)"
[[ $(field "$i386_deb" Architecture) == i386 ]] || fail "32-bit package architecture: $(field "$i386_deb" Architecture)"
# The 32-bit program carries its own C++ runtime, so the C library is all it
# needs, and no newer one than Ubuntu 22.04 has.
i386_depends=$(field "$i386_deb" Depends)
if [[ $i386_depends =~ ^libc6(\ \(\>=\ ([0-9.]+)\))?$ ]]; then
  [[ -z ${BASH_REMATCH[2]} ]] || dpkg --compare-versions "${BASH_REMATCH[2]}" le 2.35 ||
    fail "32-bit package needs a C library newer than 2.35: $i386_depends"
else
  fail "32-bit package depends on: $i386_depends"
fi
[[ $(field "$amd64_deb" Depends) == *libc6* ]] || fail "native package depends on: $(field "$amd64_deb" Depends)"

# File lists.
expected_deb_files='./etc/fonts/conf.d/61-hexloom-mono.conf
./usr/bin/hexloom
./usr/share/bash-completion/completions/hexloom
./usr/share/doc/hexloom/HexloomMono-OFL.txt
./usr/share/doc/hexloom/README.md
./usr/share/doc/hexloom/changelog.gz
./usr/share/doc/hexloom/copyright
./usr/share/doc/hexloom/doc/colour-dump.png
./usr/share/doc/hexloom/doc/hexloom-font-chart.png
./usr/share/doc/hexloom/examples/hello.prg
./usr/share/fish/vendor_completions.d/hexloom.fish
./usr/share/fontconfig/conf.avail/61-hexloom-mono.conf
./usr/share/fonts/truetype/hexloom/HexloomMono.ttf
./usr/share/lintian/overrides/hexloom
./usr/share/man/man1/hexloom.1.gz
./usr/share/zsh/vendor-completions/_hexloom'
for deb in "$amd64_deb" "$i386_deb"; do
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
  [[ $files == "$expected_deb_files" ]] || fail "$(basename "$deb") holds:"$'\n'"$files"
done
top=hexloom-${version}-win64
expected_zip_files="$top/HexloomMono-OFL.txt
$top/HexloomMono.ttf
$top/LICENSE.txt
$top/MANUAL.txt
$top/README.txt
$top/examples/hello.prg
$top/hexloom.exe"
files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
[[ $files == "$expected_zip_files" ]] || fail "$(basename "$zip") holds:"$'\n'"$files"

# lintian, as Debian checks its own packages, info and experimental tags
# included: every tag fails but the one for the maintainer without an e-mail
# address (no address of the maker is known). The package's own overrides
# say why each of them is there.
if command -v lintian >/dev/null; then
  for deb in "$amd64_deb" "$i386_deb"; do
    tags=$(lintian -I -E "$deb" 2>/dev/null | grep -v -x 'E: hexloom: malformed-contact Maintainer Norvane')
    [[ -z $tags ]] || fail "lintian on $(basename "$deb"):"$'\n'"$tags"
  done
else
  fail "lintian is not installed"
fi

# The packaged 32-bit program: an i386 ELF program that needs nothing but the
# C library, and dumps the sample exactly as the native build does.
unpacked=$work/unpacked
rm -rf "$unpacked"
mkdir -p "$unpacked/i386" "$unpacked/amd64" "$unpacked/windows"
dpkg-deb -x "$i386_deb" "$unpacked/i386"
dpkg-deb -x "$amd64_deb" "$unpacked/amd64"
unzip -q "$zip" -d "$unpacked/windows"
program=$unpacked/i386/usr/bin/hexloom
[[ $(od -An -tx1 -N5 "$program" | tr -d ' ') == 7f454c4601 ]] || fail "packaged 32-bit program is not a 32-bit ELF file"
needed=$(objdump -p "$program" | awk '$1 == "NEEDED" {print $2}' | sort | paste -sd' ' -)
for library in $needed; do
  case $library in
    libc.so.6 | libm.so.6 | ld-linux.so.2) ;;
    *) fail "packaged 32-bit program needs $library" ;;
  esac
done
sample=$source_dir/samples/hello.prg
for arguments in "-L --ascii" "-L -U" "--turbo -H -c -w 8" "-C --Epath"; do
  # shellcheck disable=SC2086 # the arguments are meant to be split
  expected=$(cd "$source_dir/samples" && "$build/hexloom" $arguments hello.prg 2>&1; echo "exit $?")
  # shellcheck disable=SC2086
  got=$(cd "$source_dir/samples" && qemu-i386 "$program" $arguments hello.prg 2>&1; echo "exit $?")
  [[ $got == "$expected" ]] || fail "packaged 32-bit program, $arguments:"$'\n'"$got"$'\n'"expected:"$'\n'"$expected"
done
qemu-i386 "$program" --version | grep -q 'for: i386/Linux' || fail "packaged 32-bit program does not say it is built for i386/Linux"
[[ -x $unpacked/amd64/usr/bin/hexloom ]] || fail "native package holds no runnable program"
expected=$(cd "$source_dir/samples" && "$build/hexloom" -L -U hello.prg 2>&1; echo "exit $?")
got=$(cd "$source_dir/samples" && "$unpacked/amd64/usr/bin/hexloom" -L -U hello.prg 2>&1; echo "exit $?")
[[ $got == "$expected" ]] || fail "packaged native program, -L -U:"$'\n'"$got"$'\n'"expected:"$'\n'"$expected"
cmp -s <(zcat "$unpacked/i386/usr/share/man/man1/hexloom.1.gz") "$build/doc/hexloom.1" ||
  fail "packaged manual page differs from the build's doc/hexloom.1"
cmp -s "$unpacked/i386/usr/share/doc/hexloom/copyright" \
    <(cat "$source_dir/LICENSE" "$source_dir/packaging/debian/copyright-font") ||
  fail "packaged copyright file is not LICENSE and the font's licence note"
for link in $(grep -o '](\([^)#:]*\)' "$unpacked/i386/usr/share/doc/hexloom/README.md" | sed 's/^](//'); do
  [[ -e $unpacked/i386/usr/share/doc/hexloom/$link ]] || fail "the packaged README links to $link, which is not packaged"
done
cmp -s "$unpacked/i386/usr/share/doc/hexloom/examples/hello.prg" "$sample" ||
  fail "packaged examples/hello.prg differs from samples/hello.prg"

# The font: one file in all three packages, made by this build; the rule in
# /etc/fonts/conf.d links to the packaged one; and fontconfig, given the
# unpacked tree and DejaVu as its only fonts and the packaged rule, lists the
# font and takes it for the private-use characters after DejaVu Sans Mono.
font=$unpacked/amd64/usr/share/fonts/truetype/hexloom/HexloomMono.ttf
for copy in "$unpacked/i386/usr/share/fonts/truetype/hexloom/HexloomMono.ttf" \
            "$unpacked/windows/$top/HexloomMono.ttf" "$build/font/HexloomMono.ttf"; do
  cmp -s "$font" "$copy" || fail "$copy differs from the native package's font"
done
rule=usr/share/fontconfig/conf.avail/61-hexloom-mono.conf
[[ $(readlink "$unpacked/amd64/etc/fonts/conf.d/61-hexloom-mono.conf") == "/$rule" ]] ||
  fail "etc/fonts/conf.d/61-hexloom-mono.conf does not link to /$rule"
cat >"$work/fonts.conf" <<END
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$unpacked/amd64/usr/share/fonts</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$work/font-cache</cachedir>
  <include>$unpacked/amd64/$rule</include>
</fontconfig>
END
listed=$(FONTCONFIG_FILE=$work/fonts.conf fc-list : family file)
[[ $listed == *"$font: Hexloom Mono"* ]] || fail "fc-list does not list the unpacked font:"$'\n'"$listed"
fallback=$(FONTCONFIG_FILE=$work/fonts.conf fc-match -s 'DejaVu Sans Mono' family | grep -v -x -m1 'DejaVu Sans Mono')
[[ $fallback == "Hexloom Mono" ]] || fail "the first fallback of DejaVu Sans Mono is $fallback, not Hexloom Mono"
# The packaged font and rule are the build's, byte for byte, so the font's
# terminal tests of the native build (tests/font) show what a desktop shows
# after installing; they are not run again on the packaged copies.
cmp -s "$unpacked/amd64/$rule" "$source_dir/font/61-hexloom-mono.conf" ||
  fail "the packaged $rule differs from font/61-hexloom-mono.conf"
# The package makes fontconfig's caches anew when its rule comes or goes.
for script in postinst postrm; do
  dpkg-deb --ctrl-tarfile "$amd64_deb" | tar -xOf - "./$script" | grep -q 'fc-cache -s -f' ||
    fail "the package's $script does not refresh fontconfig's caches"
done

# The packaged Windows program: a 64-bit x86 PE file; run it when Wine is here.
exe=$unpacked/windows/$top/hexloom.exe
[[ $(head -c2 "$exe") == MZ ]] || fail "hexloom.exe is not a Windows program"
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
[[ $(od -An -tx1 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ') == 6486 ]] || fail "hexloom.exe is not built for x86-64"
# The documents of the zip are for Windows: every line ends in CR LF.
for document in README.txt LICENSE.txt MANUAL.txt HexloomMono-OFL.txt; do
  path=$unpacked/windows/$top/$document
  [[ -s $path && $(tail -c1 "$path" | od -An -c | tr -d ' ') == '\n' ]] &&
    ! grep -q $'[^\r]$\|^$' "$path" || fail "zip's $document does not end every line in CR LF"
done
cmp -s <(tr -d '\r' <"$unpacked/windows/$top/LICENSE.txt") "$source_dir/LICENSE" ||
  fail "zip's LICENSE.txt differs from LICENSE"
head -n1 "$unpacked/windows/$top/README.txt" | grep -q "^hexloom $version for Windows" ||
  fail "zip's README.txt does not begin with the version"
grep -q "^HEXLOOM(1) .* User Commands" "$unpacked/windows/$top/MANUAL.txt" &&
  grep -q "^EXAMPLES"$'\r'"\$" "$unpacked/windows/$top/MANUAL.txt" &&
  ! LC_ALL=C grep -q '[^[:print:][:space:]]' "$unpacked/windows/$top/MANUAL.txt" ||
  fail "zip's MANUAL.txt is not the manual page as plain text"
cmp -s "$unpacked/windows/$top/examples/hello.prg" "$sample" ||
  fail "zip's examples/hello.prg differs from samples/hello.prg"
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
if [[ -n $wine ]]; then
  version_screen=$(cd "$unpacked/windows/$top" && WINEDEBUG=-all timeout 300 "$wine" hexloom.exe --version 2>/dev/null)
  [[ $version_screen == *"for: x86_64/Windows"* ]] || fail "hexloom.exe --version under Wine gave: $version_screen"
else
  echo "note: Wine not found, hexloom.exe not run"
fi

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "packages $(basename "$amd64_deb"), $(basename "$i386_deb") and $(basename "$zip"): all checks passed"
