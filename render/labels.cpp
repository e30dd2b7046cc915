#include "labels.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <utility>

#include "batch.h"
#include "catalogue.h"
#include "encode.h"
#include "label_page.h"
#include "macroman.h"
#include "matrix.h"
#include "symbology.h"

namespace bcfont::render {
namespace {

constexpr double kMinTextPoints = 5.0;
constexpr double kMaxTextPoints = 8.0;
constexpr double kTextShareOfLabel = 0.12;  // of the label's inner height

using detail::drawLabelPage;
using detail::kLineSpacing;
using LabelLineSplitter = LineSplitter<kMaxLabelLineBytes>;

bool faceHasDigits(CodeType type) {
    return type == EAN8 || type == EAN13 || type == UPCA || type == UPCE;
}

// The smallest element a label prints: a module of a 2D code or of EAN and
// UPC, a narrow bar of the other linear symbologies, in millimetres.
struct SmallestElement {
    double mm;
    const Wording* name;
};

SmallestElement smallestElement(CodeType type) {
    if (const MatrixForm& form = symbology(type).matrix; form.isMatrix())
        return {form.minModuleUm / 1000.0, &text::kAModule};
    if (faceHasDigits(type)) return {kMinEanUpcModuleMm, &text::kAModule};
    return {kMinNarrowElementMm, &text::kANarrowBar};
}

// The element of `nominal` that must not print below the smallest element.
double smallestStep(const Layout& nominal, CodeType type) {
    return symbology(type).matrix.isMatrix() ? nominal.modulePoints : nominal.narrowPoints;
}

std::string mmText(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", mm);
    return text;
}

// Text of the input as UTF-8, or nothing when `utf8` input is not UTF-8.
std::optional<std::string> textOf(std::string_view bytes, bool utf8) {
    if (!utf8) return macroman::toUtf8(bytes);
    // cairo takes well-formed UTF-8 only.
    if (!macroman::isValidUtf8(bytes)) return std::nullopt;
    return std::string(bytes);
}

// The line under the bars of a face that draws no digits: the text a person
// reads there ("~066" as 'B'), as UTF-8; empty where the face has its own.
// `data` is a line the batch rules converted.
std::string textUnderBars(std::string_view data, const LabelJob& job) {
    if (faceHasDigits(job.type)) return {};
    // A 2D code carries no text of its own; GS1 wants the element string
    // beside a GS1 symbol, any other data is the caption's to show.
    if (const Symbology& row = symbology(job.type); row.matrix.isMatrix()) {
        if (row.alphabet != Alphabet::Gs1ElementString) return {};
        return job.utf8 ? std::string(data) : macroman::toUtf8(data);
    }
    const auto bytes = job.utf8 ? macroman::fromUtf8(data) : std::optional<std::string>(data);
    if (!bytes) return {};
    return macroman::toUtf8(humanReadable(job.type, *bytes, {}, job.check).value_or(std::string()));
}

std::string mm(double points, Language language) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", points / kPointsPerMm);
    return decimal(text, language);
}

// The barcode's place on a label at the origin, or why it does not fit.
struct Fit {
    Rect barcode;
    double pointSize = 0;
    double textTop = 0;
    double textSize = 0;
};

struct FitOrReason {
    std::optional<Fit> fit;
    std::string reason;
};

// `nominal` is the item's layout at the face's nominal size.
FitOrReason fitOnLabel(const LabelItem& item, const Layout& nominal, const LabelTemplate& sheet,
                       CodeType type, Language language) {
    const FontChoice font = fontFor(type, false, false);
    const double padding = kLabelPaddingMm * kPointsPerMm;
    const double innerWidth = sheet.labelWidth - 2 * padding;
    const double innerHeight = sheet.labelHeight - 2 * padding;
    const int lines = (item.text.empty() ? 0 : 1) + (item.caption.empty() ? 0 : 1);
    const double textSize = std::clamp(innerHeight * kTextShareOfLabel, kMinTextPoints, kMaxTextPoints);
    const double textHeight = lines * textSize * kLineSpacing;
    const double barHeight = innerHeight - textHeight;

    const double scale = std::min(innerWidth / nominal.width, barHeight / nominal.height);
    const double size = std::min(font.pointSize * scale, kMaxPointSize);
    const SmallestElement element = smallestElement(type);
    const double smallest = font.pointSize * element.mm * kPointsPerMm / smallestStep(nominal, type);
    if (!(barHeight > 0 && size >= smallest)) {
        const double ratio = smallest / font.pointSize;
        return {std::nullopt,
                say(language, text::kBarcodeDoesNotFit,
                    {mm(sheet.labelWidth, language), mm(sheet.labelHeight, language), say(language, *element.name),
                     decimal(mmText(element.mm), language), mm(nominal.width * ratio + 2 * padding, language),
                     mm(nominal.height * ratio + textHeight + 2 * padding, language)})};
    }
    Fit fit;
    fit.pointSize = size;
    fit.barcode.width = nominal.width * size / font.pointSize;
    fit.barcode.height = nominal.height * size / font.pointSize;
    fit.barcode.x = (sheet.labelWidth - fit.barcode.width) / 2;
    fit.barcode.y = padding + (innerHeight - fit.barcode.height - textHeight) / 2;
    fit.textTop = fit.barcode.y + fit.barcode.height;
    fit.textSize = textSize;
    return {fit, {}};
}

// A 2D code's font string from the matrix module's front door, or why not.
std::string matrixFontString(std::string_view data, const LabelJob& job, std::string& fontString) {
    if (data.size() > kMaxBatchLineBytes) return "longer than " + std::to_string(kMaxBatchLineBytes) + " bytes";
    if (data.find('\0') != std::string_view::npos) return "contains a NUL byte";
    TypeSpec spec = job.options;
    spec.type = job.type;
    const std::string utf8 = job.utf8 ? std::string(data) : macroman::toUtf8(data);
    Encoded encoded = encodeRequest(spec, utf8, {}, job.check, job.language);
    if (!encoded.ok()) return encoded.text;
    fontString = std::move(encoded.text);
    return {};
}

void addProblem(LabelReport& report, std::uint64_t line, std::string reason, bool rejected) {
    (rejected ? report.rejected : report.notFitting) += 1;
    if (report.listed.size() < kListedLabelProblems)
        report.listed.push_back({line, std::move(reason), rejected});
}

// ---------------------------------------------------------------- drawing

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
template <typename T>
using CairoPtr = std::unique_ptr<T, CairoDeleter>;

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string jobError(const LabelTemplate& sheet, const LabelJob& job) {
    const int perSheet = labelsPerSheet(sheet);
    if (perSheet < 1) return say(job.language, text::kTemplateWithoutLabels, {sheet.name});
    if (job.skip < 0 || job.skip >= perSheet)
        return say(job.language, text::kSkipRange,
                   {std::to_string(perSheet - 1), sheet.name, std::to_string(perSheet)});
    if (job.copies < 1 || job.copies > kMaxCopies)
        return say(job.language, text::kCopiesRange, {std::to_string(kMaxCopies)});
    return {};
}

// Places the labels of one line after another into `sheets`, by the batch
// rules; the caller may drop the items and placements of finished pages.
class Planner {
  public:
    explicit Planner(LabelSheets& sheets)
        : sheets_(sheets),
          perSheet_(static_cast<std::uint64_t>(labelsPerSheet(sheets.sheet))),
          position_(static_cast<std::uint64_t>(sheets.job.skip)) {}

