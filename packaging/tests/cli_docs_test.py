#!/usr/bin/env python3
"""How cli_docs.py reads CLI11 help screens and writes roff: one row per case."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import cli_docs  # noqa: E402

HELP = """Draw the barcode of DATA into an SVG, PNG or PDF file
Usage: bcfont render [OPTIONS] DATA

Positionals:
  DATA TEXT REQUIRED          The data to encode, as UTF-8 text

Options:
  -h,--help                   Print this help message and exit
  -t,--type TYPE REQUIRED     Symbology: its number 0-10 or name (see `bcfont types`)
  --size FLOAT:FLOAT in [1 - 1000]
                              Font size in points (default: the symbology's size)
  --dpi INT:INT in [10 - 2400]=300
                              Resolution of a PNG file
  --half-height               Use the reduced-height face
  -o,--output TEXT REQUIRED   Output file; .svg, .png or .pdf picks the format

Lines end with LF, CR or CR LF. Without --align, empty and rejected lines give no output
line and each font string is followed by an LF.
Exit status: 0 every non-empty line converted, 1 some line rejected, 2 usage or I/O error.
"""

TOP = """Barcode font encoder: turns data into font strings for the barcode fonts.
Usage: bcfont [OPTIONS] SUBCOMMAND

Options:
  -h,--help                   Print this help message and exit
  --version                   Display program version information and exit

Subcommands:
  encode                      Print the font string of DATA
  types                       List the symbologies that --type accepts
"""

render = cli_docs.parse_help("render", HELP)
top = cli_docs.parse_help("bcfont", TOP)
options = {entry.names[-1]: entry for entry in render.options}


def entry_fields(entry):
    return (entry.names, entry.value, entry.required, entry.low, entry.high, entry.default, entry.text)


# name | actual | expected
CASES = [
    ("summary", render.summary, "Draw the barcode of DATA into an SVG, PNG or PDF file"),
    ("usage", render.usage, "bcfont render [OPTIONS] DATA"),
    ("required positional", entry_fields(render.positionals[0]),
     (["DATA"], "DATA", True, "", "", "", "The data to encode, as UTF-8 text")),
    ("short and long names, required value", entry_fields(options["--type"]),
     (["-t", "--type"], "TYPE", True, "", "", "",
      "Symbology: its number 0-10 or name (see `bcfont types`)")),
    ("range, text on the next line", entry_fields(options["--size"]),
     (["--size"], "FLOAT", False, "1", "1000", "", "Font size in points (default: the symbology's size)")),
    ("range and default", entry_fields(options["--dpi"]),
     (["--dpi"], "INT", False, "10", "2400", "300", "Resolution of a PNG file")),
    ("flag", entry_fields(options["--half-height"]),
     (["--half-height"], "", False, "", "", "", "Use the reduced-height face")),
    ("option names a file", options["--output"].takes_file(), True),
    ("option names no file", options["--type"].takes_file(), False),
    ("every option read", sorted(options), ["--dpi", "--half-height", "--help", "--output", "--size", "--type"]),
    ("notes: wrapped lines joined, exit status its own paragraph", cli_docs.paragraphs(render.notes),
     ["Lines end with LF, CR or CR LF. Without --align, empty and rejected lines give no output "
      "line and each font string is followed by an LF.",
      "Exit status: 0 every non-empty line converted, 1 some line rejected, 2 usage or I/O error."]),
    ("subcommands", top.subcommands,
     [("encode", "Print the font string of DATA"), ("types", "List the symbologies that --type accepts")]),
    ("top-level options", [e.names for e in top.options], [["-h", "--help"], ["--version"]]),
    ("no notes after the subcommands", top.notes, []),
    ("roff: hyphens, backslashes, backquotes", cli_docs.roff(r"a-b \n `bcfont types`"),
     r"a\-b \en \fBbcfont types\fR"),
    ("roff: a leading dot is not a request", cli_docs.roff(".svg or .png"), r"\&.svg or .png"),
    ("roff: a leading quote is not a request", cli_docs.roff("'-' for standard input"),
     r"\&'\-' for standard input"),
    ("option text: range, default, required as sentences", cli_docs.option_text(options["--dpi"]),
     "Resolution of a PNG file. From 10 to 2400. Default: 300."),
    ("option heading", cli_docs.option_heading(options["--type"]), r"\fB\-t\fR, \fB\-\-type\fR \fITYPE\fR"),
]

failed = 0
for name, actual, expected in CASES:
    if actual == expected:
        print(f"ok    {name}")
    else:
        print(f"FAIL  {name}\n      expected: {expected!r}\n      actual:   {actual!r}")
        failed += 1
sys.exit(1 if failed else 0)
