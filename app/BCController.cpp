#include "BCController.h"

#include <array>
#include <cstring>
#include <limits>
#include <optional>

#include "CalcText.h"
#include "NoticeTexts.h"
#include "batch.h"
#include "encode.h"
#include "encoder_internal.h"
#include "gs1/gs1.h"
#include "macroman.h"
#include "render.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

// Rejected lines listed with their reasons after a conversion; the summary counts them all.
constexpr std::size_t kListedRejections = 200;

BOOL asBool(int state) {
    return state != 0 ? 1 : 0;
}

// The folder part of a path, as the panels take it.
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
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

std::string BCController::unencodable(const std::string& text) {
    const auto where = firstUnencodable(text);
    if (!where) return notice::filled(tr(notice::kTooLong), {std::to_string(kMaxTextBytes)});
    return notice::filled(tr(notice::kNotMacRoman), {text.substr(where->offset, where->length)});
}

void BCController::showRejected(std::string reason) {
    rejection_ = std::move(reason);
    window_.setStringValue(convertString, "n/a");
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
    const auto addonBytes = calcBytes(addonString);
    if (!addonBytes) return showRejected(unencodable(addonString));
    std::memcpy(pNutz.data(), data->data(), data->size());
    std::memcpy(pAddon.data(), addonBytes->data(), addonBytes->size());

    const auto type = static_cast<CodeType>(iCode);
    if (pNutz[0] == 0) return showRejected(rejectionReason(type, "", *addonBytes, bCHECKSUM != 0));
    const auto len = static_cast<std::int32_t>(data->size());
    if (Calc(iCode, pNutz.data(), pGesamt.data(), pAddon.data(), len, bCHECKSUM) < 0)
        return showRejected(rejectionReason(type, *data, *addonBytes, bCHECKSUM != 0));
    rejection_.clear();

    const std::string teststring = macroman::toUtf8(pGesamt.data());
    window_.setStringValue(convertString, teststring);
    convertedString = teststring;

    const FontChoice choice = fontFor(static_cast<CodeType>(iCode), bHALFHEIGHT != 0, bHIGHDENSITY != 0);
    const auto barcodefont = window_.fontWithName(choice.family, choice.pointSize);
    window_.setString(preview, teststring);
    if (barcodefont) window_.setFont(preview, *barcodefont);
    const std::string text = humanReadable(type, *data, *addonBytes, bCHECKSUM != 0).value_or(std::string());
    window_.showHumanReadable(macroman::toUtf8(text), elementTitles(type, *data));
    window_.showNotice(
        noticeFor(barcodefont ? std::string() : std::string(choice.family), *data, *addonBytes));
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
        !addonBytes.empty() && addonBytes.size() != 2 && addonBytes.size() != 5)
        add(notice::filled(tr(notice::kAddonLeftOut),
                           {bADDON2 != 0 ? "2" : "5", std::to_string(addonBytes.size())}));
    for (const DataChange& change : changesMade(static_cast<CodeType>(iCode), data)) add(changeNotice(change));
    if (iCode == C128EAN && gs1::looksLikeBracketedGs1(data)) add(tr(notice::kLooksLikeGs1));
    if (scannersNeedCheck(static_cast<CodeType>(iCode)) && bCHECKSUM == 0) add(tr(notice::kCode128NoCheck));
    if (!missingFont.empty()) add(notice::filled(tr(notice::kFontMissing), {missingFont}));
    return text;
}

