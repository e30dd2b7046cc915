#!/usr/bin/env python3
"""2D codes from the add-in scan: =BCFONT(data; type) cells for all five 2D
types, in the Code 2D face with wrap on, optimal row height and top-aligned
(the settings the README gives), at 8, 10 and 12 pt, recalculated by real
headless Calc with the add-in, printed to PDF, rasterised at 300 dpi and
decoded by zxing-cpp.

    calc_twod_test.py --bcfont BCFONT --extensions DIR --fonts DIR --decoder bcfont_decode_png --work DIR
"""

import argparse
import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "twod"))
import surfaces  # noqa: E402
from calc_sheet import SERVICE, Office  # noqa: E402

# name, type spec, data, zxing-cpp's format, the text it reads (GS1: the
# element string without brackets; a variable-length AI last needs no separator)
CASES = [
    ("QR", "qr", "https://example.com/track?id=12345", "QRCode", None),
    ("Data Matrix", "datamatrix", "Gr\u00fc\u00dfe \u6f22\u5b57", "DataMatrix", None),
    ("PDF417", "pdf417:columns=3", "Hello, 2D world", "PDF417", None),
    ("GS1 QR", "gs1qr:ecc=Q", "(01)09501101530003(10)AB12", "QRCode", "010950110153000310AB12"),
    ("GS1 DataMatrix", "gs1datamatrix", "(01)09501101530003(17)270101", "DataMatrix", "010950110153000317270101"),
]
SIZES = [8, 10, 12]
DPI = 300
# The cell's corner lies 1 cm (118 px) in from the page's, plus the cell's
# padding; the picture decoded starts 70 px in and ends 60 px past the symbol.
CROP_FROM = 70
CROP_EXTRA = 130


def bcfont_formula(request):
    spec, data = request
    quoted = lambda text: '"' + text.replace('"', '""') + '"'
    return f"of:={SERVICE}.BCFONT({quoted(data)};{quoted(spec)})"


def decoded(decoder, format_name, png):
    run = subprocess.run([decoder, format_name, png], capture_output=True, timeout=60)
    if run.returncode == 2:
        raise RuntimeError(run.stderr.decode())
    return run.stdout.decode("utf-8").removesuffix("\n") if run.returncode == 0 else None


def main():
    ap = argparse.ArgumentParser()
    for name in ("--bcfont", "--extensions", "--fonts", "--decoder", "--work"):
        ap.add_argument(name, required=True)
    args = ap.parse_args()
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    samples, expected = [], []
    for name, spec, data, format_name, reads in CASES:
        # The symbol's size in lines and columns, for the crop only.
        lines = subprocess.run([args.bcfont, "encode", "--type", spec, "--", data], capture_output=True,
                               text=True, check=True, timeout=30).stdout.removesuffix("\n").split("\n")
        for points in SIZES:
            samples.append((f"{name} {points} pt", points, (spec, data)))
            expected.append((format_name, reads or data, len(lines[0]), len(lines)))
    office = Office(work, os.path.abspath(args.extensions), os.path.abspath(args.fonts))
    pdf = surfaces.calc_pdf(office, work, samples, bcfont_formula)
    failures = []
    for page, ((name, points, _), (format_name, reads, columns, rows)) in enumerate(zip(samples, expected), 1):
        em = points * DPI / 72
        width, height = int(columns * em / 4) + CROP_EXTRA, int(rows * em) + CROP_EXTRA
        prefix = os.path.join(work, f"page{page}")
        subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-png", "-singlefile", "-f", str(page), "-l", str(page),
                        "-x", str(CROP_FROM), "-y", str(CROP_FROM), "-W", str(width), "-H", str(height), pdf, prefix],
                       check=True, timeout=120)
        text = decoded(args.decoder, format_name, prefix + ".png")
        if text != reads:
            failures.append(f"  {name}: expected {reads!r}, decoded {text!r} from page{page}.png")
    if failures:
        print(f"{len(failures)} of {len(samples)} BCFONT cells did not scan:\n" + "\n".join(failures))
        return 1
    print(f"all {len(samples)} BCFONT cells scan")
    return 0


if __name__ == "__main__":
    sys.exit(main())
