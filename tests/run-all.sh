#!/usr/bin/env bash
# Builds every target of the project and runs its whole test suite:
#   native x86_64 Linux, 32-bit x86 Linux (under qemu-i386).
# Installs the Debian packages the tests need when they are missing.
# Usage: bash tests/run-all.sh            (from the repository root)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake g++ googletest g++-multilib qemu-user python3)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "== installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

declare -a summary=()
failed=0

# build_and_test NAME [cmake arguments...]
build_and_test() {
  local name=$1; shift
  local dir=$root/build/$name
  echo "== $name: configure and build"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $name: test"
  if ctest --test-dir "$dir" --output-on-failure -j"$jobs"; then
    summary+=("$name: passed")
  else
    summary+=("$name: FAILED")
    failed=1
  fi
}

build_and_test native
build_and_test i386 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i386.cmake"

echo "== summary"
printf '%s\n' "${summary[@]}"
exit $failed
