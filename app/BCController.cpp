#include "BCController.h"

#include <array>
#include <cstring>

#include "CalcText.h"
#include "macroman.h"
#include "render.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

BOOL asBool(int state) {
    return state != 0 ? 1 : 0;
}

}  // namespace

BCController::BCController(WindowPort& window, Converter& converter)
    : converter(&converter), window_(window) {}

void BCController::awakeFromNib() {
    iCode = EAN8;
    iBatchCode = EAN8;
    showFactsFor(iCode);
    dataToEncodeString = "1234567";
    addonString.clear();
    convertedString.clear();
    window_.setStringValue(dataToEncode, dataToEncodeString);
    bHALFHEIGHT = 0;
    bCHECKSUM = 1;
    bBATCHCHECKSUM = 1;
    bHIGHDENSITY = 0;
    bADDON2 = 0;
    bADDON5 = 0;
    Settings();
    UpdateCode();
}

void BCController::showRejected() {
    window_.setStringValue(convertString, "n/a");
    window_.setString(preview, "");
    window_.showNotice(noticeFor(""));
}

void BCController::UpdateCode() {
    std::array<char, kFontStringCapacity> pNutz{};
    std::array<char, kFontStringCapacity> pGesamt{};
    std::array<char, kFontStringCapacity> pAddon{};

    // Text that does not fit a buffer or Mac OS Roman is rejected like bad data.
    const auto data = calcBytes(dataToEncodeString);
    const auto addonBytes = calcBytes(addonString);
    if (!data || !addonBytes) return showRejected();
    std::memcpy(pNutz.data(), data->data(), data->size());
    std::memcpy(pAddon.data(), addonBytes->data(), addonBytes->size());

    if (pNutz[0] == 0) return showRejected();
    const auto len = static_cast<std::int32_t>(data->size());
    if (Calc(iCode, pNutz.data(), pGesamt.data(), pAddon.data(), len, bCHECKSUM) < 0) return showRejected();

    const std::string teststring = macroman::toUtf8(pGesamt.data());
    window_.setStringValue(convertString, teststring);
    convertedString = teststring;

    const FontChoice choice = fontFor(static_cast<CodeType>(iCode), bHALFHEIGHT != 0, bHIGHDENSITY != 0);
    const auto barcodefont = window_.fontWithName(choice.family, choice.pointSize);
    window_.setString(preview, teststring);
    if (barcodefont) window_.setFont(preview, *barcodefont);
    window_.showNotice(noticeFor(barcodefont ? std::string() : std::string(choice.family)));
}

std::string BCController::noticeFor(const std::string& missingFont) const {
    std::string notice;
    if ((iCode == C128 || iCode == C128EAN) && bCHECKSUM == 0)
        notice = "Scanners will not read this symbol: Code 128 requires its check character.";
    if (!missingFont.empty()) {
        if (!notice.empty()) notice += "  ";
        notice +=
            "Font \u201C" + missingFont + "\u201D is not installed \u2014 the preview cannot draw the bars.";
    }
    return notice;
}

void BCController::Settings() {
    bCHECKSUM = 1;
    bBATCHCHECKSUM = 1;
    bHALFHEIGHT = 0;
    bHIGHDENSITY = 0;

    addonString.clear();
    window_.setEnabled(addonText, false);
    window_.setStringValue(addonText, "");
    window_.setEnabled(addon, false);

    bADDON2 = 0;
    bADDON5 = 0;
    window_.setState(addonNothing, 1);
    window_.setState(addon2, 0);
    window_.setState(addon5, 0);

    const Options& can = symbology(static_cast<CodeType>(iCode)).offers;
    window_.setEnabled(highDensity, can.highDensity);
    if (can.addonGroup) {
        window_.setEnabled(addon, true);
        window_.setEnabled(addonText, false);
    }
    window_.setEnabled(checksum, can.checksum);
    window_.setEnabled(halfHeight, can.halfHeight);

    window_.setState(checksum, bCHECKSUM);
    window_.setState(batchChecksum, bBATCHCHECKSUM);
    window_.setState(halfHeight, bHALFHEIGHT);
    window_.setState(highDensity, bHIGHDENSITY);
}

void BCController::showFactsFor(std::int32_t type) {
    window_.setStringValue(facts,
                           window_.description(symbology(static_cast<CodeType>(type)).factKey).value_or(""));
}

void BCController::changeCode(ControlId sender) {
    const int index = window_.indexOfSelectedItem(sender);
    // A selector with no valid entry chosen has no row in any table: ignore it.
    if (!isCodeType(index)) return;
    iCode = index;
    showFactsFor(iCode);
    Settings();
    UpdateCode();
}

void BCController::changeChecksum(ControlId) {
    bCHECKSUM = asBool(window_.state(checksum));
    UpdateCode();
}

