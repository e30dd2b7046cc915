#!/usr/bin/env python3
"""Compresses bcfont's TrueType faces to WOFF2 and writes their CSS.

    woff2.py TTF_DIR PACKAGE_DIR

PACKAGE_DIR/fonts/<Name>.woff2 holds the same tables as TTF_DIR/<Name>.ttf
(fontTools with Brotli); PACKAGE_DIR/bcfont.css declares every family and a
class per family, named from the family's own name table.
"""

import os
import re
import sys

from fontTools.ttLib import TTFont

sys.dont_write_bytecode = True

# Bars must meet exactly: no kerning, ligatures or spacing that the page's
# own style might add, no wrapping inside a symbol, and print keeps black.
CLASS_RULES = """  font-family: "{family}";
  font-kerning: none;
  font-variant-ligatures: none;
  font-feature-settings: normal;
  letter-spacing: 0;
  word-spacing: 0;
  white-space: pre;
  text-transform: none;
  -webkit-print-color-adjust: exact;
  print-color-adjust: exact;"""


def class_name(family):
    return "bcfont-" + re.sub(r"[^a-z0-9]+", "-", family.lower()).strip("-")


def family_of(font):
    return font["name"].getDebugName(1)


# Faces whose lines stack into one symbol (2D codes): lines one em apart.
# Chromium puts each line on a whole CSS pixel, so they touch only at a
# font size of whole pixels (8px, 11px, 16px...), never at 8pt = 10.67px.
STACKED_RULES = """
  line-height: 1;"""


def stacks(font):
    """Whether the face's lines are one em with no gap: its glyphs stack."""
    os2 = font["OS/2"]
    return os2.sTypoAscender - os2.sTypoDescender == font["head"].unitsPerEm and os2.sTypoLineGap == 0


def css(faces):
    """faces: (family, woff2 file name, lines stack) triples."""
    parts = ["/* bcfont's barcode faces (SIL Open Font License 1.1, see fonts/LICENSE). */"]
    for family, file, _ in faces:
        parts.append(
            f'@font-face {{\n  font-family: "{family}";\n  src: url("fonts/{file}") format("woff2");\n'
            "  font-display: block;\n}")
    for family, _, stacked in faces:
        rules = CLASS_RULES.format(family=family) + (STACKED_RULES if stacked else "")
        parts.append(f".{class_name(family)} {{\n{rules}\n}}")
    return "\n".join(parts) + "\n"


def main():
    ttf_dir, package_dir = sys.argv[1], sys.argv[2]
    os.makedirs(os.path.join(package_dir, "fonts"), exist_ok=True)
    faces = []
    for name in sorted(os.listdir(ttf_dir)):
        if not name.endswith(".ttf"):
            continue
        woff2 = name[:-4] + ".woff2"
        target = os.path.join(package_dir, "fonts", woff2)
        source = os.path.join(ttf_dir, name)
        font = TTFont(source)
        faces.append((family_of(font), woff2, stacks(font)))
        if os.path.exists(target) and os.path.getmtime(target) >= os.path.getmtime(source):
            continue
        font.flavor = "woff2"
        font.save(target)
    with open(os.path.join(package_dir, "bcfont.css"), "w", encoding="utf-8") as out:
        out.write(css(faces))


if __name__ == "__main__":
    main()