    void operator()(const Line& line) {
        LabelReport& report = sheets_.report;
        LabelLine read = readLabelLine(line, sheets_.job, buffer_);
        if (read.empty) {
            ++report.empty;
            return;
        }
        if (!read.item) return addProblem(report, line.number, std::move(read.reason), true);
        LabelItem& item = *read.item;
        const FontChoice font = fontFor(sheets_.job.type, false, false);
        std::string error;
        auto nominal = prepareFontString(item.fontString, font.family, font.pointSize, error);
        if (!nominal) return addProblem(report, line.number, std::move(error), false);
        const FitOrReason fit = fitOnLabel(item, nominal->layout, sheets_.sheet, sheets_.job.type, sheets_.job.language);
        if (!fit.fit) return addProblem(report, line.number, fit.reason, false);
        item.bars = resized(std::move(*nominal), fit.fit->pointSize);
        ++report.printed;
        for (int copy = 0; copy < sheets_.job.copies; ++copy, ++position_) {
            LabelPlacement p;
            p.page = static_cast<int>(position_ / perSheet_);
            p.position = static_cast<int>(position_ % perSheet_);
            p.label = labelRect(sheets_.sheet, p.position);
            p.barcode = fit.fit->barcode;
            p.barcode.x += p.label.x;
            p.barcode.y += p.label.y;
            p.pointSize = fit.fit->pointSize;
            p.textTop = fit.fit->textTop + p.label.y;
            p.textSize = fit.fit->textSize;
            p.item = sheets_.items.size();
            sheets_.placements.push_back(p);
        }
        report.labels += static_cast<std::uint64_t>(sheets_.job.copies);
        sheets_.items.push_back(std::move(item));
        sheets_.pages = sheets_.placements.back().page + 1;
    }