void BCController::changeHalfheight(ControlId) {
    bHALFHEIGHT = asBool(window_.state(halfHeight));
    UpdateCode();
}

void BCController::changeHighdensity(ControlId) {
    bHIGHDENSITY = asBool(window_.state(highDensity));
    UpdateCode();
}

// The add-on choice only opens or closes the field; Calc takes the kind of
// add-on from the length of the text.
void BCController::chooseAddon(BOOL two, BOOL five) {
    bADDON2 = two;
    bADDON5 = five;
    addonString.clear();
    window_.setEnabled(addonText, two != 0 || five != 0);
    window_.setStringValue(addonText, "");
    UpdateCode();
}

void BCController::changeAddonNothing(ControlId) {
    chooseAddon(0, 0);
}
void BCController::changeAddon2(ControlId) {
    chooseAddon(1, 0);
}
void BCController::changeAddon5(ControlId) {
    chooseAddon(0, 1);
}
void BCController::changeAddon(ControlId) {}
void BCController::changeText(ControlId) {}
void BCController::changeTextAddon(ControlId) {}

void BCController::controlTextDidChange(ControlId object) {
    if (object == dataToEncode) {
        std::string text = window_.stringValue(dataToEncode);
        if (text != dataToEncodeString) {
            dataToEncodeString = std::move(text);
            UpdateCode();
        }
    }
    if (object == addonText) {
        std::string text = window_.stringValue(addonText);
        if (text != addonString) {
            addonString = std::move(text);
            UpdateCode();
        }
    }
}

void BCController::changeCodeBatch(ControlId sender) {
    const int index = window_.indexOfSelectedItem(sender);
    if (!isCodeType(index)) return;
    iBatchCode = index;
}

void BCController::batchChangeChecksum(ControlId) {
    bBATCHCHECKSUM = asBool(window_.state(batchChecksum));
}

void BCController::batchCalc(ControlId) {
    window_.setString(batchOutput, "");
    const std::string text = window_.string(batchInput);
    const BatchResult result = convertBatch(text, static_cast<CodeType>(iBatchCode), bBATCHCHECKSUM != 0);
    window_.setString(batchOutput, result.output);
}

void BCController::batchRead(ControlId) {
    const auto path = window_.runOpenPanel(window_.homeDirectory());
    if (!path) return;
    const FileResult file = window_.readFile(*path);
    if (!file.error.empty()) return window_.showError(file.error);
    if (file.bytes.find('\0') != std::string::npos)
        return window_.showError("\u201C" + *path + "\u201D is not a text file: it contains NUL bytes.");
    window_.setString(batchInput, macroman::toUtf8(file.bytes));
}

void BCController::batchWrite(ControlId) {
    const auto path = window_.runSavePanel();
    if (!path) return;
    const std::string text = window_.string(batchOutput);
    const auto bytes = macroman::fromUtf8(text);
    if (!bytes) {
        const auto where = firstUnencodable(text).value_or(TextPosition{});
        return window_.showError("Nothing was saved: line " + std::to_string(where.line) + ", character " +
                                 std::to_string(where.column) +
                                 " of the output holds a character that Mac OS Roman cannot store.");
    }
    const FileResult written = window_.writeFileAtomically(*path, *bytes);
    if (!written.error.empty()) window_.showError(written.error);
}

void BCController::copy(ControlId) {
    window_.setSelectable(preview, true);
    window_.selectAll(preview);
    window_.copyFont(preview);
    window_.copy(preview);
    window_.setSelectedRange(preview, 0, 0);
    window_.setSelectable(preview, false);
}

void BCController::print(ControlId) {
    window_.print(preview);
}

void BCController::exportPreview(ControlId) {
    // An empty preview ("n/a" above it) has no symbol; the last font string
    // belongs to data that is no longer there.
    if (window_.string(preview).empty())
        return window_.showError(
            "There is nothing to export: the data cannot be encoded in the chosen symbology.");
    const auto path = window_.runExportPanel();
    if (!path) return;
    int dpi = exportDpi;
    if (render::formatOf(*path) == render::Format::Png) {
        const auto chosen = window_.runResolutionPanel(exportDpi, kExportMinDpi, kExportMaxDpi);
        if (!chosen) return;
        dpi = *chosen;
        exportDpi = dpi;
    }
    const auto bytes = macroman::fromUtf8(convertedString);
    const FontChoice face = fontFor(static_cast<CodeType>(iCode), bHALFHEIGHT != 0, bHIGHDENSITY != 0);
    const std::string error = bytes ? render::renderToFile(*bytes, face.family, face.pointSize, dpi, *path)
                                    : "the font string holds a character that Mac OS Roman cannot store";
    if (!error.empty()) window_.showError("The barcode was not exported: " + error + ".");
}

void BCController::about(ControlId) {
    window_.orderFrontStandardAboutPanel();
}

}  // namespace bcfont::app
