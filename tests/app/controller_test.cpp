// The controller against a recording window: start-up, every action, the
// call order the window sees, and the edge cases of each area.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "BCController.h"
#include "RecordingWindow.h"
#include "encode.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

using Log = std::vector<std::string>;
using Probe = BCControllerProbe;
using Id = ControlId;

// Font strings from the worked examples of each symbology.
constexpr const char* kEan8Of1234567 = "<BCDE=fgha>";
constexpr const char* kEan8Of5512345 = "<FFBC=defh>";
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
    void chooseBatch(CodeType type) {
        window.selectedIndex[Id::batchCodeSelector] = type;
        controller.changeCodeBatch(Id::batchCodeSelector);
    }
    void tick(Id box, int state) {
        window.states[box] = state;
        if (box == Id::checksum) controller.changeChecksum(box);
        if (box == Id::halfHeight) controller.changeHalfheight(box);
        if (box == Id::highDensity) controller.changeHighdensity(box);
        if (box == Id::batchChecksum) controller.batchChangeChecksum(box);
    }
    std::string shown() { return window.text[Id::convertString]; }
    std::string previewText() { return window.text[Id::preview]; }

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
    const Log expected = {
        R"(description("NSFactEAN8"))",
        R"(setStringValue(facts, "fact:NSFactEAN8"))",
        R"(setStringValue(dataToEncode, "1234567"))",
        // Settings
        R"(setEnabled(addonText, 0))",
        R"(setStringValue(addonText, ""))",
        R"(setEnabled(addon, 0))",
        R"(setState(addonNothing, 1))",
        R"(setState(addon2, 0))",
        R"(setState(addon5, 0))",
        R"(setEnabled(highDensity, 0))",
        R"(setEnabled(checksum, 0))",
        R"(setEnabled(halfHeight, 1))",
        R"(setState(checksum, 1))",
        R"(setState(batchChecksum, 1))",
        R"(setState(halfHeight, 0))",
        R"(setState(highDensity, 0))",
        // UpdateCode
        R"(setStringValue(convertString, "<BCDE=fgha>"))",
        R"(fontWithName("Code EAN", 72))",
        R"(setString(preview, "<BCDE=fgha>"))",
        R"(setFont(preview, "Code EAN", 72))",
        R"(showNotice(""))",
    };
    EXPECT_EQ(window.log, expected);
}

TEST(ControllerStartUp, HoldsTheStartValues) {
    RecordingWindow window;
    Converter converter;
    BCController controller(window, converter);
    controller.awakeFromNib();
    EXPECT_EQ(Probe::code(controller), EAN8);
    EXPECT_EQ(Probe::batchCode(controller), EAN8);
    EXPECT_EQ(Probe::data(controller), "1234567");
    EXPECT_EQ(Probe::addonText(controller), "");
    EXPECT_EQ(Probe::converted(controller), kEan8Of1234567);
    EXPECT_EQ(Probe::checksum(controller), 1);
    EXPECT_EQ(Probe::batchChecksum(controller), 1);
    EXPECT_EQ(Probe::halfHeight(controller), 0);
    EXPECT_EQ(Probe::highDensity(controller), 0);
    EXPECT_EQ(Probe::addon2(controller), 0);
    EXPECT_EQ(Probe::addon5(controller), 0);
    EXPECT_EQ(controller.converter, &converter);
    EXPECT_EQ(controller.repTimer, nullptr);
}

TEST(ControllerStartUp, ShowsEmptyFactsWhenTheDescriptionIsMissing) {
    RecordingWindow window;
    window.descriptions = {{"NSFactEAN13", "thirteen"}};
    Converter converter;
    BCController controller(window, converter);
    controller.awakeFromNib();
    EXPECT_EQ(window.text[Id::facts], "");
}

// ------------------------------------------------- option availability

struct AvailabilityRow {
    CodeType type;
    bool highDensity, checksum, halfHeight, addonGroup;
};

