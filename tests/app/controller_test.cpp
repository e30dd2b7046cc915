// The controller against a recording window: the calls each action makes,
// in order, and the edge cases of the preview, the options and the batch.
#include <gtest/gtest.h>

#include <algorithm>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "BCController.h"
#include "PreviewScale.h"
#include "RecordingWindow.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

using Probe = BCControllerProbe;
using Id = ControlId;
using namespace std::literals;

// clang-format off
// The field keeps "52495"; the symbol takes it only where 5 digits are chosen.
Log afterAddonChoice(bool fieldOpen, const std::string& fontString, const std::string& text,
                     const std::string& notice) {
    return {"setEnabled(addonText,"s + (fieldOpen ? "1)" : "0)"), "setStringValue(convertString,\"" + fontString + "\")",
            R"(fontWithName("Code EAN",72))", "setString(preview,\"" + fontString + "\")",
            R"(setFont(preview,"Code EAN",72))", "showHumanReadable(\"" + text + "\",\"\")", "showNotice(\"" + notice + "\")"};
}

// Selectable only while it copies: the whole text and its font.
Log copied(Log then) {
    Log calls = {"setSelectable(preview,1)", "selectAll(preview)", "copyFont(preview)", "copy(preview)",
                 "setSelectedRange(preview,0,0)", "setSelectable(preview,0)", "fontsReachOtherPrograms()"};
    calls.insert(calls.end(), then.begin(), then.end());
    return calls;
}

struct CallRow {
    const char* name;
    void (*act)(Rig&);  // on a started controller, its log cleared
    Log expected;
};

