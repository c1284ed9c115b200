#!/usr/bin/env python3
"""The fontconfig rule against every installed font: for each common
monospaced family a terminal may name, fontconfig must give Hexloom Mono for
the private-use characters (as `fc-match 'FAMILY:charset=efc0'` and as the
first font of the family's fallback list that has each of them), and, for
every other character Hexloom Mono has, the very font it gives without the
rule. Families that are not installed count too: fontconfig then falls back
for the whole text, and the rule must not change that either.

Each configuration scans the system's fonts into a cache of its own, as the
rule's scan edits take effect only on fonts scanned after it is read.

Usage: fallback_order_test.py --font HexloomMono.ttf --fontconfig-rule 61-hexloom-mono.conf
           --output-directory DIR
"""

import argparse
import os
import shutil
import subprocess
import sys

from fontTools.ttLib import TTFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from font_sandbox import is_private_use, write_fonts_conf  # noqa: E402

FAMILIES = ["monospace", "DejaVu Sans Mono", "Noto Sans Mono", "Noto Mono", "Liberation Mono", "Hack",
            "FreeMono", "Ubuntu Mono", "Source Code Pro", "Fira Mono"]

def configuration(work, name, rule):
    path = os.path.join(work, f"{name}.conf")
    write_fonts_conf(path, os.path.join(work, "fonts"), os.path.join(work, f"cache-{name}"), rule)
    return path


def fc_match(conf, *arguments):
    return subprocess.run(["fc-match", *arguments], env=dict(os.environ, FONTCONFIG_FILE=conf),
                          check=True, capture_output=True, text=True).stdout


def code_points(charset):
    """The code points of fontconfig's charset notation, such as "20-7e a0"."""
    found = set()
    for part in charset.split():
        first, _, last = part.partition("-")
        found.update(range(int(first, 16), int(last or first, 16) + 1))
    return found


def fallback_list(conf, family):
    """The family's fonts in fallback order, as (family, code points)."""
    lines = fc_match(conf, "-s", family, "-f", "%{family[0]}\t%{charset}\n").splitlines()
    return [(name, code_points(charset)) for name, charset in (line.split("\t") for line in lines)]


def drawn_by(fonts, code_point):
    return next((name for name, covered in fonts if code_point in covered), None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--font", required=True)
    parser.add_argument("--fontconfig-rule", required=True)
    parser.add_argument("--output-directory", required=True)
    arguments = parser.parse_args()

    work = os.path.abspath(arguments.output_directory)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "fonts"))
    shutil.copy(arguments.font, os.path.join(work, "fonts"))
    without_rule = configuration(work, "without-rule", None)
    with_rule = configuration(work, "with-rule", arguments.fontconfig_rule)
    characters = sorted(TTFont(arguments.font).getBestCmap())

    failures = []
    for family in FAMILIES:
        matched = fc_match(with_rule, "-f", "%{family[0]}", f"{family}:charset=efc0")
        if matched != "Hexloom Mono":
            failures.append(f"{family}: fc-match gives {matched} for U+EFC0")
        before, after = fallback_list(without_rule, family), fallback_list(with_rule, family)
        for code_point in characters:
            expected = "Hexloom Mono" if is_private_use(code_point) else drawn_by(before, code_point)
            got = drawn_by(after, code_point)
            if got != expected:
                failures.append(f"{family}: U+{code_point:04X} from {got}, not {expected}")

    for failure in failures[:30]:
        print(f"FAIL: {failure}")
    if failures:
        print(f"{len(failures)} failure(s)")
        return 1
    print(f"{len(FAMILIES)} families: the private-use characters from Hexloom Mono, "
          f"the other {sum(not is_private_use(c) for c in characters)} of its characters from the same fonts as without the rule")
    return 0


if __name__ == "__main__":
    sys.exit(main())
