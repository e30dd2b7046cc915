// Sheets of labels from a list: one barcode per label, as large as the
// label allows but never below the size scanners need, with the data's text
// where the face has no digits and an optional caption, into a PDF of as
// many pages as the list takes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch.h"
#include "encoder.h"
#include "render.h"
#include "templates.h"
#include "type_choice.h"

namespace bcfont::render {

// The smallest barcode a label may carry: EAN and UPC at 80% of their
// nominal 0.33 mm module, the other linear symbologies a narrow element of
// 0.19 mm, below which common scanners stop reading; the 2D codes the
// module their table row names.
inline constexpr double kMinEanUpcModuleMm = 0.264;
inline constexpr double kMinNarrowElementMm = 0.19;
// White kept along a label's edge, so a sheet fed slightly askew does not
// cut the quiet zones.
inline constexpr double kLabelPaddingMm = 1.5;
// A caption after the data and a TAB: at most this many bytes.
inline constexpr std::size_t kMaxCaptionBytes = 400;
// A caption and its TAB after the longest data a batch line may hold.
inline constexpr std::size_t kMaxLabelLineBytes = kMaxBatchLineBytes + 1 + kMaxCaptionBytes;
inline constexpr int kMaxCopies = 1000;
// Rejected and not fitting lines named one by one in the report.
inline constexpr std::size_t kListedLabelProblems = 20;

struct LabelJob {
    CodeType type = EAN13;
    TypeSpec options{};  // the 2D codes' options ("qr:ecc=H"); its type is `type`
    bool check = true;
    bool utf8 = false;  // lines are UTF-8 text; otherwise Mac OS Roman bytes
    int skip = 0;       // labels of the first sheet already used
    int copies = 1;     // labels per line
    bool outline = false;
    Language language = Language::English;  // of the reasons
};

// One converted line, its text as UTF-8.
struct LabelItem {
    std::uint64_t line = 0;
    std::string fontString;
    std::string text;     // the human-readable text, under the bars of a face without digits; else empty
    std::string caption;  // after the TAB; may be empty
    PreparedString bars;  // the font string at its size on the label, once placed
};

struct LabelProblem {
    std::uint64_t line;
    std::string reason;
    bool rejected = true;  // by the batch rules; false: the barcode does not fit the label
    bool operator==(const LabelProblem&) const = default;
};

struct LabelReport {
    std::uint64_t printed = 0;     // lines on the sheets
    std::uint64_t rejected = 0;    // by the batch rules
    std::uint64_t notFitting = 0;  // converted, but no label holds the barcode
    std::uint64_t empty = 0;
    std::uint64_t labels = 0;          // labels drawn, copies counted
    std::vector<LabelProblem> listed;  // the first kListedLabelProblems of both kinds, in line order
};

// Where one barcode goes: the label, the barcode's layout box (quiet zones
// included) and its size, and where the text lines start.
struct LabelPlacement {
    int page = 0;
    int position = 0;  // index of the label on its sheet
    Rect label;
    Rect barcode;
    double pointSize = 0;
    double textTop = 0;  // baseline region below the bars
    double textSize = 0;
    std::size_t item = 0;
};

struct LabelSheets {
    LabelTemplate sheet;
    LabelJob job;
    std::vector<LabelItem> items;
    std::vector<LabelPlacement> placements;  // in page and position order
    int pages = 0;
    LabelReport report;
};

// One line of a list read by the batch rules, before it is placed: its
// item, or why it gives no label (no reason for an empty line). The data
// is `batch`'s (at most kMaxBatchLine characters); the caption after a TAB
// holds no NUL and is UTF-8.
struct LabelLine {
    std::optional<LabelItem> item;
    std::string reason;
    bool empty = false;
};
LabelLine readLabelLine(const Line& line, const LabelJob& job, FontStringBuffer& buffer);

// Reads `input` by the batch rules and places every line's labels; nothing
// when the job itself is wrong (a skip beyond the sheet, a missing font),
// with the reason in `error`.
std::optional<LabelSheets> planLabels(std::string_view input, const LabelTemplate& sheet, const LabelJob& job,
                                      std::string& error);

// The sheets as a PDF with the fonts embedded; nothing with the reason in
// `error` when cairo fails.
std::optional<std::string> labelsPdf(const LabelSheets& sheets, std::string& error);

// The same sheets drawn while the list is read: each page goes to the PDF
// as soon as it is full and is dropped, so that memory stays bounded
// whatever the list's length. `write` gets the PDF's bytes in order and
// returns false on a failure, which ends the PDF.
class LabelPdfStream {
  public:
    using Write = std::function<bool(std::string_view bytes)>;
    // `error` says why when the job itself is wrong; then nothing may be fed.
    LabelPdfStream(const LabelTemplate& sheet, const LabelJob& job, Write write, std::string& error);
    ~LabelPdfStream();
    LabelPdfStream(const LabelPdfStream&) = delete;
    LabelPdfStream& operator=(const LabelPdfStream&) = delete;

    // Blocks of the list, of any size; a line may span blocks.
    void feed(std::string_view block);
    // The end of the list: the last page, and the PDF finished. Why not, or empty.
    std::string finish();
    const LabelReport& report() const;
    int pages() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Page `page` (0-based) as a grey picture at `dpi`, for a preview or a printer.
std::optional<GrayImage> labelPage(const LabelSheets& sheets, int page, double dpi, std::string& error);

// The last line of the command's standard error, e.g. "printed 998 of 1000
// lines on 998 labels, 16 pages; rejected: 17; too large for the label: 404".
std::string labelSummary(const LabelReport& report, int pages, Language language = Language::English);

}  // namespace bcfont::render
