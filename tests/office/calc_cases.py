"""The named cases of the Calc add-in tests.

A data, addon or type value is a text cell when it is a str, a number cell when
it is an int or float, and an empty cell when it is None. A check of None
leaves the argument out, and so does a type of None; True/False are boolean cells, 1/0 number cells.

Unless a case gives `value` and `reason`, BCFONT must equal what
`bcfont encode` prints for the same request, BCFONTREASON the reason it
gives and BCFONTTEXT what `bcfont encode --hri` prints (with `value`,
BCFONTTEXT is `value` too). `scans` is the text a decoder reads from the barcode cell printed in
`face`, when the symbology is one a decoder reads.
"""

from dataclasses import dataclass, field
from typing import Optional, Union

Cell = Union[str, int, float, bool, None]

ERROR = "Err:502"  # what Calc shows for a rejected BCFONT


@dataclass
class Case:
    name: str
    data: Cell
    type: Cell
    addon: Cell = None
    check: Cell = None
    value: Optional[str] = None  # expected BCFONT when not from `bcfont encode`
    reason: Optional[str] = None
    face: str = ""
    scans: Optional[str] = None
    # Cells no text cell can hold (a NUL): a formula of Calc's own, and the
    # data the command line is given for the same request.
    data_formula: Optional[str] = None
    addon_formula: Optional[str] = None
    encode_as: Optional[str] = None


@dataclass
class FaceCase:
    name: str
    type: Cell
    half: Cell
    dense: Cell
    value: str  # expected BCFONTFACE


VALID_TYPES = ("give one of ean8, ean13, upca, upce, code39, code128, code128ean, itf, industrial25, "
               "codabar, postnet, imb, gs1128, qr, datamatrix, pdf417, gs1qr, gs1datamatrix or its number 0-17")

