#!/usr/bin/env python3
"""Builds bcfont's barcode fonts (TrueType) from the tables in patterns.py.

    generate.py --out-dir DIR [--header FILE] [--ocrb OCRB.otf]
                [--macroman encoder/macroman.cpp] [--family NAME ...]
    generate.py --list-files | --list-families

Every face is a list of glyphs; a glyph is a run of modules whose bars are
rectangles on whole-module boundaries, so glyphs set side by side join
exactly. EAN/UPC glyphs add the human-readable digit in OCR-B.
"""

import argparse
import os
import re
import sys
from dataclasses import dataclass, field

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._c_m_a_p import cmap_format_0

# The source tree may be read-only; keep it free of bytecode caches.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import imb_face as IMB  # noqa: E402
import patterns as P  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OCRB = "/usr/share/fonts/opentype/ocr-b/OCRB.otf"
DEFAULT_MACROMAN = os.path.join(HERE, "..", "encoder", "macroman.cpp")

UPM = 1000
VERSION = "1.000"
LICENSE = ("This Font Software is licensed under the SIL Open Font License, Version 1.1. "
           "The digit outlines come from OCR-B (public domain).")
LICENSE_URL = "https://openfontlicense.org"
COPYRIGHT = "Copyright 2026 The bcfont developers"

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


def all_faces():
    faces = []
    for build in (ean_faces, code39_faces, code128_faces, itf_faces, industrial_faces, codabar_faces,
                  postnet_face, imb_face):
        faces.extend(build())
    return faces


# --- font assembly -------------------------------------------------------------

def mac_roman_to_unicode(path):
    """Byte -> Unicode map, the high half parsed out of the C++ table."""
    try:
        with open(path, encoding="utf-8") as f:
            source = f.read()
    except OSError as e:
        raise SystemExit(f"cannot read the Mac Roman table: {e}")
    match = re.search(r"kHighHalf\s*=\s*\{(.*?)\};", source, re.S)
    if not match:
        raise SystemExit(f"{path}: no kHighHalf table found")
    body = re.sub(r"//[^\n]*", "", match.group(1))
    values = [int(v, 16) for v in re.findall(r"0x([0-9A-Fa-f]+)", body)]
    if len(values) != 128:
        raise SystemExit(f"{path}: kHighHalf has {len(values)} entries, expected 128")
    table = {b: b for b in range(128)}
    table.update({128 + i: v for i, v in enumerate(values)})
    return table


class DigitOutlines:
    def __init__(self, path):
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()

    def draw(self, pen, text):
        name = self.cmap[ord(text.digit)]
        # OCR-B digits share one advance; centre that box on the cell.
        advance = self.glyphs[name].width * text.scale
        dx = text.centre_x - advance / 2
        # CFF contours run counter-clockwise; TrueType wants clockwise.
        quad = Cu2QuPen(pen, max_err=0.5, reverse_direction=True)
        self.glyphs[name].draw(TransformPen(quad, (text.scale, 0, 0, text.scale, dx, text.baseline)))


def draw_glyph(glyph, face, digits):
    pen = TTGlyphPen(None)
    for x0, y0, x1, y1 in glyph.rects:
        X0, X1 = x0 * face.module, x1 * face.module
        pen.moveTo((X0, y0))
        pen.lineTo((X0, y1))
        pen.lineTo((X1, y1))
        pen.lineTo((X1, y0))
        pen.closePath()
    for text in glyph.texts:
        digits.draw(pen, text)
    return pen.glyph()


def notdef(face):
    pen = TTGlyphPen(None)
    w = 8 * face.module
    h = face.bar_top - face.bar_bottom
    y0 = face.bar_bottom
    t = max(face.module, 10)
    for (a, b, c, d) in ((0, y0, w, y0 + t), (0, y0 + h - t, w, y0 + h),
                         (0, y0 + t, t, y0 + h - t), (w - t, y0 + t, w, y0 + h - t)):
        pen.moveTo((a, b))
        pen.lineTo((a, d))
        pen.lineTo((c, d))
        pen.lineTo((c, b))
        pen.closePath()
    return pen.glyph(), w


