#!/usr/bin/env python3
"""Builds bcfont's barcode fonts (TrueType) from the faces in faces.py.

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

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._c_m_a_p import cmap_format_0

# The source tree may be read-only; keep it free of bytecode caches.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from faces import all_faces  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OCRB = "/usr/share/fonts/opentype/ocr-b/OCRB.otf"
DEFAULT_MACROMAN = os.path.join(HERE, "..", "encoder", "macroman.cpp")

UPM = 1000
VERSION = "1.000"
LICENSE = ("This Font Software is licensed under the SIL Open Font License, Version 1.1. "
           "The digit outlines come from OCR-B (public domain).")
LICENSE_URL = "https://openfontlicense.org"
COPYRIGHT = "Copyright 2026 The bcfont developers"


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
