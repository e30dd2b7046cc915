"""Reads bars back from the modules a font string draws along a scan line,
with the pattern tables: what check_fonts.py compares with the symbol each
known font string stands for."""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import patterns as P  # noqa: E402

POSTNET_TALL_Y = 700  # crosses the full Postnet bars only


class Fail(Exception):
    pass


# Wide-to-narrow ratio each face must draw.
RATIOS = {"Code 39": 3.0, "Code 39 Red": 3.0, "Code 39 High Density": 2.5, "Code 39 Red High Density": 2.5,
          "Code 25 Interleaved": 3.0, "Code 25 Interleaved Red": 3.0, "Code 25 Interleaved HD": 2.5,
          "Code 25 Interleaved Red HD": 2.5, "Code 25 Industrial": 3.0, "Code 25 Industrial Red": 3.0,
          "Codabar": 3.0, "Codabar Red": 3.0}


def runs(modules):
    out = []
    for m in modules:
        if out and out[-1][0] == m:
            out[-1][1] += 1
        else:
            out.append([m, 1])
    return [(m == "1", n) for m, n in out]


def take(m, i, expected, what):
    if m[i:i + len(expected)] != expected:
        raise Fail(f"expected {what} {expected} at module {i}, found {m[i:i + len(expected)]}")
    return i + len(expected)


def ean_digit(segment, at):
    for set_name, table in (("A", P.EAN_SET_A), ("B", P.EAN_SET_B), ("C", P.EAN_SET_C)):
        if segment in table:
            return f"{set_name}{table.index(segment)}"
    raise Fail(f"no EAN digit reads {segment} at module {at}")


def read_ean(m):
    tokens, i = ["<"], m.index("1")
    i = take(m, i, "101", "left guard")
    upce = m[i + 42:i + 48] == "010101" and m[i + 48:].strip("0") == ""
    halves = [6] if upce else [6, 6] if len(m[i:].rstrip("0")) >= 92 else [4, 4]
    for h, count in enumerate(halves):
        for _ in range(count):
            tokens.append(ean_digit(m[i:i + 7], i))
            i += 7
        if h == 0 and not upce:
            i = take(m, i, "01010", "centre guard")
            tokens.append("=")
    if upce:
        take(m, i, "010101", "UPC-E end guard")
        return " ".join(tokens + ["end"])
    i = take(m, i, "101", "right guard")
    tokens.append(">")
    rest = m[i:]
    if rest.strip("0"):
        gap = len(rest) - len(rest.lstrip("0"))
        tokens.append(f"gap{gap}")
        i = take(m, i + gap, "1011", "add-on start")
        while True:
            tokens.append(ean_digit(m[i:i + 7], i))
            i += 7
            if not m[i:].strip("0"):
                break
            i = take(m, i, "01", "add-on separator")
    return " ".join(tokens)


def narrow_wide(widths, face):
    narrow = min(widths)
    wide = max(widths)
    if face in RATIOS and wide != narrow and wide / narrow != RATIOS[face]:
        raise Fail(f"wide-to-narrow ratio {wide / narrow}, expected {RATIOS[face]}")
    return "".join("w" if w > narrow else "n" for w in widths)


def read_code39(m, face):
    elements = runs(m.strip("0"))
    nw = narrow_wide([n for _, n in elements], face)
    inverse = {v: (" " if k == "space" else k) for k, v in P.CODE39.items()}
    out = ""
    for i in range(0, len(nw), 10):
        group = nw[i:i + 9]
        if group not in inverse:
            raise Fail(f"no Code 39 character reads {group}")
        out += inverse[group]
    return out


def read_code128(m, face):
    widths = "".join(str(n) for _, n in runs(m.strip("0")))
    values = []
    while len(widths) > 7:
        values.append(P.CODE128.index(widths[:6]) if widths[:6] in P.CODE128 else None)
        widths = widths[6:]
    values.append(P.CODE128.index(widths) if widths in P.CODE128 else None)
    if None in values:
        raise Fail(f"unreadable Code 128 symbol characters: {values}")
    return " ".join(map(str, values))


def read_itf(m, face):
    nw = narrow_wide([n for _, n in runs(m.strip("0"))], face)
    if not nw.startswith(P.ITF_START) or not nw.endswith(P.ITF_STOP):
        raise Fail(f"bad ITF start or stop in {nw}")
    body, out = nw[len(P.ITF_START):-len(P.ITF_STOP)], ""
    for i in range(0, len(body), 10):
        bars, spaces = body[i:i + 10:2], body[i + 1:i + 10:2]
        out += str(P.TWO_OF_FIVE.index(bars)) + str(P.TWO_OF_FIVE.index(spaces))
    return out


def read_industrial(m, face):
    elements = runs(m.strip("0"))
    nw = narrow_wide([n for _, n in elements], face)
    spaces, bars = nw[1::2], nw[0::2]
    if "w" in spaces:
        raise Fail(f"Industrial spaces must all be narrow: {nw}")
    if not bars.startswith(P.INDUSTRIAL_START) or not bars.endswith(P.INDUSTRIAL_STOP):
        raise Fail(f"bad Industrial start or stop in {bars}")
    body = bars[3:-3]
    return "".join(str(P.TWO_OF_FIVE.index(body[i:i + 5])) for i in range(0, len(body), 5))


def read_codabar(m, face):
    nw = narrow_wide([n for _, n in runs(m.strip("0"))], face)
    inverse = {v: k for k, v in P.CODABAR.items()}
    out = ""
    for i in range(0, len(nw), 8):
        if nw[i:i + 7] not in inverse:
            raise Fail(f"no Codabar character reads {nw[i:i + 7]}")
        out += inverse[nw[i:i + 7]]
    return out


def read_postnet(font, data):
    scan, tall = font.string_modules(data), font.string_modules(data, POSTNET_TALL_Y)
    widths, heights, i = set(), "", 0
    for is_bar, n in runs(scan):
        if is_bar:
            widths.add(n)
            heights += tall[i]
        i += n
    if len(widths) != 1 or not heights.startswith("1") or not heights.endswith("1"):
        raise Fail(f"Postnet frame or bar widths wrong: widths {widths}, heights {heights}")
    body = heights[1:-1]
    return "".join(str(P.POSTNET.index(body[i:i + 5])) for i in range(0, len(body), 5))


READERS = {"code39": read_code39, "code128": read_code128, "itf": read_itf,
           "industrial": read_industrial, "codabar": read_codabar}