const CallRow kCallRows[] = {
    {"start-up", [](Rig& r) { r.controller.awakeFromNib(); },
     {R"(description("NSFactEAN8"))", R"(setStringValue(facts,"fact:NSFactEAN8"))", R"(setStringValue(dataToEncode,"1234567"))",
      "setEnabled(addonText,0)", R"(setStringValue(addonText,""))", "setEnabled(addon,0)",
      "setState(addonNothing,1)", "setState(addon2,0)", "setState(addon5,0)",
      "setEnabled(highDensity,0)", "setEnabled(checksum,0)", "setEnabled(halfHeight,1)",
      R"(setStringValue(typeOptions,""))", "setEnabled(typeOptions,0)", "setState(checksum,1)", "setState(batchChecksum,1)", "setState(halfHeight,0)", "setState(highDensity,0)",
      R"(setStringValue(convertString,"<BCDE=fgha>"))", R"(fontWithName("Code EAN",72))",
      R"(setString(preview,"<BCDE=fgha>"))", R"(setFont(preview,"Code EAN",72))", R"(showHumanReadable("12345670",""))",
      R"(showNotice(""))", "setEnabled(saveButton,0)"}},
    {"choosing EAN-13 opens the add-on group between high density and check digit", [](Rig& r) { r.choose(EAN13); },
     {"indexOfSelectedItem(codeSelector)", R"(description("NSFactEAN13"))", R"(setStringValue(facts,"fact:NSFactEAN13"))",
      "setEnabled(addonText,0)", R"(setStringValue(addonText,""))", "setEnabled(addon,0)",
      "setState(addonNothing,1)", "setState(addon2,0)", "setState(addon5,0)",
      "setEnabled(highDensity,0)", "setEnabled(addon,1)", "setEnabled(addonText,0)", "setEnabled(checksum,0)",
      "setEnabled(halfHeight,1)", R"(setStringValue(typeOptions,""))", "setEnabled(typeOptions,0)",
      "setState(checksum,1)", "setState(batchChecksum,1)", "setState(halfHeight,0)",
      "setState(highDensity,0)", R"(setStringValue(convertString,"n/a"))", R"(setString(preview,""))",
      R"(showHumanReadable("",""))", R"(showNotice("EAN-13 needs 12 or 13 digits, got 7"))"}},
    {"a selector with no entry chosen is ignored", [](Rig& r) { r.choose(CodeType(-1)); },
     {"indexOfSelectedItem(codeSelector)"}},
    {"an index past the last entry is ignored", [](Rig& r) { r.choose(CodeType(kCodeTypeCount)); },
     {"indexOfSelectedItem(codeSelector)"}},
    {"deleting the last character keeps the preview's font", [](Rig& r) { r.type(""); },
     {"stringValue(dataToEncode)", R"(setStringValue(convertString,"n/a"))", R"(setString(preview,""))",
      R"(showHumanReadable("",""))", R"(showNotice("EAN-8 needs 7 or 8 digits, got 0"))"}},
    {"only a real edit of the data or add-on updates", [](Rig& r) {
         r.type("1234567"), r.type(Id::addonText, "");
         for (Id other : {Id::facts, Id::convertString, Id::batchInput, Id::preview}) r.controller.controlTextDidChange(other);
     },
     {"stringValue(dataToEncode)", "stringValue(addonText)"}},
    {"a missing font keeps the preview's font, prints in it; about", [](Rig& r) {
         r.window.missingFonts.insert("Code EAN Red");
         r.tick(Id::halfHeight, 1), r.controller.print(Id::preview), r.controller.about(Id::facts);
     },
     {"state(halfHeight)", R"(setStringValue(convertString,"<BCDE=fgha>"))", R"(fontWithName("Code EAN Red",72))",
      R"(setString(preview,"<BCDE=fgha>"))", R"(showHumanReadable("12345670",""))",
      "showNotice(\"Font \u201CCode EAN Red\u201D is not installed \u2014 the preview cannot draw the bars.\")",
      "print(preview)", R"(showStatus("sent the barcode to the printer"))", "orderFrontStandardAboutPanel()"}},
    {"no add-on closes the field and leaves its digits out",
     [](Rig& r) { holdFiveDigitAddon(r), r.controller.changeAddonNothing(Id::addonNothing); },
     afterAddonChoice(false, "4<ALGDTM=dddjdb>", "4006381333931", "")},
    {"2 digits keep the five typed and leave them out", [](Rig& r) { holdFiveDigitAddon(r), r.controller.changeAddon2(Id::addon2); },
     afterAddonChoice(true, "4<ALGDTM=dddjdb>", "4006381333931", "the add-on needs 2 digits, got 5; it is left out")},
    {"5 digits again take them",
     [](Rig& r) { holdFiveDigitAddon(r), r.controller.changeAddon2(Id::addon2), r.window.log.clear(), r.controller.changeAddon5(Id::addon5); },
     afterAddonChoice(true, "4<ALGDTM=dddjdb>:v;n;Z;u;q", "4006381333931 52495", "")},
    // The same each time.
    {"copy twice", [](Rig& r) { r.controller.copy(Id::preview), r.controller.copy(Id::facts); }, copied(copied({}))},
    {"copy where other programs lack the faces offers to install them", [](Rig& r) { r.window.fontsInstalled = false, r.controller.copy(Id::preview); },
     copied({"showNotice(\"Copied. Other programs show plain letters until bcfont's fonts are installed for them.\")", "setHidden(installFonts,0)"})},
    {"installing the faces hides the offer", [](Rig& r) { r.controller.installFonts(Id::installFonts); },
     {"installFontsForOtherPrograms()", "setHidden(installFonts,1)",
      "showNotice(\"bcfont's fonts are installed in /home/tester/.local/share/fonts/bcfont for other programs.\")"}},
    {"a failed install says why and keeps the offer", [](Rig& r) { r.window.installError = "disk full", r.controller.installFonts(Id::installFonts); },
     {"installFontsForOtherPrograms()", "showError()"}},
    {"batch convert leaves the preview alone",
     [](Rig& r) { r.window.text[Id::batchInput] = "1234567", r.controller.batchCalc(Id::convertButton); },
     {R"(setString(batchOutput,""))", "string(batchInput)", "setString(batchOutput,\"<BCDE=fgha>\n\")",
      "setEnabled(saveButton,1)", R"(setStringValue(batchSummary,"converted 1 of 1 line"))", "setItems(batchRejections,0)"}},
};
// clang-format on

TEST(Controller, CallsTheWindowInOrder) {
    for (const auto& row : kCallRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        row.act(r);
        EXPECT_EQ(r.window.log, row.expected);
    }
}

