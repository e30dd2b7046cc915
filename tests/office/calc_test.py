#!/usr/bin/env python3
"""The Calc add-in in real headless LibreOffice.

  values: every case's BCFONT and BCFONTREASON cell equals what `bcfont encode`
          gives for the same request (or the case's own expectation), its
          BCFONTTEXT cell what `bcfont encode --hri` prints, and every
          BCFONTFACE cell the expected family.
  scan:   the barcode cells, set in their faces and printed to PDF, read back
          with a decoder as the data plus check characters.

With --oxt instead of --extensions, the packed extension is first added to
LibreOffice's profile with unopkg, as a user would.

Usage: calc_test.py values|scan --bcfont BIN (--extensions DIR | --oxt FILE) --work DIR
                    [--fonts DIR --decoder BIN]
"""

import argparse
import csv
import glob
import os
import shutil
import subprocess
import sys

from calc_cases import CASES, ERROR, FACE_CASES
from calc_sheet import Office, cell, document, formula, plain_formula, styles, table

CSV_UTF8 = "csv:Text - txt - csv (StarCalc):44,34,76"

# What the decoder calls each symbology it reads.
DECODER_FORMATS = {"ean8": "EAN-8", "ean13": "EAN-13", "upca": "UPC-A", "upce": "UPC-E", "code39": "Code39",
                   "code128": "Code128", "code128ean": "Code128", "itf": "ITF", "codabar": "Codabar",
                   "gs1128": "Code128"}


def encode_arguments(case, refs):
    """BCFONT's arguments for `case` whose cells are `refs` (data, type, addon, check)."""
    args = [refs[0]] + ([refs[1]] if case.type is not None else [])
    if case.addon is not None or case.addon_formula:
        args.append(refs[2])
    elif case.check is not None:
        args.append('""')
    if case.check is not None:
        args.append(refs[3])
    return args


def data_cell(case):
    return plain_formula(case.data_formula) if case.data_formula else cell(case.data)


def addon_cell(case):
    return plain_formula(case.addon_formula) if case.addon_formula else cell(case.addon)


def face_arguments(case, row):
    args = [f"[.C{row}]"]
    if case.half is not None or case.dense is not None:
        args.append(f"[.D{row}]" if case.half is not None else "0")
    if case.dense is not None:
        args.append(f"[.E{row}]")
    return args


def as_text(value):
    return str(int(value)) if isinstance(value, (int, float)) and value == int(value) else str(value)


def expected_by_command_line(bcfont, case, hri=False):
    """(BCFONT, BCFONTREASON) as `bcfont encode` gives them for the case's request;
    with `hri`, BCFONTTEXT in place of BCFONT."""
    command = [bcfont, "encode", "--type", as_text(case.type)] + (["--hri"] if hri else [])
    if case.addon not in (None, ""):
        command += ["--addon", as_text(case.addon)]
    if case.check in (False, 0) and case.check is not None:
        command.append("--no-check")
    command += ["--", case.encode_as if case.encode_as is not None else as_text(case.data)]
    run = subprocess.run(command, capture_output=True, text=True, timeout=30)
    if run.returncode == 0:
        return run.stdout.removesuffix("\n"), ""
    if run.returncode != 1:
        raise RuntimeError(f"{' '.join(command)} failed: {run.stderr}")
    reasons = [l for l in run.stderr.splitlines() if not l.startswith("bcfont: warning:")]
    return ERROR, reasons[0].removeprefix("bcfont: ")


MATRIX_TYPES = ("qr", "datamatrix", "pdf417", "gs1qr", "gs1datamatrix")


def is_matrix(case):
    return isinstance(case.type, str) and case.type.split(":")[0].lower() in MATRIX_TYPES


def values_sheet():
    rows = []
    for n, case in enumerate(CASES, start=1):
        refs = [f"[.B{n}]", f"[.C{n}]", f"[.D{n}]", f"[.E{n}]"]
        args = encode_arguments(case, refs)
        rows.append([cell(case.name), data_cell(case), cell(case.type), addon_cell(case), cell(case.check),
                     formula("BCFONT", args), formula("BCFONTREASON", args), formula("BCFONTTEXT", args)])
    for n, case in enumerate(FACE_CASES, start=len(CASES) + 1):
        rows.append([cell("face: " + case.name), cell(None), cell(case.type), cell(case.half), cell(case.dense),
                     formula("BCFONTFACE", face_arguments(case, n))])
    return document([table("Cases", rows)])


def mismatch(name, what, expected, actual):
    return f"  {name}: {what}\n    expected {expected!r}\n    actual   {actual!r}"


