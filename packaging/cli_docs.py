#!/usr/bin/env python3
"""Writes bcfont's man page and bash completion from the built program's help.

The subcommands, their options, arguments, ranges, defaults and notes come
from `bcfont --help`, `bcfont SUB --help` and `bcfont types`, so the page and
the completion change with the program. The prose around them (description,
examples, files) is the template packaging/bcfont.1.in.

    cli_docs.py man BCFONT TEMPLATE VERSION DATE FONTDIR OUT
    cli_docs.py completion BCFONT TEMPLATE OUT
"""

import re
import subprocess
import sys
from dataclasses import dataclass, field

# CLI11 puts a help entry's text in column 30, after two spaces at least; an
# entry whose left part is too long carries its text on the next line.
ENTRY = re.compile(r"^  (\S.*?)(?:\s{2,}(\S.*))?$")
CONTINUATION = re.compile(r"^\s{20,}(\S.*)$")
SECTIONS = ("Positionals:", "Options:", "Subcommands:")
# "INT:INT in [10 - 2400]=300": the value's type, its range, its default.
VALUE = re.compile(r"^(?P<kind>[A-Z]+)(?::[A-Z]+)?(?: in \[(?P<low>\S+) - (?P<high>\S+)\])?(?:=(?P<default>\S+))?$")
# Options whose argument, or positionals whose value, names a file.
FILE_WORDS = re.compile(r"\b(?:in|out)\b|input|output|file", re.IGNORECASE)


@dataclass
class Entry:
    names: list      # ["-t", "--type"], or ["DATA"] for a positional
    value: str       # the argument's placeholder, "" for a flag
    required: bool
    low: str
    high: str
    default: str
    text: str

    def takes_file(self):
        return FILE_WORDS.search(" ".join(self.names)) is not None


@dataclass
class Command:
    name: str
    summary: str = ""
    usage: str = ""
    positionals: list = field(default_factory=list)
    options: list = field(default_factory=list)
    subcommands: list = field(default_factory=list)  # (name, summary)
    notes: list = field(default_factory=list)        # lines after the entries


