// The controller against a recording window: start-up, every action, the
// call order the window sees, and the edge cases of each area.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BCController.h"
#include "RecordingWindow.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

using Log = std::vector<std::string>;
using Probe = BCControllerProbe;
using Id = ControlId;
using namespace std::literals;

// Font strings from the worked examples of each symbology.
constexpr const char* kEan8Of1234567 = "<BCDE=fgha>";
constexpr const char* kEan13Of400638133393 = "4<ALGDTM=dddjdb>";

class Controller : public ::testing::Test {
  protected:
    void SetUp() override {
        controller.awakeFromNib();
        window.log.clear();
    }

    void type(const std::string& data) {
        window.text[Id::dataToEncode] = data;
        controller.controlTextDidChange(Id::dataToEncode);
    }
    void typeAddon(const std::string& digits) {
        window.text[Id::addonText] = digits;
        controller.controlTextDidChange(Id::addonText);
    }
    void choose(CodeType type) {
        window.selectedIndex[Id::codeSelector] = type;
        controller.changeCode(Id::codeSelector);
    }
    void tick(Id box, int state) {
        window.states[box] = state;
        if (box == Id::checksum) controller.changeChecksum(box);
        if (box == Id::halfHeight) controller.changeHalfheight(box);
        if (box == Id::highDensity) controller.changeHighdensity(box);
        if (box == Id::batchChecksum) controller.batchChangeChecksum(box);
    }
    std::string shown() { return window.text[Id::convertString]; }

    RecordingWindow window;
    Converter converter;
    BCController controller{window, converter};
};

// ---------------------------------------------------------------- start-up

TEST(ControllerStartUp, CallsTheWindowInOrder) {
    RecordingWindow window;
    Converter converter;
    BCController controller(window, converter);
    controller.awakeFromNib();
    // clang-format off
    const Log expected = {
        R"(description("NSFactEAN8"))", R"(setStringValue(facts, "fact:NSFactEAN8"))",
        R"(setStringValue(dataToEncode, "1234567"))",
        // Settings
        R"(setEnabled(addonText, 0))", R"(setStringValue(addonText, ""))", R"(setEnabled(addon, 0))",
        R"(setState(addonNothing, 1))", R"(setState(addon2, 0))", R"(setState(addon5, 0))",
        R"(setEnabled(highDensity, 0))", R"(setEnabled(checksum, 0))", R"(setEnabled(halfHeight, 1))",
        R"(setState(checksum, 1))", R"(setState(batchChecksum, 1))", R"(setState(halfHeight, 0))",
        R"(setState(highDensity, 0))",
        // UpdateCode
        R"(setStringValue(convertString, "<BCDE=fgha>"))", R"(fontWithName("Code EAN", 72))",
        R"(setString(preview, "<BCDE=fgha>"))", R"(setFont(preview, "Code EAN", 72))", R"(showNotice(""))"};
    // clang-format on
    EXPECT_EQ(window.log, expected);
}

// ------------------------------------------- symbology choice and options

struct AvailabilityRow {
    CodeType type;
    const char* factKey;
    bool highDensity, checksum, halfHeight, addonGroup;
};

// clang-format off
constexpr std::array<AvailabilityRow, kCodeTypeCount> kAvailabilityRows = {{
    {EAN8, "NSFactEAN8", false, false, true, false},
    {EAN13, "NSFactEAN13", false, false, true, true},
    {UPCA, "NSFactUPCA", false, false, true, false},
    {UPCE, "NSFactUPCE", false, false, true, false},
    {C39, "NSFactC39", true, true, true, false},
    {C128, "NSFactC128", false, true, true, false},
    {C128EAN, "NSFactC128EAN", false, true, true, false},
    {TOFIL, "NSFactTOFIL", true, true, true, false},
    {TOFIND, "NSFactTOFIND", false, true, true, false},
    {CODABAR, "NSFactCODABAR", false, true, true, false},
    {POSTNET, "NSFactPOSTNET", false, false, false, false},
}};
// clang-format on

