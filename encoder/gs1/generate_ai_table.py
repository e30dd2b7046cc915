#!/usr/bin/env python3
"""Writes bcfont's GS1 application identifier table (ai_table.cpp).

    generate_ai_table.py DICTIONARY [--iso-codes DIR] [--package-types FILE] [--output FILE]

DICTIONARY is GS1's Barcode Syntax Dictionary (gs1-syntax-dictionary.txt).
The commit it was taken from is read from a README.md beside it ("commit
<hex>, <date>"), else from its "Release:" line. The country and currency
code lists the checks need come from Debian's iso-codes JSON files
(DIR, default /usr/share/iso-codes/json); the package type codes from
package_types.txt beside this script. Without --output the table goes to
standard output.
"""
import argparse
import json
import os
import re
import sys

CHARSETS = {"N": "Digits", "X": "Cset82", "Y": "Cset39", "Z": "Cset64"}

# Dictionary linter name -> the Check enumerator of ai_table.h. The GS1
# Company Prefix checks can only ask for the digits every prefix starts with:
# the list of prefixes GS1 has given out is not published for offline use.
CHECKS = {
    "csum": "CheckDigit", "csumalpha": "CheckPair",
    "yymmdd": "Date", "yymmd0": "DateDay00", "yyyymmdd": "LongDate",
    "hhmi": "HourMinute", "hh": "Hour", "mi": "Minute", "ss": "Second",
    "iso3166": "Country", "iso3166999": "CountryOr999", "iso3166alpha2": "CountryAlpha2",
    "iso4217": "Currency", "nonzero": "NonZero", "zero": "Zero", "yesno": "YesNo",
    "winding": "Winding", "hyphen": "Hyphen", "iso5218": "Sex", "mediatype": "MediaType",
    "pieceoftotal": "PieceOfTotal", "posinseqslash": "PositionSlash", "importeridx": "ImporterIndex",
    "nozeroprefix": "NoZeroPrefix", "hasnondigit": "HasNonDigit", "pcenc": "PercentEncoded",
    "iban": "Iban", "latitude": "Latitude", "longitude": "Longitude",
    "gcppos1": "CompanyPrefix", "gcppos2": "CompanyPrefixAfterDigit", "packagetype": "PackageType",
    "couponcode": "Coupon", "couponposoffer": "PositiveOfferCoupon",
}
MAX_COMPONENTS = 5
MAX_CHECKS = 3

LINE = re.compile(r"^(?P<ais>\d{2,4}(?:-\d{2,4})?)\s+(?P<flags>[*?!\"$%&'()+,\-./:;<=>@\[\\\]^_`{|}~]*)\s*"
                  r"(?P<rest>[^#]*?)\s*(?:#\s*(?P<title>.*?))?\s*$")
COMPONENT = re.compile(r"^(?P<opt>\[)?(?P<cset>[NXYZ])(?P<var>\.\.)?(?P<len>\d+)(?P<close>\])?(?P<checks>(?:,\w+)*)$")


def source_of(path):
    readme = os.path.join(os.path.dirname(os.path.abspath(path)), "README.md")
    if os.path.exists(readme):
        with open(readme, encoding="utf-8") as f:
            m = re.search(r"commit ([0-9a-f]{40}),\s*([0-9-]+)", f.read())
        if m:
            return f"commit {m.group(1)} ({m.group(2)})"
    with open(path, encoding="utf-8") as f:
        m = re.search(r"^# Release: (\S+)", f.read(), re.M)
    return f"release {m.group(1) if m else 'unknown'}"


def parse_component(text, ai):
    m = COMPONENT.match(text)
    if not m:
        sys.exit(f"AI {ai}: cannot read component {text!r}")
    names = [c for c in m.group("checks").split(",") if c]
    checks = []
    for name in names:
        if name not in CHECKS:
            sys.exit(f"AI {ai}: unknown check {name!r}; add it to CHECKS")
        if CHECKS[name]:
            checks.append(CHECKS[name])
    if len(checks) > MAX_CHECKS:
        sys.exit(f"AI {ai}: more than {MAX_CHECKS} checks in {text!r}")
    length = int(m.group("len"))
    return {"cset": CHARSETS[m.group("cset")], "min": 1 if m.group("var") else length, "max": length,
            "optional": bool(m.group("opt")), "checks": checks}


def parse_dictionary(path):
    entries = []
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            m = LINE.match(line)
            if not m:
                sys.exit(f"cannot read line {line!r}")
            words = m.group("rest").split()
            spec = [w for w in words if not re.match(r"^[a-z]+(=|$)", w)]
            attrs = [w for w in words if re.match(r"^[a-z]+(=|$)", w)]
            first, _, last = m.group("ais").partition("-")
            last = last or first
            components = [parse_component(c, first) for c in spec]
            if len(components) > MAX_COMPONENTS:
                sys.exit(f"AI {first}: more than {MAX_COMPONENTS} components")
            req = [a[4:] for a in attrs if a.startswith("req=")]
            ex = [a[3:] for a in attrs if a.startswith("ex=")]
            if len(last) != len(first):
                sys.exit(f"AI range {first}-{last}: both ends must have as many digits")
            entries.append({"ai": first, "last": last, "predefined": "*" in m.group("flags"),
                            "components": components, "req": req, "ex": ",".join(ex),
                            "title": m.group("title") or ""})
    entries.sort(key=lambda e: (len(e["ai"]), e["ai"]))
    for a, b in zip(entries, entries[1:]):
        if len(a["ai"]) == len(b["ai"]) and b["ai"] <= a["last"]:
            sys.exit(f"AI ranges {a['ai']}-{a['last']} and {b['ai']} overlap")
    return entries


