#include "BCController.h"

#include <array>
#include <cstring>
#include <limits>
#include <optional>

#include "CalcText.h"
#include "NoticeTexts.h"
#include "catalogue.h"
#include "batch.h"
#include "encode.h"
#include "encoder_internal.h"
#include "gs1/gs1.h"
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
    window_.setEnabled(ControlId::saveButton, false);
}

std::string BCController::tr(const char* text) {
    return window_.translate(notice::kScope, text);
}

Language BCController::language() {
    return languageOfTag(window_.translate(notice::kLanguageScope, notice::kLanguage));
}

std::string BCController::unencodable(const std::string& text) {
    const auto where = firstUnencodable(text);
    if (!where) return notice::filled(tr(notice::kTooLong), {std::to_string(kMaxTextBytes)});
    return notice::filled(tr(notice::kNotMacRoman), {text.substr(where->offset, where->length)});
}

void BCController::showRejected(std::string reason) {
    rejection_ = std::move(reason);
    window_.setStringValue(convertString, tr(notice::kNotAvailable));
    window_.setString(preview, "");
    window_.showHumanReadable("", "");
    window_.showNotice(noticeFor("", {}, {}));
}

void BCController::UpdateCode() {
    std::array<char, kFontStringCapacity> pNutz{};
    std::array<char, kFontStringCapacity> pGesamt{};
    std::array<char, kFontStringCapacity> pAddon{};

    if (symbology(static_cast<CodeType>(iCode)).matrix.isMatrix()) return updateMatrix();
    // Text that does not fit a buffer or Mac OS Roman is rejected like bad data.
    const auto data = calcBytes(dataToEncodeString);
    if (!data) return showRejected(unencodable(dataToEncodeString));
    const auto typedAddon = calcBytes(addonString);
    if (!typedAddon) return showRejected(unencodable(addonString));
    // Only an add-on of the chosen length goes into the symbol; the field
    // keeps what was typed for a switch between 2 and 5 digits.
    const std::string_view addonBytes = addonTaken(*typedAddon);
    std::memcpy(pNutz.data(), data->data(), data->size());
    std::memcpy(pAddon.data(), addonBytes.data(), addonBytes.size());

    const auto type = static_cast<CodeType>(iCode);
    if (pNutz[0] == 0) return showRejected(rejectionReason(type, "", addonBytes, bCHECKSUM != 0, language()));
    const auto len = static_cast<std::int32_t>(data->size());
    if (Calc(iCode, pNutz.data(), pGesamt.data(), pAddon.data(), len, bCHECKSUM) < 0)
        return showRejected(rejectionReason(type, *data, addonBytes, bCHECKSUM != 0, language()));
    rejection_.clear();

    const std::string teststring = macroman::toUtf8(pGesamt.data());
    window_.setStringValue(convertString, teststring);
    convertedString = teststring;

    const FontChoice choice = fontFor(static_cast<CodeType>(iCode), bHALFHEIGHT != 0, bHIGHDENSITY != 0);
    const auto barcodefont = window_.fontWithName(choice.family, choice.pointSize);
    window_.setString(preview, teststring);
    if (barcodefont) window_.setFont(preview, *barcodefont);
    const std::string text = humanReadable(type, *data, addonBytes, bCHECKSUM != 0).value_or(std::string());
    window_.showHumanReadable(macroman::toUtf8(text), elementTitles(type, *data));
    window_.showNotice(
        noticeFor(barcodefont ? std::string() : std::string(choice.family), *data, *typedAddon));
}

std::string_view BCController::addonTaken(std::string_view typed) const {
    const std::size_t chosen = bADDON2 != 0 ? 2 : bADDON5 != 0 ? 5 : 0;
    return typed.size() == chosen ? typed : std::string_view();
}

std::string BCController::noticeFor(const std::string& missingFont, std::string_view data,
                                    std::string_view addonBytes) {
    std::string text;
    const auto add = [&text](const std::string& sentence) {
        if (!text.empty()) text += "  ";
        text += sentence;
    };
    if (!rejection_.empty()) return rejection_;
    if (symbology(static_cast<CodeType>(iCode)).offers.addonGroup && (bADDON2 != 0 || bADDON5 != 0) &&
        !addonBytes.empty() && addonTaken(addonBytes).empty())
        add(notice::filled(tr(notice::kAddonLeftOut),
                           {bADDON2 != 0 ? "2" : "5", std::to_string(addonBytes.size())}));
    if (addsLeadingZero(static_cast<CodeType>(iCode), data.size(), bCHECKSUM != 0)) add(tr(notice::kLeadingZero));
    for (const DataChange& change : changesMade(static_cast<CodeType>(iCode), data)) add(changeNotice(change));
    if (iCode == C128EAN && gs1::looksLikeBracketedGs1(data)) add(tr(notice::kLooksLikeGs1));
    if (scannersNeedCheck(static_cast<CodeType>(iCode)) && bCHECKSUM == 0) add(tr(notice::kCode128NoCheck));
    if (!missingFont.empty()) add(notice::filled(tr(notice::kFontMissing), {missingFont}));
    return text;
}