// Under the preview: the text a label prints and the elements' titles,
// which are UTF-8 text already and must not be read as Mac OS Roman again.
TEST(Controller, TheTextUnderTheBarsAndTheTitlesReachTheWindowAsText) {
    const struct {
        const char* name;
        CodeType type;
        std::string data;
        std::string shown;
    } rows[] = {
        {"GS1-128 with its titles", GS1128, "[01]09501101530003[10]AB",
         "showHumanReadable(\"(01)09501101530003(10)AB\",\"(01) GTIN \u00B7 (10) BATCH/LOT\")"},
        {"Code 128 with a Mac OS Roman byte escaped", C128, "A~066", R"(showHumanReadable("AB",""))"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.choose(row.type);
        r.type(row.data);
        const auto shown = std::find_if(r.window.log.rbegin(), r.window.log.rend(),
                                        [](const std::string& call) { return call.starts_with("showHumanReadable"); });
        ASSERT_NE(shown, r.window.log.rend());
        EXPECT_EQ(*shown, row.shown);
    }
}

TEST(Controller, ARejectionKeepsTheLastFontStringAndMissingFactsShowEmpty) {
    Rig r;
    r.type("");
    EXPECT_EQ(r.controller.*Probe::converted, "<BCDE=fgha>");
    r.window.missingDescriptions.insert("NSFactEAN13");
    r.choose(EAN13);
    EXPECT_EQ(r.window.text[Id::facts], "");
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
    {CODABAR, "NSFactCODABAR", false, false, true, false},
    {POSTNET, "NSFactPOSTNET", false, false, false, false},
    {IMB, "NSFactIMB", false, false, false, false},
    {GS1128, "NSFactGS1128", false, false, true, false},
    {QR, "NSFactQR", false, false, false, false},
    {DATAMATRIX, "NSFactDATAMATRIX", false, false, false, false},
    {PDF417, "NSFactPDF417", false, false, false, false},
    {GS1QR, "NSFactGS1QR", false, false, false, false},
    {GS1DATAMATRIX, "NSFactGS1DATAMATRIX", false, false, false, false},
}};
// clang-format on

// Every row starts from EAN-13 with a 5-digit add-on and every option in its
// non-default state, ticked even where its box is disabled: so the EAN-13 row
// re-chooses the chosen symbology, and the Code 39 and 2 of 5 Interleaved rows
// leave high density ticked although they offer it.
TEST(Controller, ChoosingASymbologyResetsOptionsAndEnablesWhatItCanUse) {
    for (const auto& row : kAvailabilityRows) {
        SCOPED_TRACE(std::string(symbology(row.type).fullName));
        Rig r;
        holdFiveDigitAddon(r);
        for (Id box : {Id::checksum, Id::halfHeight, Id::highDensity, Id::batchChecksum})
            r.tick(box, box == Id::halfHeight || box == Id::highDensity);
        r.choose(row.type);
        auto& w = r.window;
        EXPECT_EQ(w.text[Id::facts], "fact:"s + row.factKey);
        EXPECT_EQ((std::array{w.enabled[Id::highDensity], w.enabled[Id::checksum], w.enabled[Id::halfHeight],
                              w.enabled[Id::addon], w.enabled[Id::addonText]}),
                  (std::array{row.highDensity, row.checksum, row.halfHeight, row.addonGroup, false}));
        // Every option is back to its default, even where its box is disabled: check digit, batch check
        // digit, half height, high density, no add-on, 2 digits, 5 digits.
        EXPECT_EQ((std::array{w.states[Id::checksum], w.states[Id::batchChecksum], w.states[Id::halfHeight],
                              w.states[Id::highDensity], w.states[Id::addonNothing], w.states[Id::addon2],
                              w.states[Id::addon5]}),
                  (std::array{1, 1, 0, 0, 1, 0, 0}));
        const BCController& c = r.controller;
        EXPECT_EQ((std::array{c.*Probe::checksum, c.*Probe::batchChecksum, c.*Probe::halfHeight,
                              c.*Probe::highDensity}),
                  (std::array<BOOL, 4>{1, 1, 0, 0}));
        EXPECT_EQ(w.text[Id::addonText], "");
        EXPECT_EQ(c.*Probe::addon, "");
        EXPECT_EQ(c.*Probe::data, "400638133393") << "the data text stays";
    }
}

// The check option's tooltip names the table's check character.
TEST(Controller, TheCheckOptionSaysWhatTheSymbologysCheckCharacterIs) {
    const struct {
        CodeType type;
        const char* tip;
    } rows[] = {
        {EAN8, "Check character: Always \u2014 EAN-8 always carries its check digit."},
        {C39, "Check character: Optional \u2014 adds Code 39's check character to the symbol."},
        {C128, "Check character: Expected \u2014 Code 128 requires it; scanners refuse the symbol without it."},
        {CODABAR, "Check character: None \u2014 Codabar has no check character."},
    };
    for (const auto& row : rows) {
        Rig r;
        r.choose(row.type);
        EXPECT_EQ(r.window.toolTips[Id::checksum], row.tip);
    }
}

