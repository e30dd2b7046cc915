"""Code IMb: the Intelligent Mail face, one glyph for each of the four bar
states the encoder writes as letters: F full, A ascender, D descender and
T tracker. Every glyph is one bar and the space behind it, so the 65
letters set side by side give the 65 bars on one pitch. USPS-B-3200 knows
no half-height or high-density form, so one face serves every option.

Geometry at 10 pt (the symbology table's size), where one em (1000 units)
is 10/72 inch and a module of 36 units is 0.005 inch, against USPS-B-3200's
barcode dimensions (section 2.3.1):
    bar width     0.015 to 0.025 in      4 modules, 0.020 in
    bar pitch     20 to 24 bars per inch 9 modules, 0.045 in (22.2 per inch)
    full bar      0.125 to 0.165 in      1000 units, 0.139 in
    tracker       0.039 to 0.057 in      346 units, 0.048 in, centred
    ascender and descender: the tracker and one of the two equal extensions
    that make up a full bar, 673 units, 0.093 in
    clear zone    0.125 in left and right: 25 modules
"""

MODULE = 36
BAR = 4
SPACE = 5
FULL_TOP = 1000
TRACKER_BOTTOM = 327
TRACKER_TOP = FULL_TOP - TRACKER_BOTTOM
QUIET = 25

# Bottom and top of the bar each letter draws, in font units.
EXTENTS = {
    "F": (0, FULL_TOP),
    "A": (TRACKER_BOTTOM, FULL_TOP),
    "D": (0, TRACKER_TOP),
    "T": (TRACKER_BOTTOM, TRACKER_TOP),
}
