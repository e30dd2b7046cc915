// The controller restoring remembered choices and the command line's, and
// the batch output going away when what it came from changes.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "BCController.h"
#include "RecordingWindow.h"

namespace bcfont::app {
namespace {

using Id = ControlId;
using Probe = BCControllerProbe;

Choices with(void (*change)(Choices&)) {
    Choices c;
    change(c);
    return c;
}

struct RestoreRow {
    const char* name;
    Choices restored;
    const char* convertString;  // what the window then shows
    std::string notice;
    // What the controller then reports, for the next run; nullopt: the
    // restored choices, with the start-up data where none was restored.
    std::optional<Choices> expected = std::nullopt;
};

const Choices kStartUp = with([](Choices& c) { c.data = "1234567"; });

// clang-format off
const RestoreRow kRestoreRows[] = {
    {"defaults are the start-up state", Choices{}, "<BCDE=fgha>", ""},
    {"Code 128 without check, half height", with([](Choices& c) { c.code = C128, c.check = false, c.halfHeight = true, c.data = "ABC"; }),
     "\u00D6ABC\u00E4", "Scanners will not read this symbol: Code 128 requires its check character."},
    {"options a symbology lacks stay off", with([](Choices& c) { c.code = C128, c.highDensity = true, c.data = "ABC"; }),
     "\u00D6ABC!\u00E4", "", with([](Choices& c) { c.code = C128, c.data = "ABC"; })},
    {"EAN-13 with a 5-digit add-on", with([](Choices& c) { c.code = EAN13, c.addonDigits = 5, c.addon = "52495", c.data = "400638133393"; }),
     "4<ALGDTM=dddjdb>:v;n;Z;u;q", ""},
    {"an add-on for a symbology without one is dropped", with([](Choices& c) { c.addonDigits = 2, c.addon = "12"; }), "<BCDE=fgha>", "", kStartUp},
    {"an unknown symbology keeps EAN-8", with([](Choices& c) { c.code = 42, c.batchCode = -3; }), "<BCDE=fgha>", "", kStartUp},
    {"batch options and folders", with([](Choices& c) { c.batchCode = C128, c.batchCheck = false, c.batchUtf8 = true, c.batchAlign = true, c.readFolder = "/in", c.saveFolder = "/out"; }),
     "<BCDE=fgha>", ""},
};
// clang-format on

TEST(Choices, RestoredOnTopOfTheStartUpStateAndReportedBack) {
    for (const auto& row : kRestoreRows) {
        SCOPED_TRACE(row.name);
        Choices expected = row.expected.value_or(row.restored);
        if (!expected.data) expected.data = "1234567";
        Rig r;
        r.controller.restore(row.restored);
        EXPECT_EQ(r.window.text[Id::convertString], row.convertString);
        EXPECT_EQ(r.window.notice, row.notice);
        EXPECT_EQ(r.window.selectedIndex[Id::codeSelector], expected.code);
        EXPECT_EQ(r.window.selectedIndex[Id::batchCodeSelector], expected.batchCode);
        EXPECT_TRUE(r.controller.choices() == expected);
    }
}

// After a conversion of "1234567\nabc", each change named here empties
// output and summary, or converts again and says why, or leaves them.
struct StaleRow {
    const char* name;
    void (*change)(Rig&);
    const char* output;
    const char* summary;
    bool saves;  // Save… enabled
};

// clang-format off
const StaleRow kStaleRows[] = {
    {"typing in the input", [](Rig& r) { r.controller.batchInputDidChange(Id::batchInput); }, "", "", false},
    {"reading a file", [](Rig& r) { r.window.files["/in/items.txt"] = "5512345\n", r.window.openPanelAnswer = "/in/items.txt", r.controller.batchRead(Id::readButton); }, "", "", false},
    {"a cancelled read", [](Rig& r) { r.window.openPanelAnswer = std::nullopt, r.controller.batchRead(Id::readButton); },
     "<BCDE=fgha>\n", "converted 1 of 2 lines", true},
    {"another batch symbology", [](Rig& r) { r.chooseBatch(C39); },
     "*1234567S*\n*+A+B+CR*\n", "converted 2 of 2 lines \u2014 converted again as Code 39", true},
    {"another batch symbology that rejects every line", [](Rig& r) { r.chooseBatch(EAN13); },
     "", "converted 0 of 2 lines \u2014 converted again as EAN-13", false},
    {"the batch check option", [](Rig& r) { r.tick(Id::batchChecksum, 0); },
     "<BCDE=fgha>\n", "converted 1 of 2 lines \u2014 converted again without check digit", true},
    {"the align option", [](Rig& r) { r.window.states[Id::batchAlign] = 1, r.controller.batchChangeAlign(Id::batchAlign); },
     "<BCDE=fgha>\n\n", "converted 1 of 2 lines \u2014 converted again with Align output with input", true},
    {"the main symbology turns the batch check back on", [](Rig& r) { r.tick(Id::batchChecksum, 0), r.choose(C39); },
     "<BCDE=fgha>\n", "converted 1 of 2 lines \u2014 converted again with check digit", true},
    {"the main symbology, the batch check staying on", [](Rig& r) { r.choose(C39); },
     "<BCDE=fgha>\n", "converted 1 of 2 lines", true},
};
// clang-format on

// The batch's Code 128 warning follows the batch options. Choosing a main
// symbology turns the batch check option back on: the output is made again
// with it, and the warning goes.
TEST(Batch, TheCode128WarningFollowsTheBatchCheckOption) {
    const std::string warning =
        "Batch: scanners will not read these symbols: Code 128 requires its check character.";
    Rig r;
    r.chooseBatch(C128);
    EXPECT_EQ(r.window.text[Id::batchNotice], "");
    r.tick(Id::batchChecksum, 0);
    EXPECT_EQ(r.window.text[Id::batchNotice], warning);
    r.window.text[Id::batchInput] = "ABC";
    r.controller.batchCalc(Id::convertButton);
    ASSERT_NE(r.window.text[Id::batchOutput], "");
    r.choose(C39);
    EXPECT_EQ(r.window.states[Id::batchChecksum], 1);
    EXPECT_EQ(r.window.text[Id::batchOutput], "\u00D6ABC!\u00E4\n");
    EXPECT_EQ(r.window.text[Id::batchNotice], "");
    r.tick(Id::batchChecksum, 0);
    EXPECT_EQ(r.window.text[Id::batchNotice], warning);
    r.chooseBatch(C39);
    EXPECT_EQ(r.window.text[Id::batchNotice], "");
}

TEST(Batch, OutputFollowsItsInputAndOptionsAndSaveOnlyWhatThereIs) {
    for (const auto& row : kStaleRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        EXPECT_FALSE(r.window.enabled[Id::saveButton]);
        r.window.text[Id::batchInput] = "1234567\nabc";
        r.controller.batchCalc(Id::convertButton);
        row.change(r);
        EXPECT_EQ(r.window.text[Id::batchOutput], row.output);
        EXPECT_EQ(r.window.text[Id::batchSummary], row.summary);
        EXPECT_EQ(r.window.enabled[Id::saveButton], row.saves);
    }
}

// Read starts where the last read was; Save suggests the input's folder.
TEST(Batch, ReadAndSaveStartInTheInputsFolder) {
    Rig r;
    auto& w = r.window;
    w.files["/data/in/items.txt"] = "1234567\n";
    w.openPanelAnswer = "/data/in/items.txt";
    w.savePanelAnswer = "/data/out/codes.txt";
    w.text[Id::batchOutput] = "<BCDE=fgha>\n";
    r.controller.batchWrite(Id::saveButton);
    r.controller.batchRead(Id::readButton);
    r.controller.batchRead(Id::readButton);
    r.controller.batchWrite(Id::saveButton);
    Log panels;
    for (const auto& call : w.log)
        if (call.rfind("run", 0) == 0) panels.push_back(call);
    EXPECT_EQ(panels, (Log{R"(runSavePanel("/home/tester"))", R"(runOpenPanel("/home/tester"))",
                           R"(runOpenPanel("/data/in"))", R"(runSavePanel("/data/in"))"}));
    EXPECT_EQ(r.controller.choices().saveFolder, "/data/out");
}

struct ProtectedRow {
    const char* name;
    bool isProtected;
    bool answer;
    bool written;
};

// Save… replaces a write-protected file only when the user says so, as cp does.
TEST(Batch, SaveAsksBeforeReplacingAWriteProtectedFile) {
    const ProtectedRow rows[] = {
        {"writable: no question", false, false, true},
        {"protected, answered no: the old file stays", true, false, false},
        {"protected, answered yes: replaced", true, true, true},
    };
    for (const ProtectedRow& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        auto& w = r.window;
        w.savePanelAnswer = "/data/out/codes.txt";
        w.files["/data/out/codes.txt"] = "old\n";
        if (row.isProtected) w.protectedFiles.insert("/data/out/codes.txt");
        w.confirmAnswer = row.answer;
        w.text[Id::batchOutput] = "<BCDE=fgha>\n";
        r.controller.batchWrite(Id::saveButton);
        EXPECT_EQ(w.files["/data/out/codes.txt"], row.written ? "<BCDE=fgha>\n" : "old\n");
        const bool asked = std::find(w.log.begin(), w.log.end(),
                                     "confirm(\"\u201C/data/out/codes.txt\u201D: it is write-protected (mode 0444). "
                                     "Replace it anyway?\")") != w.log.end();
        EXPECT_EQ(asked, row.isProtected);
    }
}

struct ReportRow {
    const char* name;
    CodeType type;
    bool align;
    std::string input;
    const char* output;
    const char* summary;
    std::vector<std::string> listed;
    const char* language = "en";  // of the window's translation
};

// clang-format off
const ReportRow kReportRows[] = {
    {"all converted", EAN8, false, "1234567\n5512345\n", "<BCDE=fgha>\n<FFBC=defh>\n", "converted 2 of 2 lines", {}},
    {"rejected lines with numbers and the command line's reasons", EAN8, false, "1234567\n\n12\nabcdefg\n",
     "<BCDE=fgha>\n", "converted 1 of 3 lines (not counting 1 empty)",
     {"line 3: EAN-8 needs 7 or 8 digits, got 2", "line 4: EAN-8 takes digits only: 'a' at position 1"}},
    {"German: the summary and reasons of the encoder's catalogue", EAN8, false, "1234567\n\n12\n", "<BCDE=fgha>\n",
     "1 von 2 Zeilen umgewandelt (ohne 1 leere)", {"Zeile 3: EAN-8 braucht 7 oder 8 Ziffern, es sind 2"}, "de"},
    {"aligned: an empty line where nothing converted", EAN8, true, "12\n1234567\n\n", "\n<BCDE=fgha>\n\n",
     "converted 1 of 2 lines (not counting 1 empty)", {"line 1: EAN-8 needs 7 or 8 digits, got 2"}},
    {"a caption after a TAB is no part of the data", EAN8, false, "1234567\tShelf 3\n\tno data\n", "<BCDE=fgha>\n",
     "converted 1 of 2 lines", {"line 2: no data before the caption's TAB"}},
    {"a reason names one limit", C128, false, std::string(100, 'A'), "", "converted 0 of 1 line",
     {"line 1: data is longer than 48 characters (got 100)"}},
    {"a character Mac OS Roman lacks", CODABAR, false, "1\u4E002\n123", "D123D\n", "converted 1 of 2 lines",
     {"line 1: holds '\u4E00' (character 2), which Mac OS Roman cannot encode"}},
    {"replaced check digits and wrapped escapes are notes, in line order", EAN8, false, "55123450\nx\n12345678\n",
     "<FFBC=defh>\n<BCDE=fgha>\n", "converted 2 of 3 lines; 2 check digits replaced",
     {"line 1, note: check digit 0 replaced by 7", "line 2: EAN-8 needs 7 or 8 digits, got 1",
      "line 3, note: check digit 8 replaced by 0"}},
    {"an escape above 255", C39, false, "A~300\n", "*A/LS*\n", "converted 1 of 1 line; 1 escape above ~255 taken modulo 256",
     {"line 1, note: ~300 is taken as ~044 (',')"}},
};
// clang-format on

TEST(Batch, ReportsConvertedLinesAndListsTheRejectedOnes) {
    for (const auto& row : kReportRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.window.language = row.language;
        r.chooseBatch(row.type);
        r.window.states[Id::batchAlign] = row.align;
        r.controller.batchChangeAlign(Id::batchAlign);
        r.window.text[Id::batchInput] = row.input;
        r.controller.batchCalc(Id::convertButton);
        EXPECT_EQ(r.window.text[Id::batchOutput], row.output);
        EXPECT_EQ(r.window.text[Id::batchSummary], row.summary);
        EXPECT_EQ(r.window.items[Id::batchRejections], row.listed);
    }
}

// 250 rejected lines: 200 listed and one entry for the rest; a click on an
// entry selects its input line, the last entry selects nothing.
TEST(Batch, AClickOnARejectedLineSelectsItInTheInput) {
    Rig r;
    std::string input;
    for (int i = 0; i < 250; ++i) input += "1234567\nbad\n";
    r.window.text[Id::batchInput] = input;
    r.controller.batchCalc(Id::convertButton);
    const auto& listed = r.window.items[Id::batchRejections];
    ASSERT_EQ(listed.size(), 201u);
    EXPECT_EQ(listed.back(), "\u2026 and 50 more rejected lines");
    EXPECT_EQ(r.window.text[Id::batchSummary], "converted 250 of 500 lines");
    r.window.log.clear();
    r.controller.batchShowRejection(0);
    r.controller.batchShowRejection(199);
    r.controller.batchShowRejection(200);
    r.controller.batchShowRejection(-1);
    EXPECT_EQ(r.window.log, (Log{"selectLine(batchInput,2)", "selectLine(batchInput,400)"}));
}

struct EncodingRow {
    const char* name;
    int encoding;  // 0 Mac OS Roman, 1 UTF-8
    std::string file;
    const char* input;  // the input view afterwards; "kept" when refused
    const char* error;
};

// clang-format off
const EncodingRow kEncodingRows[] = {
    {"UTF-8 text", 1, "A\xE2\x80\xA2\n", "A\u2022\n", ""},
    {"UTF-8 chosen, Mac OS Roman file", 1, "A\xA5\n", "kept", "is not UTF-8 text"},
    {"UTF-8 overlong form", 1, "\xC0\xAF", "kept", "is not UTF-8 text"},
    {"UTF-8 cut short", 1, "A\xE2\x80", "kept", "is not UTF-8 text"},
};
// clang-format on

TEST(Batch, ReadsInTheChosenEncoding) {
    for (const auto& row : kEncodingRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.window.selectedIndex[Id::batchEncoding] = row.encoding;
        r.controller.batchChangeEncoding(Id::batchEncoding);
        r.window.files["/f"] = row.file;
        r.window.openPanelAnswer = "/f";
        r.window.text[Id::batchInput] = "kept";
        r.controller.batchRead(Id::readButton);
        EXPECT_EQ(r.window.text[Id::batchInput], row.input);
        EXPECT_EQ(r.window.errors.size(), *row.error ? 1u : 0u);
        for (const auto& e : r.window.errors) EXPECT_NE(e.find(row.error), std::string::npos) << e;
    }
}

}  // namespace
}  // namespace bcfont::app
