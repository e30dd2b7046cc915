#!/usr/bin/env python3
"""Checks the generated barcode fonts in FONT_DIR.

    check_fonts.py FONT_DIR FONT_BYTES_HEADER

FONT_BYTES_HEADER is the build's font_bytes.h, the bytes the encoders write.
Per face: names, both cmaps for every byte the encoders write, advances in
whole modules, bars on module boundaries, vertical metrics that cover every
glyph. Then known font strings are set glyph by glyph, the bars are read back
along a scan line and decoded with the pattern tables; the result must be the
symbol the string stands for. Prints one line per failure and a summary.
"""

import os
import re
import sys

from fontTools.ttLib import TTFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
import patterns as P  # noqa: E402
from check_readers import READERS, Fail, read_code128, read_ean, read_itf, read_postnet  # noqa: E402
import check_twod  # noqa: E402
from generate import mac_roman_to_unicode  # noqa: E402

SCAN_Y = 300      # crosses every bar of every face, half-height ones included

EAN_BYTES = "0123456789ABCDEFGHIJLMNOPQRSTUabcdefghijlmnopqrstuVWXYZvwxyz:;<=>"
UPC_BYTES = "0123456789ABCDEFGHIJLMNOPQRSTUabcdefghijlmnopqrstuVWXYZvwxyz<=>?"
CODE39_BYTES = "".join(P.CODE39_SPACE_BYTE if k == "space" else k for k in P.CODE39)


class EncoderBytes:
    """The Code 128 and Interleaved 2 of 5 bytes of the encoders' header."""

    def __init__(self, path):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        self.code128 = self.array(text, "kCode128")
        self.itf_pairs = self.array(text, "kInterleavedPairs")
        self.itf_start = self.scalar(text, "kInterleavedStart")
        self.itf_stop = self.scalar(text, "kInterleavedStop")
        # A typed space draws value 0 as well.
        self.code128_required = bytes(self.code128) + b" "
        self.itf_required = bytes(self.itf_pairs + [self.itf_start, self.itf_stop])

    @staticmethod
    def array(text, name):
        m = re.search(name + r" = \{([^}]*)\};", text)
        return [int(v) for v in m.group(1).replace(",", " ").split()]

    @staticmethod
    def scalar(text, name):
        return int(re.search(name + r" = (\d+);", text).group(1))

# family, file, kind, module units, bytes the encoders write ("code128" and
# "itf": read from the encoders' header)
FACES = [
    ("Code EAN", "CodeEAN.ttf", "ean", 13, EAN_BYTES.encode()),
    ("Code EAN Red", "CodeEANRed.ttf", "ean", 13, EAN_BYTES.encode()),
    ("Code UPC", "CodeUPC.ttf", "upc", 13, UPC_BYTES.encode()),
    ("Code UPC Red", "CodeUPCRed.ttf", "upc", 13, UPC_BYTES.encode()),
    ("Code 39", "Code39.ttf", "code39", 12, CODE39_BYTES.encode()),
    ("Code 39 High Density", "Code39HighDensity.ttf", "code39", 12, CODE39_BYTES.encode()),
    ("Code 39 Red", "Code39Red.ttf", "code39", 12, CODE39_BYTES.encode()),
    ("Code 39 Red High Density", "Code39RedHighDensity.ttf", "code39", 12, CODE39_BYTES.encode()),
    ("Code 128", "Code128.ttf", "code128", 24, "code128"),
    ("Code 128 Red", "Code128Red.ttf", "code128", 24, "code128"),
    ("Code 25 Interleaved", "Code25Interleaved.ttf", "itf", 12, "itf"),
    ("Code 25 Interleaved HD", "Code25InterleavedHD.ttf", "itf", 12, "itf"),
    ("Code 25 Interleaved Red", "Code25InterleavedRed.ttf", "itf", 12, "itf"),
    ("Code 25 Interleaved Red HD", "Code25InterleavedRedHD.ttf", "itf", 12, "itf"),
    ("Code 25 Industrial", "Code25Industrial.ttf", "industrial", 12, b"0123456789<>"),
    ("Code 25 Industrial Red", "Code25IndustrialRed.ttf", "industrial", 12, b"0123456789<>"),
    ("Codabar", "Codabar.ttf", "codabar", 12, b"0123456789-$:/.+ABCD"),
    ("Codabar Red", "CodabarRed.ttf", "codabar", 12, b"0123456789-$:/.+ABCD"),
    ("Postnet", "Postnet.ttf", "postnet", 52, b"0123456789-"),
    ("Code IMb", "CodeIMb.ttf", "imb", 36, b"ADFT"),
]

