"""Reads the line pitch of a Code 2D sample from a greyscale picture.

The sample is N lines of MEASURE_LINE: four columns of 'P' (full), four of
'I' (top module only), four of 'B' (bottom module only). In the full columns
any light row between the first and last dark row is a gap between lines;
the top edges of the 'I' marks give each line's pitch, and the height of
the marks the module height."""

from PIL import Image

MEASURE_LINE = "PPPPIIIIBBBB"
GROUPS = 3


def dark_runs(values):
    """(start, end) of each run of dark pixels."""
    runs, start = [], None
    for i, v in enumerate(list(values) + [255]):
        if v < 128 and start is None:
            start = i
        elif v >= 128 and start is not None:
            runs.append((start, i))
            start = None
    return runs


def measure(png, points, dpi, lines):
    """dict: em (px, ideal), pitches, gap rows in the full columns, mark heights."""
    image = Image.open(png).convert("L")
    width, height = image.size
    pixels = image.load()
    em = points * dpi / 72
    # The sample alone: from its first dark row to one line below its end.
    first = next((y for y in range(height) if any(pixels[x, y] < 128 for x in range(0, width, 2))), 0)
    height = min(height, int(first + (lines + 1) * em))
    dark_cols = [x for x in range(width) if any(pixels[x, y] < 128 for y in range(first, height, 2))]
    if not dark_cols:
        return {"error": "nothing drawn"}
    left, right = dark_cols[0], dark_cols[-1] + 1
    group = (right - left) / GROUPS

    def column(g):
        # The darkest pixel across the middle half of the group: glyphs set
        # at fractional positions leave grey seams between them.
        xs = range(int(left + (g + 0.25) * group), int(left + (g + 0.75) * group))
        return [min(pixels[x, y] for x in xs) for y in range(height)]
    solid = column(0)
    full = dark_runs(solid)
    marks = dark_runs(column(1))
    top, bottom = full[0][0], full[-1][1]
    gap_rows = sum(b - a for (_, a), (b, _) in zip(full, full[1:]))
    pitches = [b[0] - a[0] for a, b in zip(marks, marks[1:])]
    return {
        "em": em,
        "lines": len(marks),
        "height": bottom - top,
        "ideal_height": lines * em,
        "gap_rows": gap_rows,
        "pitches": pitches,
        "mark_heights": [b - a for a, b in marks],
        # The lightest row inside the full columns: a grey seam short of a gap.
        "lightest": max(solid[top:bottom]),
    }


def summary(m, lines):
    """gap/overlap in px per line boundary: + gap, - overlap."""
    if "error" in m:
        return m["error"]
    if m["lines"] != lines:
        return f"{m['lines']} of {lines} lines"
    mean_pitch = sum(m["pitches"]) / len(m["pitches"])
    per_line = mean_pitch - m["em"]
    return (f"em {m['em']:.2f} pitch {mean_pitch:.2f} ({'+' if per_line >= 0 else ''}{per_line:.2f}/line) "
            f"range {min(m['pitches'])}-{max(m['pitches'])} seams {m['gap_rows']} "
            f"lightest {m['lightest']} height {m['height']}/{m['ideal_height']:.1f}")
