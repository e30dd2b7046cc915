"""Code 2D: the face of every 2D symbol (QR Code, Data Matrix, PDF417 and
their GS1 forms). A glyph is one column of four modules, so one line of the
font string is four module rows and its lines stacked one em apart make the
symbol. Letter 'A' + v draws the 4-bit column v, bit 3 the top module and
bit 0 the bottom one: 'A' is blank (quiet zone), 'P' is a full column.
Letters only: HTML collapses spaces, and a spreadsheet or CSV import never
takes a line of letters for a number.

The column fills the em box exactly (module 250 units, 0..1000), and the
vertical metrics are one em with no line gap in every table that an
application may size lines from (hhea, OS/2 typo, OS/2 win): measured, any
taller hhea or win metrics open gaps between lines in LibreOffice, and a line
gap is added by Writer and HTML though Calc ignores it. The baseline on the
bottom edge of a module keeps row edges on whole pixels in cairo.

Bleed: where a column's ink reaches its right or top edge it goes on
BLEED units into the neighbour's module. Set as text, every glyph is
rasterised on its own; at 300 dpi poppler (both of its renderers) leaves a
one-pixel light seam wherever two glyphs meet off the pixel grid, and those
seams cut QR and Data Matrix finder and timing patterns so that zxing-cpp
reads none of them from a Calc PDF. The bleed covers the seam between two
dark modules and takes a tenth of a module off the edge of a light one,
well inside the print growth decoders allow. Advances and line metrics are
untouched, so lines still stand one em apart.

At 8 pt (the symbology table's size) a module is 2 pt, 0.706 mm.
"""

MODULE = 250
BLEED = 25
ROWS = 4
EM = MODULE * ROWS
FIRST_LETTER = "A"
LETTERS = "".join(chr(ord(FIRST_LETTER) + v) for v in range(1 << ROWS))


def column_runs(value):
    """(bottom, top) in font units of each run of dark modules of a column,
    merged so that no seam falls inside a run; a run reaching the top edge
    bleeds over it."""
    runs, top = [], None
    for row in range(ROWS):                  # row 0 is the top module
        dark = value >> (ROWS - 1 - row) & 1
        y_top = EM - row * MODULE
        if dark and top is None:
            top = y_top
        elif not dark and top is not None:
            runs.append((y_top, top))
            top = None
    if top is not None:
        runs.append((0, top))
    return [(bottom, top + BLEED if top == EM else top) for bottom, top in runs]