std::string BCController::changeNotice(const DataChange& change) {
    if (change.kind == DataChange::Kind::CheckDigitReplaced)
        return notice::filled(tr(notice::kCheckDigitReplaced),
                              {std::to_string(change.typed), std::to_string(change.taken)});
    const auto escape = [](int value) {
        std::string text = std::to_string(1000 + value);
        text[0] = '~';
        return text;
    };
    return notice::filled(tr(notice::kEscapeTakenAs),
                          {escape(change.typed), escape(change.taken),
                           describeByte(static_cast<unsigned char>(change.taken))});
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

void BCController::changeCodeBatch(ControlId sender) {
    const int index = window_.indexOfSelectedItem(sender);
    if (!isCodeType(index)) return;
    iBatchCode = index;
    reconvertBatch(notice::kConvertedAgainAs, std::string(symbology(static_cast<CodeType>(iBatchCode)).fullName));
    showBatchNotice();
}

void BCController::batchChangeChecksum(ControlId) {
    bBATCHCHECKSUM = asBool(window_.state(batchChecksum));
    reconvertBatch(bBATCHCHECKSUM != 0 ? notice::kConvertedAgainWith : notice::kConvertedAgainWithout,
                   tr(notice::kCheckOption));
    showBatchNotice();
}

void BCController::batchChangeAlign(ControlId) {
    bBATCHALIGN = asBool(window_.state(ControlId::batchAlign));
    reconvertBatch(bBATCHALIGN != 0 ? notice::kConvertedAgainWith : notice::kConvertedAgainWithout,
                   tr(notice::kAlignOption));
}

// Converting is cheap (100,000 lines in tens of milliseconds): output that
// the options made stale is made again at once, so that it never goes
// missing between a Convert and a Save.
void BCController::reconvertBatch(const char* pattern, const std::string& option) {
    if (batchOutputShown_) convertBatch(pattern, option);
}

void BCController::batchChangeEncoding(ControlId) {
    bBATCHUTF8 = window_.indexOfSelectedItem(ControlId::batchEncoding) == 1 ? 1 : 0;
}

void BCController::batchInputDidChange(ControlId) {
    clearBatchOutput();
}

// Output and report belong to the input and options they came from; when
// either changes they go, so a save never writes another input's strings.
void BCController::clearBatchOutput() {
    if (!batchOutputShown_) return;
    batchOutputShown_ = false;
    rejectedLines_.clear();
    window_.setEnabled(ControlId::saveButton, false);
    window_.setString(batchOutput, "");
    window_.setStringValue(ControlId::batchSummary, "");
    window_.setItems(ControlId::batchRejections, {});
}

void BCController::batchShowRejection(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= rejectedLines_.size()) return;
    window_.selectLine(batchInput, rejectedLines_[static_cast<std::size_t>(index)]);
}

void BCController::showBatchNotice() {
    const bool warns = scannersNeedCheck(static_cast<CodeType>(iBatchCode)) && bBATCHCHECKSUM == 0;
    window_.setStringValue(ControlId::batchNotice, warns ? tr(notice::kBatchCode128NoCheck) : "");
}

void BCController::batchCalc(ControlId) {
    convertBatch();
}

