"""The faces bcfont's generator builds: each a list of glyphs, a glyph a run
of modules whose bars are rectangles on whole-module boundaries, so glyphs
set side by side join exactly. EAN/UPC glyphs add the human-readable digit.
"""

import os
import sys
from dataclasses import dataclass, field

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import imb_face as IMB  # noqa: E402
import patterns as P  # noqa: E402
import twod_face as TWOD  # noqa: E402


# --- EAN/UPC geometry (font units) -------------------------------------------
# One module is 13/1000 em: at 72 pt that is 0.330 mm, the nominal EAN module,
# so the 95-module EAN-13 symbol is 31.4 mm wide (37.3 mm with quiet zones).
EAN_MODULE = 13
EAN_TEXT_SCALE = 0.14          # OCR-B digits, about 2.8 mm tall at 72 pt
UPC_SMALL_TEXT_SCALE = 0.10    # UPC-A/UPC-E number system and check digit
EAN_TEXT_HEIGHT = 110          # ink height of a scaled digit, rounded up
EAN_BAR_BOTTOM = 120           # data bars start just above the digits
EAN_GUARD_BOTTOM = EAN_BAR_BOTTOM - 5 * EAN_MODULE  # guards reach 5 modules lower
EAN_BAR_HEIGHT = 69 * EAN_MODULE                    # nominal 22.85 mm at 72 pt
EAN_TEXT_GAP = 10

# --- Linear symbologies --------------------------------------------------------
# Narrow element 24/1000 em: 0.254 mm (10 mil) at 30 pt, 0.339 mm at 40 pt.
# Faces with narrow and wide elements count in half-narrow modules (12 units)
# so the high-density ratio 2.5:1 stays on whole modules.
NW_MODULE = 12
NW_NARROW = 2
NW_WIDE = 6
NW_WIDE_HD = 5
C128_MODULE = 24
LINEAR_BAR_HEIGHT = 800        # 8.5 mm at 30 pt, 11.3 mm at 40 pt
LINEAR_QUIET_X = 10            # quiet zone: ten narrow elements each side

# --- Postnet -----------------------------------------------------------------
# At 9 pt one em is 1/8 inch, the height of a full bar. Bars 3 modules
# (0.0195 in) on a pitch of 7 modules (0.0455 in, 22 bars per inch).
POSTNET_MODULE = 52
POSTNET_BAR = 3
POSTNET_SPACE = 4
POSTNET_FULL = 1000
POSTNET_HALF = 400


@dataclass
class Text:
    digit: str
    scale: float
    centre_x: float   # font units
    baseline: float   # font units


@dataclass
class Glyph:
    name: str
    codes: list            # bytes of the font string that select this glyph
    modules: int           # advance in modules
    rects: list = field(default_factory=list)   # (x0, y0, x1, y1), x in modules
    texts: list = field(default_factory=list)


@dataclass
class Face:
    family: str
    module: int
    narrow: int
    wide: int
    quiet_left: int
    quiet_right: int
    bar_bottom: int
    bar_top: int
    ascent: int
    descent: int
    glyphs: list

    @property
    def file_stem(self):
        return self.family.replace(" ", "")


# --- pattern helpers -----------------------------------------------------------

def bar_runs(modules):
    """(first, end) module indexes of each bar run of a module string."""
    runs, start = [], None
    for i, m in enumerate(modules + "0"):
        if m == "1" and start is None:
            start = i
        elif m != "1" and start is not None:
            runs.append((start, i))
            start = None
    return runs


def from_widths(widths):
    """Module string of a width string, bar first."""
    return "".join(("1" if i % 2 == 0 else "0") * int(w) for i, w in enumerate(widths))


def from_narrow_wide(elements, narrow, wide, bar_first=True):
    out = []
    for i, e in enumerate(elements):
        is_bar = (i % 2 == 0) == bar_first
        out.append(("1" if is_bar else "0") * (wide if e == "w" else narrow))
    return "".join(out)


def interleave(bars, spaces):
    return "".join(b + s for b, s in zip(bars, spaces))


def bar_glyph(name, codes, modules, y0, y1, offset=0, width=None):
    rects = [(offset + a, y0, offset + b, y1) for a, b in bar_runs(modules)]
    return Glyph(name, list(codes), width if width is not None else offset + len(modules), rects)


