#!/usr/bin/env python3
"""Writes the README's Calc example: docs/example.ods and its screenshot
docs/calc.png, rendered by headless LibreOffice with the add-in and fonts of
a build.

  tests/office/example_sheet.py [BUILD_DIR]     (default: build)
"""

import os
import shutil
import subprocess
import sys
import tempfile

from calc_sheet import Office, cell, document, formula, table

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# (data, what the row shows)
ROWS = [
    ("400638133393", "12 digits; the check digit is computed"),
    ("4006381333930", "13 digits; the last is replaced by the check digit"),
    ("001234567895", "leading zeros need a text cell"),
    ("12345", "rejected: BCFONT shows an error, BCFONTREASON why"),
    (None, "a blank row stays blank"),
]

# The second sheet: 2D codes, (data, type with options).
TWOD_ROWS = [
    ("https://example.com/p/4006381333931", "qr"),
    ("Gr\u00fc\u00dfe \u6f22\u5b57", "datamatrix"),
    ("(01)09501101530003(17)270101(10)AB12", "gs1datamatrix"),
    ("Hello, 2D world", "pdf417:columns=3"),
    ("https://example.com/p/5901234123457", "qr:ecc=H"),
]

# A rejected row's error value shows in plain red text, not in the barcode font.
STYLES = """<office:font-face-decls>
<style:font-face style:name="Code EAN" svg:font-family="'Code EAN'"/>
<style:font-face style:name="Code 2D" svg:font-family="'Code 2D'"/>
<style:font-face style:name="DejaVu Sans" svg:font-family="'DejaVu Sans'"/>
</office:font-face-decls>
<office:styles>
<style:style style:name="Rejected" style:family="table-cell" style:parent-style-name="Default"><style:table-cell-properties style:vertical-align="middle"/><style:paragraph-properties fo:text-align="start"/><style:text-properties style:font-name="DejaVu Sans" fo:font-size="10pt" fo:color="#c00000"/></style:style>
<style:style style:name="Barcode" style:family="table-cell" style:parent-style-name="Default"><style:table-cell-properties style:vertical-align="middle"/><style:text-properties style:font-name="Code EAN" fo:font-size="48pt"/></style:style>
<style:style style:name="Barcode2D" style:family="table-cell" style:parent-style-name="Default"><style:table-cell-properties fo:wrap-option="wrap" style:vertical-align="top"/><style:text-properties style:font-name="Code 2D" fo:font-size="10pt"/></style:style>
</office:styles>
<office:automatic-styles>
<style:style style:name="co2D" style:family="table-column"><style:table-column-properties style:column-width="6cm"/></style:style>
<style:style style:name="roOpt" style:family="table-row"><style:table-row-properties style:use-optimal-row-height="true"/></style:style>
<style:style style:name="coA" style:family="table-column"><style:table-column-properties style:column-width="3.6cm"/></style:style>
<style:style style:name="coB" style:family="table-column"><style:table-column-properties style:column-width="7.2cm"/></style:style>
<style:style style:name="coC" style:family="table-column"><style:table-column-properties style:column-width="8.8cm"/></style:style>
<style:style style:name="head" style:family="table-cell" style:parent-style-name="Default"><style:text-properties fo:font-weight="bold"/></style:style>
<style:style style:name="text" style:family="table-cell" style:parent-style-name="Default"><style:table-cell-properties style:vertical-align="middle"/></style:style>
<style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="21.6cm" fo:page-height="12.4cm" fo:margin-top="0.4cm" fo:margin-bottom="0.4cm" fo:margin-left="0.5cm" fo:margin-right="0.5cm"/></style:page-layout>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Default" style:page-layout-name="pm1"><style:header style:display="false"/><style:footer style:display="false"/></style:master-page></office:master-styles>
"""


def styled(xml, style):
    return xml.replace("<table:table-cell", f'<table:table-cell table:style-name="{style}"', 1)


def twod_sheet():
    """Data, type, =BCFONT(data; type) in Code 2D with wrap on and top-aligned, rows of optimal height."""
    head = [styled(cell("Data"), "head"), styled(cell("Type"), "head"),
            styled(cell('Barcode: =BCFONT(A2; B2), font "Code 2D", wrap on, top-aligned'), "head")]
    rows = [head]
    for n, (data, spec) in enumerate(TWOD_ROWS, start=2):
        rows.append([styled(cell(data), "text"), styled(cell(spec), "text"),
                     formula("BCFONT", [f"[.A{n}]", f"[.B{n}]"], "Barcode2D")])
    sheet = table("2D codes", rows).replace("<table:table-row>", '<table:table-row table:style-name="roOpt">')
    return sheet.replace(
        '<table:table-row table:style-name="roOpt">',
        '<table:table-column table:style-name="co2D"/><table:table-column table:style-name="coA"/>'
        '<table:table-column table:style-name="co2D"/><table:table-row table:style-name="roOpt">', 1)


def example():
    rows = [[styled(cell("Article number"), "head"), styled(cell('Barcode: =BCFONT(A2; "ean13")'), "head"),
             styled(cell('Reason: =BCFONTREASON(A2; "ean13")'), "head")]]
    for n, (data, _what) in enumerate(ROWS, start=2):
        args = [f"[.A{n}]", '"ean13"']
        rows.append([styled(cell(data), "text"), formula("BCFONT", args, "Barcode"),
                     styled(formula("BCFONTREASON", args), "text")])
    rows.append([cell(None)])
    rows.append([styled(cell("Barcode font:"), "head"), styled(formula("BCFONTFACE", ['"ean13"']), "text")])
    sheet = table("Barcodes", rows).replace(
        "<table:table-row>",
        '<table:table-column table:style-name="coA"/><table:table-column table:style-name="coB"/>'
        '<table:table-column table:style-name="coC"/><table:table-row>', 1)
    last = len(ROWS) + 1
    rejected = ('<calcext:conditional-formats><calcext:conditional-format '
                f'calcext:target-range-address="Barcodes.B2:Barcodes.B{last}"><calcext:condition '
                'calcext:apply-style-name="Rejected" calcext:value="is-error" '
                'calcext:base-cell-address="Barcodes.B2"/></calcext:conditional-format>'
                "</calcext:conditional-formats>")
    sheet = sheet.replace("</table:table>", rejected + "</table:table>")
    return document([sheet, twod_sheet()], STYLES).replace(
        "<office:document ",
        '<office:document xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0" ', 1)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    docs = os.path.join(ROOT, "docs")
    with tempfile.TemporaryDirectory(prefix="bcfont-example.") as work:
        source = os.path.join(work, "example.fods")
        with open(source, "w", encoding="utf-8") as f:
            f.write(example())
        office = Office(work, os.path.join(build, "office", "extensions"), os.path.join(build, "fonts"))
        shutil.copyfile(office.convert(source, "ods", "ods"), os.path.join(docs, "example.ods"))
        pdf = office.convert(source, "pdf", "pdf")
        subprocess.run(["pdftoppm", "-r", "110", "-png", "-singlefile", pdf, os.path.join(docs, "calc")], check=True)
    print("wrote docs/example.ods and docs/calc.png")
    return 0


if __name__ == "__main__":
    sys.exit(main())