constexpr std::array<AvailabilityRow, kCodeTypeCount> kAvailabilityRows = {{
    {EAN8, false, false, true, false},
    {EAN13, false, false, true, true},
    {UPCA, false, false, true, false},
    {UPCE, false, false, true, false},
    {C39, true, true, true, false},
    {C128, false, true, true, false},
    {C128EAN, false, true, true, false},
    {TOFIL, true, true, true, false},
    {TOFIND, false, true, true, false},
    {CODABAR, false, true, true, false},
    {POSTNET, false, false, false, false},
}};

TEST_F(Controller, SettingsEnablesOnlyWhatEachSymbologyCanUse) {
    for (const auto& row : kAvailabilityRows) {
        SCOPED_TRACE(std::string(symbology(row.type).fullName));
        // Leave every option in its non-default state first.
        choose(C39);
        tick(Id::checksum, 0);
        tick(Id::halfHeight, 1);
        tick(Id::highDensity, 1);
        tick(Id::batchChecksum, 0);
        choose(row.type);
        EXPECT_EQ(window.enabled[Id::highDensity], row.highDensity);
        EXPECT_EQ(window.enabled[Id::checksum], row.checksum);
        EXPECT_EQ(window.enabled[Id::halfHeight], row.halfHeight);
        EXPECT_EQ(window.enabled[Id::addon], row.addonGroup);
        EXPECT_FALSE(window.enabled[Id::addonText]);
        // Every option is back to its default, even where its box is disabled.
        EXPECT_EQ(window.states[Id::checksum], 1);
        EXPECT_EQ(window.states[Id::batchChecksum], 1);
        EXPECT_EQ(window.states[Id::halfHeight], 0);
        EXPECT_EQ(window.states[Id::highDensity], 0);
        EXPECT_EQ(window.states[Id::addonNothing], 1);
        EXPECT_EQ(window.states[Id::addon2], 0);
        EXPECT_EQ(window.states[Id::addon5], 0);
        EXPECT_EQ(Probe::checksum(controller), 1);
        EXPECT_EQ(Probe::batchChecksum(controller), 1);
        EXPECT_EQ(Probe::halfHeight(controller), 0);
        EXPECT_EQ(Probe::highDensity(controller), 0);
    }
}

TEST_F(Controller, ChangeCodeShowsTheFactsOfEachKey) {
    constexpr std::array<const char*, kCodeTypeCount> keys = {
        "NSFactEAN8",    "NSFactEAN13", "NSFactUPCA",   "NSFactUPCE",    "NSFactC39",    "NSFactC128",
        "NSFactC128EAN", "NSFactTOFIL", "NSFactTOFIND", "NSFactCODABAR", "NSFactPOSTNET"};
    for (int type = 0; type < kCodeTypeCount; ++type) {
        choose(static_cast<CodeType>(type));
        EXPECT_EQ(window.text[Id::facts], std::string("fact:") + keys[type]);
    }
}

TEST_F(Controller, ChangeCodeToEan13CallsTheWindowInOrder) {
    choose(EAN13);
    const Log expected = {
        R"(indexOfSelectedItem(codeSelector))",
        R"(description("NSFactEAN13"))",
        R"(setStringValue(facts, "fact:NSFactEAN13"))",
        R"(setEnabled(addonText, 0))",
        R"(setStringValue(addonText, ""))",
        R"(setEnabled(addon, 0))",
        R"(setState(addonNothing, 1))",
        R"(setState(addon2, 0))",
        R"(setState(addon5, 0))",
        R"(setEnabled(highDensity, 0))",
        R"(setEnabled(addon, 1))",
        R"(setEnabled(addonText, 0))",
        R"(setEnabled(checksum, 0))",
        R"(setEnabled(halfHeight, 1))",
        R"(setState(checksum, 1))",
        R"(setState(batchChecksum, 1))",
        R"(setState(halfHeight, 0))",
        R"(setState(highDensity, 0))",
        // EAN-13 rejects the seven digits of start-up.
        R"(setStringValue(convertString, "n/a"))",
        R"(setString(preview, ""))",
        R"(showNotice(""))",
    };
    EXPECT_EQ(window.log, expected);
}