// Every row starts from Code 39 with every option and the add-on in its
// non-default state, so the C39 row re-chooses the chosen symbology and the
// 2 of 5 Interleaved row leaves high density that both types offer.
TEST_F(Controller, ChoosingASymbologyResetsOptionsAndEnablesWhatItCanUse) {
    for (const auto& row : kAvailabilityRows) {
        SCOPED_TRACE(std::string(symbology(row.type).fullName));
        choose(C39);
        type("400638133393");
        tick(Id::checksum, 0);
        tick(Id::halfHeight, 1);
        tick(Id::highDensity, 1);
        tick(Id::batchChecksum, 0);
        controller.changeAddon5(Id::addon5);
        typeAddon("52495");
        choose(row.type);
        EXPECT_EQ(window.text[Id::facts], std::string("fact:") + row.factKey);
        EXPECT_EQ(window.enabled[Id::highDensity], row.highDensity);
        EXPECT_EQ(window.enabled[Id::checksum], row.checksum);
        EXPECT_EQ(window.enabled[Id::halfHeight], row.halfHeight);
        EXPECT_EQ(window.enabled[Id::addon], row.addonGroup);
        EXPECT_FALSE(window.enabled[Id::addonText]);
        // Every option is back to its default, even where its box is disabled.
        const std::pair<Id, int> defaults[] = {
            {Id::checksum, 1},     {Id::batchChecksum, 1}, {Id::halfHeight, 0}, {Id::highDensity, 0},
            {Id::addonNothing, 1}, {Id::addon2, 0},        {Id::addon5, 0}};
        for (auto [box, on] : defaults) EXPECT_EQ(window.states[box], on) << controlName(box);
        EXPECT_EQ(Probe::checksum(controller), 1);
        EXPECT_EQ(Probe::batchChecksum(controller), 1);
        EXPECT_EQ(Probe::halfHeight(controller), 0);
        EXPECT_EQ(Probe::highDensity(controller), 0);
        EXPECT_EQ(Probe::addon2(controller) + Probe::addon5(controller), 0);
        EXPECT_EQ(window.text[Id::addonText], "");
        EXPECT_EQ(Probe::addonText(controller), "");
        EXPECT_EQ(Probe::data(controller), "400638133393") << "the data text stays";
    }
}

TEST_F(Controller, ChoosingIgnoresASelectorWithoutAChoiceAndMissingFactsShowEmpty) {
    for (int index : {-1, kCodeTypeCount}) {
        window.log.clear();
        window.selectedIndex[Id::codeSelector] = index;
        controller.changeCode(Id::codeSelector);
        EXPECT_EQ(window.log, Log{"indexOfSelectedItem(codeSelector)"}) << "index " << index;
    }
    window.descriptions = {{"NSFactEAN8", "eight"}};
    choose(EAN13);
    EXPECT_EQ(window.text[Id::facts], "");
}

// -------------------------------------------------------- preview update

struct PreviewRow {
    const char* name;
    CodeType type;
    const char* data;
    const char* addon;  // typed after choosing the 2-digit add-on, EAN-13 only
    int check;
    const char* shown;  // convertString; "n/a" for rejected data
};

