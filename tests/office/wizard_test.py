#!/usr/bin/python3
"""What Calc's Function Wizard shows for the add-in, in English and German:
the functions under Add-In with their arguments and help, as LibreOffice
reads them from the extension's configuration and from the add-in itself,
and the add-in's reasons in the language Calc sets.

Usage: wizard_test.py --extensions DIR --work DIR
"""

import argparse
import os
import shutil
import sys

SERVICE = "org.bcfont.calc.BarcodeFunctions"
ADD_IN_CATEGORY = 11  # com.sun.star.sheet.FunctionCategory.ADDIN

# name: (English arguments, German arguments, start of the English help, start of the German help)
FUNCTIONS = {
    "bcfont": ("BCFONT", ["Data", "Type", "Addon", "Check"], ["Daten", "Typ", "Zusatz", "Prüfzeichen"],
               "The barcode font string", "Die Barcode-Zeichenfolge"),
    "bcfontReason": ("BCFONTREASON", ["Data", "Type", "Addon", "Check"], ["Daten", "Typ", "Zusatz", "Prüfzeichen"],
                     "Empty text when BCFONT", "Leerer Text, wenn BCFONT"),
    "bcfontText": ("BCFONTTEXT", ["Data", "Type", "Addon", "Check"], ["Daten", "Typ", "Zusatz", "Prüfzeichen"],
                   "The text a label prints under the bars", "Der Klartext, den ein Etikett"),
    "bcfontFace": ("BCFONTFACE", ["Type", "HalfHeight", "HighDensity"], ["Typ", "HalbeHöhe", "HoheDichte"],
                   "The name of the barcode font", "Der Name der Barcode-Schrift"),
}
# BCFONTREASON of the data 12 as EAN-13, in the language Calc sets with setLocale().
REASONS = {"en": "EAN-13 needs 12 or 13 digits, got 2", "de": "EAN-13 braucht 12 oder 13 Ziffern, es sind 2"}
# Only Data is required; Calc offers every other argument as optional.
REQUIRED = {"bcfont": [True, False, False, False], "bcfontReason": [True, False, False, False],
            "bcfontText": [True, False, False, False],
            "bcfontFace": [False, False, False]}


def check(failures, what, expected, actual):
    if expected != actual:
        failures.append(f"  {what}\n    expected {expected!r}\n    actual   {actual!r}")


def starts(failures, what, prefix, text):
    if not text.startswith(prefix):
        failures.append(f"  {what}\n    expected to start with {prefix!r}\n    actual   {text!r}")


def wizard_entries(session):
    entries = {}
    for description in session.create("com.sun.star.sheet.FunctionDescriptions"):
        fields = {p.Name: p.Value for p in description}
        entries[fields["Name"]] = fields
    return entries


def configured(session, locale, path):
    from uno_session import property_value
    provider = session.create("com.sun.star.configuration.ConfigurationProvider",
                              property_value("Locale", locale))
    root = f"/org.openoffice.Office.CalcAddIns/AddInInfo/{SERVICE}/AddInFunctions"
    access = provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess",
                                                  (property_value("nodepath", root),))
    return access.getByHierarchicalName(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--extensions", required=True)
    parser.add_argument("--work", required=True)
    options = parser.parse_args()
    shutil.rmtree(options.work, ignore_errors=True)

    # This process receives the add-in's objects, so its UNO needs the
    # add-in's types too: set before the first import of uno.
    program = "file:///usr/lib/libreoffice/program"
    os.environ["UNO_TYPES"] = " ".join([f"{program}/types.rdb", f"{program}/types/offapi.rdb",
                                        f"file://{options.extensions}/bcfont/bcfont.rdb"])
    import uno  # noqa: E402
    from uno_session import Session  # noqa: E402

    failures = []
    with Session(options.work, options.extensions) as session:
        # The Function Wizard, in the English of this installation.
        entries = wizard_entries(session)
        for name, (display, english, _german, help_en, _help_de) in FUNCTIONS.items():
            entry = entries.get(display)
            if entry is None:
                failures.append(f"  {display} is not in the Function Wizard")
                continue
            check(failures, f"{display} category", ADD_IN_CATEGORY, entry["Category"])
            starts(failures, f"{display} help", help_en, entry["Description"])
            check(failures, f"{display} arguments", english, [a.Name for a in entry["Arguments"]])
            check(failures, f"{display} optional arguments", [not r for r in REQUIRED[name]],
                  [a.IsOptional for a in entry["Arguments"]])
            for a in entry["Arguments"]:
                if not a.Description:
                    failures.append(f"  {display} argument {a.Name} has no help")

        # The German the extension's configuration gives a German Calc.
        for name, (display, _english, german, _help_en, help_de) in FUNCTIONS.items():
            check(failures, f"{display} German name", display, configured(session, "de", f"{name}/DisplayName"))
            starts(failures, f"{display} German help", help_de, configured(session, "de", f"{name}/Description"))

        # The add-in's own answers, which Calc asks when it has no configuration.
        addin = session.create(SERVICE)
        for language, country, column in (("en", "US", 1), ("de", "DE", 2)):
            addin.setLocale(uno.createUnoStruct("com.sun.star.lang.Locale", language, country, ""))
            for name, row in FUNCTIONS.items():
                names = [addin.getDisplayArgumentName(name, i) for i in range(len(row[column]))]
                check(failures, f"{row[0]} arguments from the add-in in {language}", row[column], names)
                starts(failures, f"{row[0]} help from the add-in in {language}", row[2 + column],
                       addin.getFunctionDescription(name))
            check(failures, f"BCFONTREASON from the add-in in {language}", REASONS[language],
                  addin.bcfontReason((("12",),), "ean13", None, None))
            check(failures, f"programmatic name of BCFONTREASON in {language}", "bcfontReason",
                  addin.getProgrammaticFuntionName("BCFONTREASON"))
        check(failures, "service name", SERVICE, addin.getServiceName())

    if failures:
        print(f"{len(failures)} mismatches:\n" + "\n".join(failures))
        return 1
    print(f"all {len(FUNCTIONS)} functions as expected in English and German")
    return 0


if __name__ == "__main__":
    sys.exit(main())