TEST_F(Controller, ChangeCodeIgnoresASelectorWithoutAChoice) {
    for (int index : {-1, kCodeTypeCount, 1000}) {
        window.log.clear();
        window.selectedIndex[Id::codeSelector] = index;
        controller.changeCode(Id::codeSelector);
        EXPECT_EQ(window.log, Log{"indexOfSelectedItem(codeSelector)"}) << "index " << index;
        EXPECT_EQ(Probe::code(controller), EAN8);
    }
}

TEST_F(Controller, ChoosingTheSameSymbologyResetsAllTheSame) {
    choose(EAN13);
    type("400638133393");
    controller.changeAddon5(Id::addon5);
    typeAddon("52495");
    tick(Id::halfHeight, 1);
    tick(Id::batchChecksum, 0);
    choose(EAN13);
    EXPECT_EQ(Probe::data(controller), "400638133393");
    EXPECT_EQ(Probe::addonText(controller), "");
    EXPECT_EQ(window.text[Id::addonText], "");
    EXPECT_EQ(Probe::halfHeight(controller), 0);
    EXPECT_EQ(Probe::batchChecksum(controller), 1);
    EXPECT_EQ(window.states[Id::addonNothing], 1);
    EXPECT_EQ(shown(), kEan13Of400638133393);
}

TEST_F(Controller, LeavingEan13WithAnAddonAndComingBackClearsIt) {
    choose(EAN13);
    type("400638133393");
    controller.changeAddon5(Id::addon5);
    typeAddon("52495");
    choose(C128);
    choose(EAN13);
    EXPECT_EQ(window.states[Id::addonNothing], 1);
    EXPECT_EQ(window.states[Id::addon5], 0);
    EXPECT_FALSE(window.enabled[Id::addonText]);
    EXPECT_EQ(window.text[Id::addonText], "");
    EXPECT_EQ(shown(), kEan13Of400638133393);
}

TEST_F(Controller, HighDensityIsClearedWhenMovingBetweenTypesThatOfferIt) {
    choose(C39);
    tick(Id::highDensity, 1);
    ASSERT_EQ(Probe::highDensity(controller), 1);
    choose(TOFIL);
    EXPECT_EQ(Probe::highDensity(controller), 0);
    EXPECT_EQ(window.states[Id::highDensity], 0);
    EXPECT_TRUE(window.enabled[Id::highDensity]);
}

// -------------------------------------------------------- preview update

struct PreviewRow {
    const char* name;
    CodeType type;
    const char* data;
    const char* addon;  // typed after choosing the 5-digit add-on, EAN-13 only
    const char* shown;  // convertString; "n/a" for rejected data
};

constexpr std::array<PreviewRow, 17> kPreviewRows = {{
    {"EAN-8 start-up data", EAN8, "1234567", "", kEan8Of1234567},
    {"EAN-8 worked example", EAN8, "5512345", "", kEan8Of5512345},
    {"EAN-8 empty data", EAN8, "", "", "n/a"},
    {"EAN-8 letter", EAN8, "123456a", "", "n/a"},
    {"EAN-13 worked example", EAN13, "400638133393", "", kEan13Of400638133393},
    {"EAN-13 letter", EAN13, "40063813339a", "", "n/a"},
    {"EAN-13 add-on 12", EAN13, "400638133393", "12", "4<ALGDTM=dddjdb>:m;n"},
    {"EAN-13 add-on 52495", EAN13, "400638133393", "52495", "4<ALGDTM=dddjdb>:v;n;Z;u;q"},
    {"EAN-13 add-on still being typed", EAN13, "400638133393", "524", kEan13Of400638133393},
    {"EAN-13 add-on outside Mac OS Roman", EAN13, "400638133393", "1\u4E00", "n/a"},
    {"UPC-A worked example", UPCA, "03600029145", "", "0<LDGAAA=cjbefn>2"},
    {"UPC-E worked example", UPCE, "0123456", "", "0<WCDZvG?5"},
    {"Codabar", CODABAR, "123", "", "D123D"},
    {"Postnet 5 digits", POSTNET, "12345", "", "-123455-"},
    {"Postnet 6 digits", POSTNET, "123456", "", "n/a"},
    {"Code 128 character outside Mac OS Roman", C128, "AB\u2713", "", "n/a"},
    {"Code 128 text of 100 bytes", C128,
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789",
     "", "n/a"},
}};