    // The page the next label goes on: every page before it is complete.
    int openPage() const { return static_cast<int>(position_ / perSheet_); }

    // Drops the items and placements of the pages before `page`. Placements
    // keep their absolute pages; the items they point to are renumbered.
    void dropPagesBefore(int page) {
        auto& placements = sheets_.placements;
        const auto kept = std::lower_bound(placements.begin(), placements.end(), page,
                                           [](const LabelPlacement& p, int n) { return p.page < n; });
        placements.erase(placements.begin(), kept);
        const std::size_t firstKept = placements.empty() ? sheets_.items.size() : placements.front().item;
        sheets_.items.erase(sheets_.items.begin(),
                            sheets_.items.begin() + static_cast<std::ptrdiff_t>(firstKept));
        for (LabelPlacement& p : placements) p.item -= firstKept;
    }

  private:
    LabelSheets& sheets_;
    std::uint64_t perSheet_;
    std::uint64_t position_;
    FontStringBuffer buffer_{};
};

// A PDF surface writing through `write`, with the sheet's page size.
CairoPtr<cairo_surface_t> pdfSurface(const LabelTemplate& sheet, cairo_write_func_t write, void* closure) {
    CairoPtr<cairo_surface_t> surface(
        cairo_pdf_surface_create_for_stream(write, closure, sheet.pageWidth, sheet.pageHeight));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "bcfont");
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, sheet.name.c_str());
    return surface;
}

std::string finishPdf(cairo_surface_t* surface) {
    cairo_surface_finish(surface);
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) return {};
    return std::string("cairo could not write the labels: ") +
           cairo_status_to_string(cairo_surface_status(surface));
}

}  // namespace

