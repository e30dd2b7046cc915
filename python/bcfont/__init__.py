"""Font strings for the bcfont barcode fonts.

A font string is a few characters that, set in the face :func:`face` names,
draw the barcode. Text goes in and comes out as str; every character must be
one that Mac OS Roman holds.

>>> import bcfont
>>> bcfont.encode("400638133393", "ean13") == bcfont.encode_many(["400638133393"], "ean13")[0]
True
"""

from ._bcfont import __version__, encode_many, face, types
from . import _bcfont

__all__ = ["Rejected", "__version__", "encode", "encode_many", "face", "types"]


class Rejected(ValueError):
    """The data was refused; ``reason`` says why, as a person can act on it."""

    def __init__(self, reason: str) -> None:
        super().__init__(reason)
        self.reason = reason


def encode(data: str, type: str, addon: str = "", check: bool = True) -> str:
    """The font string of ``data`` for the symbology ``type``.

    ``type`` is a name from :func:`types` (any case) or its number as text;
    the 2D codes take options after a colon (``"qr:ecc=H"``), and their
    font strings are lines joined by ``"\\n"``.
    ``addon`` is the 2- or 5-digit EAN-13 add-on; other symbologies ignore it.
    ``check`` adds the optional check character (mandatory ones always are).

    Raises :class:`Rejected` with the reason when the data is refused, and
    ValueError for an unknown type or a malformed option.
    """
    font_string, reason = _bcfont.encode_one(data, type, addon, check)
    if font_string is None:
        raise Rejected(reason)
    return font_string
