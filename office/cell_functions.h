// The add-in's functions over plain C++ values: what BCFONT, BCFONTREASON,
// BCFONTTEXT and BCFONTFACE return for the cell values Calc hands them. The UNO
// component only converts to and from these types.
#pragma once

#include <string>
#include <variant>

#include "wording.h"

namespace bcfont::office {

struct Blank {};      // an empty cell or an argument left out
struct CellRange {};  // a range of more than one cell where one value belongs

// One argument as Calc passes it: Calc's TRUE and FALSE are numbers, so
// booleans come only from macros and other UNO callers.
using CellValue = std::variant<Blank, double, bool, std::u16string, CellRange>;

// BCFONT and BCFONTREASON read Data and Addon that are blank, empty text or
// the number 0 as empty: Calc passes empty cells to add-ins as 0.
//
// The result of BCFONT and BCFONTREASON for one request. `reason` is empty
// exactly when the request encodes (or the data is blank); then `text` holds
// the font string, one character per byte of it.
struct CellResult {
    std::u16string text;
    std::string reason;  // UTF-8
};

// Reasons are in `language`, Calc's user interface language.
CellResult barcodeCell(const CellValue& data, const CellValue& type, const CellValue& addon,
                       const CellValue& check, Language language = Language::English);

// BCFONTTEXT: the text a label prints under the bars, for the same
// arguments and with the same reasons as barcodeCell.
CellResult textCell(const CellValue& data, const CellValue& type, const CellValue& addon,
                    const CellValue& check, Language language = Language::English);

// The font family for BCFONTFACE, or the reason the arguments are wrong.
CellResult faceCell(const CellValue& type, const CellValue& halfHeight, const CellValue& highDensity,
                    Language language = Language::English);

}  // namespace bcfont::office