// clang-format off
constexpr std::array<PreviewRow, 13> kPreviewRows = {{
    {"EAN-8 worked example", EAN8, "5512345", "", 1, "<FFBC=defh>"},
    {"EAN-13 worked example, check option off", EAN13, "400638133393", "", 0, kEan13Of400638133393},
    {"EAN-13 letter", EAN13, "40063813339a", "", 1, "n/a"},
    {"EAN-13 add-on 12", EAN13, "400638133393", "12", 1, "4<ALGDTM=dddjdb>:m;n"},
    {"EAN-13 five add-on digits: the length decides", EAN13, "400638133393", "52495", 1, "4<ALGDTM=dddjdb>:v;n;Z;u;q"},
    {"EAN-13 add-on still being typed", EAN13, "400638133393", "524", 1, kEan13Of400638133393},
    {"EAN-13 add-on outside Mac OS Roman", EAN13, "400638133393", "1\u4E00", 1, "n/a"},
    {"UPC-A worked example", UPCA, "03600029145", "", 1, "0<LDGAAA=cjbefn>2"},
    {"UPC-E worked example, check option off", UPCE, "0123456", "", 0, "0<WCDZvG?5"},
    {"Codabar, check option off", CODABAR, "123", "", 0, "D123D"},
    {"Postnet, check option off", POSTNET, "12345", "", 0, "-123455-"},
    {"Code 128 character outside Mac OS Roman", C128, "AB\u2713", "", 1, "n/a"},
    {"Code 128 text of 100 bytes", C128,
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789", "", 1, "n/a"},
}};
// clang-format on

TEST_F(Controller, ShowsTheFontStringOrNotApplicable) {
    for (const auto& row : kPreviewRows) {
        SCOPED_TRACE(row.name);
        choose(row.type);
        type(row.data);
        if (*row.addon) {
            controller.changeAddon2(Id::addon2);
            typeAddon(row.addon);
        }
        tick(Id::checksum, row.check);
        EXPECT_EQ(shown(), row.shown);
        EXPECT_EQ(window.text[Id::preview], std::string(row.shown) == "n/a" ? "" : row.shown);
    }
}

struct FontRow {
    const char* name;
    CodeType type;
    const char* data;
    int halfHeight, highDensity, check;
    FontRef font;
    bool warns;  // that scanners will not read the symbol
};

// clang-format off
const std::array<FontRow, 7> kFontRows = {{
    {"Code 39 high density", C39, "ABC", 0, 1, 0, {"Code 39 High Density", 30}, false},
    {"Code 39 half height", C39, "ABC", 1, 0, 1, {"Code 39 Red", 30}, false},
    {"Code 128 half height, no check character", C128, "ABC", 1, 0, 0, {"Code 128 Red", 30}, true},
    {"Code 128 with check character", C128, "ABC", 0, 0, 1, {"Code 128", 30}, false},
    {"Code 128 EAN/UCC, no check character", C128EAN, "0123", 0, 0, 0, {"Code 128", 30}, true},
    {"2 of 5 Interleaved half and high", TOFIL, "1234", 1, 1, 0, {"Code 25 Interleaved Red HD", 30}, false},
    {"Postnet ignores the options", POSTNET, "12345", 1, 1, 1, {"Postnet", 9}, false},
}};
// clang-format on

TEST_F(Controller, SetsThePreviewFontAndNoticeForTypeAndOptions) {
    for (const auto& row : kFontRows) {
        SCOPED_TRACE(row.name);
        choose(row.type);
        type(row.data);
        tick(Id::halfHeight, row.halfHeight);
        tick(Id::highDensity, row.highDensity);
        tick(Id::checksum, row.check);
        EXPECT_EQ(window.previewFont, row.font);
        EXPECT_EQ(window.notice.find("Scanners will not read") != std::string::npos, row.warns)
            << window.notice;
        EXPECT_NE(shown(), "n/a") << "the option stays usable";
    }
}

TEST_F(Controller, DeletingTheLastCharacterEmptiesThePreviewAndKeepsItsFont) {
    type("");
    const Log expected = {R"(stringValue(dataToEncode))", R"(setStringValue(convertString, "n/a"))",
                          R"(setString(preview, ""))", R"(showNotice(""))"};
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(*window.previewFont, (FontRef{"Code EAN", 72}));
    EXPECT_EQ(Probe::converted(controller), kEan8Of1234567) << "a rejection keeps the last font string";
}

TEST_F(Controller, AMissingFontKeepsThePreviousFontAndSaysWhichIsMissing) {
    window.missingFonts.insert("Code EAN Red");
    tick(Id::halfHeight, 1);
    // clang-format off
    const Log expected = {R"(state(halfHeight))", R"(setStringValue(convertString, "<BCDE=fgha>"))",
        R"(fontWithName("Code EAN Red", 72))", R"(setString(preview, "<BCDE=fgha>"))",
        "showNotice(\"Font \u201CCode EAN Red\u201D is not installed \u2014 the preview cannot draw the bars.\")"};
    // clang-format on
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(*window.previewFont, (FontRef{"Code EAN", 72}));
    tick(Id::halfHeight, 0);
    EXPECT_EQ(window.notice, "") << "the notice goes once the font is found";
}

// ----------------------------------------------------- main window actions

TEST_F(Controller, OnlyARealEditOfTheDataOrAddonCausesAnUpdate) {
    type("1234567");
    typeAddon("");
    for (Id other : {Id::facts, Id::convertString, Id::batchInput, Id::preview})
        controller.controlTextDidChange(other);
    EXPECT_EQ(window.log, (Log{"stringValue(dataToEncode)", "stringValue(addonText)"}));
}

TEST_F(Controller, AddonChoicesEmptyTheFieldAndOpenOrCloseIt) {
    struct Row {
        const char* name;
        void (BCController::*action)(ControlId);
        Id sender;
        BOOL addon2, addon5;
    };
    const std::array<Row, 3> rows = {{{"none", &BCController::changeAddonNothing, Id::addonNothing, 0, 0},
                                      {"2 digits", &BCController::changeAddon2, Id::addon2, 1, 0},
                                      {"5 digits", &BCController::changeAddon5, Id::addon5, 0, 1}}};
    choose(EAN13);
    type("400638133393");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        controller.changeAddon5(Id::addon5);
        typeAddon("52495");
        window.log.clear();
        (controller.*row.action)(row.sender);
        // clang-format off
        const Log expected = {std::string("setEnabled(addonText, ") + (row.addon2 + row.addon5 ? "1" : "0") + ")",
            R"(setStringValue(addonText, ""))", R"(setStringValue(convertString, "4<ALGDTM=dddjdb>"))",
            R"(fontWithName("Code EAN", 72))", R"(setString(preview, "4<ALGDTM=dddjdb>"))",
            R"(setFont(preview, "Code EAN", 72))", R"(showNotice(""))"};
        // clang-format on
        EXPECT_EQ(window.log, expected);
        EXPECT_EQ(Probe::addon2(controller), row.addon2);
        EXPECT_EQ(Probe::addon5(controller), row.addon5);
        EXPECT_EQ(Probe::addonText(controller), "");
    }
}

