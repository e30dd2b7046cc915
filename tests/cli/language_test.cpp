// The command line speaks the language of its environment: English in the C
// locale and wherever the variables name no language it knows, German for
// de_*. No locale needs to be generated on the system for that.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_bcfont.h"

namespace bcfont::test {
namespace {

struct LanguageRow {
    const char* name;
    std::vector<std::string> environment;
    std::vector<std::string> args;
    std::string in;
    std::string out;
    std::string err;
};

// clang-format off
const LanguageRow kLanguageRows[] = {
    {"CLocaleReason", {"LANG=C"}, {"encode", "-t", "ean13", "123"}, "", "", "bcfont: EAN-13 needs 12 or 13 digits, got 3\n"},
    {"GermanLocaleReason", {"LANG=de_DE.UTF-8"}, {"encode", "-t", "ean13", "123"}, "", "", "bcfont: EAN-13 braucht 12 oder 13 Ziffern, es sind 3\n"},
    {"LcAllCOverGermanLang", {"LC_ALL=C", "LANG=de_DE.UTF-8"}, {"encode", "-t", "ean13", "123"}, "", "", "bcfont: EAN-13 needs 12 or 13 digits, got 3\n"},
    {"LanguageListOverEnglishLocale", {"LANGUAGE=fr:de", "LANG=en_US.UTF-8"}, {"encode", "-t", "ean8", "55123450"}, "", "<FFBC=defh>\n", "bcfont: Warnung: Prüfziffer 0 durch 7 ersetzt\n"},
    {"GermanBatchReport", {"LC_MESSAGES=de_AT.UTF-8"}, {"batch", "-t", "ean8"}, "1234567\n\n12\n", "<BCDE=fgha>\n",
     "bcfont: Zeile 3: EAN-8 braucht 7 oder 8 Ziffern, es sind 2\n1 von 2 Zeilen umgewandelt (ohne 1 leere); abgelehnt: 3\n"},
    {"GermanTextFault", {"LANG=de_DE.UTF-8"}, {"encode", "-t", "code39", "A\xC5\x82"}, "", "", "bcfont: die Eingabe enthält 'ł' (Zeichen 2), das Mac OS Roman nicht codieren kann\n"},
};
// clang-format on

class LanguageTest : public ::testing::TestWithParam<LanguageRow> {};

TEST_P(LanguageTest, MessagesFollowTheEnvironment) {
    const LanguageRow& row = GetParam();
    RunOptions options;
    options.environment = row.environment;
    const RunResult r = runBcfont(row.args, row.in, options);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTest, ::testing::ValuesIn(kLanguageRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bcfont::test
