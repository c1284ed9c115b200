#!/usr/bin/env bash
# The version and the release date are typed once, in cmake/version.cmake;
# what a release still writes by hand must agree with them: the newest entry
# of the Debian change log, and the revision date the version screen shows.
# The manual page the build made must carry both in its title line.
#
# Usage: release_facts_test.sh SOURCE_DIRECTORY BUILD_DIRECTORY PROGRAM VERSION RELEASE_DATE
set -uo pipefail
source_dir=$1 build=$2 program=$3 version=$4 date=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

title=$(grep -m1 '^\.TH ' "$build/doc/hexloom.1")
[[ $title == ".TH HEXLOOM 1 $date \"hexloom $version\" \"User Commands\"" ]] ||
  fail "the build's manual page has the title line: $title"

changelog=$source_dir/packaging/debian/changelog
newest=$(head -n1 "$changelog")
[[ $newest == "hexloom ($version) "* ]] || fail "the newest entry of $changelog is: $newest"
trailer=$(grep -m1 '^ -- ' "$changelog")
day=$(LC_ALL=C date -u -d "$date" '+%a, %d %b %Y')
[[ $trailer == *">  $day "* ]] || fail "the newest entry of $changelog is not dated $day: $trailer"

screen=$("$program" --version 2>&1 | head -n1)
[[ $screen == "hexloom v$version [r"*"; $date "* ]] ||
  fail "the version screen does not show version $version of $date: $screen"

((failures == 0))