TEST_F(Controller, OptionActionsReadTheirOwnCheckBox) {
    struct Row {
        const char* name;
        void (BCController::*action)(ControlId);
        Id box;
        BOOL (*flag)(const BCController&);
    };
    const std::array<Row, 4> rows = {
        {{"check digit", &BCController::changeChecksum, Id::checksum, &Probe::checksum},
         {"half height", &BCController::changeHalfheight, Id::halfHeight, &Probe::halfHeight},
         {"high density", &BCController::changeHighdensity, Id::highDensity, &Probe::highDensity},
         {"batch check digit", &BCController::batchChangeChecksum, Id::batchChecksum,
          &Probe::batchChecksum}}};
    choose(C39);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (int state : {1, 0, 1}) {
            window.states[row.box] = state;
            // The sender is some other control, ticked the other way.
            window.states[Id::facts] = 1 - state;
            (controller.*row.action)(Id::facts);
            EXPECT_EQ(row.flag(controller), state);
        }
    }
}

// ------------------------------------------------------------------ batch

struct BatchRow {
    const char* name;
    CodeType type;
    int check;
    const char* input;
    const char* output;
};

// clang-format off
constexpr std::array<BatchRow, 13> kBatchRows = {{
    {"empty input", EAN8, 1, "", ""},
    {"EAN-8 good, empty and bad lines", EAN8, 1, "1234567\n\nabc", "<BCDE=fgha>\n"},
    {"LF line ends", EAN8, 1, "1234567\n5512345\n", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"CR LF line ends", EAN8, 1, "1234567\r\n5512345\r\n", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"CR line ends", EAN8, 1, "1234567\r5512345\r", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"no trailing line end", EAN8, 1, "1234567\n5512345", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"EAN-8 trailing space is data", EAN8, 1, "1234567 \n5512345", "<FFBC=defh>\n"},
    {"Code 128 trailing space is data", C128, 1, "A \nA", "\u00D6A\u00F6B\u00E4\n\u00D6AB\u00E4\n"},
    {"EAN-13 gets no add-on", EAN13, 1, "400638133393", "4<ALGDTM=dddjdb>\n"},
    {"its own check option off", TOFIND, 0, "1234", "<1234>\n"},
    {"its own check option on", TOFIND, 1, "1234", "<12348>\n"},
    {"character outside Mac OS Roman", CODABAR, 1, "1\u4E002\n123", "D123D\n"},
    {"line longer than 99 bytes", CODABAR, 1,
     "1234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890\n1", "D1D\n"},
}};
// clang-format on

// The main window holds a 5-digit add-on and its check option is off: the
// batch uses neither.
TEST_F(Controller, BatchConvertsEachLineThatCalcAccepts) {
    choose(EAN13);
    type("400638133393");
    controller.changeAddon5(Id::addon5);
    typeAddon("52495");
    tick(Id::checksum, 0);
    for (const auto& row : kBatchRows) {
        SCOPED_TRACE(row.name);
        window.selectedIndex[Id::batchCodeSelector] = row.type;
        controller.changeCodeBatch(Id::batchCodeSelector);
        tick(Id::batchChecksum, row.check);
        window.text[Id::batchInput] = row.input;
        window.text[Id::batchOutput] = "old output";
        controller.batchCalc(Id::convertButton);
        EXPECT_EQ(window.text[Id::batchOutput], row.output);
    }
}

TEST_F(Controller, BatchCalcCallsTheWindowInOrderAndLeavesThePreviewAlone) {
    window.text[Id::batchInput] = "1234567";
    controller.batchCalc(Id::convertButton);
    const Log expected = {R"(setString(batchOutput, ""))", R"(string(batchInput))",
                          "setString(batchOutput, \"<BCDE=fgha>\n\")"};
    EXPECT_EQ(window.log, expected);
}

