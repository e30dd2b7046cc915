// The catalogue: every kind of rejection worded in English and German, and
// the language a program takes from its environment as GNU programs do.
#include "calc_helpers.h"
#include "encode_text.h"

namespace bcfont::test {
namespace {

// Which sentence of the encoder a row reads.
enum class Via { Reason, Utf8Text, Change };

struct WordedRow {
    const char* name;
    Via via;
    CodeType type;
    std::string data;
    const char* addon;
    const char* english;
    const char* german;
};

const std::string kTracking = "01234567094987654321";
const std::string kGtin = "(01)09501101530003";

// clang-format off
const WordedRow kWordedRows[] = {
    {"data_too_long", Via::Reason, CODABAR, repeat("1", 49), "", "data is longer than 48 characters (got 49)", "die Daten sind länger als 48 Zeichen (es sind 49)"},
    {"wrong_length_of_three", Via::Reason, POSTNET, "1", "", "Postnet needs 5, 9 or 11 digits, got 1", "Postnet braucht 5, 9 oder 11 Ziffern, es sind 1"},
    {"control_byte_by_number", Via::Reason, EAN8, "123\t567", "", "EAN-8 takes digits only: byte 9 at position 4", "EAN-8 nimmt nur Ziffern: Byte 9 an Stelle 4"},
    {"del_by_number", Via::Reason, CODABAR, "1\x7f", "", "Codabar takes digits only: byte 127 at position 2", "Codabar nimmt nur Ziffern: Byte 127 an Stelle 2"},
    {"mac_roman_letter", Via::Reason, POSTNET, "1234\x8E", "", "Postnet takes digits only: 'é' at position 5", "Postnet nimmt nur Ziffern: 'é' an Stelle 5"},
    {"no_break_space", Via::Reason, UPCA, "0360\xCA" "0029145", "", "UPC-A takes digits only: a no-break space at position 5", "UPC-A nimmt nur Ziffern: ein geschütztes Leerzeichen an Stelle 5"},
    {"ascii_alphabet", Via::Reason, C39, "A\xDB", "", "Code 39 takes 7-bit ASCII only: '€' at position 2", "Code 39 nimmt nur 7-Bit-ASCII: '€' an Stelle 2"},
    {"number_system", Via::Reason, UPCE, "\x9F" "123456", "", "UPC-E must start with 0 or 1 (number system), got 'ü'", "UPC-E muss mit 0 oder 1 beginnen (Nummernsystem), nicht mit 'ü'"},
    {"addon_not_digits", Via::Reason, EAN13, "400638133393", "1\x9A", "the add-on must be digits: 'ö' at position 2", "der Zusatzcode darf nur Ziffern enthalten: 'ö' an Stelle 2"},
    {"interleaved_even_with_check", Via::Reason, TOFIL, repeat("1", 48), "", "2 of 5 Interleaved with a check digit takes at most 46 digits when their number is even, got 48", "2 of 5 Interleaved mit Prüfziffer nimmt bei gerader Ziffernzahl höchstens 46 Ziffern, es sind 48"},
    {"escape_not_ascii", Via::Reason, C39, "~255", "", "Code 39 escape ~255 at position 1 is not an ASCII character", "Code 39: das Escape ~255 an Stelle 1 ist kein ASCII-Zeichen"},
    {"escape_above_256", Via::Reason, C128, "x~~~384", "", "Code 128 escape ~384 at position 4 is not an ASCII character (it stands for byte 128)", "Code 128: das Escape ~384 an Stelle 4 ist kein ASCII-Zeichen (es steht für Byte 128)"},
    {"font_string_too_long", Via::Reason, C128EAN, repeat("\tA", 24), "", "the font string would not fit 99 bytes (it needs 100); shorten the data or avoid mixing code sets", "die Zeichenfolge passt nicht in 99 Bytes (sie braucht 100); kürzen Sie die Daten oder mischen Sie keine Zeichensätze"},
    {"part_length", Via::Reason, IMB, kTracking + "-0123456789", "", "the routing code needs 0, 5, 9 or 11 digits, got 10", "der Routing-Code braucht 0, 5, 9 oder 11 Ziffern, es sind 10"},
    {"digit_out_of_range", Via::Reason, IMB, "07234567094987654321", "", "the second digit of the barcode identifier must be 0 to 4, got 7", "die zweite Ziffer der Barcode-Kennung muss 0 bis 4 sein, nicht 7"},
    {"gs1_syntax", Via::Reason, GS1128, "(0A)1", "", "'(0A)' at position 1 is not an AI: an AI is 2 to 4 digits in brackets, e.g. (10)", "'(0A)' an Stelle 1 ist kein AI: ein AI sind 2 bis 4 Ziffern in Klammern, z. B. (10)"},
    {"gs1_unknown_ai", Via::Reason, GS1128, "(23)12", "", "(23) is not a GS1 application identifier", "(23) ist kein GS1-Datenbezeichner (AI)"},
    {"gs1_length", Via::Reason, GS1128, "(421)12", "", "(421) needs 4 to 12 characters, got 2", "(421) braucht 4 bis 12 Zeichen, es sind 2"},
    {"gs1_charset", Via::Reason, GS1128, "(90)AB#", "", "(90) AB#: '#' at position 3 is not in GS1's character set 82", "(90) AB#: '#' an Stelle 3 ist nicht zulässig, erwartet: ein Zeichen des GS1-Zeichensatzes 82"},
    {"gs1_check", Via::Reason, GS1128, kGtin + "(17)251301", "", "(17) 251301: 13 is not a month", "(17) 251301: 13 ist kein Monat"},
    {"gs1_repeated", Via::Reason, GS1128, kGtin + "(90)A(90)B", "", "(90) appears twice with different data", "(90) kommt zweimal mit verschiedenen Daten vor"},
    {"gs1_excludes", Via::Reason, GS1128, kGtin + "(02)09501101530003", "", "(01) and (02) cannot be in the same barcode", "(01) und (02) dürfen nicht im selben Barcode stehen"},
    {"gs1_requires", Via::Reason, GS1128, kGtin + "(250)ABC", "", "(250) needs (01) with (21), (03) with (21) or (8006) with (21) in the same barcode", "(250) braucht (01) mit (21), (03) mit (21) oder (8006) mit (21) im selben Barcode"},
    {"gs1_too_long", Via::Reason, GS1128, kGtin + "(10)12345678901234567890(21)12345678901234567890", "", "GS1-128 holds at most 48 data characters (AIs and their data), got 60", "GS1-128 fasst höchstens 48 Datenzeichen (AIs und ihre Daten), es sind 60"},
    {"gs1_too_wide_decimal_comma", Via::Reason, GS1128, repeat("(91)A", 16), "", "GS1-128 would be 192.8 mm long with its quiet zones at the 0.254 mm module of the Code 128 face; GS1 allows at most 165 mm: shorten the data", "GS1-128 wäre mit seinen Ruhezonen 192,8 mm lang beim Modul von 0,254 mm der Code-128-Schrift; GS1 erlaubt höchstens 165 mm: kürzen Sie die Daten"},
    {"text_not_utf8", Via::Utf8Text, EAN8, "12\xff", "", "the data is not valid UTF-8 (byte 3)", "die Eingabe ist kein gültiges UTF-8 (Byte 3)"},
    {"text_addon_not_mac_roman", Via::Utf8Text, EAN13, "400638133393", "1\u4E00", "the add-on holds '\u4E00' (character 2), which Mac OS Roman cannot encode", "der Zusatzcode enthält '\u4E00' (Zeichen 2), das Mac OS Roman nicht codieren kann"},
    {"text_empty", Via::Utf8Text, EAN8, "", "\u00E9", "no data to encode", "keine Daten zum Codieren"},
    {"change_check_digit", Via::Change, EAN8, "55123450", "", "check digit 0 replaced by 7", "Prüfziffer 0 durch 7 ersetzt"},
    {"change_escape_wraps", Via::Change, C39, "~288", "", "~288 is taken as ~032 (a space)", "~288 wird als ~032 (ein Leerzeichen) gelesen"},
};
// clang-format on

std::string worded(const WordedRow& row, Language language) {
    switch (row.via) {
        case Via::Reason:
            return rejectionReason(row.type, row.data, row.addon, true, language);
        case Via::Utf8Text: {
            std::string why;
            encodeText(row.type, row.data, row.addon, true, &why, language);
            return why;
        }
        case Via::Change:
            break;
    }
    const auto changes = changesMade(row.type, row.data);
    return changes.size() == 1 ? changeSentence(changes[0], language) : "not one change";
}

TEST(Catalogue, EveryKindOfRejectionInEnglishAndGerman) {
    for (const auto& row : kWordedRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(worded(row, Language::English), row.english);
        EXPECT_EQ(worded(row, Language::German), row.german);
    }
}

struct EnvironmentRow {
    const char* name;
    const char *language, *lcAll, *lcMessages, *lang;  // null: unset
    Language expected;
};

// clang-format off
const EnvironmentRow kEnvironmentRows[] = {
    {"nothing_set", nullptr, nullptr, nullptr, nullptr, Language::English},
    {"lang_german_without_a_generated_locale", nullptr, nullptr, nullptr, "de_DE.UTF-8", Language::German},
    {"lang_austrian_with_modifier", nullptr, nullptr, nullptr, "de_AT@euro", Language::German},
    {"lang_c_utf8", nullptr, nullptr, nullptr, "C.UTF-8", Language::English},
    {"lang_french_falls_back_to_english", nullptr, nullptr, nullptr, "fr_FR.UTF-8", Language::English},
    {"lc_messages_over_lang", nullptr, nullptr, "de_CH.UTF-8", "en_GB.UTF-8", Language::German},
    {"lc_all_over_lc_messages", nullptr, "en_US.UTF-8", "de_DE.UTF-8", nullptr, Language::English},
    {"empty_lc_all_is_unset", nullptr, "", nullptr, "de_DE.UTF-8", Language::German},
    {"language_list_first_known", "fr:de:en", nullptr, nullptr, "en_US.UTF-8", Language::German},
    {"language_over_a_german_locale", "en", nullptr, nullptr, "de_DE.UTF-8", Language::English},
    {"language_of_unknown_languages_only", "fr:it", nullptr, nullptr, "de_DE.UTF-8", Language::English},
    {"language_ignored_in_the_c_locale", "de", "C", nullptr, "de_DE.UTF-8", Language::English},
    {"language_ignored_without_a_locale", "de", nullptr, nullptr, nullptr, Language::English},
    {"posix_locale", nullptr, nullptr, "POSIX", nullptr, Language::English},
};
// clang-format on

TEST(Catalogue, LanguageOfTheEnvironmentAsGnuProgramsChooseIt) {
    for (const auto& row : kEnvironmentRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(languageOfEnvironment(row.language, row.lcAll, row.lcMessages, row.lang), row.expected);
    }
}

}  // namespace
}  // namespace bcfont::test
