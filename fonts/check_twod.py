"""Checks of the Code 2D face: the vertical metrics that make its lines
touch (one em, no line gap, in every table an application may size lines
from), and the column of four modules each letter draws, read from the
outlines at the module centres."""

import os

from check_readers import Fail

FILE = "Code2D.ttf"
MODULE = 250
BLEED = 25  # ink over the right and top edges, covering rasterisers' seams

# (what, table, field, value): measured, each is needed somewhere; see
# fonts/README.md for which application reads which.
METRICS = [
    ("units per em", "head", "unitsPerEm", 1000),
    ("hhea ascender", "hhea", "ascent", 1000),
    ("hhea descender", "hhea", "descent", 0),
    ("hhea line gap", "hhea", "lineGap", 0),
    ("typo ascender", "OS/2", "sTypoAscender", 1000),
    ("typo descender", "OS/2", "sTypoDescender", 0),
    ("typo line gap", "OS/2", "sTypoLineGap", 0),
    ("win ascent", "OS/2", "usWinAscent", 1000),
    ("win descent", "OS/2", "usWinDescent", 0),
]

# letter: its column top module first, as TWOD's letter = 'A' + value with
# bit 3 the top module.
COLUMNS = [
    ("A", "0000"), ("B", "0001"), ("C", "0010"), ("D", "0011"), ("E", "0100"), ("F", "0101"),
    ("G", "0110"), ("H", "0111"), ("I", "1000"), ("J", "1001"), ("K", "1010"), ("L", "1011"),
    ("M", "1100"), ("N", "1101"), ("O", "1110"), ("P", "1111"),
]


def column_of(font, name):
    """The modules a glyph draws at the module centres, top first."""
    glyf = font["glyf"]
    g = glyf[name]
    rects = []
    if g.numberOfContours > 0:
        coords, ends, _ = g.getCoordinates(glyf)
        start = 0
        for end in ends:
            xs = [x for x, _ in coords[start:end + 1]]
            ys = [y for _, y in coords[start:end + 1]]
            rects.append((min(xs), min(ys), max(xs), max(ys)))
            start = end + 1
    out = ""
    for row in range(4):
        y = 1000 - (row + 0.5) * MODULE
        out += "1" if any(x0 <= MODULE / 2 < x1 and y0 <= y < y1 for x0, y0, x1, y1 in rects) else "0"
    return out


def check_letter(font, letter, expected):
    name = font.getBestCmap().get(ord(letter))
    if name is None:
        raise Fail(f"'{letter}' has no glyph")
    advance, lsb = font["hmtx"][name]
    g = font["glyf"][name]
    x_min = g.xMin if g.numberOfContours > 0 else 0
    if advance != MODULE or lsb != x_min:
        raise Fail(f"advance {advance}, lsb {lsb}, xMin {x_min}; expected advance {MODULE}, lsb = xMin")
    if g.numberOfContours > 0 and (g.xMin, g.xMax) != (0, MODULE + BLEED):
        raise Fail(f"ink {g.xMin}..{g.xMax}, expected the column and its bleed 0..{MODULE + BLEED}")
    top = 1000 + BLEED if expected[0] == "1" else None
    if g.numberOfContours > 0 and top and g.yMax != top:
        raise Fail(f"ink up to {g.yMax}, expected the top module and its bleed up to {top}")
    column = column_of(font, name)
    if column != expected:
        raise Fail(f"draws {column}, expected {expected}")


def check_layout_rules(font):
    if not font["OS/2"].fsSelection & (1 << 7):
        raise Fail("USE_TYPO_METRICS is not set")
    if 0x20 in font.getBestCmap():
        raise Fail("the space has a glyph: HTML collapses spaces")
    hinting = [t for t in ("fpgm", "prep", "cvt ") if t in font]
    if hinting:
        raise Fail(f"hinting tables {hinting}: grid-fitting would move module edges")


def run(report, font_dir):
    from fontTools.ttLib import TTFont
    path = os.path.join(font_dir, FILE)
    if not os.path.isfile(path):
        report.check("Code 2D", lambda: (_ for _ in ()).throw(Fail(f"{path} missing")))
        return
    font = TTFont(path)
    for what, table, field, value in METRICS:
        report.check(f"Code 2D: {what}", lambda t=table, f=field, v=value: report.expect(getattr(font[t], f), v))
    report.check("Code 2D: typo metrics used, no space, no hinting", lambda: check_layout_rules(font))
    for letter, expected in COLUMNS:
        report.check(f"Code 2D: letter {letter}", lambda c=letter, e=expected: check_letter(font, c, e))