LabelLine readLabelLine(const Line& line, const LabelJob& job, FontStringBuffer& buffer) {
    if (line.bytes.empty() && !line.tooLong) return {std::nullopt, {}, true};
    const auto no = [&job](const Wording& wording, std::initializer_list<std::string_view> args = {}) {
        return LabelLine{std::nullopt, say(job.language, wording, args), false};
    };
    if (line.tooLong) return no(text::kLabelLineTooLong, {std::to_string(kMaxLabelLineBytes)});
    const std::size_t tab = line.bytes.find('\t');
    const std::string_view data = line.bytes.substr(0, tab);
    const std::string_view caption = tab == std::string_view::npos ? "" : line.bytes.substr(tab + 1);
    // The batch rules see an empty line as no line; here it would be a label without a barcode.
    if (data.empty()) return no(text::kNoDataBeforeTab);
    // cairo takes text up to a NUL: the caption would be printed cut short.
    if (caption.find('\0') != std::string_view::npos) return no(text::kCaptionNul);
    const auto captionText = textOf(caption, job.utf8);
    if (!captionText) return no(text::kCaptionNotUtf8);
    LabelItem item;
    item.line = line.number;
    item.caption = *captionText;
    item.text = textUnderBars(data, job);
    if (symbology(job.type).matrix.isMatrix()) {
        if (const std::string why = matrixFontString(data, job, item.fontString); !why.empty())
            return LabelLine{std::nullopt, why, false};
        return {std::move(item), {}, false};
    }
    BatchOptions options;
    options.type = job.type;
    options.check = job.check;
    options.utf8 = job.utf8;
    options.language = job.language;
    const auto outcome =
        convertLine(Line{data, line.number, data.size() > kMaxBatchLineBytes}, options, buffer);
    if (!outcome.converted) return LabelLine{std::nullopt, outcome.reason, false};
    item.fontString = std::string(outcome.fontString);
    return {std::move(item), {}, false};
}

std::optional<LabelSheets> planLabels(std::string_view input, const LabelTemplate& sheet, const LabelJob& job,
                                      std::string& error) {
    error = jobError(sheet, job);
    if (!error.empty()) return std::nullopt;
    LabelSheets sheets;
    sheets.sheet = sheet;
    sheets.job = job;
    Planner planner(sheets);
    LabelLineSplitter splitter;
    splitter.feed(input, planner);
    splitter.finish(planner);
    return sheets;
}

std::optional<std::string> labelsPdf(const LabelSheets& sheets, std::string& error) {
    std::string bytes;
    const auto surface = pdfSurface(sheets.sheet, appendToString, &bytes);
    {
        CairoPtr<cairo_t> cr(cairo_create(surface.get()));
        for (int page = 0; page < std::max(1, sheets.pages); ++page) {
            error = drawLabelPage(cr.get(), sheets, page);
            if (!error.empty()) return std::nullopt;
            cairo_show_page(cr.get());
        }
    }
    error = finishPdf(surface.get());
    if (!error.empty()) return std::nullopt;
    return bytes;
}

struct LabelPdfStream::State {
    LabelSheets sheets;
    Planner planner{sheets};
    LabelLineSplitter splitter;
    Write write;
    CairoPtr<cairo_surface_t> surface;
    CairoPtr<cairo_t> cr;
    int drawn = 0;  // pages drawn and shown
    std::string error;

    explicit State(LabelSheets start) : sheets(std::move(start)) {}

    static cairo_status_t toWrite(void* closure, const unsigned char* data, unsigned int length) {
        auto& self = *static_cast<State*>(closure);
        return self.write({reinterpret_cast<const char*>(data), length}) ? CAIRO_STATUS_SUCCESS
                                                                         : CAIRO_STATUS_WRITE_ERROR;
    }
    // Draws every page before `end` and drops what they held.
    void drawPagesBefore(int end) {
        for (; drawn < end && error.empty(); ++drawn) {
            error = drawLabelPage(cr.get(), sheets, drawn);
            cairo_show_page(cr.get());
        }
        planner.dropPagesBefore(end);
    }
    // Each line's pages are drawn as soon as they are full: a line with
    // many copies fills many.
    void line(const Line& l) {
        planner(l);
        if (planner.openPage() > drawn) drawPagesBefore(planner.openPage());
    }
};