TEST_F(Controller, ShowsTheFontStringOrNotApplicable) {
    for (const auto& row : kPreviewRows) {
        SCOPED_TRACE(row.name);
        choose(row.type);
        type(row.data);
        if (*row.addon) {
            controller.changeAddon5(Id::addon5);
            typeAddon(row.addon);
        }
        EXPECT_EQ(shown(), row.shown);
        const std::string expectedPreview = std::string(row.shown) == "n/a" ? "" : row.shown;
        EXPECT_EQ(previewText(), expectedPreview);
    }
}

TEST_F(Controller, BytesAbove127ShowAsOneCharacterEach) {
    choose(TOFIL);
    type("12345678");
    const auto bytes = encode(TOFIL, "12345678", "", true);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_TRUE(std::any_of(bytes->begin(), bytes->end(), [](char b) {
        return static_cast<unsigned char>(b) > 127;
    })) << "2 of 5 Interleaved pairs are drawn by bytes from 128 up";
    EXPECT_EQ(macroman::fromUtf8(shown()), bytes);
    EXPECT_EQ(macroman::fromUtf8(previewText()), bytes);
}

struct FontRow {
    CodeType type;
    const char* data;
    int halfHeight, highDensity;
    const char* family;
    int pointSize;
};

constexpr std::array<FontRow, 22> kFontRows = {{
    {EAN8, "1234567", 0, 0, "Code EAN", 72},
    {EAN13, "400638133393", 1, 0, "Code EAN Red", 72},
    {UPCA, "03600029145", 0, 0, "Code UPC", 72},
    {UPCE, "0123456", 1, 0, "Code UPC Red", 72},
    {C39, "ABC", 0, 0, "Code 39", 30},
    {C39, "ABC", 0, 1, "Code 39 High Density", 30},
    {C39, "ABC", 1, 0, "Code 39 Red", 30},
    {C39, "ABC", 1, 1, "Code 39 Red High Density", 30},
    {C128, "ABC", 0, 0, "Code 128", 30},
    {C128, "ABC", 1, 0, "Code 128 Red", 30},
    {C128, "ABC", 1, 1, "Code 128 Red", 30},
    {C128EAN, "0123", 1, 0, "Code 128 Red", 30},
    {TOFIL, "1234", 0, 0, "Code 25 Interleaved", 30},
    {TOFIL, "1234", 0, 1, "Code 25 Interleaved HD", 30},
    {TOFIL, "1234", 1, 0, "Code 25 Interleaved Red", 30},
    {TOFIL, "1234", 1, 1, "Code 25 Interleaved Red HD", 30},
    {TOFIND, "1234", 0, 0, "Code 25 Industrial", 30},
    {TOFIND, "1234", 1, 1, "Code 25 Industrial Red", 30},
    {CODABAR, "123", 0, 0, "Codabar", 40},
    {CODABAR, "123", 1, 0, "Codabar Red", 40},
    {POSTNET, "12345", 0, 0, "Postnet", 9},
    {POSTNET, "12345", 1, 1, "Postnet", 9},
}};

