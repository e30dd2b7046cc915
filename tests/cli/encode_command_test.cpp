// `bcfont encode`, `bcfont types` and the command line's usage errors, run
// through the built binary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encode.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

std::string rejected(CodeType type, const std::string& data) {
    return "bcfont: " + rejectionReason(type, data, "", true) + "\n";
}

const std::string kCode128NoCheck =
    "bcfont: warning: scanners will not read a Code 128 symbol without its check character, which the "
    "standard makes mandatory\n";

struct EncodeCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
};

// Font bytes >= 128 appear as Mac OS Roman characters in text output:
// 128 'Ä', 133 'Ö', 134 'Ü', 138 'ä', 201 '…', 227 '„'.
const std::vector<EncodeCase> kEncodeCases = {
    // EAN-13
    {"Ean13ByNumber", {"encode", "--type", "1", "400638133393"}, 0, "4<ALGDTM=dddjdb>\n", ""},
    {"Ean13ByName", {"encode", "--type", "EAN13", "400638133393"}, 0, "4<ALGDTM=dddjdb>\n", ""},
    {"Ean13WithItsCheckDigit", {"encode", "-t", "ean13", "4006381333931"}, 0, "4<ALGDTM=dddjdb>\n", ""},
    {"Ean13TwoDigitAddon",
     {"encode", "-t", "1", "--addon", "12", "400638133393"},
     0,
     "4<ALGDTM=dddjdb>:m;n\n",
     ""},
    {"Ean13FiveDigitAddon",
     {"encode", "-t", "1", "-a", "52495", "400638133393"},
     0,
     "4<ALGDTM=dddjdb>:v;n;Z;u;q\n",
     ""},
    {"Ean13ThreeDigitAddonWarns",
     {"encode", "-t", "1", "-a", "123", "400638133393"},
     0,
     "4<ALGDTM=dddjdb>\n",
     "bcfont: warning: no add-on was added: it must be 2 or 5 digits\n"},
    {"Ean13ElevenDigits", {"encode", "-t", "1", "40063813339"}, 1, "", rejected(EAN13, "40063813339")},
    {"Ean13EmptyData", {"encode", "-t", "1", ""}, 1, "", "bcfont: no data to encode\n"},
    // Code 128
    {"Code128Text", {"encode", "-t", "code128", "ABC"}, 0, "ÖABC!ä\n", ""},
    {"Code128Raw",
     {"encode", "-t", "code128", "--raw", "ABC"},
     0,
     "\x85"
     "ABC!\x8A\n",
     ""},
    {"Code128EscapeText", {"encode", "-t", "5", "~009AB"}, 0, "Ö…i„AB:ä\n", ""},
    {"Code128NoCheckWarns", {"encode", "-t", "5", "--no-check", "12345"}, 0, "Ü,B„5ä\n", kCode128NoCheck},
    {"Code128AddonIgnored",
     {"encode", "-t", "5", "-a", "12", "ABC"},
     0,
     "ÖABC!ä\n",
     "bcfont: warning: only EAN-13 takes an add-on; --addon was ignored\n"},
    {"Code128MacRomanByteRejected", {"encode", "-t", "5", "é"}, 1, "", rejected(C128, "\x8E")},
    {"Code128NotInMacRoman",
     {"encode", "-t", "5", "ł"},
     1,
     "",
     "bcfont: the data holds 'ł', which Mac OS Roman cannot encode\n"},
    {"Code128InvalidUtf8",
     {"encode", "-t", "5", "A\xFF"},
     1,
     "",
     "bcfont: the data is not valid UTF-8 (byte 2)\n"},
    // 2 of 5 Interleaved
    {"InterleavedText", {"encode", "-t", "itf", "--no-check", "999"}, 0, "Ä*„ä\n", ""},
};

class EncodeCommandTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeCommandTest, PrintsFontStringOrReason) {
    const EncodeCase& c = GetParam();
    const RunResult r = runBcfont(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Encode, EncodeCommandTest, ::testing::ValuesIn(kEncodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string errStart;  // the first line up to here
    std::string hint;      // the last line
};

const std::string kEncodeHint = "Run 'bcfont encode --help' for usage.\n";
const std::string kBatchHint = "Run 'bcfont batch --help' for usage.\n";

const std::vector<UsageCase> kUsageCases = {
    {"NoSubcommand", {}, "bcfont: A subcommand is required", "Run 'bcfont --help' for usage.\n"},
    {"UnknownSubcommand", {"draw"}, "bcfont: ", "Run 'bcfont --help' for usage.\n"},
    {"UnknownTypeName",
     {"encode", "--type", "ean14", "1"},
     "bcfont: --type: unknown type 'ean14'; valid types: 0 ean8, 1 ean13, 2 upca, 3 upce, 4 code39, 5 "
     "code128, "
     "6 code128ean, 7 itf, 8 industrial25, 9 codabar, 10 postnet",
     kEncodeHint},
    {"TypeNumberOutOfRange", {"encode", "-t", "11", "1"}, "bcfont: --type: unknown type '11'", kEncodeHint},
    {"MissingType", {"encode", "1"}, "bcfont: --type is required", kEncodeHint},
    {"MissingData", {"encode", "-t", "1"}, "bcfont: DATA is required", kEncodeHint},
    {"UnknownOption", {"encode", "--bogus", "-t", "1", "1"}, "bcfont: ", kEncodeHint},
    {"BatchUnknownType", {"batch", "-t", "qr"}, "bcfont: --type: unknown type 'qr'", kBatchHint},
};

class UsageErrorTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndAHint) {
    const UsageCase& c = GetParam();
    const RunResult r = runBcfont(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
    ASSERT_GE(r.err.size(), c.hint.size()) << r.err;
    EXPECT_EQ(r.err.substr(r.err.size() - c.hint.size()), c.hint) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Usage, UsageErrorTest, ::testing::ValuesIn(kUsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TypesCommandTest, ListsNumberNameAndFullNameInColumns) {
    const RunResult r = runBcfont({"types"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              " 0  ean8          EAN-8\n"
              " 1  ean13         EAN-13\n"
              " 2  upca          UPC-A\n"
              " 3  upce          UPC-E\n"
              " 4  code39        Code 39\n"
              " 5  code128       Code 128\n"
              " 6  code128ean    Code 128 EAN/UCC\n"
              " 7  itf           2 of 5 Interleaved\n"
              " 8  industrial25  2 of 5 Industrial\n"
              " 9  codabar       Codabar\n"
              "10  postnet       Postnet\n");
}

TEST(VersionTest, PrintsTheProjectVersion) {
    const RunResult r = runBcfont({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "bcfont " BCFONT_VERSION "\n");
}

TEST(HelpTest, ExitsWithZero) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"encode", "--help"}, {"batch", "-h"}}) {
        const RunResult r = runBcfont(args);
        EXPECT_EQ(r.status, 0) << args.back();
        EXPECT_NE(r.out.find("Usage: bcfont"), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace bcfont::test