HALF_HEIGHT_PAIRS = [
    ("Code EAN Red", "Code EAN"), ("Code UPC Red", "Code UPC"), ("Code 39 Red", "Code 39"),
    ("Code 39 Red High Density", "Code 39 High Density"), ("Code 128 Red", "Code 128"),
    ("Code 25 Interleaved Red", "Code 25 Interleaved"), ("Code 25 Interleaved Red HD", "Code 25 Interleaved HD"),
    ("Code 25 Industrial Red", "Code 25 Industrial"), ("Codabar Red", "Codabar"),
]

# Font strings the encoders write for known data, and what their bars must
# read as. EAN/UPC tokens: number set and digit, guards, the add-on gap.
EAN_ROWS = [
    ("EAN-13 4006381333931", "ean", "4<ALGDTM=dddjdb>",
     "< A0 B0 A6 A3 B8 B1 = C3 C3 C3 C9 C3 C1 >"),
    ("EAN-13 with add-on 52495", "ean", "4<ALGDTM=dddjdb>:v;n;Z;u;q",
     "< A0 B0 A6 A3 B8 B1 = C3 C3 C3 C9 C3 C1 > gap9 B5 A2 B4 A9 A5"),
    ("EAN-13 with add-on 12", "ean", "4<ALGDTM=dddjdb>:m;n",
     "< A0 B0 A6 A3 B8 B1 = C3 C3 C3 C9 C3 C1 > gap9 A1 A2"),
    ("EAN-13 with add-on 99", "ean", "0<AAAAAA=aaaaaa>:z;z",
     "< A0 A0 A0 A0 A0 A0 = C0 C0 C0 C0 C0 C0 > gap9 B9 B9"),
    ("EAN-8 55123457", "ean", "<FFBC=defh>", "< A5 A5 A1 A2 = C3 C4 C5 C7 >"),
    ("UPC-A 036000291452", "upc", "0<LDGAAA=cjbefn>2",
     "< A0 A3 A6 A0 A0 A0 = C2 C9 C1 C4 C5 C2 >"),
    ("UPC-E 01234565", "upc", "0<WCDZvG?5", "< B1 A2 A3 B4 B5 A6 end"),
    ("UPC-E 11234579", "upc", "1<BXYEvH?9", "< A1 B2 B3 A4 B5 A7 end"),
]

LINEAR_ROWS = [
    ("Code 39 CODE39 with check", "code39", b"*CODE39W*", "*CODE39W*"),
    ("Code 39 check value 38", "code39", b"*AS_*", "*AS *"),
    ("Code 39 full ASCII a b", "code39", b"*+A_+BC*", "*+A +BC*"),
    ("Code 39 every character", "code39", b"*0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.$/+%_*",
     "*0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.$/+% *"),
    ("Code 128 12345", "code128", bytes([134, 44, 66, 227, 53, 86, 138]), "105 12 34 100 21 54 106"),
    ("Code 128 empty EAN/UCC", "code128", bytes([133, 189, 154, 138]), "104 102 0 106"),
    ("Code 128 lone tilde", "code128", bytes([133, 126, 159, 138]), "104 94 95 106"),
    ("Code 128 code A escape", "code128", bytes([133, 201, 105, 227, 65, 66, 58, 138]),
     "104 101 73 100 33 34 26 106"),
    ("Code 128 typed space", "code128", bytes([133, 32, 33, 138]), "104 0 1 106"),
    ("Code 128 start A and FNCs", "code128", bytes([128, 167, 185, 226, 196, 138]), "103 96 97 98 99 106"),
    ("ITF 56", "itf", bytes([128, 89, 138]), "56"),
    ("ITF 0567", "itf", bytes([128, 38, 100, 138]), "0567"),
    ("ITF 9997", "itf", bytes([128, 227, 226, 138]), "9997"),
    ("ITF 94 95 96 98", "itf", bytes([128, 159, 167, 185, 196, 138]), "94959698"),
    ("ITF 00 93", "itf", bytes([128, 33, 126, 138]), "0093"),
    ("Industrial 5678", "industrial", b"<5678>", "5678"),
    ("Industrial every digit", "industrial", b"<0123456789>", "0123456789"),
    ("Codabar 123", "codabar", b"D123D", "D123D"),
    ("Codabar every character", "codabar", b"A0123456789-$:/.+B", "A0123456789-$:/.+B"),
    ("Codabar C and D", "codabar", b"CDDC", "CDDC"),
    ("Postnet 12345", "postnet", b"-123455-", "123455"),
    ("Postnet 11 digits", "postnet", b"-123456789014-", "123456789014"),
    ("Postnet 0 and 9", "postnet", b"-0990-", "0990"),
]