TEST_F(Controller, SetsThePreviewFontForTypeAndOptions) {
    for (const auto& row : kFontRows) {
        SCOPED_TRACE(std::string(symbology(row.type).fullName) + " half " + std::to_string(row.halfHeight) +
                     " high " + std::to_string(row.highDensity));
        choose(row.type);
        type(row.data);
        tick(Id::halfHeight, row.halfHeight);
        tick(Id::highDensity, row.highDensity);
        ASSERT_TRUE(window.previewFont.has_value());
        EXPECT_EQ(window.previewFont->family, row.family);
        EXPECT_EQ(window.previewFont->pointSize, row.pointSize);
    }
}

TEST_F(Controller, DeletingTheLastCharacterEmptiesThePreviewAndKeepsItsFont) {
    type("");
    const Log expected = {
        R"(stringValue(dataToEncode))",
        R"(setStringValue(convertString, "n/a"))",
        R"(setString(preview, ""))",
        R"(showNotice(""))",
    };
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(*window.previewFont, (FontRef{"Code EAN", 72}));
    EXPECT_EQ(Probe::converted(controller), kEan8Of1234567) << "a rejection keeps the last font string";
}

TEST_F(Controller, AMissingFontKeepsThePreviousFontAndSaysWhichIsMissing) {
    window.missingFonts.insert("Code EAN Red");
    tick(Id::halfHeight, 1);
    const Log expected = {
        R"(state(halfHeight))",
        R"(setStringValue(convertString, "<BCDE=fgha>"))",
        R"(fontWithName("Code EAN Red", 72))",
        R"(setString(preview, "<BCDE=fgha>"))",
        "showNotice(\"Font \u201CCode EAN Red\u201D is not installed \u2014 the preview cannot draw the "
        "bars.\")",
    };
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(*window.previewFont, (FontRef{"Code EAN", 72}));
    tick(Id::halfHeight, 0);
    EXPECT_EQ(window.notice, "") << "the notice goes once the font is found";
}

TEST_F(Controller, Code128WithoutCheckCharacterWarnsThatScannersWillNotReadIt) {
    struct Row {
        CodeType type;
        int check;
        bool warns;
    };
    constexpr std::array<Row, 6> rows = {{{C128, 0, true},
                                          {C128, 1, false},
                                          {C128EAN, 0, true},
                                          {C128EAN, 1, false},
                                          {C39, 0, false},
                                          {TOFIL, 0, false}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(symbology(row.type).fullName) + " check " + std::to_string(row.check));
        choose(row.type);
        type("1234");
        tick(Id::checksum, row.check);
        EXPECT_EQ(window.notice.find("Scanners will not read") != std::string::npos, row.warns)
            << window.notice;
        EXPECT_NE(shown(), "n/a") << "the option stays usable";
    }
}