def build_font(face, mac_roman, digits, epoch):
    order = [".notdef"] + [g.name for g in face.glyphs]
    if len(set(order)) != len(order):
        raise SystemExit(f"{face.family}: duplicate glyph names")
    byte_map, unicode_map = {}, {}
    for g in face.glyphs:
        for code in g.codes:
            if code in byte_map:
                raise SystemExit(f"{face.family}: byte {code} assigned twice")
            byte_map[code] = g.name
            unicode_map[mac_roman[code]] = g.name

    glyf, metrics = {}, {}
    glyf[".notdef"], nd_width = notdef(face)
    metrics[".notdef"] = (nd_width, 0)
    for g in face.glyphs:
        glyf[g.name] = draw_glyph(g, face, digits)
        xs = [x for x, _ in glyf[g.name].coordinates] if glyf[g.name].numberOfContours else [0]
        metrics[g.name] = (g.modules * face.module, min(xs))

    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(unicode_map)
    mac = cmap_format_0(0)
    mac.platformID, mac.platEncID, mac.language = 1, 0, 0
    mac.cmap = dict(byte_map)
    fb.font["cmap"].tables.append(mac)
    fb.font["cmap"].tables.sort(key=lambda t: (t.platformID, t.platEncID, t.language))
    fb.setupGlyf(glyf)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=face.ascent, descent=-face.descent)
    ps_name = face.file_stem + "-Regular"
    fb.setupNameTable({
        "copyright": COPYRIGHT,
        "familyName": face.family,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"bcfont: {face.family} {VERSION}",
        "fullName": face.family,
        "version": f"Version {VERSION}",
        "psName": ps_name,
        "licenseDescription": LICENSE,
        "licenseInfoURL": LICENSE_URL,
    })
    fb.setupOS2(
        version=4, achVendID="BCFT", fsType=0, usWeightClass=400,
        sTypoAscender=face.ascent, sTypoDescender=-face.descent, sTypoLineGap=0,
        usWinAscent=face.ascent, usWinDescent=face.descent,
        # Latin 1 and Macintosh Roman code pages.
        ulCodePageRange1=(1 << 0) | (1 << 29), ulCodePageRange2=0,
        fsSelection=(1 << 6) | (1 << 7),
        sxHeight=0, sCapHeight=face.bar_top,
        usFirstCharIndex=min(unicode_map), usLastCharIndex=min(max(unicode_map), 0xFFFF),
    )
    fb.font["OS/2"].recalcUnicodeRanges(fb.font)
    fb.setupPost()
    # Smooth but never grid-fit: hinting would move bar edges off the modules.
    gasp = newTable("gasp")
    gasp.version = 1
    gasp.gaspRange = {0xFFFF: 0x0002 | 0x0008}
    fb.font["gasp"] = gasp
    fb.font["head"].fontRevision = float(VERSION)
    fb.font["head"].created = fb.font["head"].modified = epoch
    return fb.font


def save_atomically(font, path):
    tmp = path + ".tmp"
    font.save(tmp, reorderTables=True)
    os.replace(tmp, path)


def face_metrics_header(faces):
    lines = [
        "// Generated by fonts/generate.py: metrics of bcfont's barcode faces.",
        "#pragma once",
        "",
        "#include <array>",
        "#include <string_view>",
        "",
        "namespace bcfont {",
        "",
        "// Units are font units (unitsPerEm per em). A module is the smallest step",
        "// of every bar and space; narrow and wide elements are whole modules.",
        "// Quiet zones are the blank modules a renderer leaves outside the advance",
        "// of the whole font string. Bars of the main symbol span barBottom..barTop.",
        "struct FaceMetrics {",
        "    std::string_view family;",
        "    std::string_view file;",
        "    int unitsPerEm;",
        "    int moduleUnits;",
        "    int narrowModules;",
        "    int wideModules;",
        "    int quietLeftModules;",
        "    int quietRightModules;",
        "    int barBottomUnits;",
        "    int barTopUnits;",
        "    int ascentUnits;",
        "    int descentUnits;",
        "};",
        "",
        f"inline constexpr std::array<FaceMetrics, {len(faces)}> kFaceMetrics = {{{{",
    ]
    for f in faces:
        lines.append(
            f'    {{"{f.family}", "{f.file_stem}.ttf", {UPM}, {f.module}, {f.narrow}, {f.wide}, '
            f"{f.quiet_left}, {f.quiet_right}, {f.bar_bottom}, {f.bar_top}, {f.ascent}, {f.descent}}},")
    lines += ["}};", "", "}  // namespace bcfont", ""]
    return "\n".join(lines)


def write_text_atomically(path, text):
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, path)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out-dir")
    ap.add_argument("--list-files", action="store_true", help="print the file name of every face and stop")
    ap.add_argument("--list-families", action="store_true", help="print the family of every face and stop")
    ap.add_argument("--header", help="write the face metrics C++ header here")
    ap.add_argument("--ocrb", default=DEFAULT_OCRB)
    ap.add_argument("--macroman", default=DEFAULT_MACROMAN)
    ap.add_argument("--family", action="append", help="build only this family (repeatable)")
    args = ap.parse_args(argv)
    if args.list_files or args.list_families:
        print("\n".join(f"{face.file_stem}.ttf" if args.list_files else face.family for face in all_faces()))
        return 0
    if not args.out_dir:
        ap.error("--out-dir is required")

    if not os.path.isfile(args.ocrb):
        raise SystemExit(f"OCR-B font not found at {args.ocrb} (Debian package fonts-ocr-b)")
    faces = all_faces()
    if args.family:
        unknown = set(args.family) - {f.family for f in faces}
        if unknown:
            raise SystemExit(f"unknown family: {', '.join(sorted(unknown))}")
        faces = [f for f in faces if f.family in args.family]

    mac_roman = mac_roman_to_unicode(args.macroman)
    digits = DigitOutlines(args.ocrb)
    # Fixed timestamps keep the build reproducible.
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "1767225600")) + 2082844800
    os.makedirs(args.out_dir, exist_ok=True)
    for face in faces:
        save_atomically(build_font(face, mac_roman, digits, epoch),
                        os.path.join(args.out_dir, face.file_stem + ".ttf"))
    if args.header:
        os.makedirs(os.path.dirname(os.path.abspath(args.header)), exist_ok=True)
        write_text_atomically(args.header, face_metrics_header(all_faces()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
