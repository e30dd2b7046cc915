"""The Python module against fixed font strings and reasons, and its list
form against its single form."""

import ast
import sys
import threading
import unittest
from pathlib import Path

import bcfont

EAN13 = "400638133393"

# Font strings as `bcfont encode` prints them, and the faces the table names.
FONTS = {
    "EAN13_FONT": "4<ALGDTM=dddjdb>",
    "EAN13_ADDON_FONT": "4<ALGDTM=dddjdb>:v;n;Z;u;q",
    "C128_FONT": 'ÖHello…i„World"ä',
    "FACE_EAN13": "Code EAN",
    "FACE_C39_RED_HD": "Code 39 Red High Density",
    "FACE_POSTNET": "Postnet",
}

# name, (data, type, addon, check), the font string or ("Rejected", reason) or ("ValueError", message)
ENCODE_ROWS = [
    ("ean13", (EAN13, "ean13", "", True), "EAN13_FONT"),
    ("type as its number", (EAN13, "1", "", True), "EAN13_FONT"),
    ("ean13 with a 5-digit add-on", (EAN13, "ean13", "52495", True), "EAN13_ADDON_FONT"),
    ("code 128, non-ASCII output", ("Hello~009World", "code128", "", True), "C128_FONT"),
    ("wrong length", ("12345", "ean13", "", True), ("Rejected", "EAN-13 needs 12 or 13 digits, got 5")),
    ("empty data", ("", "ean13", "", True), ("Rejected", "no data to encode")),
    ("lone surrogate", ("AB\udc80", "code128", "", True), ("Rejected", "the data is not valid UTF-8 (byte 3)")),
    ("add-on not digits", (EAN13, "ean13", "52a95", True),
     ("Rejected", "the add-on must be digits: 'a' at position 3")),
    ("unknown type", (EAN13, "qrcode", "", True), ("ValueError", "unknown type 'qrcode'")),
]


class EncodeTest(unittest.TestCase):
    def test_rows(self):
        for name, args, expected in ENCODE_ROWS:
            with self.subTest(name):
                expected = FONTS.get(expected, expected) if isinstance(expected, str) else expected
                if isinstance(expected, str):
                    self.assertEqual(bcfont.encode(*args), expected)
                    continue
                kind, message = expected
                with self.assertRaises(ValueError) as caught:
                    bcfont.encode(*args)
                self.assertEqual(type(caught.exception).__name__, kind)
                self.assertEqual(str(caught.exception), message)
                if kind == "Rejected":
                    self.assertEqual(caught.exception.reason, message)

    def test_encode_many_gives_encode_or_none(self):
        items = [args[0] for _, args, expected in ENCODE_ROWS if args[1] == "ean13"]
        expected = []
        for item in items:
            try:
                expected.append(bcfont.encode(item, "ean13", "52495"))
            except bcfont.Rejected:
                expected.append(None)
        self.assertEqual(bcfont.encode_many(items, "ean13", "52495"), expected)
        self.assertEqual(bcfont.encode_many(iter(items), "ean13", addon="52495"), expected)

    def test_encode_many_refusals(self):
        for name, call, error in [
            ("item not a str", lambda: bcfont.encode_many([EAN13, 5], "ean13"), TypeError),
            ("not iterable", lambda: bcfont.encode_many(5, "ean13"), TypeError),
            ("unknown type", lambda: bcfont.encode_many([EAN13], "qrcode"), ValueError),
        ]:
            with self.subTest(name), self.assertRaises(error):
                call()

    def test_encode_many_releases_the_gil(self):
        # With a long switch interval the encoding thread never hands the GIL
        # over on its own, so this thread runs before the call returns only
        # if the call releases it.
        items = [EAN13] * 200_000
        started, finished = threading.Event(), []
        seen_running = []

        def work():
            started.set()
            bcfont.encode_many(items, "ean13")
            finished.append(True)

        old = sys.getswitchinterval()
        sys.setswitchinterval(30)
        try:
            thread = threading.Thread(target=work)
            thread.start()
            started.wait()
            seen_running.append(not finished)
            thread.join()
        finally:
            sys.setswitchinterval(old)
        self.assertEqual(seen_running, [True])


class FaceTest(unittest.TestCase):
    def test_rows(self):
        for name, args, expected in [
            ("ean13", ("ean13",), "FACE_EAN13"),
            ("code39 half height, high density", ("code39", True, True), "FACE_C39_RED_HD"),
            ("postnet has no high density face", ("postnet", False, True), "FACE_POSTNET"),
        ]:
            with self.subTest(name):
                self.assertEqual(bcfont.face(*args), FONTS[expected])
        with self.assertRaises(ValueError):
            bcfont.face("qrcode")

    def test_stub_names_what_the_module_exports(self):
        stub = ast.parse((Path(bcfont.__file__).parent / "__init__.pyi").read_text())
        names = {n.name for n in stub.body if isinstance(n, (ast.FunctionDef, ast.ClassDef))}
        names |= {n.target.id for n in stub.body if isinstance(n, ast.AnnAssign)}
        self.assertEqual(names, set(bcfont.__all__))
        for name in bcfont.__all__:
            with self.subTest(name):
                self.assertTrue(name == "__version__" or getattr(bcfont, name).__doc__, "no docstring")

    def test_types_and_version(self):
        self.assertEqual(bcfont.types()[:3], ["ean8", "ean13", "upca"])
        self.assertEqual(bcfont.__version__, VERSION)
        self.assertTrue(issubclass(bcfont.Rejected, ValueError))


if __name__ == "__main__":
    VERSION = sys.argv.pop(1)
    unittest.main()