def package_types(path):
    with open(path, encoding="utf-8") as f:
        codes = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    if codes != sorted(set(codes)):
        sys.exit(f"{path}: codes must be unique and in byte order")
    return codes


def code_lists(iso_dir):
    with open(os.path.join(iso_dir, "iso_3166-1.json"), encoding="utf-8") as f:
        countries = json.load(f)["3166-1"]
    with open(os.path.join(iso_dir, "iso_4217.json"), encoding="utf-8") as f:
        currencies = json.load(f)["4217"]
    numeric = sorted({int(c["numeric"]) for c in countries})
    alpha2 = sorted({c["alpha_2"] for c in countries})
    money = sorted({int(c["numeric"]) for c in currencies if "numeric" in c})
    return numeric, alpha2, money


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def component_cpp(c):
    checks = ", ".join(f"Check::{k}" for k in c["checks"])
    return (f"{{Charset::{c['cset']}, {c['min']}, {c['max']}, {'true' if c['optional'] else 'false'}, "
            f"{{{checks}}}}}")


def wrapped(values, per_line, fmt):
    rows = []
    for i in range(0, len(values), per_line):
        rows.append("    " + ", ".join(fmt(v) for v in values[i:i + per_line]) + ",")
    return "\n".join(rows)


def render(entries, source, lists, packages):
    numeric, alpha2, money = lists
    out = [
        "// Generated by encoder/gs1/generate_ai_table.py from GS1's Barcode Syntax",
        f"// Dictionary ({source}, Apache-2.0)",
        "// and the ISO 3166-1 and ISO 4217 code lists of Debian's iso-codes,",
        "// the package types of encoder/gs1/package_types.txt.",
        "// Do not edit: run the script again.",
        '#include "ai_table.h"',
        "",
        "namespace bcfont::gs1 {",
        "",
        "// clang-format off",
        f"static_assert(kCountryCodeCount == {len(numeric)} && kCountryAlpha2Count == {len(alpha2)} &&",
        f"              kCurrencyCodeCount == {len(money)} && kPackageTypeCount == {len(packages)},",
        "              \"ai_table.h counts the code lists\");",
        "",
        "namespace {",
        "",
        f"constexpr std::array<AiEntry, {len(entries)}> kRows = {{{{",
    ]
    for e in entries:
        comps = ", ".join(component_cpp(c) for c in e["components"])
        req = "|".join(e["req"])
        out.append(f"    {{{cpp_string(e['ai'])}, {cpp_string(e['last'])}, {'true' if e['predefined'] else 'false'}, "
                   f"{len(e['components'])}, {{{{{comps}}}}}, {cpp_string(req)}, {cpp_string(e['ex'])}, "
                   f"{cpp_string(e['title'])}}},")
    out += [
        "}};",
        "",
        "}  // namespace",
        "",
        "constinit const std::span<const AiEntry> kAiTable{kRows};",
        "constinit const std::array<std::uint8_t, kAiKeys + 1> kAiRowStart = rowStarts(kRows);",
        "namespace {",
        "constexpr std::array<AiCodes, kRows.size()> kCodes = codesOf(kRows);",
        "}  // namespace",
        "constinit const std::span<const AiCodes> kAiCodes{kCodes};",
        "",
        "// ISO 3166-1 numeric country codes.",
        "constinit const std::array<std::uint16_t, kCountryCodeCount> kCountryCodes = {",
        wrapped(numeric, 16, str),
        "};",
        "",
        "// ISO 3166-1 alpha-2 country codes.",
        "constinit const std::array<std::string_view, kCountryAlpha2Count> kCountryAlpha2 = {",
        wrapped(alpha2, 16, cpp_string),
        "};",
        "",
        "// ISO 4217 numeric currency codes.",
        "constinit const std::array<std::uint16_t, kCurrencyCodeCount> kCurrencyCodes = {",
        wrapped(money, 16, str),
        "};",
        "",
        "// Package type codes (UN/ECE Recommendation 21 and GS1's additions).",
        "constinit const std::array<std::string_view, kPackageTypeCount> kPackageTypes = {",
        wrapped(packages, 16, cpp_string),
        "};",
        "// clang-format on",
        "",
        "}  // namespace bcfont::gs1",
        "",
    ]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("dictionary")
    parser.add_argument("--iso-codes", default="/usr/share/iso-codes/json")
    parser.add_argument("--package-types",
                        default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "package_types.txt"))
    parser.add_argument("--output")
    args = parser.parse_args()
    text = render(parse_dictionary(args.dictionary), source_of(args.dictionary), code_lists(args.iso_codes),
                  package_types(args.package_types))
    if args.output:
        with open(args.output, "w", encoding="utf-8") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
