"""Font strings of the Code 2D face made from `zint --dump`, the module
matrix zint prints as hex rows: a test's own source of 2D symbols that does
not go through bcfont's encoder.

The string follows the face's layout: the quiet zone as blank modules on all
sides, PDF417 rows three modules tall, blank rows at the bottom up to a
multiple of four, then one letter per column of four modules ('A' + v, bit 3
the top module), lines joined by LF.
"""

import subprocess

# name: (zint barcode number, quiet modules, module rows per matrix row)
SYMBOLOGIES = {
    "qr": (58, 4, 1),
    "datamatrix": (71, 1, 1),
    "pdf417": (55, 2, 3),
}


def dump(symbology, data):
    """The matrix as rows of 0/1 strings, as wide as its widest dark module."""
    number = SYMBOLOGIES[symbology][0]
    out = subprocess.run(["zint", "--dump", "-b", str(number), "-d", data],
                         capture_output=True, text=True, check=True).stdout
    rows = ["".join(f"{int(h, 16):0{4 * len(h)}b}" for h in line.split()) for line in out.splitlines() if line]
    # Every one of these symbols has a dark module in its last column (finder,
    # timing or stop pattern), so the last dark module gives the width.
    width = max(r.rstrip("0").__len__() for r in rows)
    return [r[:width] for r in rows]


def font_lines(symbology, matrix):
    _, quiet, repeat = SYMBOLOGIES[symbology]
    width = len(matrix[0]) + 2 * quiet
    blank = "0" * width
    rows = [blank] * quiet + [("0" * quiet + r + "0" * quiet) for r in matrix for _ in range(repeat)] + [blank] * quiet
    rows += [blank] * (-len(rows) % 4)
    lines = []
    for top in range(0, len(rows), 4):
        lines.append("".join(chr(ord("A") + int("".join(rows[top + k][x] for k in range(4)), 2))
                             for x in range(width)))
    return lines


def font_string(symbology, data):
    return "\n".join(font_lines(symbology, dump(symbology, data)))


if __name__ == "__main__":
    import sys
    print(font_string(sys.argv[1], sys.argv[2]))