// -------------------------------------------------------- preview update

struct PreviewRow {
    const char* name;
    CodeType type;
    std::string data;
    const char* addon;  // typed after choosing the 2-digit add-on
    int check, halfHeight, highDensity;
    const char* shown;  // convertString; "n/a" for rejected data
    FontRef font;       // a rejection keeps the start-up font
    bool warns;         // that scanners will not read the symbol
};

// clang-format off
const PreviewRow kPreviewRows[] = {
    {"EAN-13 two add-on digits", EAN13, "400638133393", "52", 1, 0, 0, "4<ALGDTM=dddjdb>:q;n", {"Code EAN", 72}, false},
    {"EAN-13 add-on still being typed", EAN13, "400638133393", "524", 1, 0, 0, "4<ALGDTM=dddjdb>", {"Code EAN", 72}, false},
    {"EAN-13 add-on outside Mac OS Roman", EAN13, "400638133393", "1\u4E00", 1, 0, 0, "n/a", {"Code EAN", 72}, false},
    {"Code 128 half height, no check character", C128, "ABC", "", 0, 1, 0, "\u00D6ABC\u00E4", {"Code 128 Red", 30}, true},
    {"Code 128 with check character", C128, "ABC", "", 1, 0, 0, "\u00D6ABC!\u00E4", {"Code 128", 30}, false},
    {"Code 128 EAN/UCC, no check character", C128EAN, "0123", "", 0, 0, 0, "\u00D6\u03A9\u0192!7\u00E4", {"Code 128", 30}, true},
    {"2 of 5 Interleaved half and high", TOFIL, "1234", "", 0, 1, 1, "\u00C4-C\u00E4", {"Code 25 Interleaved Red HD", 30}, false},
    {"Codabar ignores its check option", CODABAR, "123", "", 0, 0, 0, "D123D", {"Codabar", 40}, false},
    {"Postnet ignores every option", POSTNET, "12345", "", 0, 1, 1, "-123455-", {"Postnet", 9}, false},
};
// clang-format on

TEST(Controller, ShowsTheFontStringInThePreviewFontOrNotApplicable) {
    for (const auto& row : kPreviewRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.type(row.data);
        r.choose(row.type);
        if (*row.addon) r.controller.changeAddon2(Id::addon2), r.type(Id::addonText, row.addon);
        r.tick(Id::checksum, row.check);
        r.tick(Id::halfHeight, row.halfHeight);
        r.tick(Id::highDensity, row.highDensity);
        EXPECT_EQ(r.window.text[Id::convertString], row.shown);
        EXPECT_EQ(r.window.text[Id::preview], row.shown == "n/a"sv ? "" : row.shown);
        EXPECT_EQ(r.window.previewFont, row.font);
        EXPECT_EQ(r.window.notice.find("Scanners will not read") != std::string::npos, row.warns)
            << r.window.notice;
    }
}

// ----------------------------------------------------------------- notice

struct NoticeRow {
    const char* name;
    CodeType type;
    std::string data;
    int addonChoice;  // 0 none, 2 or 5: the radio chosen before typing `addon`
    const char* addon;
    int check;
    std::string notice;
};