def run_values(options):
    source = os.path.join(options.work, "cases.fods")
    with open(source, "w", encoding="utf-8") as f:
        f.write(values_sheet())
    office = Office(options.work, options.extensions)
    if options.oxt:
        office.install_oxt(options.oxt)
    with open(office.convert(source, CSV_UTF8, "csv"), encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))

    failures = []
    for n, case in enumerate(CASES):
        row = rows[n] + [""] * 8 if n < len(rows) else [""] * 8
        if case.value is not None:
            expected = (case.value, case.reason)
            text = case.value
        else:
            expected = expected_by_command_line(options.bcfont, case)
            if is_matrix(case):  # the text of a 2D code is its data
                text = ERROR if expected[0] == ERROR else as_text(case.data)
            else:
                text = expected_by_command_line(options.bcfont, case, hri=True)[0]
        if row[5] != expected[0]:
            failures.append(mismatch(case.name, "BCFONT", expected[0], row[5]))
        if row[6] != expected[1]:
            failures.append(mismatch(case.name, "BCFONTREASON", expected[1], row[6]))
        if row[7] != text:
            failures.append(mismatch(case.name, "BCFONTTEXT", text, row[7]))
    for n, case in enumerate(FACE_CASES, start=len(CASES)):
        row = rows[n] + [""] * 6 if n < len(rows) else [""] * 6
        if row[5] != case.value:
            failures.append(mismatch(case.name, "BCFONTFACE", case.value, row[5]))
    return report(failures, len(CASES) + len(FACE_CASES), "cells")


def scan_sheet(cases):
    """One sheet per case: the barcode cell in its face, the request below it."""
    faces = sorted({c.face for c in cases})
    sheets = []
    for case in cases:
        style = f"ce{faces.index(case.face)}"
        refs = ["[.A3]", "[.A4]", "[.A5]", "[.A6]"]
        rows = [[formula("BCFONT", encode_arguments(case, refs), style)], [cell(None)],
                [data_cell(case)], [cell(case.type)], [addon_cell(case)], [cell(case.check)]]
        sheets.append(table(case.name, rows, column_style="co1"))
    point_size = lambda face: 72 if face in ("Code EAN", "Code UPC") else 36
    return document(sheets, styles(faces, point_size))


def decoded(decoder, png, case):
    run = subprocess.run([decoder, DECODER_FORMATS[case.type], png], capture_output=True, timeout=60)
    if run.returncode == 2:
        raise RuntimeError(run.stderr.decode())
    return run.stdout.decode("utf-8").removesuffix("\n") if run.returncode == 0 else None


def run_scan(options):
    cases = [c for c in CASES if c.scans is not None]
    source = os.path.join(options.work, "scan.fods")
    with open(source, "w", encoding="utf-8") as f:
        f.write(scan_sheet(cases))
    office = Office(options.work, options.extensions, options.fonts)
    if options.oxt:
        office.install_oxt(options.oxt)
    pdf = office.convert(source, "pdf", "pdf")
    pages = os.path.join(options.work, "pages")
    shutil.rmtree(pages, ignore_errors=True)
    os.makedirs(pages)
    subprocess.run(["pdftoppm", "-r", "300", "-gray", "-png", pdf, os.path.join(pages, "page")], check=True,
                   timeout=300)
    images = sorted(glob.glob(os.path.join(pages, "page-*.png")))
    if len(images) != len(cases):
        return report([f"  the PDF has {len(images)} pages for {len(cases)} barcode sheets"], len(cases), "barcodes")
    failures = []
    for case, png in zip(cases, images):
        text = decoded(options.decoder, png, case)
        if text != case.scans:
            failures.append(mismatch(case.name, f"decoded from {os.path.basename(png)}", case.scans, text))
    return report(failures, len(cases), "barcodes")


def report(failures, count, what):
    if failures:
        print(f"{len(failures)} mismatches in {count} {what}:")
        print("\n".join(failures))
        return 1
    print(f"all {count} {what} as expected")
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["values", "scan"])
    parser.add_argument("--bcfont", required=True)
    where = parser.add_mutually_exclusive_group(required=True)
    where.add_argument("--extensions", help="folder holding the unpacked extension")
    where.add_argument("--oxt", help="the packed extension")
    parser.add_argument("--work", required=True)
    parser.add_argument("--fonts")
    parser.add_argument("--decoder")
    options = parser.parse_args()
    shutil.rmtree(options.work, ignore_errors=True)
    os.makedirs(options.work)
    return run_values(options) if options.mode == "values" else run_scan(options)


if __name__ == "__main__":
    sys.exit(main())