class FontUnderTest:
    def __init__(self, path, module):
        self.font = TTFont(path)
        self.module = module
        self.glyf = self.font["glyf"]
        self.hmtx = self.font["hmtx"]
        self.mac = self.font["cmap"].getcmap(1, 0)
        self.win = self.font["cmap"].getcmap(3, 1)

    def contours(self, name):
        g = self.glyf[name]
        if g.numberOfContours <= 0:
            return []
        coords, ends, _ = g.getCoordinates(self.glyf)
        out, start = [], 0
        for end in ends:
            out.append(list(coords[start:end + 1]))
            start = end + 1
        return out

    def rects_and_text(self, name):
        rects, text = [], []
        for c in self.contours(name):
            xs, ys = {x for x, _ in c}, {y for _, y in c}
            if len(c) == 4 and len(xs) == 2 and len(ys) == 2:
                rects.append((min(xs), min(ys), max(xs), max(ys)))
            else:
                text.append(c)
        return rects, text

    def glyph_for(self, byte):
        if self.mac is None or byte not in self.mac.cmap:
            raise Fail(f"byte {byte} not in the Mac Roman cmap")
        return self.mac.cmap[byte]

    def modules(self, byte, y=SCAN_Y):
        name = self.glyph_for(byte)
        advance = self.hmtx[name][0]
        if advance % self.module:
            raise Fail(f"byte {byte}: advance {advance} is not whole modules of {self.module}")
        rects, _ = self.rects_and_text(name)
        out = []
        for i in range(advance // self.module):
            mid = (i + 0.5) * self.module
            out.append("1" if any(x0 <= mid < x1 and y0 <= y < y1 for x0, y0, x1, y1 in rects) else "0")
        return "".join(out)

    def string_modules(self, data, y=SCAN_Y):
        return "".join(self.modules(b, y) for b in data)


# --- checks --------------------------------------------------------------------

class Report:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, name, fn):
        try:
            fn()
            self.passed += 1
        except Fail as e:
            self.failed += 1
            print(f"FAIL {name}: {e}")

    @staticmethod
    def expect(actual, expected, what=""):
        if actual != expected:
            raise Fail(f"{what}expected {expected!r}, got {actual!r}")


def check_names(font, family):
    names = font.font["name"]
    Report.expect(names.getDebugName(1), family, "family: ")
    Report.expect(names.getDebugName(2), "Regular", "subfamily: ")
    Report.expect(names.getDebugName(6), family.replace(" ", "") + "-Regular", "PostScript name: ")
    if not names.getDebugName(13):
        raise Fail("no licence in the name table")


def check_cmaps(font, required, mac_roman):
    if font.mac is None or font.mac.format not in (0, 6):
        raise Fail("no Mac Roman cmap (1,0) of format 0 or 6")
    if font.win is None or font.win.format != 4:
        raise Fail("no Windows Unicode BMP cmap (3,1) of format 4")
    for b in required:
        mac_glyph = font.mac.cmap.get(b)
        win_glyph = font.win.cmap.get(mac_roman[b])
        if mac_glyph is None or mac_glyph == ".notdef":
            raise Fail(f"byte {b} not mapped in the Mac Roman cmap")
        if win_glyph != mac_glyph:
            raise Fail(f"U+{mac_roman[b]:04X} maps to {win_glyph}, byte {b} to {mac_glyph}")


