// The batch area: converting the input's lines, the report of what was
// rejected or changed, reading and saving files.
#include <algorithm>
#include <limits>

#include "BCController.h"
#include "CalcText.h"
#include "NoticeTexts.h"
#include "batch.h"
#include "catalogue.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

// Rejected lines listed with their reasons after a conversion; the summary counts them all.
constexpr std::size_t kListedRejections = 200;

// The folder part of a path, as the panels take it.
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

BOOL asBool(int state) {
    return state != 0 ? 1 : 0;
}

}  // namespace

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

// The file last read is read again at once in the chosen encoding, from
// its bytes, unless the input was edited since.
void BCController::batchChangeEncoding(ControlId) {
    const BOOL utf8 = window_.indexOfSelectedItem(ControlId::batchEncoding) == 1 ? 1 : 0;
    if (utf8 == bBATCHUTF8) return;
    bBATCHUTF8 = utf8;
    if (!readBytes_) return;
    if (utf8 != 0 && !macroman::isValidUtf8(*readBytes_)) {
        bBATCHUTF8 = 0;
        window_.selectItem(ControlId::batchEncoding, 0);
        return window_.showError(notice::filled(tr(notice::kNotUtf8), {readPath_}));
    }
    const std::string bytes = std::move(*readBytes_);
    const bool hadOutput = batchOutputShown_;
    window_.setString(batchInput, utf8 != 0 ? bytes : macroman::toUtf8(bytes));
    readBytes_ = bytes;
    if (hadOutput) convertBatch(notice::kReadAgainAs, utf8 != 0 ? "UTF-8" : "Mac OS Roman");
}

void BCController::batchInputDidChange(ControlId) {
    clearBatchOutput();
    readBytes_.reset();
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
    options.language = language();
    const bcfont::BatchResult result = convertAll(text, options);
    window_.setString(batchOutput, result.output);
    batchOutputShown_ = true;
    // All lines rejected: there is nothing to save.
    window_.setEnabled(ControlId::saveButton, !result.output.empty());

    const BatchReport& report = result.report;
    // The rejected lines are listed below it, so the summary only counts them.
    std::string summary = batchCounts(report, options.language);
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
            say(options.language, text::kLineSays, {std::to_string(rejection.line), rejection.reason}));
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
    readBytes_ = file.bytes;
    readPath_ = *path;
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
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + (text.back() == '\n' ? 0 : 1);
    window_.showStatus(notice::filled(tr(lines == 1 ? notice::kSavedLine : notice::kSavedLines),
                                      {std::to_string(lines), *path}));
}

}  // namespace bcfont::app