// clang-format off
const NoticeRow kNoticeRows[] = {
    {"accepted data says nothing", EAN8, "1234567", 0, "", 1, ""},
    {"too many digits: the command line's words", EAN8, "123456789012", 0, "", 1, "EAN-8 needs 7 or 8 digits, got 12"},
    {"empty data", EAN13, "", 0, "", 1, "EAN-13 needs 12 or 13 digits, got 0"},
    {"a letter among digits", UPCA, "0360002914a", 0, "", 1, "UPC-A takes digits only: 'a' at position 11"},
    {"a character Mac OS Roman lacks", C128, "AB\u2713C", 0, "", 1, "\u201C\u2713\u201D cannot be encoded: it is not a Mac OS Roman character"},
    {"an add-on character Mac OS Roman lacks", EAN13, "400638133393", 5, "1\u4E00", 1, "\u201C\u4E00\u201D cannot be encoded: it is not a Mac OS Roman character"},
    {"100 bytes", C128, std::string(100, '7'), 0, "", 1, "the data is longer than 99 bytes"},
    {"add-on of 3 digits with 2 chosen", EAN13, "400638133393", 2, "524", 1, "the add-on needs 2 digits, got 3; it is left out"},
    {"add-on of 4 digits with 5 chosen", EAN13, "400638133393", 5, "5249", 1, "the add-on needs 5 digits, got 4; it is left out"},
    {"add-on of 5 digits with 2 chosen", EAN13, "400638133393", 2, "52495", 1, "the add-on needs 2 digits, got 5; it is left out"},
    {"2 of 5 Interleaved: 4 digits and the check digit", TOFIL, "1234", 0, "", 1, "a leading 0 makes the digit count even"},
    {"2 of 5 Interleaved: 3 digits, no check digit", TOFIL, "123", 0, "", 0, "a leading 0 makes the digit count even"},
    {"2 of 5 Interleaved: 3 digits and the check digit", TOFIL, "123", 0, "", 1, ""},
    {"add-on field still empty", EAN13, "400638133393", 5, "", 1, ""},
    {"EAN-13 typed check digit wrong", EAN13, "4006381333937", 0, "", 1, "check digit 7 replaced by 1"},
    {"EAN-13 typed check digit right", EAN13, "4006381333931", 0, "", 1, ""},
    {"UPC-E typed check digit wrong", UPCE, "01234569", 0, "", 1, "check digit 9 replaced by 5"},
    {"UPC-E typed check digit right", UPCE, "01234565", 0, "", 1, ""},
    {"escapes above 255 wrap, FNC1 does not", C128, "~300~999~288", 0, "", 1, "~300 is taken as ~044 (',')  ~288 is taken as ~032 (a space)"},
    {"wrong check and left-out add-on together", EAN13, "4006381333937", 2, "1", 1,
     "the add-on needs 2 digits, got 1; it is left out  check digit 7 replaced by 1"},
    {"Code 128 without check", C128, "ABC", 0, "", 0, "Scanners will not read this symbol: Code 128 requires its check character."},
    {"Code 128 EAN rejected says why, not the warning", C128EAN, "AB\u00C4", 0, "", 0, "Code 128 EAN/UCC takes 7-bit ASCII only: 'Ä' at position 3"},
};
// clang-format on

TEST(Controller, TheNoticeSaysWhyDataIsRejectedLeftOutOrReplaced) {
    for (const auto& row : kNoticeRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.choose(row.type);
        if (row.addonChoice == 2) r.controller.changeAddon2(Id::addon2);
        if (row.addonChoice == 5) r.controller.changeAddon5(Id::addon5);
        r.type(Id::addonText, row.addon);
        r.tick(Id::checksum, row.check);
        r.type(row.data);
        EXPECT_EQ(r.window.notice, row.notice);
    }
}

// ------------------------------------------------------------ the 2D codes

struct MatrixRow {
    const char* name;
    CodeType type;
    std::string data;     // UTF-8, not limited to Mac OS Roman
    const char* options;  // typed into the options field after the data
    std::size_t lines;    // of the preview's font string; 0: rejected
    const char* notice;
};

// clang-format off
const MatrixRow kMatrixRows[] = {
    {"QR takes text beyond Mac OS Roman", QR, "\u4E16\u754C \u0416", "", 8, ""},
    {"QR version 2 asked for, blanks after the comma ignored", QR, "A", "ecc=H, version=2", 9, ""},
    {"QR bad error correction level", QR, "A", "ecc=X", 0, "ecc must be L, M, Q or H, not X"},
    {"QR data too long for the version", QR, std::string(30, 'x'), "version=1,ecc=H", 0, "QR version 1 at ECC level H holds at most 7 bytes of this kind, got 30"},
    {"Data Matrix rectangle", DATAMATRIX, "Hello", "shape=rect", 3, ""},
    {"PDF417 columns out of range", PDF417, "A", "columns=31", 0, "columns must be 1 to 30, not 31"},
    {"GS1 DataMatrix refuses a bad AI", GS1DATAMATRIX, "(01)123", "", 0, "(01) needs 14 digits, got 3"},
    {"no data", QR, "", "", 0, "no data to encode"},
};
// clang-format on

