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
    pages = surfaces.rasterise(pdf, 300, os.path.join(work, "page"))
    if len(pages) != len(samples):
        print(f"the PDF has {len(pages)} pages for {len(samples)} sheets")
        return 1
    failures = []
    for (name, _, _), (format_name, data), png in zip(samples, expected, pages):
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
