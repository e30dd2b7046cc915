// The one catalogue of bcfont's reasons and reports, in English and German.
// Every front end words them through these rows: the command line, the
// window and its labels dialog, and the Calc add-in. A new text is one row
// here. English texts are the command line's output, byte for byte: change
// one only together with the tests that hold it.
//
// {1}, {2}, ... are filled in by say(); the German row must use the same.
#pragma once

#include "wording.h"

namespace bcfont::text {

// clang-format off

// ---- Reasons of every symbology (encode.cpp)
inline constexpr Wording kBadCall{"no data buffer, or a negative length", "kein Datenpuffer oder eine negative Länge"};
inline constexpr Wording kDataTooLong{"data is longer than {1} characters (got {2})", "die Daten sind länger als {1} Zeichen (es sind {2})"};
// {1} a symbology or a part of the data ("the routing code"), {2} digit counts ("5, 9 or 11").
inline constexpr Wording kNeedsDigits{"{1} needs {2} digits, got {3}", "{1} braucht {2} Ziffern, es sind {3}"};
inline constexpr Wording kTakesOnly{"{1} takes {2} only: {3} at position {4}", "{1} nimmt nur {2}: {3} an Stelle {4}"};
inline constexpr Wording kNumberSystem{"{1} must start with 0 or 1 (number system), got {2}", "{1} muss mit 0 oder 1 beginnen (Nummernsystem), nicht mit {2}"};
inline constexpr Wording kAddonNotDigits{"the add-on must be digits: {1} at position {2}", "der Zusatzcode darf nur Ziffern enthalten: {1} an Stelle {2}"};
inline constexpr Wording kInterleavedTooLong{"{1} with a check digit takes at most {2} digits when their number is even, got {3}", "{1} mit Prüfziffer nimmt bei gerader Ziffernzahl höchstens {2} Ziffern, es sind {3}"};
inline constexpr Wording kEscapeNotAscii{"{1} escape {2} at position {3} is not an ASCII character", "{1}: das Escape {2} an Stelle {3} ist kein ASCII-Zeichen"};
inline constexpr Wording kEscapeNotAsciiWraps{"{1} escape {2} at position {3} is not an ASCII character (it stands for byte {4})", "{1}: das Escape {2} an Stelle {3} ist kein ASCII-Zeichen (es steht für Byte {4})"};
inline constexpr Wording kFontStringTooLong{"the font string would not fit {1} bytes; shorten the data or avoid mixing code sets", "die Zeichenfolge passt nicht in {1} Bytes; kürzen Sie die Daten oder mischen Sie keine Zeichensätze"};
inline constexpr Wording kFontStringNeeds{"the font string would not fit {1} bytes (it needs {2}); shorten the data or avoid mixing code sets", "die Zeichenfolge passt nicht in {1} Bytes (sie braucht {2}); kürzen Sie die Daten oder mischen Sie keine Zeichensätze"};
inline constexpr Wording kPartOutOfRange{"{1} must be {2} to {3}, got {4}", "{1} muss {2} bis {3} sein, nicht {4}"};
// The alphabets of the symbology table.
inline constexpr Wording kDigits{"digits", "Ziffern"};
inline constexpr Wording kAscii7{"7-bit ASCII", "7-Bit-ASCII"};
inline constexpr Wording kUtf8Text{"UTF-8 text", "UTF-8-Text"};
inline constexpr Wording kNeedsMatrix{"{1} is a 2D code, which this build of the encoder does not make", "{1} ist ein 2D-Code, den dieser Build des Encoders nicht erzeugt"};
inline constexpr Wording kGs1ElementStrings{"GS1 element strings", "GS1-Elementketten"};
// The last two of a list: "5, 9 or 11".
inline constexpr Wording kOr{"{1} or {2}", "{1} oder {2}"};
// A byte as typed.
inline constexpr Wording kASpace{"a space", "ein Leerzeichen"};
inline constexpr Wording kANoBreakSpace{"a no-break space", "ein geschütztes Leerzeichen"};
inline constexpr Wording kByteNumber{"byte {1}", "Byte {1}"};
// Data taken other than as typed.
inline constexpr Wording kCheckDigitReplaced{"check digit {1} replaced by {2}", "Prüfziffer {1} durch {2} ersetzt"};
inline constexpr Wording kEscapeTakenAs{"{1} is taken as {2} ({3})", "{1} wird als {2} ({3}) gelesen"};
// The parts of Intelligent Mail data.
inline constexpr Wording kTrackingCode{"the tracking code", "der Tracking-Code"};
inline constexpr Wording kRoutingCode{"the routing code", "der Routing-Code"};
inline constexpr Wording kIdentifierDigit{"the second digit of the barcode identifier", "die zweite Ziffer der Barcode-Kennung"};

// ---- Text as it comes from a person (encode_text.cpp, macroman.cpp, the batch)
inline constexpr Wording kNotUtf8{"is not valid UTF-8 (byte {1})", "ist kein gültiges UTF-8 (Byte {1})"};
inline constexpr Wording kNotMacRoman{"holds '{1}' (character {2}), which Mac OS Roman cannot encode", "enthält '{1}' (Zeichen {2}), das Mac OS Roman nicht codieren kann"};
// {1} the field, {2} one of the two above.
inline constexpr Wording kFieldFault{"{1} {2}", "{1} {2}"};
inline constexpr Wording kTheData{"the data", "die Eingabe"};
inline constexpr Wording kTheAddon{"the add-on", "der Zusatzcode"};
inline constexpr Wording kNoData{"no data to encode", "keine Daten zum Codieren"};
inline constexpr Wording kDataRejected{"the data was rejected", "die Daten wurden abgelehnt"};

// ---- GS1-128 (gs1/reasons.cpp)
inline constexpr Wording kGs1Expected{"expected AIs in brackets, each followed by its data, e.g. (01)09501101530003(17)250101(10)ABC123", "erwartet: AIs in Klammern mit ihren Daten, z. B. (01)09501101530003(17)250101(10)ABC123"};
inline constexpr Wording kGs1Empty{"GS1-128 data is empty; {1}", "die GS1-128-Daten sind leer; {1}"};
inline constexpr Wording kGs1NoAi{"GS1-128 data must start with an AI in brackets, not {1}; {2}", "GS1-128-Daten müssen mit einem AI in Klammern beginnen, nicht mit {1}; {2}"};
inline constexpr Wording kGs1Space{"a space at position {1}: GS1-128 data has no spaces; {2}", "ein Leerzeichen an Stelle {1}: GS1-128-Daten haben keine Leerzeichen; {2}"};
// {1} the opening bracket, {3} the closing one.
inline constexpr Wording kGs1AiNotClosed{"'{1}' at position {2} opens an AI without its '{3}': an AI is 2 to 4 digits in brackets, e.g. {1}10{3}", "'{1}' an Stelle {2} öffnet einen AI ohne sein '{3}': ein AI sind 2 bis 4 Ziffern in Klammern, z. B. {1}10{3}"};
inline constexpr Wording kGs1AiNotDigits{"'{1}' at position {2} is not an AI: an AI is 2 to 4 digits in brackets, e.g. {3}10{4}", "'{1}' an Stelle {2} ist kein AI: ein AI sind 2 bis 4 Ziffern in Klammern, z. B. {3}10{4}"};
inline constexpr Wording kGs1EmptyValue{"{1} at position {2} has no data after it", "auf {1} an Stelle {2} folgen keine Daten"};
inline constexpr Wording kGs1StrayBracket{"'{1}' at position {2} inside data: write \\{1} for a bracket in the data", "'{1}' an Stelle {2} in den Daten: schreiben Sie \\{1} für eine Klammer in den Daten"};
inline constexpr Wording kGs1BadEscape{"'\\' at position {1}: in data a backslash is written \\\\, and \\{2} \\{3} stand for brackets", "'\\' an Stelle {1}: in Daten wird ein Backslash \\\\ geschrieben, und \\{2} \\{3} stehen für Klammern"};
inline constexpr Wording kGs1Charset{"{1} {2}: {3} at position {4} is not {5}", "{1} {2}: {3} an Stelle {4} ist nicht zulässig, erwartet: {5}"};
inline constexpr Wording kGs1ADigit{"a digit", "eine Ziffer"};
inline constexpr Wording kGs1Cset82{"in GS1's character set 82", "ein Zeichen des GS1-Zeichensatzes 82"};
inline constexpr Wording kGs1Cset39{"a capital, digit, '#', '-' or '/' (GS1's character set 39)", "ein Großbuchstabe, eine Ziffer, '#', '-' oder '/' (GS1-Zeichensatz 39)"};
inline constexpr Wording kGs1Cset64{"a base64url character", "ein base64url-Zeichen"};
// {1} the AI, {2} the count or counts, {3} kDigits or kCharacters.
inline constexpr Wording kGs1LengthExactly{"{1} needs {2} {3}, got {4}", "{1} braucht {2} {3}, es sind {4}"};
inline constexpr Wording kGs1LengthAtMost{"{1} takes at most {2} {3}, got {4}", "{1} nimmt höchstens {2} {3}, es sind {4}"};
inline constexpr Wording kGs1LengthBetween{"{1} needs {2} to {3} {4}, got {5}", "{1} braucht {2} bis {3} {4}, es sind {5}"};
inline constexpr Wording kCharacters{"characters", "Zeichen"};
inline constexpr Wording kGs1CheckDigit{"the check digit should be {1}", "die Prüfziffer müsste {1} sein"};
inline constexpr Wording kGs1PairTooShort{"it is too short for its two check characters", "der Wert ist zu kurz für seine zwei Prüfzeichen"};
inline constexpr Wording kGs1CheckPair{"the check characters should be {1}", "die Prüfzeichen müssten {1} sein"};
inline constexpr Wording kGs1Month{"{1} is not a month", "{1} ist kein Monat"};
inline constexpr Wording kGs1Day{"{1} is not a day of month {2}", "{1} ist kein Tag des Monats {2}"};
inline constexpr Wording kGs1Hour{"{1} is not an hour (00 to 23)", "{1} ist keine Stunde (00 bis 23)"};
inline constexpr Wording kGs1Minute{"{1} is not a minute (00 to 59)", "{1} ist keine Minute (00 bis 59)"};
inline constexpr Wording kGs1Second{"{1} is not a second (00 to 59)", "{1} ist keine Sekunde (00 bis 59)"};
inline constexpr Wording kGs1Country{"{1} is not an ISO 3166 country code", "{1} ist kein Ländercode nach ISO 3166"};
inline constexpr Wording kGs1CountryOr999{"{1} is neither an ISO 3166 country code nor 999", "{1} ist weder ein Ländercode nach ISO 3166 noch 999"};
inline constexpr Wording kGs1CountryAlpha2{"{1} is not an ISO 3166 two-letter country code", "{1} ist kein zweibuchstabiger Ländercode nach ISO 3166"};
inline constexpr Wording kGs1Currency{"{1} is not an ISO 4217 currency code", "{1} ist kein Währungscode nach ISO 4217"};
inline constexpr Wording kGs1NonZero{"{1} must not be zero", "{1} darf nicht null sein"};
inline constexpr Wording kGs1Zero{"{1} must be 0", "{1} muss 0 sein"};
inline constexpr Wording kGs1YesNo{"{1} must be 0 (no) or 1 (yes)", "{1} muss 0 (nein) oder 1 (ja) sein"};
inline constexpr Wording kGs1Winding{"{1} must be 0, 1 or 9 (winding direction)", "{1} muss 0, 1 oder 9 sein (Wickelrichtung)"};
inline constexpr Wording kGs1Hyphen{"{1} must be '-'", "{1} muss '-' sein"};
inline constexpr Wording kGs1Sex{"{1} must be 0, 1, 2 or 9 (ISO 5218)", "{1} muss 0, 1, 2 oder 9 sein (ISO 5218)"};
inline constexpr Wording kGs1MediaType{"{1} is not an AIDC media type (01 to 10, 80 to 99)", "{1} ist kein AIDC-Medientyp (01 bis 10, 80 bis 99)"};
inline constexpr Wording kGs1Piece{"pieces and totals count from 01, not 00", "Stück und Gesamtzahl zählen ab 01, nicht ab 00"};
inline constexpr Wording kGs1PieceOverTotal{"piece {1} of {2} is more than the total", "Stück {1} von {2} ist mehr als die Gesamtzahl"};
inline constexpr Wording kGs1PositionSlash{"{1} must be a position, '/' and a count, e.g. 1/2", "{1} muss eine Position, '/' und eine Anzahl sein, z. B. 1/2"};
inline constexpr Wording kGs1ImporterIndex{"{1} is not an importer index (a letter, digit, '-' or '_')", "{1} ist kein Importeursindex (ein Buchstabe, eine Ziffer, '-' oder '_')"};
inline constexpr Wording kGs1ZeroPrefix{"it must not start with 0", "der Wert darf nicht mit 0 beginnen"};
inline constexpr Wording kGs1AllDigits{"it must hold a character other than a digit", "der Wert muss ein Zeichen enthalten, das keine Ziffer ist"};
inline constexpr Wording kGs1PercentEscape{"{1}: '%' must be followed by two hexadecimal digits", "{1}: auf '%' müssen zwei Hexadezimalziffern folgen"};
inline constexpr Wording kGs1IbanForm{"it is not an IBAN: two capitals, two check digits, then capitals and digits", "der Wert ist keine IBAN: zwei Großbuchstaben, zwei Prüfziffern, dann Großbuchstaben und Ziffern"};
inline constexpr Wording kGs1IbanCheck{"the IBAN check digits {1} do not match the rest", "die IBAN-Prüfziffern {1} passen nicht zum Rest"};
inline constexpr Wording kGs1Latitude{"{1} is beyond 1800000000 (90 degrees north)", "{1} liegt über 1800000000 (90 Grad Nord)"};
inline constexpr Wording kGs1Longitude{"{1} is beyond 3600000000 (180 degrees east)", "{1} liegt über 3600000000 (180 Grad Ost)"};
// {1} the part, {2} its position, {3} the length it needs, {4} kDigits or kCharacters, {5} what it has.
inline constexpr Wording kGs1PartCutShort{"the part {1} at position {2} needs {3} {4}, got {5}", "der Teil {1} an Stelle {2} braucht {3} {4}, es sind {5}"};
inline constexpr Wording kGs1PrefixNotDigit{"{1} at position {2} is not a digit: a GS1 Company Prefix starts with 4 digits", "{1} an Stelle {2} ist keine Ziffer: eine GS1-Basisnummer beginnt mit 4 Ziffern"};
inline constexpr Wording kGs1PrefixTooShort{"it is too short to start with a GS1 Company Prefix (at least 4 digits)", "zu kurz für den Anfang einer GS1-Basisnummer (mindestens 4 Ziffern)"};
inline constexpr Wording kGs1PackageType{"{1} is not a package type code (UN/ECE Recommendation 21 or GS1's additions)", "{1} ist kein Verpackungsartcode (UN/ECE-Empfehlung 21 oder GS1-Ergänzungen)"};
// Coupon fields; {1} the field's name (English in both: GS1 US names them), {2} what is allowed.
inline constexpr Wording kGs1CouponNotDigit{"{1} at position {2} is not a digit: a coupon code is digits only", "{1} an Stelle {2} ist keine Ziffer: ein Couponcode besteht nur aus Ziffern"};
inline constexpr Wording kGs1CouponMissing{"it ends before the {1}", "es endet vor dem Feld {1}"};
inline constexpr Wording kGs1CouponLength{"{1} is not a length of the {2} ({3})", "{1} ist keine Länge für das Feld {2} ({3})"};
inline constexpr Wording kGs1CouponCutShort{"the {1} needs {2} digits, got {3}", "das Feld {1} braucht {2} Ziffern, es sind {3}"};
inline constexpr Wording kGs1CouponCode{"{1} is not a {2} ({3})", "{1} ist kein gültiger Wert für das Feld {2} ({3})"};
inline constexpr Wording kGs1CouponDates{"the start date {1} is after the expiration date {2}", "das Startdatum {1} liegt nach dem Ablaufdatum {2}"};
inline constexpr Wording kGs1CouponAfterSerial{"{1} follows the serial number, the last field", "{1} folgt auf die Seriennummer, das letzte Feld"};
inline constexpr Wording kGs1CouponExcess{"{1} follows the last field: the optional fields 1, 2, 3, 4, 5, 6 and 9 come once each, in that order", "{1} folgt auf das letzte Feld: die optionalen Felder 1, 2, 3, 4, 5, 6 und 9 kommen je einmal in dieser Reihenfolge"};
inline constexpr Wording kGs1With{"{1} with {2}", "{1} mit {2}"};
inline constexpr Wording kGs1UnknownAi{"{1} is not a GS1 application identifier", "{1} ist kein GS1-Datenbezeichner (AI)"};
inline constexpr Wording kGs1Repeated{"{1} appears twice with different data", "{1} kommt zweimal mit verschiedenen Daten vor"};
inline constexpr Wording kGs1Excludes{"{1} and {2} cannot be in the same barcode", "{1} und {2} dürfen nicht im selben Barcode stehen"};
inline constexpr Wording kGs1Requires{"{1} needs {2} in the same barcode", "{1} braucht {2} im selben Barcode"};
inline constexpr Wording kGs1TooLong{"GS1-128 holds at most {1} data characters (AIs and their data), got {2}", "GS1-128 fasst höchstens {1} Datenzeichen (AIs und ihre Daten), es sind {2}"};
// {1} and {2} millimetres with one and three decimals, {3} whole ones.
inline constexpr Wording kGs1TooWide{"GS1-128 would be {1} mm long with its quiet zones at the {2} mm module of the Code 128 face; GS1 allows at most {3} mm: shorten the data", "GS1-128 wäre mit seinen Ruhezonen {1} mm lang beim Modul von {2} mm der Code-128-Schrift; GS1 erlaubt höchstens {3} mm: kürzen Sie die Daten"};
inline constexpr Wording kGs1128Hint{"the data looks like GS1 AIs in brackets, which Code 128 EAN/UCC encodes as typed, brackets included; for GS1-128 with AIs choose gs1128", "die Daten sehen aus wie GS1-AIs in Klammern, die Code 128 EAN/UCC samt Klammern so codiert, wie sie dastehen; für GS1-128 mit AIs wählen Sie gs1128"};

// ---- Batches (batch.cpp): reasons of a line and the summary
inline constexpr Wording kDataLongerGot{"data is longer than {1} characters (got {2})", "die Daten sind länger als {1} Zeichen (es sind {2})"};
inline constexpr Wording kNoDataBeforeTab{"no data before the caption's TAB", "keine Daten vor dem TAB der Beschriftung"};
inline constexpr Wording kDataLonger{"data is longer than {1} characters", "die Daten sind länger als {1} Zeichen"};
inline constexpr Wording kNulByte{"contains a NUL byte", "enthält ein NUL-Byte"};
inline constexpr Wording kRejectedByEncoder{"rejected by the encoder", "vom Encoder abgelehnt"};
// A line of the input and what became of it.
inline constexpr Wording kLineSays{"line {1}: {2}", "Zeile {1}: {2}"};
inline constexpr Wording kConvertedOfOne{"converted {1} of {2} line", "{1} von {2} Zeile umgewandelt"};
inline constexpr Wording kConvertedOf{"converted {1} of {2} lines", "{1} von {2} Zeilen umgewandelt"};
inline constexpr Wording kNotCountingEmpty{"{1} (not counting {2} empty)", "{1} (ohne {2} leere)"};
inline constexpr Wording kCheckDigitsReplacedOne{"{1}; {2} check digit replaced", "{1}; {2} Prüfziffer ersetzt"};
inline constexpr Wording kCheckDigitsReplaced{"{1}; {2} check digits replaced", "{1}; {2} Prüfziffern ersetzt"};
inline constexpr Wording kEscapesWrappedOne{"{1}; {2} escape above ~255 taken modulo 256", "{1}; {2} Escape über ~255 modulo 256 gelesen"};
inline constexpr Wording kEscapesWrapped{"{1}; {2} escapes above ~255 taken modulo 256", "{1}; {2} Escapes über ~255 modulo 256 gelesen"};
// {2} the numbers of the lines listed.
inline constexpr Wording kRejectedLines{"{1}; rejected: {2}", "{1}; abgelehnt: {2}"};
inline constexpr Wording kAndMore{"{1} and {2} more", "{1} und {2} weitere"};
inline constexpr Wording kMore{"{1} more", "{1} weitere"};

// ---- Labels (render/): the summary, template descriptions and reasons
inline constexpr Wording kPrintedOfOne{"printed {1} of {2} line", "{1} von {2} Zeile gedruckt"};
inline constexpr Wording kPrintedOf{"printed {1} of {2} lines", "{1} von {2} Zeilen gedruckt"};
inline constexpr Wording kOnLabelsAndPages{"{1} on {2}, {3}", "{1} auf {2}, {3}"};
inline constexpr Wording kOneLabel{"{1} label", "{1} Etikett"};
inline constexpr Wording kLabels{"{1} labels", "{1} Etiketten"};
inline constexpr Wording kOnePage{"{1} page", "{1} Seite"};
inline constexpr Wording kPages{"{1} pages", "{1} Seiten"};
inline constexpr Wording kListedAs{"{1}; {2}: {3}", "{1}; {2}: {3}"};
inline constexpr Wording kRejected{"rejected", "abgelehnt"};
inline constexpr Wording kTooLargeForLabel{"too large for the label", "zu groß für das Etikett"};
// "99.1 x 38.1 mm, 2 x 7 on A4": {3} the grid or the number of labels.
inline constexpr Wording kTemplateSummary{"{1} x {2} mm, {3} on {4}", "{1} x {2} mm, {3} auf {4}"};
inline constexpr Wording kBarcodeDoesNotFit{"the barcode does not fit on a {1} x {2} mm label: at its smallest ({3} of {4} mm) it needs one of {5} x {6} mm", "der Barcode passt nicht auf ein Etikett von {1} x {2} mm: am kleinsten ({3} von {4} mm) braucht er eines von {5} x {6} mm"};
inline constexpr Wording kAModule{"a module", "ein Modul"};
inline constexpr Wording kANarrowBar{"a narrow bar", "ein schmaler Strich"};
inline constexpr Wording kLabelLineTooLong{"longer than {1} bytes, caption included", "länger als {1} Bytes, mit Beschriftung"};
inline constexpr Wording kCaptionNul{"the caption contains a NUL byte", "die Beschriftung enthält ein NUL-Byte"};
inline constexpr Wording kCaptionNotUtf8{"the caption is not UTF-8 text", "die Beschriftung ist kein UTF-8-Text"};
inline constexpr Wording kTemplateWithoutLabels{"the template \"{1}\" has no labels", "die Vorlage „{1}“ hat keine Etiketten"};
inline constexpr Wording kSkipRange{"the start position must skip 0 to {1} labels: \"{2}\" has {3} on a sheet", "die Startposition muss 0 bis {1} Etiketten überspringen: „{2}“ hat {3} auf einem Bogen"};
inline constexpr Wording kCopiesRange{"copies must lie between 1 and {1}", "die Kopien müssen zwischen 1 und {1} liegen"};

// ---- The command line's warnings
inline constexpr Wording kWarning{"warning: {1}", "Warnung: {1}"};
inline constexpr Wording kCode128WithoutCheck{"scanners will not read a Code 128 symbol without its check character, which the standard makes mandatory", "Scanner lesen ein Code-128-Symbol ohne sein Prüfzeichen nicht, das der Standard vorschreibt"};
inline constexpr Wording kAddonIgnored{"only EAN-13 takes an add-on; --addon was ignored", "nur EAN-13 nimmt einen Zusatzcode; --addon wurde übergangen"};
inline constexpr Wording kAddonNotAdded{"no add-on was added: it must be 2 or 5 digits", "kein Zusatzcode angefügt: er muss 2 oder 5 Ziffern haben"};
inline constexpr Wording kOneLineHint{"{1} line: {2}", "{1} Zeile: {2}"};
inline constexpr Wording kLinesHint{"{1} lines: {2}", "{1} Zeilen: {2}"};

// ---- The Calc add-in's arguments (office/cell_functions.cpp); {1} the argument's name
inline constexpr Wording kCellNotMacRoman{"{1} holds the character {2}, which barcode fonts cannot hold", "{1} enthält das Zeichen {2}, das Barcode-Schriften nicht darstellen"};
inline constexpr Wording kCellNotWhole{"{1} {2} is not a whole number from 0 to {3}; put it in a text cell", "{1} {2} ist keine ganze Zahl von 0 bis {3}; schreiben Sie sie in eine Textzelle"};
inline constexpr Wording kCellTruthValue{"{1} is TRUE or FALSE; give text or a whole number", "{1} ist WAHR oder FALSCH; geben Sie Text oder eine ganze Zahl an"};
inline constexpr Wording kCellRange{"{1} must be one cell, not a range", "{1} muss eine Zelle sein, kein Bereich"};
inline constexpr Wording kTypeChoices{"{1}; give one of {2} or its number 0-{3}", "{1}; geben Sie eines von {2} oder seine Nummer 0-{3} an"};
inline constexpr Wording kTypeMissing{"Type is missing", "Typ fehlt"};
inline constexpr Wording kUnknownTypeNumber{"unknown Type {1}", "unbekannter Typ {1}"};
inline constexpr Wording kUnknownTypeName{"unknown Type '{1}'", "unbekannter Typ '{1}'"};
inline constexpr Wording kTypeNotOneCell{"Type must be one cell holding a symbology name or number", "Typ muss eine Zelle mit dem Namen oder der Nummer einer Symbologie sein"};
inline constexpr Wording kTruthGot{"{1} must be TRUE or FALSE (or 1 or 0), got {2}", "{1} muss WAHR oder FALSCH (oder 1 oder 0) sein, nicht {2}"};
inline constexpr Wording kTruth{"{1} must be TRUE or FALSE (or 1 or 0)", "{1} muss WAHR oder FALSCH (oder 1 oder 0) sein"};
inline constexpr Wording kCannotEncode{"the data cannot be encoded", "die Daten lassen sich nicht codieren"};

// clang-format on

}  // namespace bcfont::text