def blank(name, codes, modules):
    return Glyph(name, list(codes), modules)


# --- EAN / UPC -----------------------------------------------------------------

def ean_faces():
    faces = []
    for red in (False, True):
        height = EAN_BAR_HEIGHT // 2 if red else EAN_BAR_HEIGHT
        top = EAN_BAR_BOTTOM + height
        addon_text_base = top - EAN_TEXT_HEIGHT
        addon_top = addon_text_base - EAN_TEXT_GAP
        suffix = " Red" if red else ""

        def cell_text(d, scale=EAN_TEXT_SCALE, base=0):
            return Text(d, scale, 3.5 * EAN_MODULE, base)

        def data_digit(name, code, pattern, d):
            g = bar_glyph(name, [code], pattern, EAN_BAR_BOTTOM, top)
            g.texts.append(cell_text(d))
            return g

        def addon_digit(name, code, pattern, d):
            g = bar_glyph(name, [code], pattern, EAN_GUARD_BOTTOM, addon_top)
            g.texts.append(cell_text(d, base=addon_text_base))
            return g

        def guards(glyphs, with_upce):
            glyphs.append(bar_glyph("guard.left", b"<", P.EAN_NORMAL_GUARD, EAN_GUARD_BOTTOM, top))
            glyphs.append(bar_glyph("guard.centre", b"=", P.EAN_CENTRE_GUARD, EAN_GUARD_BOTTOM, top))
            glyphs.append(bar_glyph("guard.right", b">", P.EAN_NORMAL_GUARD, EAN_GUARD_BOTTOM, top))
            if with_upce:
                glyphs.append(bar_glyph("guard.upce", b"?", P.UPCE_END_GUARD, EAN_GUARD_BOTTOM, top))

        # Code EAN: digit rows of the EAN-13/EAN-8 font character sets.
        g = [blank("space", b" ", 7)]
        for d in range(10):
            ch = P.DIGITS[d]
            g.append(Glyph(f"text.{d}", [ord(ch)], 7, texts=[cell_text(ch)]))
            g.append(data_digit(f"seta.{d}", ord(ch) + 17, P.EAN_SET_A[d], ch))
            g.append(data_digit(f"setb.{d}", ord(ch) + 28, P.EAN_SET_B[d], ch))
            g.append(data_digit(f"setc.{d}", ord(ch) + 49, P.EAN_SET_C[d], ch))
            g.append(addon_digit(f"addon.seta.{d}", d + 108, P.EAN_SET_A[d], ch))
            g.append(addon_digit(f"addon.setb.{d}", d + 86 if d <= 4 else d + 113, P.EAN_SET_B[d], ch))
        guards(g, with_upce=False)
        g.append(bar_glyph("addon.start", b":", P.ADDON_START, EAN_GUARD_BOTTOM, addon_top,
                           offset=P.ADDON_GAP_MODULES))
        g.append(bar_glyph("addon.separator", b";", P.ADDON_SEPARATOR, EAN_GUARD_BOTTOM, addon_top))
        faces.append(Face("Code EAN" + suffix, EAN_MODULE, 1, 1, 7, 7, EAN_BAR_BOTTOM, top,
                          top + 40, 60, g))

        # Code UPC: the first and last UPC-A digits are drawn with guard-length
        # bars; their human-readable copies are the smaller '0'-'9' glyphs.
        g = [blank("space", b" ", 7)]
        for d in range(10):
            ch = P.DIGITS[d]
            g.append(Glyph(f"text.{d}", [ord(ch)], 7, texts=[cell_text(ch, UPC_SMALL_TEXT_SCALE)]))
            g.append(data_digit(f"seta.{d}", ord(ch) + 17, P.EAN_SET_A[d], ch))
            g.append(data_digit(f"setb.{d}", d + 86 if d <= 4 else d + 113, P.EAN_SET_B[d], ch))
            g.append(data_digit(f"setc.{d}", ord(ch) + 49, P.EAN_SET_C[d], ch))
            g.append(bar_glyph(f"upca.first.{d}", [ord(ch) + 28], P.EAN_SET_A[d], EAN_GUARD_BOTTOM, top))
            g.append(bar_glyph(f"upca.last.{d}", [ord(ch) + 60], P.EAN_SET_C[d], EAN_GUARD_BOTTOM, top))
        guards(g, with_upce=True)
        faces.append(Face("Code UPC" + suffix, EAN_MODULE, 1, 1, 2, 2, EAN_BAR_BOTTOM, top,
                          top + 40, 60, g))
    return faces


