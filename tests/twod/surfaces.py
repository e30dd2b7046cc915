"""Documents that set Code 2D font strings as a user would, one sample per
page, and the programs that turn them into PDF: a Calc sheet (wrap on,
optimal row height, top-aligned), HTML as Writer imports it (one paragraph,
<br> between lines) and the same HTML printed by headless Chromium."""

import os
import shutil
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape, quoteattr

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "office"))
from calc_sheet import HEAD, Office, program  # noqa: E402

FAMILY = "Code 2D"
# The style a user copies with the font string: lines one em apart.
HTML_STYLE = "margin:0; line-height:100%"


def calc_cell_formula(lines):
    """A cell formula whose value is the lines joined by LF, as BCFONT returns them."""
    return "of:=" + "&CHAR(10)&".join(f'"{line}"' for line in lines)


def calc_document(samples, formula_of=calc_cell_formula):
    """samples: (name, points, lines); one sheet (so one page) each, its cell
    the formula `formula_of(lines)`."""
    sizes = sorted({points for _, points, _ in samples})
    cells = "".join(
        f'<style:style style:name="ce{i}" style:family="table-cell" style:parent-style-name="Default">'
        '<style:table-cell-properties fo:wrap-option="wrap" style:vertical-align="top"/>'
        f'<style:text-properties style:font-name={quoteattr(FAMILY)} fo:font-size="{p}pt"/></style:style>'
        for i, p in enumerate(sizes))
    styles = (f"<office:font-face-decls><style:font-face style:name={quoteattr(FAMILY)} "
              f"svg:font-family={quoteattr(repr(FAMILY))}/></office:font-face-decls>"
              "<office:automatic-styles>"
              '<style:style style:name="co1" style:family="table-column">'
              '<style:table-column-properties style:column-width="18cm"/></style:style>'
              '<style:style style:name="ro1" style:family="table-row">'
              '<style:table-row-properties style:use-optimal-row-height="true"/></style:style>'
              '<style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="21cm" '
              'fo:page-height="29.7cm" fo:margin-top="1cm" fo:margin-bottom="1cm" fo:margin-left="1cm" '
              'fo:margin-right="1cm"/></style:page-layout>'
              f"{cells}</office:automatic-styles>"
              '<office:master-styles><style:master-page style:name="Default" style:page-layout-name="pm1">'
              '<style:header style:display="false"/><style:footer style:display="false"/>'
              "</style:master-page></office:master-styles>")
    tables = []
    for name, points, lines in samples:
        cell = (f'<table:table-cell table:style-name="ce{sizes.index(points)}" '
                f"table:formula={quoteattr(formula_of(lines))}/>")
        tables.append(f"<table:table table:name={quoteattr(name)}>"
                      '<table:table-column table:style-name="co1"/>'
                      f'<table:table-row table:style-name="ro1">{cell}</table:table-row></table:table>')
    return (HEAD + styles + "<office:body><office:spreadsheet>" + "".join(tables)
            + "</office:spreadsheet></office:body></office:document>\n")


def html_document(samples, style=HTML_STYLE):
    """One paragraph per sample, each on a page of its own."""
    parts = ['<!DOCTYPE html><html><head><meta charset="utf-8"><style>@page { size: A4; margin: 1cm }'
             "</style></head><body>"]
    for i, (_, points, lines) in enumerate(samples):
        brk = "page-break-before:always; " if i else ""
        parts.append(f'<p style="{brk}{style}; font-family:\'{FAMILY}\'; font-size:{points}pt">'
                     + "<br>".join(escape(line) for line in lines) + "</p>")
    return "".join(parts) + "</body></html>\n"


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return path


def kept(pdf, work, name):
    """A copy of `pdf` in `work`: the office's own folder goes at exit."""
    return shutil.copyfile(pdf, os.path.join(work, name))


def calc_pdf(office, work, samples, formula_of=calc_cell_formula):
    pdf = office.convert(write(os.path.join(work, "cells.fods"), calc_document(samples, formula_of)), "pdf", "pdf")
    return kept(pdf, work, "cells.pdf")


def writer_pdf(office, work, samples):
    """The HTML imported into Writer proper (not Writer/Web), as a paste does."""
    source = office.reachable(write(os.path.join(work, "paste.html"), html_document(samples)))
    out_dir = tempfile.mkdtemp(dir=office.base)
    os.chmod(out_dir, 0o777)
    run = office.run([program("soffice"), f"-env:UserInstallation=file://{office.profile}", "--headless",
                      "--norestore", "--nolockcheck", "--infilter=HTML (StarWriter)",
                      "--convert-to", "pdf:writer_pdf_Export", "--outdir", out_dir, source], 240)
    pdf = os.path.join(out_dir, "paste.pdf")
    if not os.path.exists(pdf):
        raise RuntimeError(f"Writer did not convert the HTML:\n{run.stdout}\n{run.stderr}")
    return kept(pdf, work, "paste.pdf")


def chromium_pdf(office, work, samples):
    """The HTML printed by headless Chromium with the same fonts."""
    source = write(os.path.join(work, "page.html"), html_document(samples))
    pdf = os.path.join(work, "page.pdf")
    subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
                    f"--user-data-dir={os.path.join(work, 'chromium')}", f"--print-to-pdf={pdf}",
                    "file://" + source], env=office.env, capture_output=True, timeout=120, check=True)
    return pdf


def rasterise(pdf, dpi, prefix):
    """One greyscale PNG per page; returns their paths in page order."""
    subprocess.run(["pdftoppm", "-r", str(dpi), "-gray", "-png", pdf, prefix], check=True, timeout=300)
    folder, stem = os.path.split(prefix)
    pages = [os.path.join(folder, n) for n in os.listdir(folder) if n.startswith(stem + "-") and n.endswith(".png")]
    return sorted(pages, key=lambda p: int(p.rsplit("-", 1)[1][:-4]))


__all__ = ["Office", "calc_pdf", "writer_pdf", "chromium_pdf", "rasterise", "html_document", "calc_document"]