def run(program, *args):
    result = subprocess.run([program, *args], capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"cli_docs: '{program} {' '.join(args)}' failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout


def parse_entry(left, text):
    words = left.split(" ", 1)
    names = words[0].split(",")
    rest = words[1] if len(words) > 1 else ""
    required = rest.endswith(" REQUIRED") or rest == "REQUIRED"
    rest = rest.removesuffix("REQUIRED").strip()
    if names[0].startswith("-"):
        match = VALUE.match(rest) if rest else None
        if rest and not match:
            sys.exit(f"cli_docs: cannot read the value of option '{left}'")
        value = match.group("kind") if match else ""
        low, high, default = (match.group("low"), match.group("high"), match.group("default")) if match else (None, None, None)
    else:
        value, low, high, default = names[0], None, None, None
    return Entry(names, value, required, low or "", high or "", default or "", text or "")


def parse_help(name, text):
    """Reads one CLI11 help screen into a Command."""
    command = Command(name)
    lines = text.rstrip("\n").split("\n")
    section = None
    entries_done = False
    for line in lines:
        if line.startswith("Usage: "):
            command.usage = line[len("Usage: "):]
            continue
        if not command.usage:
            command.summary = (command.summary + " " + line).strip()
            continue
        if line in SECTIONS:
            section = line
            continue
        if section and not entries_done:
            continuation = CONTINUATION.match(line)
            entry = ENTRY.match(line)
            if continuation and section != "Subcommands:" and command_entries(command, section):
                command_entries(command, section)[-1].text = continuation.group(1)
                continue
            if entry:
                if section == "Subcommands:":
                    command.subcommands.append((entry.group(1), entry.group(2) or ""))
                else:
                    command_entries(command, section).append(parse_entry(entry.group(1), entry.group(2)))
                continue
            if line == "":
                continue
            entries_done = True
        if entries_done or section is None:
            command.notes.append(line)
    while command.notes and command.notes[-1] == "":
        command.notes.pop()
    return command


def command_entries(command, section):
    return command.positionals if section == "Positionals:" else command.options


def read_program(program):
    top = parse_help("bcfont", run(program, "--help"))
    subs = [parse_help(name, run(program, name, "--help")) for name, _ in top.subcommands]
    # "10  postnet       Postnet": number, name, full name.
    types = [line.split(None, 2) for line in run(program, "types").splitlines() if line.strip()]
    return top, subs, types


# --- man page -------------------------------------------------------------

def roff(text):
    """Escapes text for a roff line: backslashes, hyphens, leading dots."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    text = re.sub(r"`([^`]+)`", r"\\fB\1\\fR", text)
    return "\\&" + text if text.startswith((".", "'")) else text


def option_heading(entry):
    names = ", ".join(f"\\fB{roff(n)}\\fR" for n in entry.names)
    return names + (f" \\fI{entry.value}\\fR" if entry.value else "")


def sentence(text):
    text = text.strip()
    return text if not text or text.endswith((".", "!", "?")) else text + "."


def option_text(entry):
    out = [sentence(roff(entry.text))]
    if entry.low:
        out.append(f"From {roff(entry.low)} to {roff(entry.high)}.")
    if entry.default:
        out.append(f"Default: {roff(entry.default)}.")
    if entry.required:
        out.append("Required.")
    return " ".join(out)


def paragraphs(lines):
    """Joins wrapped note lines; "Exit status:" starts a paragraph of its own."""
    out = []
    for line in lines:
        if not line.strip():
            continue
        if out and not line.startswith("Exit status:"):
            out[-1] += " " + line.strip()
        else:
            out.append(line.strip())
    return out


def synopsis(top, subs):
    lines = [usage_line(sub.usage) for sub in subs]
    lines.append("\\fBbcfont\\fR " + " | ".join(f"\\fB{roff(entry.names[-1])}\\fR" for entry in top.options))
    return "\n.br\n".join(lines)


def usage_line(usage):
    words = usage.split()
    return " ".join(f"\\fB{roff(w)}\\fR" if i < 2 else f"\\fI{roff(w)}\\fR" for i, w in enumerate(words))


def option_list(entries):
    out = []
    for entry in entries:
        heading = f"\\fI{roff(entry.value)}\\fR" if not entry.names[0].startswith("-") else option_heading(entry)
        out += [".TP", heading, option_text(entry)]
    return out


def command_section(sub):
    options = [entry for entry in sub.options if entry.names != ["-h", "--help"]]
    out = [f".SS {roff(sub.name)}", usage_line(sub.usage), ".PP", sentence(roff(sub.summary))]
    out += option_list(sub.positionals) + option_list(options)
    for paragraph in paragraphs(sub.notes):
        out += [".PP", roff(paragraph)]
    return "\n".join(out)


def types_table(types):
    out = [".PD 0"]
    for number, name, full in types:
        out += [".TP 18", f"\\fB{roff(name)}\\fR, \\fB{number}\\fR", roff(full)]
    return "\n".join(out + [".PD"])


def write_man(program, template, version, date, fontdir, out):
    top, subs, types = read_program(program)
    replacements = {
        "@VERSION@": version,
        "@DATE@": date,
        "@FONTDIR@": roff(fontdir),
        "@SYNOPSIS@": synopsis(top, subs),
        "@OPTIONS@": "\n".join(option_list(top.options)),
        "@COMMANDS@": "\n".join(command_section(sub) for sub in subs),
        "@TYPES@": types_table(types),
        "@SUMMARY@": roff(top.summary),
    }
    fill_template(template, replacements, out)


def fill_template(template, replacements, out):
    """Writes `template` with every placeholder replaced; one left over is an error."""
    text = open(template, encoding="utf-8").read()
    for key, value in replacements.items():
        text = text.replace(key, value)
    leftover = re.search(r"@[A-Z_]+@", text)
    if leftover:
        sys.exit(f"cli_docs: {template} has an unknown placeholder {leftover.group(0)}")
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


# --- bash completion ------------------------------------------------------

def words_of(entries):
    return " ".join(name for entry in entries for name in entry.names)


def write_completion(program, template, out):
    top, subs, types = read_program(program)
    options_cases, value_cases, file_subs = [], [], []
    valued_files, valued_other, valued_type = set(), set(), set()
    for sub in subs:
        options_cases.append(f"            {sub.name}) options=\"{words_of(sub.options)}\" ;;")
        if any(p.takes_file() for p in sub.positionals):
            file_subs.append(sub.name)
        for entry in sub.options:
            if not entry.value:
                continue
            target = valued_type if entry.value == "TYPE" else valued_files if entry.takes_file() else valued_other
            target.update(entry.names)
    replacements = {
        "@SUBCOMMANDS@": " ".join(sub.name for sub in subs),
        "@SUBCOMMANDS_PATTERN@": "|".join(sub.name for sub in subs),
        "@TOP_OPTIONS@": words_of(top.options),
        "@TYPES@": " ".join(name for _, name, _ in types),
        "@TYPE_OPTIONS@": "|".join(sorted(valued_type)) or "--no-such-option",
        "@FILE_OPTIONS@": "|".join(sorted(valued_files)) or "--no-such-option",
        "@VALUE_OPTIONS@": "|".join(sorted(valued_other)) or "--no-such-option",
        "@OPTIONS_CASES@": "\n".join(options_cases),
        "@FILE_SUBCOMMANDS@": "|".join(file_subs) or "--no-such-command",
    }
    fill_template(template, replacements, out)


def main(argv):
    if len(argv) == 8 and argv[1] == "man":
        write_man(*argv[2:])
    elif len(argv) == 5 and argv[1] == "completion":
        write_completion(*argv[2:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