CASES = [
    # every symbology, as the window's defaults would encode it
    Case("ean8 text", "5512345", "ean8", face="Code EAN", scans="55123457"),
    Case("ean13 number cell", 400638133393, "ean13", face="Code EAN", scans="4006381333931"),
    Case("ean13 13 digits, check replaced", "4006381333930", "ean13", face="Code EAN", scans="4006381333931"),
    Case("ean13 leading zero in a text cell", "012345678901", "ean13", face="Code EAN", scans="0123456789012"),
    Case("ean13 2-digit add-on", "400638133393", "ean13", addon="12", face="Code EAN", scans="4006381333931"),
    Case("ean13 5-digit add-on in a number cell", 400638133393, "ean13", addon=52495, face="Code EAN",
         scans="4006381333931"),
    Case("upca", "03600029145", "upca", face="Code UPC", scans="036000291452"),
    Case("upce", "0123456", "upce", face="Code UPC", scans="01234565"),
    Case("code39 with check", "CODE39", "code39", check=True, face="Code 39", scans="CODE39W"),
    Case("code39 without check", "CODE39", "code39", check=False, face="Code 39", scans="CODE39"),
    Case("code39 full ascii", "a b", "code39", addon="", check=0, face="Code 39", scans="a b"),
    Case("code39 escapes, as the text shows them", "A~066~~", "code39"),
    Case("code128 text", "Hello World", "code128", face="Code 128", scans="Hello World"),
    Case("code128 number cell", 12345, "code128", face="Code 128", scans="12345"),
    Case("code128 without check", "ABC", "code128", addon="", check=0),
    Case("code128 high Mac OS Roman character", "caf\u00e9", "code128"),
    Case("code128ean", "0101234567890128", "code128ean", face="Code 128", scans="0101234567890128"),
    Case("itf with check", "1234567", "itf", face="Code 25 Interleaved", scans="12345670"),
    Case("itf without check, padded", "12345", "itf", check=False, face="Code 25 Interleaved", scans="012345"),
    Case("industrial25", "0123456789", "industrial25", check=1),
    Case("codabar", "123", "codabar", face="Codabar", scans="123"),
    Case("postnet", "12345", "postnet"),
    Case("imb tracking and routing code", "01234567094987654321-01234567891", "imb"),
    Case("gs1128", "(01)09501101530003(17)250101(10)ABC123", "gs1128", face="Code 128",
         scans="01095011015300031725010110ABC123"),
    Case("gs1128 wrong check digit, rejected", "(01)09501101530004", "gs1128"),
    # the 2D codes: multi-line font strings from UTF-8 data, options after the type
    Case("qr with options", "https://example.com/Gr\u00fc\u00dfe", "qr:ecc=H,version=4"),
    Case("datamatrix text beyond Mac OS Roman", "\u6f22\u5b57 \u2603", "datamatrix"),
    Case("pdf417 number cell", 1234567890, "pdf417:columns=4"),
    Case("gs1qr element string", "(01)09501101530003(17)270101(10)AB-12", "gs1qr"),
    Case("gs1datamatrix rectangular", "(01)09501101530003(21)XYZ", "gs1datamatrix:shape=rect"),
    Case("qr too long for its version", "x" * 40, "qr:version=1"),
    Case("qr malformed option", "x", "qr:ecc=X", value=ERROR,
         reason="Type 'qr:ecc=X': ecc must be L, M, Q or H, not X"),
    # the type argument
    Case("type as a number cell", "400638133393", 1),
    Case("type name in capitals", "400638133393", "EAN13"),
    Case("type as a number text", "400638133393", "1"),
    # rejections by the encoder: the same reason as the command line
    Case("ean13 too short", "12", "ean13"),
    Case("imb routing code of 10 digits", "01234567094987654321-0123456789", "imb"),
    Case("upce number system 2", "2123456", "upce"),
    Case("ean13 add-on of 3 digits", "400638133393", "ean13", addon="123"),
    Case("ean8 letters", "ABCDEFG", "ean8"),
    # a NUL inside the text: data to Code 39 and 128 (as ~000), never an end
    Case("code39 NUL inside", "", "code39", data_formula='"AB"&UNICHAR(0)&"CD"', encode_as="AB~000CD",
         face="Code 39", scans="AB\u0000CDW"),
    Case("code128 CHAR(0) inside", "", "code128", data_formula='"A"&CHAR(0)&"1"', encode_as="A~0001"),
    Case("ean13 NUL inside", "", "ean13", data_formula='"4006"&UNICHAR(0)&"38133393"', value=ERROR,
         reason="EAN-13 takes digits only: NUL at position 5"),
    Case("ean13 add-on with a NUL", "400638133393", "ean13", addon_formula='"52"&UNICHAR(0)&"495"', value=ERROR,
         reason="the add-on must be digits: NUL at position 3"),
    # rejections of the arguments, which only the add-in has
    Case("fraction in a number cell", 12.5, "code128", value=ERROR,
         reason="Data 12.5 is not a whole number from 0 to 999999999999999; put it in a text cell"),
    Case("negative number cell", -5, "code128", value=ERROR,
         reason="Data -5 is not a whole number from 0 to 999999999999999; put it in a text cell"),
    Case("number cell beyond 15 digits", 1e16, "ean13", value=ERROR,
         reason="Data 1e+16 is not a whole number from 0 to 999999999999999; put it in a text cell"),
    Case("character without a Mac OS Roman byte", "A\u2603B", "code128", value=ERROR,
         reason="Data holds the character U+2603, which barcode fonts cannot hold"),
    Case("unknown type name", "123", "qrcode", value=ERROR, reason="unknown Type 'qrcode'; " + VALID_TYPES),
    Case("type number out of range", "123", 99, value=ERROR, reason="unknown Type 99; " + VALID_TYPES),
    Case("type left out", "123", None, value=ERROR, reason="Type is missing; " + VALID_TYPES),
    Case("check 2", "123", "code39", addon="", check=2, value=ERROR,
         reason="Check must be TRUE or FALSE (or 1 or 0), got 2"),
    # blank rows stay blank
    Case("empty data cell", None, "ean13", value="", reason=""),
    Case("empty text", "", "ean13", value="", reason=""),
    Case("number 0, as Calc passes an empty cell", 0, "code39", value="", reason=""),
]

FACE_CASES = [
    FaceCase("ean13", "ean13", None, None, "Code EAN"),
    FaceCase("upce by number", 3, None, None, "Code UPC"),
    FaceCase("code39 half height", "code39", True, None, "Code 39 Red"),
    FaceCase("code39 high density", "code39", False, True, "Code 39 High Density"),
    FaceCase("code39 both", "code39", 1, 1, "Code 39 Red High Density"),
    FaceCase("code128ean", "code128ean", None, None, "Code 128"),
    FaceCase("itf half height high density", "itf", True, True, "Code 25 Interleaved Red HD"),
    FaceCase("industrial25 high density has none", "industrial25", False, True, "Code 25 Industrial"),
    FaceCase("codabar half height", "codabar", True, False, "Codabar Red"),
    FaceCase("postnet has one face", "postnet", True, True, "Postnet"),
    FaceCase("imb has one face", "imb", True, True, "Code IMb"),
    FaceCase("2D type with options", "qr:ecc=H", None, None, "Code 2D"),
    FaceCase("unknown type", "qrcode", None, None, ERROR),
    FaceCase("half height 3", "ean13", 3, None, ERROR),
]