LabelPdfStream::LabelPdfStream(const LabelTemplate& sheet, const LabelJob& job, Write write,
                               std::string& error) {
    error = jobError(sheet, job);
    if (!error.empty()) return;
    LabelSheets start;
    start.sheet = sheet;
    start.job = job;
    state_ = std::make_unique<State>(std::move(start));
    state_->write = std::move(write);
    state_->surface = pdfSurface(sheet, State::toWrite, state_.get());
    state_->cr.reset(cairo_create(state_->surface.get()));
}

LabelPdfStream::~LabelPdfStream() = default;

void LabelPdfStream::feed(std::string_view block) {
    if (!state_->error.empty()) return;
    state_->splitter.feed(block, [this](const Line& l) { state_->line(l); });
}

std::string LabelPdfStream::finish() {
    State& s = *state_;
    s.splitter.finish([&s](const Line& l) { s.line(l); });
    s.drawPagesBefore(std::max(1, s.sheets.pages));
    s.cr.reset();
    const std::string finished = finishPdf(s.surface.get());
    return s.error.empty() ? finished : s.error;
}

const LabelReport& LabelPdfStream::report() const {
    return state_->sheets.report;
}

int LabelPdfStream::pages() const {
    return state_->sheets.pages;
}

std::optional<GrayImage> labelPage(const LabelSheets& sheets, int page, double dpi, std::string& error) {
    if (!(dpi >= kMinDpi && dpi <= kMaxDpi)) {
        error = "the resolution must lie between " + std::to_string(kMinDpi) + " and " +
                std::to_string(kMaxDpi) + " dpi";
        return std::nullopt;
    }
    const double scale = dpi / kPointsPerInch;
    const int width = std::max(1, static_cast<int>(std::ceil(sheets.sheet.pageWidth * scale)));
    const int height = std::max(1, static_cast<int>(std::ceil(sheets.sheet.pageHeight * scale)));
    CairoPtr<cairo_surface_t> surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = "cairo cannot make a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels";
        return std::nullopt;
    }
    {
        CairoPtr<cairo_t> cr(cairo_create(surface.get()));
        cairo_scale(cr.get(), scale, scale);
        error = drawLabelPage(cr.get(), sheets, page);
        if (!error.empty()) return std::nullopt;
    }
    cairo_surface_flush(surface.get());
    GrayImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            // Grey outlines and black ink: the green channel stands for the grey level.
            image.pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint8_t>((row[x] >> 8) & 0xFF);
        }
    }
    return image;
}

std::string labelSummary(const LabelReport& report, int pages, Language language) {
    const auto count = [language](std::uint64_t n, const Wording& one, const Wording& many) {
        return say(language, n == 1 ? one : many, {std::to_string(n)});
    };
    const std::uint64_t total = report.printed + report.rejected + report.notFitting;
    std::string s = say(language, total == 1 ? text::kPrintedOfOne : text::kPrintedOf,
                        {std::to_string(report.printed), std::to_string(total)});
    if (report.empty > 0) s = say(language, text::kNotCountingEmpty, {s, std::to_string(report.empty)});
    s = say(language, text::kOnLabelsAndPages,
            {s, count(report.labels, text::kOneLabel, text::kLabels),
             count(static_cast<std::uint64_t>(pages), text::kOnePage, text::kPages)});
    const auto listOf = [&](bool rejected, std::uint64_t n, const Wording& title) {
        if (n == 0) return;
        std::string lines;
        std::uint64_t named = 0;
        for (const LabelProblem& p : report.listed) {
            if (p.rejected != rejected) continue;
            lines += (named++ > 0 ? ", " : "") + std::to_string(p.line);
        }
        if (n > named) {
            const std::string more = std::to_string(n - named);
            lines = named > 0 ? say(language, text::kAndMore, {lines, more}) : say(language, text::kMore, {more});
        }
        s = say(language, text::kListedAs, {s, title.in(language), lines});
    };
    listOf(true, report.rejected, text::kRejected);
    listOf(false, report.notFitting, text::kTooLargeForLabel);
    return s;
}

}  // namespace bcfont::render
