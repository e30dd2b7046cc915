#!/usr/bin/env python3
"""2D symbols in Calc cells scan: cells in the Code 2D face holding the font
string as a formula result (lines joined by LF, as BCFONT returns them),
wrap on, optimal row height, top-aligned, at 8, 10 and 12 pt, printed to PDF
by headless LibreOffice, rasterised at 300 dpi and decoded by zxing-cpp.

    calc_scan_test.py --fonts DIR --decoder bcfont_decode_png --work DIR
"""

import argparse
import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import surfaces  # noqa: E402
import zint_strings  # noqa: E402

# name, symbology, data, zxing-cpp's name of the format
CASES = [
    ("QR", "qr", "https://example.com/track?id=12345", "QRCode"),
    ("Data Matrix", "datamatrix", "Hello, 2D world", "DataMatrix"),
    ("PDF417", "pdf417", "Hello, 2D world", "PDF417"),
]
SIZES = [8, 10, 12]
DPI = 300
# The cell's corner lies 1 cm (118 px) plus the cell's padding in from the
# page's; the picture decoded starts 70 px in and ends 60 px past the symbol.
CROP_FROM = 70
CROP_EXTRA = 130


def decoded(decoder, format_name, png):
    run = subprocess.run([decoder, format_name, png], capture_output=True, timeout=60)
    if run.returncode == 2:
        raise RuntimeError(run.stderr.decode())
    return run.stdout.decode("utf-8").removesuffix("\n") if run.returncode == 0 else None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--fonts", required=True)
    ap.add_argument("--decoder", required=True)
    ap.add_argument("--work", required=True)
    args = ap.parse_args()
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    samples, expected = [], []
    for name, symbology, data, format_name in CASES:
        lines = zint_strings.font_lines(symbology, zint_strings.dump(symbology, data))
        for points in SIZES:
            samples.append((f"{name} {points} pt", points, lines))
            expected.append((format_name, data))
    office = surfaces.Office(work, fonts=os.path.abspath(args.fonts))
    pdf = surfaces.calc_pdf(office, work, samples)
    failures = []
    for page, ((name, points, lines), (format_name, data)) in enumerate(zip(samples, expected), 1):
        # The symbol and some white around it: zxing-cpp 1.4 misses a Data
        # Matrix in a corner of much white, as a phone never sees it.
        em = points * DPI / 72
        width, height = int(len(lines[0]) * em / 4) + CROP_EXTRA, int(len(lines) * em) + CROP_EXTRA
        prefix = os.path.join(work, f"page{page}")
        subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-png", "-singlefile", "-f", str(page), "-l", str(page),
                        "-x", str(CROP_FROM), "-y", str(CROP_FROM), "-W", str(width), "-H", str(height), pdf, prefix],
                       check=True, timeout=120)
        png = prefix + ".png"
        text = decoded(args.decoder, format_name, png)
        if text != data:
            failures.append(f"  {name}: expected {data!r}, decoded {text!r} from {os.path.basename(png)}")
    if failures:
        print(f"{len(failures)} of {len(samples)} cells did not scan:\n" + "\n".join(failures))
        return 1
    print(f"all {len(samples)} cells scan")
    return 0


if __name__ == "__main__":
    sys.exit(main())