struct FileRow {
    const char* name;
    std::optional<std::string> path;  // the panel's answer; nullopt: cancelled
    const char* view;                 // what the view holds before (read) or shows (write)
    std::string_view bytes;           // the file before (read) or after (write)
    const char* error;                // a part of the one message shown; empty: none
    bool writeFails = false;
};

// clang-format off
const std::array<FileRow, 4> kReadRows = {{
    {"bytes above 127 as one character each", "/data/in", "1234567\r\n\u2022\u00A0\u00C4\r\n", "1234567\r\n\xA5\xCA\x80\r\n", ""},
    {"cancelled", std::nullopt, "kept", "", ""},
    {"unreadable", "/data/missing.txt", "kept", "", "missing.txt"},
    {"binary", "/data/in", "kept", "12\0" "34"sv, "not a text file"},
}};
// The file held "previous" before each row.
const std::array<FileRow, 6> kWriteRows = {{
    {"nothing converted yet", "/data/out", "", "", ""},
    {"edited by hand", "/data/out", "<BCDE=fgha>\nnote\n", "<BCDE=fgha>\nnote\n", ""},
    {"Mac OS Roman characters", "/data/out", "\u2022\u00C4", "\xA5\x80", ""},
    {"cancelled", std::nullopt, "<BCDE=fgha>\n", "previous", ""},
    {"character Mac OS Roman lacks", "/data/out", "<BCDE=fgha>\nok\u4E00\n", "previous", "line 2, character 3"},
    {"write fails", "/data/out", "<BCDE=fgha>\n", "previous", "disk full", true},
}};
// clang-format on

void expectOneErrorContaining(const RecordingWindow& window, const std::string& part) {
    ASSERT_EQ(window.errors.size(), part.empty() ? 0u : 1u);
    if (!part.empty()) {
        EXPECT_NE(window.errors[0].find(part), std::string::npos) << window.errors[0];
    }
}

TEST_F(Controller, BatchReadStartsAtHomeAndChangesNothingOnAProblem) {
    for (const auto& row : kReadRows) {
        SCOPED_TRACE(row.name);
        window.log.clear(), window.errors.clear();
        window.files["/data/in"] = row.bytes;
        window.text[Id::batchInput] = "kept";
        window.openPanelAnswer = row.path;
        controller.batchRead(Id::readButton);
        EXPECT_EQ(window.log.at(1), R"(runOpenPanel("/home/tester"))");
        EXPECT_EQ(window.text[Id::batchInput], row.view);
        expectOneErrorContaining(window, row.error);
    }
}

TEST_F(Controller, BatchWriteSavesTheViewAsItIsNowOrNothing) {
    for (const auto& row : kWriteRows) {
        SCOPED_TRACE(row.name);
        window.errors.clear();
        window.files["/data/out"] = "previous";
        window.writeError = row.writeFails ? "Could not save: disk full." : "";
        window.text[Id::batchOutput] = row.view;
        window.savePanelAnswer = row.path;
        controller.batchWrite(Id::saveButton);
        EXPECT_EQ(window.files["/data/out"], row.bytes);
        expectOneErrorContaining(window, row.error);
    }
}

// --------------------------------------------------- copy, print, about

TEST_F(Controller, CopyTwiceAfterLaunchTakesTheFontStringAndItsFontInSixSteps) {
    const Log sixSteps = {
        "setSelectable(preview, 1)",       "selectAll(preview)",       "copyFont(preview)", "copy(preview)",
        "setSelectedRange(preview, 0, 0)", "setSelectable(preview, 0)"};
    for (const char* round : {"first copy", "second copy"}) {
        SCOPED_TRACE(round);
        window.log.clear();
        controller.copy(Id::preview);
        EXPECT_EQ(window.log, sixSteps);
        EXPECT_EQ(window.clipboardText, kEan8Of1234567);
        EXPECT_EQ(window.fontClipboard, (FontRef{"Code EAN", 72}));
        EXPECT_FALSE(window.previewSelectable);
    }
}

TEST_F(Controller, PrintAndAboutGoStraightToTheWindow) {
    window.missingFonts.insert("Code UPC");
    choose(UPCE);  // "1234567" is valid UPC-E data
    window.log.clear();
    controller.print(Id::preview);
    controller.about(Id::facts);
    EXPECT_EQ(window.log, (Log{"print(preview)", "orderFrontStandardAboutPanel()"}));
    EXPECT_EQ(window.text[Id::preview], "1<CDEvwx?0");
    EXPECT_EQ(*window.previewFont, (FontRef{"Code EAN", 72})) << "prints in the font it had before";
}

}  // namespace
}  // namespace bcfont::app
