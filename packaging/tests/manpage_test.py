#!/usr/bin/env python3
"""The man pages render without groff warnings, have the sections a reader
looks for, and document every subcommand and option the program's help lists.

    manpage_test.py BCFONT MANDIR   (MANDIR holds bcfont.1.gz and bcfont-gui.1.gz)
"""

import os
import re
import subprocess
import sys

# page | sections it must have, in this order
SECTIONS = [
    ("bcfont.1.gz", ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "COMMANDS", "SYMBOLOGIES",
                     "TEXT ENCODING", "EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES", "SEE ALSO"]),
    ("bcfont-gui.1.gz", ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "ENVIRONMENT", "FILES", "SEE ALSO"]),
]

# page | text the rendered page must contain
CONTENTS = [
    ("bcfont.1.gz", "bcfont - barcode font strings from the command line"),
    ("bcfont.1.gz", "Mac OS Roman"),
    ("bcfont.1.gz", "$ bcfont encode --type ean13 400638133393"),
    ("bcfont.1.gz", "4<ALGDTM=dddjdb>"),
    ("bcfont.1.gz", "postnet, 10"),
    ("bcfont.1.gz", "imb, 11"),
    ("bcfont.1.gz", "gs1128, 12"),
    ("bcfont.1.gz", "bcfont-gui(1)"),
    ("bcfont-gui.1.gz", "bcfont-gui - the bcfont window"),
    ("bcfont-gui.1.gz", "bcfont(1)"),
]


def render(path):
    env = dict(os.environ, MANWIDTH="200", LC_ALL="C.UTF-8", MAN_KEEP_FORMATTING="")
    result = subprocess.run(["man", "--warnings=all", "-l", path], capture_output=True, text=True, env=env)
    text = re.sub(r".\x08", "", result.stdout)
    return text, result.stderr.strip(), result.returncode


def section_names(text):
    return [line for line in text.splitlines() if re.fullmatch(r"[A-Z][A-Z ]+", line)]


def subsections(text):
    """Maps each subsection heading under COMMANDS to its text."""
    body = text.split("\nCOMMANDS\n", 1)[1].split("\nSYMBOLOGIES\n", 1)[0]
    parts = re.split(r"^   (\S+)$", body, flags=re.MULTILINE)
    return dict(zip(parts[1::2], parts[2::2]))


def help_options(program, sub):
    text = subprocess.run([program, sub, "--help"], capture_output=True, text=True, check=True).stdout
    return re.findall(r"^  (?:-\w,)?(--[\w-]+)", text, flags=re.MULTILINE)


def main(program, mandir):
    failures = []
    pages = {}
    for page in {p for p, _ in SECTIONS}:
        text, warnings, status = render(os.path.join(mandir, page))
        pages[page] = text
        if status != 0 or warnings:
            failures.append(f"{page}: man exits {status} with warnings: {warnings}")
    for page, expected in SECTIONS:
        actual = section_names(pages[page])
        if actual != expected:
            failures.append(f"{page}: sections {actual}, expected {expected}")
    for page, needle in CONTENTS:
        if needle not in pages[page]:
            failures.append(f"{page}: does not contain '{needle}'")

    top = subprocess.run([program, "--help"], capture_output=True, text=True, check=True).stdout
    subcommands = re.findall(r"^  (\w+) ", top.split("Subcommands:", 1)[1], flags=re.MULTILINE)
    documented = subsections(pages["bcfont.1.gz"])
    for sub in subcommands:
        if sub not in documented:
            failures.append(f"bcfont.1.gz: no subsection for '{sub}' (has {sorted(documented)})")
            continue
        for option in help_options(program, sub):
            if option != "--help" and option not in documented[sub]:
                failures.append(f"bcfont.1.gz: '{sub}' lists no {option}")

    for failure in failures:
        print("FAIL ", failure)
    print(f"{len(subcommands)} subcommands checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]) if len(sys.argv) == 3 else __doc__)
