#!/usr/bin/env bash
# Builds every target of the project and runs its whole test suite (unit and
# golden tests through CTest):
#   native x86_64 Linux, 32-bit x86 Linux (directly where the kernel runs
#   32-bit programs, under qemu-i386 elsewhere), 64-bit Windows (mingw-w64,
#   under Wine), that program in Wine's windowed console (under Xvfb), the
#   packages, the unit and golden tests again under
#   AddressSanitizer + UndefinedBehaviorSanitizer, and a bounded fuzz run.
# What does not depend on the target runs once, in the native stage: the
# font, the terminal and the deliverable tests (CTest labels font, terminal,
# deliver; the packages are their own stage).
# Installs the Debian packages the tests need when they are missing.
# Quiet on success: one line per target, then a summary with each stage's
# counts and minutes and the closing count line
# "N passed, N failed[, N skipped]". The output of whatever failed is shown.
#
# Usage: bash tests/run-all.sh                 (from anywhere)
#        HEXLOOM_BUILD_ROOT=build-me bash tests/run-all.sh   other build directory
set -uo pipefail
exec </dev/null  # nothing here reads standard input (CI may even have closed it)
cd "$(dirname "$0")/.."
root=$PWD
build_root=$root/${HEXLOOM_BUILD_ROOT:-build}
jobs=$(nproc 2>/dev/null || echo 2)
((jobs > 2)) && jobs=2

# ---- packages: one list per target --------------------------------------
packages=(cmake g++ googletest python3)
# disk images for the golden disk tests, made at run time on every target by two writers
packages+=(cc1541 cbmconvert)
# --source turned back into bytes by the real assemblers (gcc, for C, comes with g++)
packages+=(acme cc65 64tass xa65)
# the font Hexloom Mono (built from GNU Unifont) and its chart; its test in a terminal
# that falls back to it, on a virtual X server (screenshot: imagemagick)
packages+=(python3-fonttools python3-pil fonts-unifont fontconfig fonts-dejavu-core lxterminal xvfb imagemagick)
# the terminal test again in a Qt terminal at its default font, and the fonts it must be
# preferred to: Debian 12's default monospace font and the fonts with glyphs of their own at
# the private-use code points (Ghostscript's)
packages+=(qterminal fonts-noto-mono fonts-liberation fonts-urw-base35)
# target i386/Linux
packages+=(g++-multilib qemu-user)
# target x86_64/Windows (packages)
packages+=(g++-mingw-w64-x86-64-posix wine wine64 tmux)
# console: the Windows program in Wine's windowed console on a virtual X server (screenshot: imagemagick)
packages+=(xvfb imagemagick)
# deliverables: manual page, completions, packages (.deb and lintian, .zip; the Windows program for the zip)
packages+=(groff man-db bash-completion zip unzip dpkg-dev lintian g++-mingw-w64-x86-64-posix)
# ---- reliability: sanitizer build (gcc) and fuzz targets (clang, libFuzzer) ----
packages+=(clang libclang-rt-14-dev)
# ---- end of package lists -----------------------------------------------

install_missing() {
  local missing=() p started=$SECONDS
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  echo "== installing: ${missing[*]}"
  local sudo=()
  ((EUID == 0)) || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq >/dev/null &&
    "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null ||
    { echo "!! could not install: ${missing[*]}"; exit 1; }
  summary+=("install: ${#missing[@]} packages $(minutes_since "$started")")
}

total_passed=0
total_failed=0
total_skipped=0
summary=()
run_started=$SECONDS

# minutes_since START: "(M.T min)", the time since START (a value of $SECONDS).
minutes_since() {
  local tenths=$(((SECONDS - $1) * 10 / 60))
  printf '(%d.%d min)' $((tenths / 10)) $((tenths % 10))
}

# Shows a CTest log without the lines of tests that started or passed.
show_failures() {
  grep -v -E '^ *Start +[0-9]+: |^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed +[0-9.]+ sec$' "$1"
}

