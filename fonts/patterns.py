"""Bar patterns of every symbology bcfont's fonts draw, written as the
standards print them, and the byte assignments the encoders rely on.

Everything the generator draws comes from here; nothing else holds a pattern.
Module strings ("0001101") give one character per module, '1' a bar and '0' a
space. Width strings ("212222") give element widths in modules, bar first.
Narrow/wide strings ("nnwwn") give elements as narrow or wide, bar first unless
a table says otherwise.
"""

DIGITS = "0123456789"

# EAN/UPC number sets A (odd parity), B (even parity) and C (right half),
# 7 modules per digit, from the EAN/UPC symbol character table.
EAN_SET_A = [
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
]
EAN_SET_B = [
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111",
]
EAN_SET_C = [
    "1110010", "1100110", "1101100", "1000010", "1011100",
    "1001110", "1010000", "1000100", "1001000", "1110100",
]

# EAN/UPC auxiliary patterns.
EAN_NORMAL_GUARD = "101"        # left and right guard of EAN-13, EAN-8, UPC-A
EAN_CENTRE_GUARD = "01010"
UPCE_END_GUARD = "010101"
ADDON_START = "1011"
ADDON_SEPARATOR = "01"
# Blank modules between the main symbol's right guard and the add-on, within
# the 7 to 12 modules the add-on standard allows.
ADDON_GAP_MODULES = 9

# Code 39, from the Code 39 character table: nine elements (bar, space, ...),
# 'w' wide and 'n' narrow. Key is the character, "space" the space character.
# In value order: the position of a character is its value for the modulo-43
# check character; '*', the start/stop character, comes last.
CODE39 = {
    "0": "nnnwwnwnn", "1": "wnnwnnnnw", "2": "nnwwnnnnw", "3": "wnwwnnnnn",
    "4": "nnnwwnnnw", "5": "wnnwwnnnn", "6": "nnwwwnnnn", "7": "nnnwnnwnw",
    "8": "wnnwnnwnn", "9": "nnwwnnwnn", "A": "wnnnnwnnw", "B": "nnwnnwnnw",
    "C": "wnwnnwnnn", "D": "nnnnwwnnw", "E": "wnnnwwnnn", "F": "nnwnwwnnn",
    "G": "nnnnnwwnw", "H": "wnnnnwwnn", "I": "nnwnnwwnn", "J": "nnnnwwwnn",
    "K": "wnnnnnnww", "L": "nnwnnnnww", "M": "wnwnnnnwn", "N": "nnnnwnnww",
    "O": "wnnnwnnwn", "P": "nnwnwnnwn", "Q": "nnnnnnwww", "R": "wnnnnnwwn",
    "S": "nnwnnnwwn", "T": "nnnnwnwwn", "U": "wwnnnnnnw", "V": "nwwnnnnnw",
    "W": "wwwnnnnnn", "X": "nwnnwnnnw", "Y": "wwnnwnnnn", "Z": "nwwnwnnnn",
    "-": "nwnnnnwnw", ".": "wwnnnnwnn", "space": "nwwnnnwnn", "$": "nwnwnwnnn",
    "/": "nwnwnnnwn", "+": "nwnnnwnwn", "%": "nnnwnwnwn", "*": "nwnnwnwnn",
}
# The byte at which the encoder writes the Code 39 space character; a typed
# space draws the same pattern.
CODE39_SPACE_BYTE = "_"

# Code 128 symbol values 0 to 106, from the Code 128 symbol character table:
# six element widths in modules (bar first), eleven modules each; value 106 is
# the stop, thirteen modules with its final bar.
CODE128 = [
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
]
CODE128_STOP_VALUE = 106


# Font bytes of the Code 128 values that the fonts do not place at value + 32:
# bytes 0-32 are not printable and 127 is DEL, so these values move to bytes
# 128 and above.
CODE128_MOVED_BYTES = {
    0: 154,    # space in sets A and B, 00 in set C
    95: 159,   # DEL in set B, US in set A
    96: 167,   # FNC3
    97: 185,   # FNC2
    98: 226,   # Shift
    99: 196,   # Code C
    100: 227,  # Code B
    101: 201,  # Code A
    102: 189,  # FNC1
    103: 128,  # Start A
    104: 133,  # Start B
    105: 134,  # Start C
}


def code128_byte(value):
    """Font byte at which the encoder writes a Code 128 symbol value."""
    return CODE128_MOVED_BYTES.get(value, value + 32)


# 2 of 5 digits, five elements each with two wide, from the 2 of 5 digit table
# (weights 1 2 4 7 and parity). Interleaved draws the first digit of a pair in
# the bars and the second in the spaces; Industrial draws the digit in the
# bars, every space narrow.
TWO_OF_FIVE = [
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
    "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn",
]
ITF_START = "nnnn"      # bar, space, bar, space
ITF_STOP = "wnn"        # bar, space, bar
# Industrial start and stop, bars only (spaces between them narrow).
INDUSTRIAL_START = "wwn"
INDUSTRIAL_STOP = "wnw"


# Font bytes of the Interleaved 2 of 5 digit pairs past byte 126 (pairs 0-93
# are at pair + 33), and of start and stop.
ITF_MOVED_BYTES = {94: 159, 95: 167, 96: 185, 97: 226, 98: 196, 99: 227}
ITF_START_BYTE = 128
ITF_STOP_BYTE = 138


def itf_pair_byte(pair):
    """Font byte at which the encoder writes an Interleaved 2 of 5 digit pair."""
    return ITF_MOVED_BYTES.get(pair, pair + 33)


# Codabar, from the Codabar character table: seven elements (bar first).
CODABAR = {
    "0": "nnnnnww", "1": "nnnnwwn", "2": "nnnwnnw", "3": "wwnnnnn", "4": "nnwnnwn",
    "5": "wnnnnwn", "6": "nwnnnnw", "7": "nwnnwnn", "8": "nwwnnnn", "9": "wnnwnnn",
    "-": "nnnwwnn", "$": "nnwwnnn", ":": "wnnnwnw", "/": "wnwnnnw", ".": "wnwnwnn",
    "+": "nnwnwnw", "A": "nnwwnwn", "B": "nwnwnnw", "C": "nnnwnww", "D": "nnnwwwn",
}

# Postnet digits, five bars each with two full ('1') and three half ('0'),
# weights 7 4 2 1 0 (0 is 7 + 4).
POSTNET = [
    "11000", "00011", "00101", "00110", "01001",
    "01010", "01100", "10001", "10010", "10100",
]