void BCController::convertBatch(const char* againPattern, const std::string& option) {
    window_.setString(batchOutput, "");
    const std::string text = window_.string(batchInput);
    BatchOptions options;
    options.type = static_cast<CodeType>(iBatchCode);
    options.check = bBATCHCHECKSUM != 0;
    // The view holds text; the file's encoding was settled when it was read.
    options.utf8 = true;
    options.align = bBATCHALIGN != 0;
    options.listedRejections = kListedRejections;
    const bcfont::BatchResult result = convertAll(text, options);
    window_.setString(batchOutput, result.output);
    batchOutputShown_ = true;
    // All lines rejected: there is nothing to save.
    window_.setEnabled(ControlId::saveButton, !result.output.empty());

    const BatchReport& report = result.report;
    std::string summary = notice::filled(
        tr(notice::kBatchSummary),
        {std::to_string(report.converted), std::to_string(report.converted + report.rejected)});
    if (report.replacedChecks > 0)
        summary = notice::filled(tr(report.replacedChecks == 1 ? notice::kBatchCheckReplaced
                                                               : notice::kBatchChecksReplaced),
                                 {summary, std::to_string(report.replacedChecks)});
    if (report.wrappedEscapes > 0)
        summary = notice::filled(tr(notice::kBatchEscapesWrapped), {summary, std::to_string(report.wrappedEscapes)});
    if (againPattern != nullptr) summary = notice::filled(tr(againPattern), {summary, option});
    window_.setStringValue(ControlId::batchSummary, summary);
    rejectedLines_.clear();
    std::vector<std::string> entries;
    // Rejections and notes in line order, a rejection first on its line.
    std::size_t note = 0;
    const auto addNotesBefore = [&](std::uint64_t line) {
        for (; note < report.notes.size() && report.notes[note].line < line; ++note) {
            rejectedLines_.push_back(report.notes[note].line);
            entries.push_back(notice::filled(tr(notice::kBatchNote), {std::to_string(report.notes[note].line),
                                                                      changeNotice(report.notes[note].change)}));
        }
    };
    for (const BatchRejection& rejection : report.listed) {
        addNotesBefore(rejection.line);
        rejectedLines_.push_back(rejection.line);
        entries.push_back(
            notice::filled(tr(notice::kBatchRejection), {std::to_string(rejection.line), rejection.reason}));
    }
    addNotesBefore(std::numeric_limits<std::uint64_t>::max());
    if (report.rejected > report.listed.size())
        entries.push_back(notice::filled(tr(notice::kBatchMoreRejections),
                                         {std::to_string(report.rejected - report.listed.size())}));
    window_.setItems(ControlId::batchRejections, entries);
}

void BCController::batchRead(ControlId) {
    const auto path = window_.runOpenPanel(readFolder_.empty() ? window_.homeDirectory() : readFolder_);
    if (!path) return;
    const FileResult file = window_.readFile(*path);
    if (!file.error.empty()) return window_.showError(file.error);
    if (file.bytes.find('\0') != std::string::npos)
        return window_.showError(notice::filled(tr(notice::kNotText), {*path}));
    if (bBATCHUTF8 != 0 && !macroman::isValidUtf8(file.bytes))
        return window_.showError(notice::filled(tr(notice::kNotUtf8), {*path}));
    readFolder_ = folderOf(*path);
    window_.setString(batchInput, bBATCHUTF8 != 0 ? file.bytes : macroman::toUtf8(file.bytes));
    clearBatchOutput();
}

void BCController::batchWrite(ControlId) {
    const std::string text = window_.string(batchOutput);
    // An empty file over a good one would be lost work, never what Save meant.
    if (text.empty()) return window_.showError(tr(notice::kNothingToSave));
    // The output belongs next to its input, when it was read from a file.
    const std::string& suggested = !readFolder_.empty() ? readFolder_ : saveFolder_;
    const auto path = window_.runSavePanel(suggested.empty() ? window_.homeDirectory() : suggested);
    if (!path) return;
    const auto bytes = bBATCHUTF8 != 0 ? std::optional(text) : macroman::fromUtf8(text);
    if (!bytes) {
        const auto where = firstUnencodable(text).value_or(TextPosition{});
        return window_.showError(notice::filled(tr(notice::kCannotSaveMacRoman),
                                                {std::to_string(where.line), std::to_string(where.column)}));
    }
    // As cp and a shell's redirection do, a write-protected file is replaced only when asked.
    if (const std::string locked = window_.writeProtection(*path);
        !locked.empty() && !window_.confirm(notice::filled(tr(notice::kReplaceProtected), {*path, locked})))
        return;
    const FileResult written = window_.writeFileAtomically(*path, *bytes);
    if (!written.error.empty()) return window_.showError(written.error);
    saveFolder_ = folderOf(*path);
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
    window_.print(preview);
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
    if (!error.empty()) window_.showError(notice::filled(tr(notice::kNotExported), {error}));
}

void BCController::about(ControlId) {
    window_.orderFrontStandardAboutPanel();
}

}  // namespace bcfont::app