# stage NAME [cmake arguments...]: configure, build and test one target.
stage() {
  local name=$1; shift
  local dir=$build_root/$name log=$build_root/$name.log started=$SECONDS
  echo "== $name: build and test"
  mkdir -p "$build_root"
  if ! cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >"$log" 2>&1 ||
     ! cmake --build "$dir" -j"$jobs" >>"$log" 2>&1; then
    tail -n 60 "$log"
    echo "!! $name: build failed (whole log: $log)"
    summary+=("$name: BUILD FAILED $(minutes_since "$started")")
    total_failed=$((total_failed + 1))
    return
  fi

  local ctest_log=$build_root/$name.ctest.log
  local exclude=()
  [[ -n ${ctest_exclude:-} ]] && exclude=(-E "$ctest_exclude")  # set by a stage that cannot run some tests
  # set by a stage that leaves out what another stage runs (CTest labels)
  [[ -n ${ctest_exclude_labels:-} ]] && exclude+=(-LE "$ctest_exclude_labels")
  local repeat=()
  [[ -n ${ctest_repeat:-} ]] && repeat=(--repeat "$ctest_repeat")  # set by a stage whose runner can fail to start
  ctest --test-dir "$dir" -j"$jobs" --timeout 600 --output-on-failure "${exclude[@]}" "${repeat[@]}" >"$ctest_log" 2>&1
  local status=$? counts
  counts=$(sed -n -E 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+)$/\1 \2/p' "$ctest_log" | tail -n 1)
  if [[ -z $counts ]]; then
    show_failures "$ctest_log"
    echo "!! $name: CTest ran no test (status $status)"
    summary+=("$name: NO TESTS $(minutes_since "$started")")
    total_failed=$((total_failed + 1))
    return
  fi
  local failed=${counts% *} total=${counts#* } skipped
  skipped=$(grep -c -E '^[[:space:]]*[0-9]+ - .* \((Skipped|Disabled)\)$' "$ctest_log")
  local passed=$((total - failed - skipped))
  if ((status != 0 && failed == 0)); then
    failed=1  # CTest failed in a way its counts do not show
  fi
  ((failed)) && show_failures "$ctest_log"
  summary+=("$name: $passed passed, $failed failed, $skipped skipped $(minutes_since "$started")")
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
}

install_missing

# ---- target x86_64/Linux (native): every test, those that do not depend on the target too ----
stage native
# The font is made once, by the native build; the other builds install that one.
native_font=(-DHEXLOOM_FONT_FILE="$build_root/native/font/HexloomMono.ttf")
# ---- target i386/Linux (the Linux deliverable) ----------------------------
# The terminal tests check the Linux terminal code, which the native stage
# runs; the font and deliverable tests are native only.
ctest_exclude_labels=terminal stage i386 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i386.cmake" "${native_font[@]}"
# ---- target x86_64/Windows ------------------------------------------------
# Cross-built with mingw-w64; every test runs under Wine, in a Wine prefix of
# this run's own under one persistent wineserver, so that each of the many
# short program starts takes milliseconds instead of seconds. The server and
# the prefix go away when the stage ends, however the script ends.
wine_prefix=
stop_wine() {
  [[ -n $wine_prefix ]] || return 0
  WINEPREFIX=$wine_prefix wineserver -k >/dev/null 2>&1
  WINEPREFIX=$wine_prefix wineserver -w >/dev/null 2>&1
  rm -rf "$wine_prefix"
  wine_prefix=
}
trap stop_wine EXIT
windows_stage() {
  local started=$SECONDS
  wine_prefix=$(mktemp -d "${TMPDIR:-/tmp}/hexloom-wine.XXXXXX")
  local saved_lang=${LANG-}
  export WINEPREFIX=$wine_prefix WINEDEBUG=-all LANG=C.UTF-8  # UTF-8 file names in the cases
  mkdir -p "$build_root"
  if ! { wineserver -p && wineboot -i; } >"$build_root/windows.wine.log" 2>&1; then
    cat "$build_root/windows.wine.log"
    echo "!! windows: Wine could not be started"
    summary+=("windows: WINE FAILED $(minutes_since "$started")")
    total_failed=$((total_failed + 1))
  else
    # Under load a Wine start now and then ends at once, with no output and
    # a failure status, before the test program ran; such a test gets one
    # more run. A test that fails for real fails twice.
    ctest_repeat=until-pass:2 stage windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
      "${native_font[@]}"
  fi
  stop_wine
  unset WINEPREFIX WINEDEBUG
  if [[ -n $saved_lang ]]; then export LANG=$saved_lang; else unset LANG; fi
}
windows_stage
# ---- console: the Windows program in Wine's windowed console host -------
# That console reports a TrueType font, as on current Windows, so the program
# writes UTF-16 there; what it shows is read back and compared as text.
echo "== console: Windows program in a windowed console"
started=$SECONDS
console_log=$build_root/console.log
bash "$root/tests/console/run.sh" "$build_root/windows/hexloom.exe" "$build_root/windows/read_screen.exe" \
  "$build_root/console" >"$console_log" 2>&1
console_status=$?
console_counts=$(sed -n -E 's/^([0-9]+) passed, ([0-9]+) failed$/\1 \2/p' "$console_log" | tail -n 1)
console_passed=${console_counts% *} console_failed=${console_counts#* }
[[ -n $console_counts ]] || console_passed=0 console_failed=1
((console_status != 0 && console_failed == 0)) && console_failed=1
((console_failed)) && cat "$console_log"
summary+=("console: $console_passed passed, $console_failed failed $(minutes_since "$started")")
total_passed=$((total_passed + console_passed))
total_failed=$((total_failed + console_failed))
# ---- packages (deliver): the .deb and .zip packages, built from the trees above and inspected, once ----
started=$SECONDS
if HEXLOOM_PACKAGING_TEST=1 ctest --test-dir "$build_root/native" -L packaging --output-on-failure \
     >"$build_root/packaging.ctest.log" 2>&1; then
  summary+=("packaging: 1 passed, 0 failed $(minutes_since "$started")")
  total_passed=$((total_passed + 1))
else
  echo "== packaging"
  cat "$build_root/packaging.ctest.log"
  summary+=("packaging: FAILED $(minutes_since "$started")")
  total_failed=$((total_failed + 1))
fi
# ---- reliability: the unit, golden and bad-input tests under AddressSanitizer and UndefinedBehaviorSanitizer ----
# They run the program's code on every kind of input; the font, terminal and
# deliverable tests, run natively, check other things than memory.
ctest_exclude='^golden-harness/' ctest_exclude_labels='font|terminal|deliver' \
  stage asan -DHEXLOOM_SANITIZE=ON "${native_font[@]}"
# ---- reliability: fuzz targets, HEXLOOM_FUZZ_SECONDS in all (default 420, two at once), shared out by fuzz/run.sh ----
echo "== fuzz: build and run"
started=$SECONDS
fuzz_log=$build_root/fuzz.log
mkdir -p "$build_root"
HEXLOOM_FUZZ_SECONDS=${HEXLOOM_FUZZ_SECONDS:-420} bash "$root/fuzz/run.sh" "$build_root/fuzz" >"$fuzz_log" 2>&1
fuzz_status=$?
cat "$fuzz_log"
fuzz_passed=$(grep -c '^fuzz .*, no failure$' "$fuzz_log")
fuzz_failed=$(grep -c '^!! fuzz' "$fuzz_log")
((fuzz_status != 0 && fuzz_failed == 0)) && fuzz_failed=1
summary+=("fuzz: $fuzz_passed passed, $fuzz_failed failed $(minutes_since "$started")")
total_passed=$((total_passed + fuzz_passed))
total_failed=$((total_failed + fuzz_failed))
# ---- end of targets -------------------------------------------------------

echo "== summary"
printf '%s\n' "${summary[@]}"
echo "all stages: $(minutes_since "$run_started")"
closing="$total_passed passed, $total_failed failed"
((total_skipped)) && closing+=", $total_skipped skipped"
echo "$closing"
((total_failed == 0))