# --- Code 39 -------------------------------------------------------------------

def code39_faces():
    faces = []
    for red in (False, True):
        for hd in (False, True):
            top = LINEAR_BAR_HEIGHT // 2 if red else LINEAR_BAR_HEIGHT
            wide = NW_WIDE_HD if hd else NW_WIDE
            gap = "0" * NW_NARROW  # inter-character gap, one narrow element
            g = []
            for ch, elements in P.CODE39.items():
                modules = from_narrow_wide(elements, NW_NARROW, wide) + gap
                if ch == "space":
                    # The encoder writes the space character at its own
                    # byte; a typed space draws the same pattern.
                    g.append(bar_glyph("c39.space", [ord(P.CODE39_SPACE_BYTE), ord(" ")], modules, 0, top))
                else:
                    g.append(bar_glyph(f"c39.{glyph_suffix(ch)}", [ord(ch)], modules, 0, top))
            family = "Code 39" + (" Red" if red else "") + (" High Density" if hd else "")
            q = LINEAR_QUIET_X * NW_NARROW
            faces.append(Face(family, NW_MODULE, NW_NARROW, wide, q, q, 0, top, top + 40, 120, g))
    return faces


def glyph_suffix(ch):
    return ch if ch.isalnum() else f"u{ord(ch):04X}"


# --- Code 128 ------------------------------------------------------------------

def code128_faces():
    faces = []
    for red in (False, True):
        top = LINEAR_BAR_HEIGHT // 2 if red else LINEAR_BAR_HEIGHT
        g = []
        for value, widths in enumerate(P.CODE128):
            codes = [P.code128_byte(value)]
            if value == 0:
                codes.append(0x20)  # a typed space draws value 0 as well
            g.append(bar_glyph(f"c128.{value}", codes, from_widths(widths), 0, top))
        family = "Code 128" + (" Red" if red else "")
        faces.append(Face(family, C128_MODULE, 1, 4, LINEAR_QUIET_X, LINEAR_QUIET_X, 0, top,
                          top + 40, 120, g))
    return faces


# --- 2 of 5 --------------------------------------------------------------------

