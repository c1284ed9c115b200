"""What the font tests share: a fontconfig configuration of their own (the
system's rules and fonts, a directory with the font under test, a cache of
its own, the rule under test if any), and which code points are the
machine's own glyphs."""

import os

# The system's rules and fonts, but a cache of its own: the rule's scan edits
# take effect only on fonts scanned after it is read, and the system's caches
# were made without it. Only the font under test: not one a package installed.
FONTS_CONF = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir>{fonts}</dir>
  <cachedir>{cache}</cachedir>
  {rule}
  <selectfont><rejectfont>
    <glob>/usr/share/fonts/truetype/hexloom/*</glob>
    <glob>/usr/local/share/fonts/truetype/hexloom/*</glob>
  </rejectfont></selectfont>
</fontconfig>
"""


def write_fonts_conf(path, fonts, cache, rule):
    """Writes the configuration to path; rule is the rule file to include, or None."""
    with open(path, "w") as conf:
        conf.write(FONTS_CONF.format(fonts=fonts, cache=cache,
                                     rule=f"<include>{os.path.abspath(rule)}</include>" if rule else ""))


def is_private_use(code_point):
    """Whether the code point is one of the machine's own glyphs."""
    return 0xEE00 <= code_point <= 0xEFFF