def check_grid(font, required):
    for b in set(required):
        name = font.glyph_for(b)
        if font.hmtx[name][0] % font.module:
            raise Fail(f"byte {b}: advance {font.hmtx[name][0]} not whole modules of {font.module}")
        rects, _ = font.rects_and_text(name)
        if not rects:
            continue
        for x0, _, x1, _ in rects:
            if x0 % font.module or x1 % font.module:
                raise Fail(f"byte {b}: bar {x0}..{x1} off the {font.module}-unit module grid")
        if min(r[0] for r in rects) < 0 or max(r[2] for r in rects) > font.hmtx[name][0]:
            raise Fail(f"byte {b}: bars outside the advance")


def check_vertical(font):
    hhea, os2 = font.font["hhea"], font.font["OS/2"]
    y_min = min((g.yMin for g in (font.glyf[n] for n in font.glyf.keys()) if g.numberOfContours), default=0)
    y_max = max((g.yMax for g in (font.glyf[n] for n in font.glyf.keys()) if g.numberOfContours), default=0)
    if hhea.ascent < y_max or os2.usWinAscent < y_max or os2.sTypoAscender < y_max:
        raise Fail(f"ascent {hhea.ascent}/{os2.usWinAscent}/{os2.sTypoAscender} below the top {y_max}")
    if -hhea.descent < -y_min or os2.usWinDescent < -y_min:
        raise Fail(f"descent {hhea.descent}/{os2.usWinDescent} above the bottom {y_min}")


def ean_roles(kind):
    """(bytes, bar kind, text position) as the EAN/UPC character sets assign them."""
    rows = [("0123456789", None, "below"), ("ABCDEFGHIJabcdefghij", "data", "below"), ("<=>", "guard", None)]
    if kind == "ean":
        rows += [("LMNOPQRSTU", "data", "below"), ("lmnopqrstuVWXYZvwxyz", "addon", "above"),
                 (":;", "addon", None)]
    else:
        rows += [("VWXYZvwxyz", "data", "below"), ("LMNOPQRSTUlmnopqrstu?", "guard", None)]
    return rows


def check_ean_roles(font, kind):
    bottoms, tops = {}, {}
    for chars, bars, text in ean_roles(kind):
        for ch in chars:
            rects, contours = font.rects_and_text(font.glyph_for(ord(ch)))
            if bool(rects) != (bars is not None):
                raise Fail(f"'{ch}' should {'' if bars else 'not '}draw bars")
            if bool(contours) != (text is not None):
                raise Fail(f"'{ch}' should {'' if text else 'not '}draw a digit")
            if rects:
                bottoms.setdefault(bars, set()).update(r[1] for r in rects)
                tops.setdefault(bars, set()).update(r[3] for r in rects)
            if rects and contours:
                text_y = [y for c in contours for _, y in c]
                bar_y0, bar_y1 = min(r[1] for r in rects), max(r[3] for r in rects)
                if text == "below" and max(text_y) >= bar_y0:
                    raise Fail(f"'{ch}': digit not below the bars")
                if text == "above" and min(text_y) <= bar_y1:
                    raise Fail(f"'{ch}': digit not above the bars")
    for kind_, values in list(bottoms.items()) + list(tops.items()):
        if len(values) != 1:
            raise Fail(f"{kind_} bars of unequal heights: {sorted(values)}")
    if not min(bottoms["guard"]) < min(bottoms["data"]):
        raise Fail("guard bars do not reach below the data bars")
    if kind == "ean" and not (min(bottoms["addon"]) < min(bottoms["data"]) and max(tops["addon"]) < max(tops["data"])):
        raise Fail("add-on bars must start lower and end lower than the main bars")


def weights_value(elements, weights, mark):
    return sum(w for e, w in zip(elements, weights) if e == mark)