def itf_faces():
    faces = []
    for red in (False, True):
        for hd in (False, True):
            top = LINEAR_BAR_HEIGHT // 2 if red else LINEAR_BAR_HEIGHT
            wide = NW_WIDE_HD if hd else NW_WIDE
            g = [blank("space", b" ", 2 * (3 * NW_NARROW + 2 * wide))]
            for pair in range(100):
                first, second = P.TWO_OF_FIVE[pair // 10], P.TWO_OF_FIVE[pair % 10]
                modules = from_narrow_wide(interleave(first, second), NW_NARROW, wide)
                g.append(bar_glyph(f"itf.{pair:02d}", [P.itf_pair_byte(pair)], modules, 0, top))
            g.append(bar_glyph("itf.start", [P.ITF_START_BYTE], from_narrow_wide(P.ITF_START, NW_NARROW, wide), 0, top))
            g.append(bar_glyph("itf.stop", [P.ITF_STOP_BYTE], from_narrow_wide(P.ITF_STOP, NW_NARROW, wide), 0, top))
            family = "Code 25 Interleaved" + (" Red" if red else "") + (" HD" if hd else "")
            q = LINEAR_QUIET_X * NW_NARROW
            faces.append(Face(family, NW_MODULE, NW_NARROW, wide, q, q, 0, top, top + 40, 120, g))
    return faces


def industrial_faces():
    faces = []
    for red in (False, True):
        top = LINEAR_BAR_HEIGHT // 2 if red else LINEAR_BAR_HEIGHT
        narrow_spaces = "n" * 5

        def bars_only(bars, trailing_space=True):
            spaces = narrow_spaces[: len(bars) if trailing_space else len(bars) - 1]
            return from_narrow_wide(interleave(bars, spaces) + ("" if trailing_space else bars[-1]),
                                    NW_NARROW, NW_WIDE)

        g = [blank("space", b" ", 3 * NW_NARROW + 2 * NW_WIDE + 5 * NW_NARROW)]
        for d in range(10):
            g.append(bar_glyph(f"ind.{d}", [ord(P.DIGITS[d])], bars_only(P.TWO_OF_FIVE[d]), 0, top))
        g.append(bar_glyph("ind.start", b"<", bars_only(P.INDUSTRIAL_START), 0, top))
        g.append(bar_glyph("ind.stop", b">", bars_only(P.INDUSTRIAL_STOP, trailing_space=False), 0, top))
        family = "Code 25 Industrial" + (" Red" if red else "")
        q = LINEAR_QUIET_X * NW_NARROW
        faces.append(Face(family, NW_MODULE, NW_NARROW, NW_WIDE, q, q, 0, top, top + 40, 120, g))
    return faces


# --- Codabar and Postnet -------------------------------------------------------

def codabar_faces():
    faces = []
    for red in (False, True):
        top = LINEAR_BAR_HEIGHT // 2 if red else LINEAR_BAR_HEIGHT
        gap = "0" * NW_NARROW
        g = [blank("space", b" ", 5 * NW_NARROW + 2 * NW_WIDE + NW_NARROW)]
        for ch, elements in P.CODABAR.items():
            modules = from_narrow_wide(elements, NW_NARROW, NW_WIDE) + gap
            g.append(bar_glyph(f"cbar.{glyph_suffix(ch)}", [ord(ch)], modules, 0, top))
        family = "Codabar" + (" Red" if red else "")
        q = LINEAR_QUIET_X * NW_NARROW
        faces.append(Face(family, NW_MODULE, NW_NARROW, NW_WIDE, q, q, 0, top, top + 40, 120, g))
    return faces


def postnet_face():
    pitch = POSTNET_BAR + POSTNET_SPACE

    def bars(heights):
        return [(i * pitch, 0, i * pitch + POSTNET_BAR, POSTNET_FULL if h == "1" else POSTNET_HALF)
                for i, h in enumerate(heights)]

    g = [blank("space", b" ", 5 * pitch)]
    for d in range(10):
        g.append(Glyph(f"post.{d}", [ord(P.DIGITS[d])], 5 * pitch, rects=bars(P.POSTNET[d])))
    g.append(Glyph("post.frame", b"-", pitch, rects=bars("1")))
    # One eighth of an inch of quiet zone at 9 pt is 1000 units.
    return [Face("Postnet", POSTNET_MODULE, POSTNET_BAR, POSTNET_BAR, 20, 20, 0, POSTNET_FULL,
                 POSTNET_FULL + 40, 100, g)]


def imb_face():
    g = [Glyph(f"imb.{letter}", [ord(letter)], IMB.BAR + IMB.SPACE, rects=[(0, bottom, IMB.BAR, top)])
         for letter, (bottom, top) in IMB.EXTENTS.items()]
    return [Face("Code IMb", IMB.MODULE, IMB.BAR, IMB.BAR, IMB.QUIET, IMB.QUIET, 0, IMB.FULL_TOP,
                 IMB.FULL_TOP + 40, 100, g)]




def twod_face():
    right = (TWOD.MODULE + TWOD.BLEED) / TWOD.MODULE   # in modules, bleed included
    g = [Glyph(f"twod.{letter}", [ord(letter)], 1, rects=[(0, bottom, right, top) for bottom, top in TWOD.column_runs(v)])
         for v, letter in enumerate(TWOD.LETTERS)]
    # The quiet zone is in the font string as blank columns.
    return [Face("Code 2D", TWOD.MODULE, 1, 1, 0, 0, 0, TWOD.EM, TWOD.EM, 0, g)]


def all_faces():
    faces = []
    for build in (ean_faces, code39_faces, code128_faces, itf_faces, industrial_faces, codabar_faces,
                  postnet_face, imb_face, twod_face):
        faces.extend(build())
    return faces