TEST_F(Controller, TheCheckDigitOptionDoesNotChangeTypesWithoutOne) {
    struct Row {
        CodeType type;
        const char* data;
    };
    constexpr std::array<Row, 6> rows = {{{EAN8, "1234567"},
                                          {EAN13, "400638133393"},
                                          {UPCA, "03600029145"},
                                          {UPCE, "0123456"},
                                          {CODABAR, "123"},
                                          {POSTNET, "12345"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(symbology(row.type).fullName);
        choose(row.type);
        type(row.data);
        const std::string withCheck = shown();
        tick(Id::checksum, 0);
        EXPECT_EQ(shown(), withCheck);
        EXPECT_NE(shown(), "n/a");
    }
}

// ----------------------------------------------------- main window actions

TEST_F(Controller, AnEditThatLeavesTheTextAsItWasCausesNoUpdate) {
    type("1234567");
    EXPECT_EQ(window.log, Log{"stringValue(dataToEncode)"});
    typeAddon("");
    EXPECT_EQ(window.log, (Log{"stringValue(dataToEncode)", "stringValue(addonText)"}));
}

TEST_F(Controller, TextChangesOfOtherControlsDoNothing) {
    for (Id other : {Id::facts, Id::convertString, Id::batchInput, Id::preview}) {
        controller.controlTextDidChange(other);
        EXPECT_TRUE(window.log.empty()) << controlName(other);
    }
}

TEST_F(Controller, AddonChoicesEmptyTheFieldAndOpenOrCloseIt) {
    struct Row {
        const char* name;
        void (BCController::*action)(ControlId);
        Id sender;
        BOOL addon2, addon5;
        bool fieldEnabled;
    };
    const std::array<Row, 3> rows = {{
        {"none", &BCController::changeAddonNothing, Id::addonNothing, 0, 0, false},
        {"2 digits", &BCController::changeAddon2, Id::addon2, 1, 0, true},
        {"5 digits", &BCController::changeAddon5, Id::addon5, 0, 1, true},
    }};
    choose(EAN13);
    type("400638133393");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        controller.changeAddon5(Id::addon5);
        typeAddon("52495");
        window.log.clear();
        (controller.*row.action)(row.sender);
        const Log expected = {
            std::string("setEnabled(addonText, ") + (row.fieldEnabled ? "1" : "0") + ")",
            R"(setStringValue(addonText, ""))",
            R"(setStringValue(convertString, "4<ALGDTM=dddjdb>"))",
            R"(fontWithName("Code EAN", 72))",
            R"(setString(preview, "4<ALGDTM=dddjdb>"))",
            R"(setFont(preview, "Code EAN", 72))",
            R"(showNotice(""))",
        };
        EXPECT_EQ(window.log, expected);
        EXPECT_EQ(Probe::addon2(controller), row.addon2);
        EXPECT_EQ(Probe::addon5(controller), row.addon5);
        EXPECT_EQ(Probe::addonText(controller), "");
    }
}

TEST_F(Controller, TheLengthOfTheAddonTextDecidesNotTheChoice) {
    choose(EAN13);
    type("400638133393");
    controller.changeAddon2(Id::addon2);
    typeAddon("52495");
    EXPECT_EQ(shown(), "4<ALGDTM=dddjdb>:v;n;Z;u;q");
}

TEST_F(Controller, OptionActionsReadTheirOwnCheckBox) {
    struct Row {
        const char* name;
        void (BCController::*action)(ControlId);
        Id box;
        BOOL (*flag)(const BCController&);
    };
    const std::array<Row, 4> rows = {{
        {"check digit", &BCController::changeChecksum, Id::checksum, &Probe::checksum},
        {"half height", &BCController::changeHalfheight, Id::halfHeight, &Probe::halfHeight},
        {"high density", &BCController::changeHighdensity, Id::highDensity, &Probe::highDensity},
        {"batch check digit", &BCController::batchChangeChecksum, Id::batchChecksum, &Probe::batchChecksum},
    }};
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

constexpr std::array<BatchRow, 12> kBatchRows = {{
    {"empty input", EAN8, 1, "", ""},
    {"EAN-8 good, empty and bad lines", EAN8, 1, "1234567\n\nabc", "<BCDE=fgha>\n"},
    {"LF line ends", EAN8, 1, "1234567\n5512345\n", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"CR LF line ends", EAN8, 1, "1234567\r\n5512345\r\n", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"CR line ends", EAN8, 1, "1234567\r5512345\r", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"no trailing line end", EAN8, 1, "1234567\n5512345", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"EAN-8 trailing space is data", EAN8, 1, "1234567 \n5512345", "<FFBC=defh>\n"},
    {"EAN-13 gets no add-on", EAN13, 1, "400638133393", "4<ALGDTM=dddjdb>\n"},
    {"Codabar ignores the check option", CODABAR, 0, "123\n", "D123D\n"},
    {"Postnet", POSTNET, 1, "12345\n1234\n", "-123455-\n"},
    {"character outside Mac OS Roman", CODABAR, 1, "1\u4E002\n123", "D123D\n"},
    {"line longer than 99 bytes", CODABAR, 1,
     "1234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890\n"
     "1",
     "D1D\n"},
}};

TEST_F(Controller, BatchConvertsEachLineThatCalcAccepts) {
    for (const auto& row : kBatchRows) {
        SCOPED_TRACE(row.name);
        chooseBatch(row.type);
        tick(Id::batchChecksum, row.check);
        window.text[Id::batchInput] = row.input;
        window.text[Id::batchOutput] = "old output";
        controller.batchCalc(Id::convertButton);
        EXPECT_EQ(window.text[Id::batchOutput], row.output);
    }
}

TEST_F(Controller, BatchKeepsSpacesAsCode128Data) {
    chooseBatch(C128);
    window.text[Id::batchInput] = "A \nA";
    controller.batchCalc(Id::convertButton);
    const auto withSpace = encode(C128, "A ", "", true);
    const auto without = encode(C128, "A", "", true);
    ASSERT_TRUE(withSpace && without);
    EXPECT_NE(*withSpace, *without);
    EXPECT_EQ(window.text[Id::batchOutput], macroman::toUtf8(*withSpace + "\n" + *without + "\n"));
}

TEST_F(Controller, BatchUsesItsOwnCheckOption) {
    chooseBatch(TOFIND);
    window.text[Id::batchInput] = "1234";
    tick(Id::batchChecksum, 0);
    controller.batchCalc(Id::convertButton);
    EXPECT_EQ(window.text[Id::batchOutput], macroman::toUtf8(*encode(TOFIND, "1234", "", false) + "\n"));
    tick(Id::batchChecksum, 1);
    controller.batchCalc(Id::convertButton);
    EXPECT_EQ(window.text[Id::batchOutput], macroman::toUtf8(*encode(TOFIND, "1234", "", true) + "\n"));
}

TEST_F(Controller, BatchCalcCallsTheWindowInOrderAndLeavesThePreviewAlone) {
    window.text[Id::batchInput] = "1234567";
    controller.batchCalc(Id::convertButton);
    const Log expected = {
        R"(setString(batchOutput, ""))",
        R"(string(batchInput))",
        R"(setString(batchOutput, "<BCDE=fgha>)"
        "\n\")",
    };
    EXPECT_EQ(window.log, expected);
}

TEST_F(Controller, BatchReadStartsAtHomeAndShowsEachByteAsOneCharacter) {
    window.openPanelAnswer = "/data/items.txt";
    window.files["/data/items.txt"] = "1234567\r\n\xA5\xCA\x80\r\n";
    controller.batchRead(Id::readButton);
    EXPECT_EQ(window.log[1], R"(runOpenPanel("/home/tester"))");
    EXPECT_EQ(window.text[Id::batchInput], "1234567\r\n\u2022\u00A0\u00C4\r\n");
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(Controller, BatchReadProblemsAreReportedAndChangeNothing) {
    struct Row {
        const char* name;
        std::optional<std::string> path;
        const char* errorContains;  // nullptr: no message
    };
    window.files["/data/binary"] = std::string(
        "12\0"
        "34",
        5);
    const std::array<Row, 3> rows = {{
        {"cancelled", std::nullopt, nullptr},
        {"unreadable", "/data/missing.txt", "missing.txt"},
        {"binary", "/data/binary", "not a text file"},
    }};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window.errors.clear();
        window.text[Id::batchInput] = "kept";
        window.openPanelAnswer = row.path;
        controller.batchRead(Id::readButton);
        EXPECT_EQ(window.text[Id::batchInput], "kept");
        if (row.errorContains == nullptr) {
            EXPECT_TRUE(window.errors.empty());
        } else {
            ASSERT_EQ(window.errors.size(), 1u);
            EXPECT_NE(window.errors[0].find(row.errorContains), std::string::npos) << window.errors[0];
        }
    }
}

TEST_F(Controller, BatchWriteSavesTheBytesCalcProduced) {
    chooseBatch(TOFIL);
    window.text[Id::batchInput] = "12345678\n1234";
    controller.batchCalc(Id::convertButton);
    window.savePanelAnswer = "/data/out.txt";
    controller.batchWrite(Id::saveButton);
    const std::string expected =
        *encode(TOFIL, "12345678", "", true) + "\n" + *encode(TOFIL, "1234", "", true) + "\n";
    EXPECT_EQ(window.files["/data/out.txt"], expected);
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(Controller, BatchWriteSavesTheViewAsItIsNow) {
    struct Row {
        const char* name;
        const char* view;
        const char* bytes;
    };
    constexpr std::array<Row, 3> rows = {{
        {"nothing converted yet", "", ""},
        {"edited by hand", "<BCDE=fgha>\nnote\n", "<BCDE=fgha>\nnote\n"},
        {"Mac OS Roman characters", "\u2022\u00C4", "\xA5\x80"},
    }};
    window.savePanelAnswer = "/data/out.txt";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window.text[Id::batchOutput] = row.view;
        controller.batchWrite(Id::saveButton);
        EXPECT_EQ(window.files["/data/out.txt"], row.bytes);
    }
}

TEST_F(Controller, BatchWriteProblemsAreReportedAndWriteNothing) {
    window.files["/data/out.txt"] = "previous";
    window.text[Id::batchOutput] = "<BCDE=fgha>\nok\u4E00\n";
    window.savePanelAnswer = std::nullopt;
    controller.batchWrite(Id::saveButton);
    EXPECT_EQ(window.log, (Log{"runSavePanel()"})) << "a cancel does nothing";

    window.savePanelAnswer = "/data/out.txt";
    controller.batchWrite(Id::saveButton);
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_NE(window.errors[0].find("line 2, character 3"), std::string::npos) << window.errors[0];
    EXPECT_EQ(window.files["/data/out.txt"], "previous");

    window.text[Id::batchOutput] = "<BCDE=fgha>\n";
    window.writeError = "Could not save \u201C/data/out.txt\u201D: disk full.";
    controller.batchWrite(Id::saveButton);
    ASSERT_EQ(window.errors.size(), 2u);
    EXPECT_EQ(window.errors[1], window.writeError);
    EXPECT_EQ(window.files["/data/out.txt"], "previous");
}

// --------------------------------------------------- copy, print, about

TEST_F(Controller, CopyRunsTheSixStepsInOrder) {
    controller.copy(Id::preview);
    const Log expected = {
        "setSelectable(preview, 1)",       "selectAll(preview)",        "copyFont(preview)", "copy(preview)",
        "setSelectedRange(preview, 0, 0)", "setSelectable(preview, 0)",
    };
    EXPECT_EQ(window.log, expected);
}

TEST_F(Controller, CopyRightAfterLaunchTakesTheFontStringAndItsFont) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first copy" : "second copy");
        controller.copy(Id::preview);
        EXPECT_EQ(window.clipboardText, kEan8Of1234567);
        ASSERT_TRUE(window.fontClipboard.has_value());
        EXPECT_EQ(*window.fontClipboard, (FontRef{"Code EAN", 72}));
        EXPECT_FALSE(window.previewSelectable);
    }
}

TEST_F(Controller, PrintWithAMissingFontPrintsInThePreviousFont) {
    window.missingFonts.insert("Code UPC");
    choose(UPCE);  // "1234567" is valid UPC-E data
    window.log.clear();
    controller.print(Id::preview);
    EXPECT_EQ(window.log, Log{"print(preview)"});
    EXPECT_EQ(previewText(), "1<CDEvwx?0");
    EXPECT_EQ(*window.previewFont, (FontRef{"Code EAN", 72}));
}

TEST_F(Controller, AboutAsksTheApplicationForItsPanel) {
    controller.about(Id::facts);
    EXPECT_EQ(window.log, Log{"orderFrontStandardAboutPanel()"});
}

}  // namespace
}  // namespace bcfont::app