# Pattern table rows that must hold whatever the generator does with them:
# (name, check returning None or a complaint).
TABLE_CHECKS = [
    ("EAN set A: 7 modules, odd parity, space first and bar last",
     lambda: [a for a in P.EAN_SET_A if len(a) != 7 or a.count("1") % 2 == 0 or a[0] != "0" or a[-1] != "1"]),
    ("EAN set C is set A inverted",
     lambda: [d for d in range(10) if P.EAN_SET_C[d] != P.EAN_SET_A[d].translate(str.maketrans("01", "10"))]),
    ("EAN set B is set C reversed",
     lambda: [d for d in range(10) if P.EAN_SET_B[d] != P.EAN_SET_C[d][::-1]]),
    ("EAN number set A starts with 0 = 0001101", lambda: [] if P.EAN_SET_A[0] == "0001101" else [P.EAN_SET_A[0]]),
    ("EAN digits all different", lambda: [] if len(set(P.EAN_SET_A + P.EAN_SET_B + P.EAN_SET_C)) == 30 else ["dup"]),
    ("Code 39: 43 characters and '*', nine elements, three wide",
     lambda: [k for k, v in P.CODE39.items() if len(v) != 9 or v.count("w") != 3]
     + ([] if len(P.CODE39) == 44 else ["count"])),
    ("Code 39: two wide bars, or none for $ / + %",
     lambda: [k for k, v in P.CODE39.items() if v[0::2].count("w") != (0 if k in "$/+%" else 2)]),
    ("Code 39 patterns all different", lambda: [] if len(set(P.CODE39.values())) == 44 else ["dup"]),
    ("Code 39 start/stop is nwnnwnwnn", lambda: [] if P.CODE39["*"] == "nwnnwnwnn" else [P.CODE39["*"]]),
    ("Code 128: 106 characters of eleven modules with even bar modules, widths 1-4",
     lambda: [v for v, w in enumerate(P.CODE128[:106]) if len(w) != 6 or sum(map(int, w)) != 11
              or sum(map(int, w[0::2])) % 2 or not set(w) <= set("1234")]
     + ([] if len(P.CODE128) == 107 else ["count"])),
    ("Code 128 stop is 2331112", lambda: [] if P.CODE128[P.CODE128_STOP_VALUE] == "2331112" else ["stop"]),
    ("Code 128 starts A/B/C are 211412, 211214, 211232",
     lambda: [] if P.CODE128[103:106] == ["211412", "211214", "211232"] else P.CODE128[103:106]),
    ("Code 128 patterns all different", lambda: [] if len(set(P.CODE128)) == 107 else ["dup"]),
    ("Code 128 bytes: one per value, none a control byte",
     lambda: ([] if len({P.code128_byte(v) for v in range(107)}) == 107 else ["collision"]) +
     [v for v in range(107) if P.code128_byte(v) < 32 or P.code128_byte(v) == 127]),
    ("2 of 5: two wide of five, weights 1 2 4 7 give the digit",
     lambda: [d for d, e in enumerate(P.TWO_OF_FIVE) if e.count("w") != 2
              or weights_value(e, (1, 2, 4, 7, 0), "w") % 11 != d]),
    ("ITF bytes: one per pair, start and stop, none a control byte",
     lambda: ([] if len({P.itf_pair_byte(v) for v in range(100)} | {P.ITF_START_BYTE, P.ITF_STOP_BYTE}) == 102
              else ["collision"]) + [v for v in range(100) if P.itf_pair_byte(v) < 32 or P.itf_pair_byte(v) == 127]),
    ("Codabar: seven elements; two wide for digits - $, three for the rest",
     lambda: [k for k, v in P.CODABAR.items() if len(v) != 7 or v.count("w") != (2 if k in "0123456789-$" else 3)]),
    ("Codabar patterns all different", lambda: [] if len(set(P.CODABAR.values())) == 20 else ["dup"]),
    ("Postnet: two full bars of five, weights 7 4 2 1 0 give the digit",
     lambda: [d for d, e in enumerate(P.POSTNET) if e.count("1") != 2
              or weights_value(e, (7, 4, 2, 1, 0), "1") % 11 != d]),
]


