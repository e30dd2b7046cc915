#!/usr/bin/env python3
"""Measures whether lines of the Code 2D face touch, with no gap and no
overlap, where users set text: Calc cells, HTML pasted into Writer, HTML in
Chromium, Qt (QPainter::drawText, QTextLayout) and cairo.

    measure_lines.py --fonts DIR --probe twod_line_probe --work DIR
                     [--variant NAME] [--sizes 6,8,10,12,14] [--dpi 300,600]
                     [--decoder bcfont_decode_png]

--variant patches the face's vertical metrics (see VARIANTS) before setting
it, to compare alternatives. Prints one row per surface, size and
resolution; with --decoder, also which of a QR Code, a Data Matrix and a
PDF417 set the same way decode (zxing-cpp), as Q D P or - each."""

import argparse
import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import line_rows  # noqa: E402
import surfaces  # noqa: E402
import zint_strings  # noqa: E402

SYMBOLS = [("Q", "qr", "QRCode", "https://example.com/track?id=12345"),
           ("D", "datamatrix", "DataMatrix", "Hello, 2D world"),
           ("P", "pdf417", "PDF417", "Hello, 2D world")]


def scans(decoder, png):
    """Q, D, P for each symbol the picture holds that decodes, cropped to its ink."""
    if not decoder:
        return ""
    from PIL import Image
    image = Image.open(png).convert("L")
    box = image.point(lambda v: 255 if v < 128 else 0).getbbox()
    if box:
        image = image.crop((max(0, box[0] - 60), max(0, box[1] - 60), box[2] + 60, box[3] + 60))
    crop = png[:-4] + "-crop.png"
    image.save(crop)
    out = ""
    for letter, _, format_name, data in SYMBOLS:
        if os.path.basename(png).startswith(letter) or f"-{letter}-" in png:
            run = subprocess.run([decoder, format_name, crop], capture_output=True, timeout=60)
            out = letter if run.stdout.decode().rstrip("\n") == data else "-"
    return out

LINES = 6

# name: {table attribute: value} over the generated face.
VARIANTS = {
    "chosen": {},
    "hhea-win-taller": {("hhea", "ascent"): 1190, ("OS/2", "usWinAscent"): 1190},
    "line-gap": {("hhea", "lineGap"): 150, ("OS/2", "sTypoLineGap"): 150},
    "no-typo-flag": {("OS/2", "fsSelection"): 0x40},
    "ascent-800": {("hhea", "ascent"): 800, ("hhea", "descent"): -200, ("OS/2", "sTypoAscender"): 800,
                   ("OS/2", "sTypoDescender"): -200, ("OS/2", "usWinAscent"): 800, ("OS/2", "usWinDescent"): 200},
}


def variant_fonts(fonts, name, work):
    from fontTools.ttLib import TTFont
    folder = os.path.join(work, "fonts-" + name)
    os.makedirs(folder, exist_ok=True)
    os.chmod(folder, 0o755)
    font = TTFont(os.path.join(fonts, "Code2D.ttf"))
    for (table, attribute), value in VARIANTS[name].items():
        setattr(font[table], attribute, value)
    path = os.path.join(folder, "Code2D.ttf")
    font.save(path)
    os.chmod(path, 0o644)
    return folder


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--fonts", required=True)
    ap.add_argument("--probe", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--variant", default="chosen", choices=sorted(VARIANTS))
    ap.add_argument("--sizes", default="6,8,10,12,14")
    ap.add_argument("--dpi", default="300,600")
    ap.add_argument("--surfaces", default="calc,writer,chromium,qt-drawtext,qt-layout,cairo-extents")
    ap.add_argument("--decoder")
    args = ap.parse_args()
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    os.chmod(work, 0o755)
    fonts = variant_fonts(os.path.abspath(args.fonts), args.variant, work)
    sizes = [float(s) if "." in s else int(s) for s in args.sizes.split(",")]
    dpis = [int(d) for d in args.dpi.split(",")]
    lines = [line_rows.MEASURE_LINE] * LINES
    samples = [(f"pt{p}", p, lines) for p in sizes]
    symbols = []
    if args.decoder:
        for letter, symbology, _, data in SYMBOLS:
            symbol_lines = zint_strings.font_lines(symbology, zint_strings.dump(symbology, data))
            symbols += [(f"{letter}{p}", p, symbol_lines) for p in sizes]
    office = surfaces.Office(work, fonts=fonts)
    wanted = args.surfaces.split(",")
    print(f"variant {args.variant}: surface pt dpi -> pitch per line (+ gap, - overlap), seams = light rows")
    for surface in wanted:
        if surface in ("calc", "writer", "chromium"):
            pdf = getattr(surfaces, surface + "_pdf")(office, work, samples + symbols)
            for dpi in dpis:
                pages = surfaces.rasterise(pdf, dpi, os.path.join(work, f"{surface}-{dpi}"))
                decoded = {}
                for (name, points, _), png in zip(symbols, pages[len(samples):]):
                    renamed = os.path.join(work, f"{surface}-{dpi}-{name[0]}-{points}.png")
                    os.replace(png, renamed)
                    decoded[points] = decoded.get(points, "") + scans(args.decoder, renamed)
                for (_, points, _), png in zip(samples, pages):
                    m = line_rows.measure(png, points, dpi, LINES)
                    print(f"{surface:14} {points:>4} {dpi} {line_rows.summary(m, LINES)} {decoded.get(points, '')}")
            continue
        text = os.path.join(work, "text.txt")
        with open(text, "w") as f:
            f.write("\n".join(lines))
        for dpi in dpis:
            for points in sizes:
                png = os.path.join(work, f"{surface}-{points}-{dpi}.png")
                subprocess.run([args.probe, surface, os.path.join(fonts, "Code2D.ttf"), str(points), str(dpi), text,
                                png], check=True, env=dict(os.environ, FONTCONFIG_FILE=office.env.get(
                                    "FONTCONFIG_FILE", "")), timeout=60)
                m = line_rows.measure(png, points, dpi, LINES)
                decoded = ""
                for (name, p, symbol_lines) in symbols:
                    if p != points:
                        continue
                    with open(text + ".sym", "w") as f:
                        f.write("\n".join(symbol_lines))
                    sym = os.path.join(work, f"{surface}-{dpi}-{name[0]}-{points}.png")
                    subprocess.run([args.probe, surface, os.path.join(fonts, "Code2D.ttf"), str(points), str(dpi),
                                    text + ".sym", sym], check=True, capture_output=True, timeout=60)
                    decoded += scans(args.decoder, sym)
                print(f"{surface:14} {points:>4} {dpi} {line_rows.summary(m, LINES)} {decoded}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