TEST(Controller, The2DCodesEncodeUtf8DataWithTheirTypedOptions) {
    for (const auto& row : kMatrixRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.choose(row.type);
        r.type(row.data);
        r.type(Id::typeOptions, row.options);
        const std::string& shown = r.window.text[Id::preview];
        const std::size_t lines = shown.empty() ? 0 : std::count(shown.begin(), shown.end(), '\n') + 1;
        EXPECT_EQ(lines, row.lines) << shown;
        EXPECT_EQ(r.window.notice, row.notice);
        EXPECT_TRUE(r.window.enabled[Id::typeOptions]);
        if (row.lines == 0) continue;
        EXPECT_EQ(r.window.previewFont, (FontRef{"Code 2D", 8}));
        // The field shows the lines side by side; a rejection would show "n/a".
        std::string side = shown;
        std::replace(side.begin(), side.end(), '\n', ' ');
        EXPECT_EQ(r.window.text[Id::convertString], side);
    }
}

// ------------------------------------------------------------ the text under the preview

struct TextRow {
    const char* name;
    void (*act)(Rig&);
    std::string text;  // UTF-8, as the window shows it
};

const TextRow kTextRows[] = {
    {"ean13 with its add-on", holdFiveDigitAddon, "4006381333931 52495"},
    {"code39 escapes as their characters", [](Rig& r) { r.choose(C39), r.type("A~066~~"); }, "AB~"},
    {"rejected data shows none", [](Rig& r) { r.type("123"); }, ""},
    {"accepted again after a rejection", [](Rig& r) { r.type("123"), r.type("55123450"); }, "55123457"},
};

TEST(Controller, TextUnderThePreview) {
    for (const auto& row : kTextRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        row.act(r);
        EXPECT_EQ(r.window.humanReadable, row.text);
        EXPECT_EQ(r.window.titles, "");
    }
}

struct RefusalRow {
    const char* name;
    void (BCController::*action)(ControlId);
    std::string notice;
};

const RefusalRow kRefusalRows[] = {
    {"copy", &BCController::copy, "Nothing was copied: EAN-8 needs 7 or 8 digits, got 3"},
    {"print", &BCController::print, "Nothing was printed: EAN-8 needs 7 or 8 digits, got 3"},
};

TEST(Controller, CopyAndPrintOfRejectedDataDoNothingButSayWhy) {
    for (const auto& row : kRefusalRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.window.exportPanelAnswer = "/tmp/never.svg";
        r.type("123");
        r.window.log.clear();
        (r.controller.*row.action)(Id::preview);
        EXPECT_EQ(r.window.log, Log{"showNotice(\"" + row.notice + "\")"});
        EXPECT_TRUE(r.window.errors.empty());
    }
}

// ------------------------------------------------------------ preview zoom

struct ZoomRow {
    const char* name;
    SymbolExtent symbol;
    double width, height;
    bool stretchBars;
    PreviewZoom expected;  // device pixels per module across and down
};

// clang-format off
const ZoomRow kZoomRows[] = {
    {"EAN-8 width-bound, whole pixels", {81, 86}, 700, 900, false, {8, 8, false}},
    {"EAN-8 height-bound", {81, 86}, 700, 260, false, {3, 3, false}},
    {"exactly one pixel", {100, 10}, 100, 10, false, {1, 1, false}},
    {"bars take the area's height", {200, 70}, 600, 280, true, {3, 4, false}},
    {"long Code 39 below one pixel: actual size, scrolled", {800, 80}, 600, 300, true, {1, 3.75, true}},
    {"digits below one pixel keep their proportions", {800, 80}, 600, 300, false, {1, 1, true}},
    {"empty symbol", {0, 0}, 600, 300, true, {0, 0, false}},
    {"no area", {81, 86}, 0, 300, false, {0, 0, false}},
};
// clang-format on

TEST(PreviewZoom, WholeDevicePixelsPerModuleAcrossNeverAFraction) {
    for (const auto& row : kZoomRows) {
        SCOPED_TRACE(row.name);
        const PreviewZoom got = previewZoom(row.symbol, row.width, row.height, row.stretchBars);
        EXPECT_DOUBLE_EQ(got.across, row.expected.across);
        EXPECT_DOUBLE_EQ(got.down, row.expected.down);
        EXPECT_EQ(got.scrolls, row.expected.scrolls);
    }
}

}  // namespace
}  // namespace bcfont::app
