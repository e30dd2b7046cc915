// Every sentence the controller shows, in English, as the key the window
// translates: the controller knows no toolkit, so it asks the window for
// the user's language through WindowPort::translate and fills in %1, %2.
// QT_TRANSLATE_NOOP marks them for Qt's string extractor; without Qt it is
// the text itself.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace bcfont::app::notice {

// The scope the window translates these in.
inline constexpr const char* kScope = "Notice";

// The language of the window's translation, as a tag ("de"): the texts the
// encoder's catalogue holds (reasons, change notes, batch summaries) follow it.
inline constexpr const char* kLanguageScope = "Language";
inline constexpr const char* kLanguage = QT_TRANSLATE_NOOP("Language", "en");

// The font string field when the data is rejected.
inline constexpr const char* kNotAvailable = QT_TRANSLATE_NOOP("Notice", "n/a");

inline constexpr const char* kCode128NoCheck =
    QT_TRANSLATE_NOOP("Notice", "Scanners will not read this symbol: Code 128 requires its check character.");
inline constexpr const char* kBatchCode128NoCheck = QT_TRANSLATE_NOOP(
    "Notice", "Batch: scanners will not read these symbols: Code 128 requires its check character.");
inline constexpr const char* kFontMissing = QT_TRANSLATE_NOOP(
    "Notice", "Font \u201C%1\u201D is not installed \u2014 the preview cannot draw the bars.");
inline constexpr const char* kAddonLeftOut =
    QT_TRANSLATE_NOOP("Notice", "the add-on needs %1 digits, got %2; it is left out");
inline constexpr const char* kLooksLikeGs1 = QT_TRANSLATE_NOOP(
    "Notice", "the brackets are encoded as data: for AIs in brackets choose GS1-128");
inline constexpr const char* kNotMacRoman =
    QT_TRANSLATE_NOOP("Notice", "\u201C%1\u201D cannot be encoded: it is not a Mac OS Roman character");
inline constexpr const char* kTooLong = QT_TRANSLATE_NOOP("Notice", "the data is longer than %1 bytes");
inline constexpr const char* kNothingToCopy = QT_TRANSLATE_NOOP("Notice", "Nothing was copied: %1");
inline constexpr const char* kNothingToPrint = QT_TRANSLATE_NOOP("Notice", "Nothing was printed: %1");
inline constexpr const char* kNothingToExport = QT_TRANSLATE_NOOP("Notice", "Nothing was exported: %1");
inline constexpr const char* kNotExported = QT_TRANSLATE_NOOP("Notice", "The barcode was not exported: %1.");
inline constexpr const char* kFontsNotInstalled = QT_TRANSLATE_NOOP(
    "Notice", "Copied. Other programs show plain letters until bcfont's fonts are installed for them.");
inline constexpr const char* kFontsInstalled =
    QT_TRANSLATE_NOOP("Notice", "bcfont's fonts are installed in %1 for other programs.");

inline constexpr const char* kCannotSaveMacRoman = QT_TRANSLATE_NOOP(
    "Notice",
    "Nothing was saved: line %1, character %2 of the output holds a character that Mac OS Roman "
    "cannot store.");
inline constexpr const char* kNotText =
    QT_TRANSLATE_NOOP("Notice", "\u201C%1\u201D is not a text file: it contains NUL bytes.");
inline constexpr const char* kNotUtf8 =
    QT_TRANSLATE_NOOP("Notice", "\u201C%1\u201D is not UTF-8 text; read it as Mac OS Roman.");
// "Read as" changed: the file was read again. %2 is the encoding's name.
inline constexpr const char* kReadAgainAs = QT_TRANSLATE_NOOP("Notice", "%1 \u2014 read again as %2");
// A converted line whose data was taken other than as typed.
inline constexpr const char* kBatchNote = QT_TRANSLATE_NOOP("Notice", "line %1, note: %2");
inline constexpr const char* kBatchMoreRejections =
    QT_TRANSLATE_NOOP("Notice", "\u2026 and %1 more rejected lines");
// Save… onto a write-protected file. %1 is the file, %2 why ("it is
// write-protected (mode 0444)").
inline constexpr const char* kReplaceProtected =
    QT_TRANSLATE_NOOP("Notice", "\u201C%1\u201D: %2. Replace it anyway?");
inline constexpr const char* kNothingToSave =
    QT_TRANSLATE_NOOP("Notice", "Nothing was saved: the output is empty. Convert the input first.");
// A batch option changed after a conversion: the window converted again.
// %1 is the summary, %2 the option's name or the symbology.
inline constexpr const char* kConvertedAgainWith = QT_TRANSLATE_NOOP("Notice", "%1 \u2014 converted again with %2");
inline constexpr const char* kConvertedAgainWithout =
    QT_TRANSLATE_NOOP("Notice", "%1 \u2014 converted again without %2");
inline constexpr const char* kConvertedAgainAs = QT_TRANSLATE_NOOP("Notice", "%1 \u2014 converted again as %2");
inline constexpr const char* kAlignOption = QT_TRANSLATE_NOOP("Notice", "Align output with input");
inline constexpr const char* kCheckOption = QT_TRANSLATE_NOOP("Notice", "check digit");

// 2 of 5 Interleaved draws digits in pairs.
inline constexpr const char* kLeadingZero = QT_TRANSLATE_NOOP("Notice", "a leading 0 makes the digit count even");
// The check option's tooltip, by the table's check character of the chosen
// symbology; %1 is its name.
inline constexpr const char* kCheckAlways =
    QT_TRANSLATE_NOOP("Notice", "Check character: Always \u2014 %1 always carries its check digit.");
inline constexpr const char* kCheckOptional =
    QT_TRANSLATE_NOOP("Notice", "Check character: Optional \u2014 adds %1's check character to the symbol.");
inline constexpr const char* kCheckExpected = QT_TRANSLATE_NOOP(
    "Notice", "Check character: Expected \u2014 %1 requires it; scanners refuse the symbol without it.");
inline constexpr const char* kCheckNone =
    QT_TRANSLATE_NOOP("Notice", "Check character: None \u2014 %1 has no check character.");

// The status bar's confirmations; %1 is a count, %2 or %1 a file.
inline constexpr const char* kSavedLine = QT_TRANSLATE_NOOP("Notice", "saved %1 line to %2");
inline constexpr const char* kSavedLines = QT_TRANSLATE_NOOP("Notice", "saved %1 lines to %2");
inline constexpr const char* kExportedTo = QT_TRANSLATE_NOOP("Notice", "exported the barcode to %1");
inline constexpr const char* kPrinted = QT_TRANSLATE_NOOP("Notice", "sent the barcode to the printer");

// `pattern` with %1, %2, ... replaced by `args` in order.
std::string filled(std::string_view pattern, std::initializer_list<std::string> args);

}  // namespace bcfont::app::notice
