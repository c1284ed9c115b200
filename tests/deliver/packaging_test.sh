#!/usr/bin/env bash
# Builds the three packages with packaging/make-packages.sh and inspects them
# as a user would receive them: the Debian fields, the file lists, and the
# programs inside, which must run (the 32-bit one under qemu-i386, the Windows
# one under Wine when it is installed).
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
# The 32-bit program carries its own C++ runtime, so the C library is all it needs.
[[ $(field "$i386_deb" Depends) =~ ^libc6(\ \(\>=\ [0-9.]+\))?$ ]] ||
  fail "32-bit package depends on: $(field "$i386_deb" Depends)"
[[ $(field "$amd64_deb" Depends) == *libc6* ]] || fail "native package depends on: $(field "$amd64_deb" Depends)"

# File lists.
expected_deb_files='./usr/bin/hexloom
./usr/share/bash-completion/completions/hexloom
./usr/share/doc/hexloom/README.md
./usr/share/doc/hexloom/copyright
./usr/share/fish/vendor_completions.d/hexloom.fish
./usr/share/man/man1/hexloom.1.gz
./usr/share/zsh/vendor-completions/_hexloom'
for deb in "$amd64_deb" "$i386_deb"; do
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
  [[ $files == "$expected_deb_files" ]] || fail "$(basename "$deb") holds:"$'\n'"$files"
done
top=hexloom-${version}-win64
expected_zip_files="$top/LICENSE
$top/README.md
$top/hexloom.exe"
files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
[[ $files == "$expected_zip_files" ]] || fail "$(basename "$zip") holds:"$'\n'"$files"

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
cmp -s <(zcat "$unpacked/i386/usr/share/man/man1/hexloom.1.gz") "$source_dir/doc/hexloom.1" ||
  fail "packaged manual page differs from doc/hexloom.1"
cmp -s "$unpacked/i386/usr/share/doc/hexloom/copyright" "$source_dir/LICENSE" ||
  fail "packaged copyright file differs from LICENSE"

# The packaged Windows program: a 64-bit x86 PE file; run it when Wine is here.
exe=$unpacked/windows/$top/hexloom.exe
[[ $(head -c2 "$exe") == MZ ]] || fail "hexloom.exe is not a Windows program"
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
[[ $(od -An -tx1 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ') == 6486 ]] || fail "hexloom.exe is not built for x86-64"
cmp -s "$unpacked/windows/$top/LICENSE" "$source_dir/LICENSE" || fail "zip's LICENSE differs from LICENSE"
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