std::string BCController::changeNotice(const DataChange& change) {
    return changeSentence(change, language());
}

void BCController::Settings() {
    const bool batchCheckWasOff = bBATCHCHECKSUM == 0;
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
    window_.setToolTip(checksum, checkToolTip(static_cast<CodeType>(iCode)));
    window_.setEnabled(halfHeight, can.halfHeight);
    offerTypeOptions();

    window_.setState(checksum, bCHECKSUM);
    window_.setState(batchChecksum, bBATCHCHECKSUM);
    window_.setState(halfHeight, bHALFHEIGHT);
    window_.setState(highDensity, bHIGHDENSITY);
    // The batch check option is back on: output converted without it is stale.
    if (batchCheckWasOff) {
        reconvertBatch(notice::kConvertedAgainWith, tr(notice::kCheckOption));
        showBatchNotice();
    }
}

std::string BCController::checkToolTip(CodeType type) {
    static constexpr std::array kByCheck = {notice::kCheckAlways, notice::kCheckOptional, notice::kCheckExpected,
                                            notice::kCheckNone};
    static_assert(kByCheck.size() == static_cast<std::size_t>(CheckCharacter::None) + 1);
    const Symbology& s = symbology(type);
    return notice::filled(tr(kByCheck[static_cast<std::size_t>(s.check)]), {std::string(s.fullName)});
}

bool BCController::offers(ControlId option) const {
    const Options& can = symbology(static_cast<CodeType>(iCode)).offers;
    if (option == checksum) return can.checksum;
    if (option == halfHeight) return can.halfHeight;
    if (option == highDensity) return can.highDensity;
    if (option == addon) return can.addonGroup;
    return false;
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

// The add-on choice opens or closes the field and says how many digits
// the symbol takes; what was typed stays, so switching destroys nothing.
void BCController::chooseAddon(BOOL two, BOOL five) {
    bADDON2 = two;
    bADDON5 = five;
    window_.setEnabled(addonText, two != 0 || five != 0);
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
    if (object == ControlId::typeOptions) {
        std::string text = window_.stringValue(ControlId::typeOptions);
        if (text != typeOptionsString) {
            typeOptionsString = std::move(text);
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

void BCController::copy(ControlId) {
    if (!rejection_.empty())
        return window_.showNotice(notice::filled(tr(notice::kNothingToCopy), {rejection_}));
    window_.setSelectable(preview, true);
    window_.selectAll(preview);
    window_.copyFont(preview);
    window_.copy(preview);
    window_.setSelectedRange(preview, 0, 0);
    window_.setSelectable(preview, false);
    // Pasted elsewhere, the string draws bars only where that program finds the faces.
    if (window_.fontsReachOtherPrograms()) return;
    window_.showNotice(tr(notice::kFontsNotInstalled));
    window_.setHidden(ControlId::installFonts, false);
}

void BCController::installFonts(ControlId) {
    const auto installed = window_.installFontsForOtherPrograms();
    if (!installed.error.empty()) return window_.showError(installed.error);
    window_.setHidden(ControlId::installFonts, true);
    window_.showNotice(notice::filled(tr(notice::kFontsInstalled), {installed.folder}));
}

void BCController::print(ControlId) {
    if (!rejection_.empty())
        return window_.showNotice(notice::filled(tr(notice::kNothingToPrint), {rejection_}));
    if (window_.print(preview)) window_.showStatus(tr(notice::kPrinted));
}

void BCController::exportPreview(ControlId) {
    // Rejected data has no symbol; the last font string belongs to data that
    // is no longer there.
    if (!rejection_.empty())
        return window_.showNotice(notice::filled(tr(notice::kNothingToExport), {rejection_}));
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
    if (!error.empty()) return window_.showError(notice::filled(tr(notice::kNotExported), {error}));
    window_.showStatus(notice::filled(tr(notice::kExportedTo), {*path}));
}

void BCController::about(ControlId) {
    window_.orderFrontStandardAboutPanel();
}

}  // namespace bcfont::app
