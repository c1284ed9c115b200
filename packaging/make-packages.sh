#!/usr/bin/env bash
# Builds the three hexloom packages:
#   hexloom_<version>_amd64.deb   the native x86_64 Linux build
#   hexloom_<version>_i386.deb    the 32-bit x86 Linux build
#   hexloom-<version>-win64.zip   the 64-bit Windows build
# Each holds the font Hexloom Mono, which the native build makes (font/) and
# the two cross builds take from it (HEXLOOM_FONT_FILE).
#
# Usage: bash packaging/make-packages.sh [OUTPUT_DIRECTORY]   (default build/packages)
#
# Each package is made from a build tree. build/native, build/i386 and
# build/windows are reused when they exist (as tests/run-all.sh leaves them);
# a missing one is configured in build/pkg-<target>, without the tests.
# HEXLOOM_NATIVE_BUILD, HEXLOOM_I386_BUILD and HEXLOOM_WINDOWS_BUILD name
# other build trees to use or create.
#
# Needs: cmake, g++, g++-multilib, g++-mingw-w64-x86-64-posix, dpkg-dev, zip,
# groff (the Windows zip's MANUAL.txt), python3-fonttools, python3-pil and
# fonts-unifont (the font).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(realpath -m "${1:-$root/build/packages}")
jobs=2

# build_tree TARGET OVERRIDE: the build tree to make TARGET's package from.
build_tree() {
  local target=$1 override=$2
  if [[ -n $override ]]; then
    realpath -m "$override"
  elif [[ -f $root/build/$target/CMakeCache.txt ]]; then
    echo "$root/build/$target"
  else
    echo "$root/build/pkg-$target"
  fi
}

# toolchain_of TARGET: the toolchain file the target is built with, if any.
toolchain_of() {
  case $1 in
    native) echo "" ;;
    i386) echo "$root/cmake/toolchain-i386.cmake" ;;
    windows) echo "$root/cmake/toolchain-mingw64.cmake" ;;
  esac
}

# package TARGET DIRECTORY [CMAKE ARGUMENTS...]: configures the tree if
# needed, builds it and packs it.
package() {
  local target=$1 dir=$2 toolchain
  shift 2
  toolchain=$(toolchain_of "$target")
  if [[ -f $dir/CMakeCache.txt ]]; then
    # A reused tree must have been configured for the same target, or the
    # package would hold the wrong program under the right name.
    local configured
    configured=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$dir/CMakeCache.txt")
    if [[ -n $configured || -n $toolchain ]] &&
       [[ $(realpath -m "${configured:-/none}") != $(realpath -m "${toolchain:-/none}") ]]; then
      echo "make-packages: $dir is not a $target build (toolchain: ${configured:-none})" >&2
      exit 1
    fi
    cmake "$@" "$dir" >/dev/null
  else
    echo "== $target: configure $dir"
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DHEXLOOM_BUILD_TESTS=OFF \
      ${toolchain:+-DCMAKE_TOOLCHAIN_FILE="$toolchain"} "$@" >/dev/null
  fi
  echo "== $target: build $dir"
  cmake --build "$dir" -j"$jobs" >/dev/null
  echo "== $target: pack"
  local work=$out/cpack-$target
  rm -rf "$work"
  cpack --config "$dir/CPackConfig.cmake" -B "$work" >/dev/null
  find "$work" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) -exec cp {} "$out" \;
  rm -rf "$work"
}

mkdir -p "$out"
rm -f "$out"/hexloom*.deb "$out"/hexloom*.zip
native_dir=$(build_tree native "${HEXLOOM_NATIVE_BUILD:-}")
package native "$native_dir"
font=$native_dir/font/HexloomMono.ttf
if [[ ! -f $font ]]; then
  echo "make-packages: $native_dir built no font (needs python3-fonttools, python3-pil, fonts-unifont)" >&2
  exit 1
fi
package i386 "$(build_tree i386 "${HEXLOOM_I386_BUILD:-}")" -DHEXLOOM_FONT_FILE="$font"
package windows "$(build_tree windows "${HEXLOOM_WINDOWS_BUILD:-}")" -DHEXLOOM_FONT_FILE="$font"
echo "== packages in $out"
ls -1 "$out"
