#!/usr/bin/env python3
"""The WOFF2 faces of the web package draw what the TTFs draw: for every face
the same glyphs, outlines, advances, character maps and names.

    woff2_test.py TTF_DIR WOFF2_DIR
"""

import os
import sys
import unittest

from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont

sys.dont_write_bytecode = True
TTF_DIR, WOFF2_DIR = sys.argv[1], sys.argv[2]


def outlines(font):
    glyphs = font.getGlyphSet()
    drawn = {}
    for name in font.getGlyphOrder():
        pen = RecordingPen()
        glyphs[name].draw(pen)
        drawn[name] = pen.value
    return drawn


# What a page sees of a face, by aspect.
ASPECTS = {
    "glyph order": lambda f: f.getGlyphOrder(),
    "outlines": outlines,
    "advances": lambda f: dict(f["hmtx"].metrics),
    "character map": lambda f: f.getBestCmap(),
    "family": lambda f: f["name"].getDebugName(1),
    "units per em": lambda f: f["head"].unitsPerEm,
    "vertical metrics": lambda f: (f["hhea"].ascent, f["hhea"].descent, f["OS/2"].usWinAscent),
}


class Woff2HoldsTheTtf(unittest.TestCase):
    def test_every_face(self):
        ttfs = sorted(n for n in os.listdir(TTF_DIR) if n.endswith(".ttf"))
        woff2s = sorted(n for n in os.listdir(WOFF2_DIR) if n.endswith(".woff2"))
        self.assertEqual([n[:-4] for n in ttfs], [n[:-6] for n in woff2s], "the faces")
        for name in ttfs:
            ttf = TTFont(os.path.join(TTF_DIR, name))
            woff2 = TTFont(os.path.join(WOFF2_DIR, name[:-4] + ".woff2"))
            self.assertEqual(woff2.flavor, "woff2", name)
            for aspect, read in ASPECTS.items():
                with self.subTest(face=name, aspect=aspect):
                    self.assertEqual(read(woff2), read(ttf))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