def main(argv):
    if len(argv) != 3:
        print(__doc__)
        return 2
    font_dir = argv[1]
    encoder = EncoderBytes(argv[2])
    mac_roman = mac_roman_to_unicode(os.path.join(HERE, "..", "encoder", "macroman.cpp"))
    report = Report()

    def check_mac_roman():
        # The C++ table is Apple's mapping with the euro at 0xDB.
        for b in range(256):
            want = 0x20AC if b == 0xDB else ord(bytes([b]).decode("mac_roman"))
            Report.expect(mac_roman[b], want, f"byte {b}: ")
    report.check("Mac Roman table parsed from the encoder", check_mac_roman)

    for name, find_bad in TABLE_CHECKS:
        def table_check(find_bad=find_bad):
            bad = find_bad()
            if bad:
                raise Fail(f"wrong entries: {bad}")
        report.check(f"table: {name}", table_check)

    fonts = {}
    encoder_required = {"code128": encoder.code128_required, "itf": encoder.itf_required}
    for family, file, kind, module, required in FACES:
        required = encoder_required.get(required, required)
        path = os.path.join(font_dir, file)
        if not os.path.isfile(path):
            report.check(family, lambda: (_ for _ in ()).throw(Fail(f"{path} missing")))
            continue
        font = FontUnderTest(path, module)
        fonts[family] = (font, kind)
        report.check(f"{family}: names", lambda: check_names(font, family))
        report.check(f"{family}: cmaps", lambda: check_cmaps(font, required, mac_roman))
        report.check(f"{family}: module grid", lambda: check_grid(font, required))
        report.check(f"{family}: vertical metrics", lambda: check_vertical(font))
        if kind in ("ean", "upc"):
            report.check(f"{family}: character roles", lambda: check_ean_roles(font, kind))

    check_twod.run(report, font_dir)

    for family, base in HALF_HEIGHT_PAIRS:
        if family in fonts and base in fonts:
            def half(family=family, base=base):
                ch = ord("A") if "EAN" in base or "UPC" in base else ord("0")

                def height(font):
                    x0, y0, x1, y1 = font.rects_and_text(font.glyph_for(ch))[0][0]
                    return y1 - y0
                red, full = height(fonts[family][0]), height(fonts[base][0])
                if abs(2 * red - full) > 2:
                    raise Fail(f"bar height {red}, expected half of {full}")
            report.check(f"{family}: half height", half)

    for name, kind, text, expected in EAN_ROWS:
        for family, (font, k) in fonts.items():
            if k == kind:
                report.check(f"{family}: {name}", lambda: Report.expect(
                    read_ean(font.string_modules(text.encode())), expected))

    for name, kind, data, expected in LINEAR_ROWS:
        for family, (font, k) in fonts.items():
            if k != kind:
                continue
            if kind == "postnet":
                report.check(f"{family}: {name}", lambda: Report.expect(read_postnet(font, data), expected))
            else:
                report.check(f"{family}: {name}", lambda: Report.expect(
                    READERS[kind](font.string_modules(data), family), expected))

    # Every symbol value and pair at the byte the encoders write for it.
    for family, (font, kind) in fonts.items():
        if kind == "code128":
            def all_values(font=font, family=family):
                stop = encoder.code128[P.CODE128_STOP_VALUE]
                Report.expect(read_code128(font.string_modules(bytes([stop])), family), "106", "stop: ")
                for v in range(P.CODE128_STOP_VALUE):
                    data = bytes([encoder.code128[v], stop])
                    Report.expect(read_code128(font.string_modules(data), family), f"{v} 106", "values: ")
            report.check(f"{family}: every symbol value", all_values)
        if kind == "itf":
            def all_pairs(font=font, family=family):
                for v in range(100):
                    data = bytes([encoder.itf_start, encoder.itf_pairs[v], encoder.itf_stop])
                    Report.expect(read_itf(font.string_modules(data), family), f"{v:02d}", "pair: ")
            report.check(f"{family}: every digit pair", all_pairs)

    print(f"{report.passed} passed, {report.failed} failed")
    return 1 if report.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
