// The bcfont subcommands as a user runs them, through the built binary:
// exit status, standard output and standard error, byte for byte.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encode.h"
#include "gs1/gs1.h"
#include "run_bcfont.h"

namespace bcfont::test {
namespace {

// Whether `text` matches `pattern`, in which "[...]" stands for any bytes.
bool matches(std::string_view text, std::string_view pattern) {
    const auto any = pattern.find("[...]");
    if (any == std::string_view::npos) return text == pattern;
    if (text.substr(0, any) != pattern.substr(0, any)) return false;
    for (std::size_t at = any; at <= text.size(); ++at)
        if (matches(text.substr(at), pattern.substr(any + 5))) return true;
    return false;
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string rejected(CodeType type, const std::string& data, int line = 0) {
    return "bcfont: " + (line ? "line " + std::to_string(line) + ": " : "") +
           rejectionReason(type, data, "", true) + "\n";
}

const std::string kEan13 = "4<ALGDTM=dddjdb>";  // 400638133393
const std::string kEan8 = "<BCDE=fgha>";        // 1234567
const std::string kCode128NoCheck =
    "bcfont: warning: scanners will not read a Code 128 symbol without its check character, which the "
    "standard makes mandatory\n";
const std::string kEncodeHint = "Run 'bcfont encode --help' for usage.\n";
const std::string kTypes =
    "0 ean8, 1 ean13, 2 upca, 3 upce, 4 code39, 5 code128, 6 code128ean, 7 itf, 8 industrial25, 9 codabar, "
    "10 postnet, 11 imb, 12 gs1128, 13 qr, 14 datamatrix, 15 pdf417, 16 gs1qr, 17 gs1datamatrix\n";

// Data Matrix 10x10 symbols of "12" and "34" (their modules are checked
// against libzint's and read back by zxing-cpp in the matrix tests).
const std::string kDm12 = "AHCECHAFBFCA\nAPEAONBHKDKA\nAOCCCKCGOOKA";
const std::string kDm34 = "AHCECHAHCGCA\nAPABIILKOBKA\nAOKCCKCGCGKA";

// The same five lines with each kind of line end: a valid line, an empty one,
// one digit short, a valid one with its check digit, letters.
std::string ean13Input(const std::string& eol) {
    return "400638133393" + eol + eol + "40063813339" + eol + "4006381333931" + eol + "abc" + eol;
}
const std::string kEan13Out = kEan13 + "\n" + kEan13 + "\n";
const std::string kEan13Err = rejected(EAN13, "40063813339", 3) + rejected(EAN13, "abc", 5) +
                              "converted 2 of 4 lines (not counting 1 empty); rejected: 3, 5\n";

// Only the first twenty rejected lines are reported and listed.
std::string xLinesRejected(int count) {
    std::string err;
    for (int i = 1; i <= std::min(count, 20); ++i) err += rejected(EAN13, "x", i);
    return err + "converted 0 of " + std::to_string(count) +
           " lines; rejected: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20";
}

struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string in;
    int status;
    std::string out;  // "[...]" stands for any bytes
    std::string err;
};

// Font bytes >= 128 appear as Mac OS Roman characters in text output and raw
// in batch output: 128 'Ä' (stop of 2 of 5), 133 'Ö' start B, 134 'Ü' start
// C, 138 'ä' stop, 154 value 0 (space), 201 '…' code A, 227 '„' code B.
// clang-format off
const std::vector<Case> kCases = {
    // encode, EAN-13
    {"Ean13ByNumber", {"encode", "--type", "1", "400638133393"}, "", 0, kEan13 + "\n", ""},
    {"Ean13ByName", {"encode", "--type", "EAN13", "400638133393"}, "", 0, kEan13 + "\n", ""},
    {"Ean13WithItsCheckDigit", {"encode", "-t", "ean13", "4006381333931"}, "", 0, kEan13 + "\n", ""},
    {"Ean13TwoDigitAddon", {"encode", "-t", "1", "--addon", "12", "400638133393"}, "", 0, kEan13 + ":m;n\n", ""},
    {"Ean13FiveDigitAddon", {"encode", "-t", "1", "-a", "52495", "400638133393"}, "", 0, kEan13 + ":v;n;Z;u;q\n", ""},
    {"Ean13ThreeDigitAddonWarns", {"encode", "-t", "1", "-a", "123", "400638133393"}, "", 0, kEan13 + "\n", "bcfont: warning: no add-on was added: it must be 2 or 5 digits\n"},
    {"Ean13ElevenDigits", {"encode", "-t", "1", "40063813339"}, "", 1, "", rejected(EAN13, "40063813339")},
    {"Ean13EmptyData", {"encode", "-t", "1", ""}, "", 1, "", "bcfont: no data to encode\n"},
    // encode, Code 128 and 2 of 5 Interleaved
    {"Code128Text", {"encode", "-t", "code128", "ABC"}, "", 0, "ÖABC!ä\n", ""},
    {"Code128Raw", {"encode", "-t", "code128", "--raw", "ABC"}, "", 0, "\x85" "ABC!\x8A\n", ""},
    {"Code128EscapeText", {"encode", "-t", "5", "~009AB"}, "", 0, "Ö…i„AB:ä\n", ""},
    {"Code128NoCheckWarns", {"encode", "-t", "5", "--no-check", "12345"}, "", 0, "Ü,B„5ä\n", kCode128NoCheck},
    {"Code128AddonIgnored", {"encode", "-t", "5", "-a", "12", "ABC"}, "", 0, "ÖABC!ä\n", "bcfont: warning: only EAN-13 takes an add-on; --addon was ignored\n"},
    {"Code128MacRomanByteRejected", {"encode", "-t", "5", "é"}, "", 1, "", rejected(C128, "\x8E")},
    {"Code128NotInMacRoman", {"encode", "-t", "5", "ł"}, "", 1, "", "bcfont: the data holds 'ł' (character 1), which Mac OS Roman cannot encode\n"},
    {"Code128InvalidUtf8", {"encode", "-t", "5", "A\xFF"}, "", 1, "", "bcfont: the data is not valid UTF-8 (byte 2)\n"},
    // encode --hri: the text under the bars, rejected as the font string is
    {"HriEan13WithAddon", {"encode", "-t", "1", "--hri", "-a", "12", "400638133393"}, "", 0, "4006381333931 12\n", ""},
    {"HriCode128Escapes", {"encode", "-t", "5", "--hri", "A~066~~C"}, "", 0, "AB~C\n", ""},
    {"HriRejectedLikeTheFontString", {"encode", "-t", "1", "--hri", "40063813339"}, "", 1, "", rejected(EAN13, "40063813339")},
    {"InterleavedText", {"encode", "-t", "itf", "--no-check", "999"}, "", 0, "Ä*„ä\n", ""},
    // encode, Intelligent Mail: USPS-B-3200's example, and a reason naming the part
    {"ImbExample", {"encode", "--type", "imb", "01234567094987654321-01234567891"}, "", 0, "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA\n", ""},
    {"ImbRoutingLength", {"encode", "--type", "imb", "01234567094987654321-0123456789"}, "", 1, "", "bcfont: the routing code needs 0, 5, 9 or 11 digits, got 10\n"},
    // GS1-128, and the hint for bracketed GS1 data typed for Code 128 EAN/UCC
    {"Gs1128", {"encode", "-t", "gs1128", "(01)09501101530003(10)A"}, "", 0, "ÜΩ!)R+!Uö#*„A3ä\n", ""},
    {"Gs1128Rejected", {"encode", "-t", "gs1128", "(01)09501101530003(17)251301"}, "", 1, "", "bcfont: (17) 251301: 13 is not a month\n"},
    {"Code128EanBracketsWarn", {"encode", "-t", "code128ean", "(01)09501101530003"}, "", 0, "ÖΩ(01)ƒ)R+!Uö#(ä\n", "bcfont: warning: " + std::string(gs1::kGs1128Hint) + "\n"},
    {"Code128EanBatchBracketsWarn", {"batch", "-t", "code128ean"}, "(01)1\n01\n[10]A\n", 0, "[...]", "bcfont: warning: 2 lines: " + std::string(gs1::kGs1128Hint) + "\nconverted 3 of 3 lines\n"},
    // usage errors, help, version and the list of types
    {"NoSubcommand", {}, "", 2, "", "bcfont: A subcommand is required\nRun 'bcfont --help' for usage.\n"},
    {"UnknownSubcommand", {"draw"}, "", 2, "", "bcfont: [...]\nRun 'bcfont --help' for usage.\n"},
    {"UnknownTypeName", {"encode", "--type", "ean14", "1"}, "", 2, "", "bcfont: --type: unknown type 'ean14'; valid types: " + kTypes + kEncodeHint},
    {"TypeNumberOutOfRange", {"encode", "-t", std::to_string(kCodeTypeCount), "1"}, "", 2, "", "bcfont: --type: unknown type '" + std::to_string(kCodeTypeCount) + "'; valid types: " + kTypes + kEncodeHint},
    {"MissingType", {"encode", "1"}, "", 2, "", "bcfont: --type is required\n" + kEncodeHint},
    {"MissingData", {"encode", "-t", "1"}, "", 2, "", "bcfont: DATA is required\n" + kEncodeHint},
    {"UnknownOption", {"encode", "--bogus", "-t", "1", "1"}, "", 2, "", "bcfont: [...]\n" + kEncodeHint},
    {"BatchUnknownType", {"batch", "-t", "qrcode"}, "", 2, "", "bcfont: --type: unknown type 'qrcode'; valid types: " + kTypes + "Run 'bcfont batch --help' for usage.\n"},
    {"Help", {"--help"}, "", 0, "[...]Usage: bcfont [...]", ""},
    {"EncodeHelp", {"encode", "--help"}, "", 0, "[...]Usage: bcfont encode [...]", ""},
    {"BatchHelp", {"batch", "-h"}, "", 0, "[...]Usage: bcfont batch [...]", ""},
    {"Version", {"--version"}, "", 0, "bcfont " BCFONT_VERSION "\n", ""},
    {"Types", {"types"}, "", 0,
     " 0  ean8           EAN-8\n"
     " 1  ean13          EAN-13\n"
     " 2  upca           UPC-A\n"
     " 3  upce           UPC-E\n"
     " 4  code39         Code 39\n"
     " 5  code128        Code 128\n"
     " 6  code128ean     Code 128 EAN/UCC\n"
     " 7  itf            2 of 5 Interleaved\n"
     " 8  industrial25   2 of 5 Industrial\n"
     " 9  codabar        Codabar\n"
     "10  postnet        Postnet\n"
     "11  imb            Intelligent Mail\n"
     "12  gs1128         GS1-128\n"
     "13  qr             QR Code  (qr:ecc=L|M|Q|H, version=1..40)\n"
     "14  datamatrix     Data Matrix  (datamatrix:shape=square|rect, size=RxC)\n"
     "15  pdf417         PDF417  (pdf417:columns=1..30, ecc=0..8)\n"
     "16  gs1qr          GS1 QR Code  (gs1qr:ecc=L|M|Q|H, version=1..40)\n"
     "17  gs1datamatrix  GS1 DataMatrix  (gs1datamatrix:shape=square|rect, size=RxC)\n", ""},
    // 2D codes: lines of letters; a batch writes a block per symbol, an
    // empty block for a rejected or empty line with --align.
    {"EncodeDataMatrix", {"encode", "-t", "datamatrix:size=10x10", "12"}, "", 0, kDm12 + "\n", ""},
    {"EncodeBadOption", {"encode", "-t", "qr:ecc=X", "1"}, "", 2, "", "bcfont: --type: ecc must be L, M, Q or H, not X\n" + kEncodeHint},
    {"EncodeTooLong", {"encode", "-t", "datamatrix:size=10x10", "1234567"}, "", 1, "", "bcfont: Data Matrix 10x10 holds at most 6 digits, got 7\n"},
    {"Encode2dHri", {"encode", "-t", "qr", "--hri", "1"}, "", 2, "", "bcfont: --hri is for the linear types; the text of a 2D code is its data\n"},
    {"Batch2dAligned", {"batch", "-t", "datamatrix:size=10x10", "--align"}, "12\n1234567\n\n34\n", 1, kDm12 + "\n\n\n\n" + kDm34 + "\n\n",
     "bcfont: line 2: Data Matrix 10x10 holds at most 6 digits, got 7\nconverted 2 of 3 lines (not counting 1 empty); rejected: 2\n"},
    {"Batch2d", {"batch", "-t", "datamatrix:size=10x10"}, "12\n1234567\n\n34", 1, kDm12 + "\n\n" + kDm34 + "\n\n",
     "bcfont: line 2: Data Matrix 10x10 holds at most 6 digits, got 7\nconverted 2 of 3 lines (not counting 1 empty); rejected: 2\n"},
    // batch: every kind of line end gives the same output and line numbers
    {"BatchLf", {"batch", "-t", "1"}, ean13Input("\n"), 1, kEan13Out, kEan13Err},
    {"BatchCr", {"batch", "-t", "1"}, ean13Input("\r"), 1, kEan13Out, kEan13Err},
    {"BatchCrLf", {"batch", "-t", "1"}, ean13Input("\r\n"), 1, kEan13Out, kEan13Err},
    {"BatchDashesAreStandardStreams", {"batch", "-t", "1", "-", "-"}, ean13Input("\r\n"), 1, kEan13Out, kEan13Err},
    {"BatchAlign", {"batch", "-t", "1", "--align"}, ean13Input("\n"), 1, kEan13 + "\n\n\n" + kEan13 + "\n\n", kEan13Err},
    {"BatchNoFinalLineEnd", {"batch", "-t", "ean13"}, "400638133393\n400638133393", 0, kEan13Out, "converted 2 of 2 lines\n"},
    // A trailing space is data: EAN-8 rejects it.
    {"BatchEan8", {"batch", "-t", "0"}, "1234567\n\nabc\n1234567 \n", 1, kEan8 + "\n", rejected(EAN8, "abc", 3) + rejected(EAN8, "1234567 ", 4) + "converted 1 of 3 lines (not counting 1 empty); rejected: 3, 4\n"},
    {"BatchTwentyRejected", {"batch", "-t", "1"}, repeat("x\n", 20), 1, "", xLinesRejected(20) + "\n"},
    {"BatchManyRejected", {"batch", "-t", "1"}, repeat("x\n", 25), 1, "", xLinesRejected(25) + " and 5 more\n"},
    {"BatchCode128Raw", {"batch", "-t", "code128"}, "ABC\n12345\n", 0, "\x85" "ABC!\x8A\n\x86,B\xE3" "5V\x8A\n", "converted 2 of 2 lines\n"},
    {"BatchCode128Utf8", {"batch", "-t", "code128", "--utf8"}, "ABC\n12345\n", 0, "ÖABC!ä\nÜ,B„5Vä\n", "converted 2 of 2 lines\n"},
    {"BatchCode128TrailingSpaceIsData", {"batch", "-t", "5"}, "ABC \n", 0, "\x85" "ABC\x9A!\x8A\n", "converted 1 of 1 line\n"},
    {"BatchCode128HighByteRejected", {"batch", "-t", "5"}, "A\xE9\nABC\n", 1, "\x85" "ABC!\x8A\n", rejected(C128, "A\xE9", 1) + "converted 1 of 2 lines; rejected: 1\n"},
    {"BatchCode128NulRejected", {"batch", "-t", "5"}, std::string("A\0B\nABC\n", 8), 1, "\x85" "ABC!\x8A\n", "bcfont: line 1: contains a NUL byte\nconverted 1 of 2 lines; rejected: 1\n"},
    {"BatchCode128FortyNineCharacters", {"batch", "-t", "5"}, std::string(49, 'A') + "\nABC\n", 1, "\x85" "ABC!\x8A\n", rejected(C128, std::string(49, 'A'), 1) + "converted 1 of 2 lines; rejected: 1\n"},
    {"BatchCode128LineOverBuffer", {"batch", "-t", "5", "--align"}, std::string(200, 'A') + "\nABC\n", 1, "\n\x85" "ABC!\x8A\n", "bcfont: line 1: data is longer than 48 characters (got 200)\nconverted 1 of 2 lines; rejected: 1\n"},
    {"BatchCode128NoCheckWarns", {"batch", "-t", "5", "--no-check"}, "12345\n", 0, "\x86,B\xE3" "5\x8A\n", kCode128NoCheck + "converted 1 of 1 line\n"},
    {"BatchNoInput", {"batch", "-t", "1"}, "", 0, "", "converted 0 of 0 lines\n"},
    {"BatchOnlyEmptyLines", {"batch", "-t", "1"}, "\n\r\n\r", 0, "", "converted 0 of 0 lines (not counting 3 empty)\n"},
    {"BatchOnlyEmptyLinesAligned", {"batch", "-t", "1", "--align"}, "\n\r\n\r", 0, "\n\n\n", "converted 0 of 0 lines (not counting 3 empty)\n"},
    // Every 14th block of 64 KiB ends between a CR and its LF.
    {"BatchCrLfAcrossBlocks", {"batch", "-t", "1"}, repeat("4006381333931\r\n", 61200), 0, repeat(kEan13 + "\n", 61200), "converted 61200 of 61200 lines\n"},
};
// clang-format on

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class CommandTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandTest, StatusOutputAndMessages) {
    const Case& c = GetParam();
    const RunResult r = runBcfont(c.args, c.in);
    EXPECT_EQ(r.status, c.status);
    EXPECT_PRED2(matches, r.out, c.out);
    EXPECT_PRED2(matches, r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- batch files

struct FileCase {
    const char* name;
    const char* input;   // in the directory below
    const char* output;  // in it too
    int status;
    std::string errStart;
    std::string written;  // what `output` holds afterwards
};

// clang-format off
const std::vector<FileCase> kFileCases = {
    {"NewFile", "in.txt", "sub/new.txt", 1, "bcfont: line 2: ", kEan13 + "\n"},
    {"ReplacesOutputKeepingItsPermissions", "in.txt", "out.txt", 1, "bcfont: line 2: ", kEan13 + "\n"},
    {"InputIsTheOutputRefused", "in.txt", "in.txt", 2, "bcfont: '", "400638133393\r\nabc\r\n"},
    {"WritesThroughSymlinkToItsTarget", "in.txt", "link.txt", 1, "bcfont: line 2: ", kEan13 + "\n"},
    // An I/O error exits with 2 and changes nothing.
    {"MissingInput", "missing.txt", "out.txt", 2, "bcfont: cannot open '", "old\n"},
    {"InputIsDirectory", "sub", "out.txt", 2, "bcfont: cannot read '", "old\n"},
    {"OutputDirectoryMissing", "in.txt", "nowhere/out.txt", 2, "bcfont: cannot write '", ""},
    {"OutputIsDirectory", "in.txt", "sub", 2, "bcfont: cannot write '", ""},
};
// clang-format on

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class BatchFileTest : public ::testing::TestWithParam<FileCase> {};

// Whatever happens, no temporary file stays behind, and the output file
// keeps its mode and the link its target.
TEST_P(BatchFileTest, WritesWholeFilesOrNothing) {
    const FileCase& c = GetParam();
    const TempDir dir;
    dir.write("in.txt", "400638133393\r\nabc\r\n");
    ::chmod(dir.write("out.txt", "old\n").c_str(), 0640);
    std::filesystem::create_symlink("out.txt", dir.path() / "link.txt");
    std::filesystem::create_directory(dir.path() / "sub");
    const RunResult r = runBcfont({"batch", "-t", "1", dir.path() / c.input, dir.path() / c.output});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
    EXPECT_EQ(readFile(dir.path() / c.output), c.written);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.txt", "link.txt", "out.txt", "sub"}));
    EXPECT_EQ(std::filesystem::is_empty(dir.path() / "sub"), !std::string_view(c.output).starts_with("sub/"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.txt"));
    struct stat st {};
    ::stat((dir.path() / "out.txt").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

INSTANTIATE_TEST_SUITE_P(Batch, BatchFileTest, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A pipe or device is written in place: a rename would replace it with a file.
TEST(BatchFileTest, WritesFifoInPlace) {
    const TempDir dir;
    const auto fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open for reading (O_RDWR never blocks) so bcfont's open succeeds.
    const int reader = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(runBcfont({"batch", "-t", "1", dir.write("in.txt", "400638133393\n"), fifo}).status, 0);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    char buffer[64] = {};
    const ssize_t n = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0), kEan13 + "\n");
}

}  // namespace
}  // namespace bcfont::test
