// libFuzzer target over the batch path: line splitting, blocks cut anywhere,
// the conversion and the report. However the input is cut into blocks, the
// output and the report must be those of the whole input converted at once,
// also on two threads, and the lines counted must be the lines an
// independent count finds. Read as a label list ("data<TAB>caption"), every
// label's caption reaches the drawing whole: no NUL, well-formed UTF-8.
//
// Input layout: [options] [cuts] [cut offsets...] [text].
// options: bits 0-3 the CodeType (modulo the count), bit 4 check, bit 5
// UTF-8, bit 6 align, bit 7 list at most 2 rejections instead of 20.
// cuts: byte % 8 cut points follow, one byte each, added up as offsets.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "batch.h"
#include "labels.h"
#include "macroman.h"
#include "matrix.h"
#include "symbology.h"

namespace {

using namespace bcfont;

[[noreturn]] void violated(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "property violated: %s %s\n", what, detail.c_str());
    std::abort();
}

// Lines as an editor counts them: LF, CR and CR LF end one each; text after
// the last line end is one more line. Empty lines included.
std::uint64_t countLines(std::string_view text) {
    std::uint64_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ++lines;
        if (text[i] == '\r') {
            ++lines;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    const char last = text.empty() ? '\n' : text.back();
    return lines + (last == '\n' || last == '\r' ? 0 : 1);
}

std::string describe(const BatchReport& r) {
    std::string s =
        std::to_string(r.converted) + "/" + std::to_string(r.rejected) + "/" + std::to_string(r.empty);
    for (const BatchRejection& l : r.listed) s += " [" + std::to_string(l.line) + ": " + l.reason + "]";
    for (const BatchNote& n : r.notes) s += " (" + std::to_string(n.line) + ": " + changeSentence(n.change) + ")";
    return s;
}

bool sameReport(const BatchReport& a, const BatchReport& b) {
    return a.converted == b.converted && a.rejected == b.rejected && a.empty == b.empty &&
           a.listed == b.listed && a.replacedChecks == b.replacedChecks &&
           a.wrappedEscapes == b.wrappedEscapes && a.notes == b.notes;
}

// The text as a label list: a line gives a label only with a caption that
// cairo draws whole, and with the font string `batch` makes of its data.
void checkLabelLines(std::string_view text, const BatchOptions& options) {
    render::LabelJob job;
    job.type = options.type;
    job.check = options.check;
    job.utf8 = options.utf8;
    FontStringBuffer labelBuffer{}, batchBuffer{};
    LineSplitter<render::kMaxLabelLineBytes> splitter;
    const auto onLine = [&](const Line& line) {
        const render::LabelLine read = render::readLabelLine(line, job, labelBuffer);
        if (read.empty != (line.bytes.empty() && !line.tooLong)) violated("label line emptiness");
        if (!read.item) {
            if (!read.empty && read.reason.empty()) violated("label line rejected without a reason");
            return;
        }
        const std::string& caption = read.item->caption;
        if (caption.find('\0') != std::string::npos || !macroman::isValidUtf8(caption))
            violated("caption not drawn whole:", caption);
        const std::string_view data = line.bytes.substr(0, line.bytes.find('\t'));
        // The batch engine makes linear symbols only; a 2D label's symbol is
        // the one front door's for the same text.
        if (symbology(options.type).matrix.isMatrix()) {
            const std::string utf8 = options.utf8 ? std::string(data) : macroman::toUtf8(data);
            const Encoded symbol = encodeRequest(TypeSpec{.type = options.type}, utf8, {}, options.check);
            if (!symbol.ok() || symbol.text != read.item->fontString)
                violated("label font string differs from the front door's for", std::string(data));
            return;
        }
        const LineOutcome batch = convertLine(Line{data, line.number, data.size() > kMaxBatchLineBytes}, options, batchBuffer);
        if (!batch.converted || batch.fontString != read.item->fontString)
            violated("label font string differs from batch's for", std::string(data));
    };
    splitter.feed(text, onLine);
    splitter.finish(onLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    BatchOptions options;
    options.type = static_cast<CodeType>((data[0] & 0x0F) % kCodeTypeCount);
    options.check = (data[0] & 0x10) != 0;
    options.utf8 = (data[0] & 0x20) != 0;
    options.align = (data[0] & 0x40) != 0;
    options.listedRejections = (data[0] & 0x80) != 0 ? 2 : 20;
    const std::size_t cutCount = data[1] % 8;
    if (size < 2 + cutCount) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2 + cutCount, size - 2 - cutCount);

    const BatchResult whole = convertAll(text, options);

    // The same text in blocks cut at the chosen points (empty blocks too).
    std::vector<std::size_t> cuts;
    std::size_t at = 0;
    for (std::size_t i = 0; i < cutCount; ++i) {
        at = std::min(text.size(), at + data[2 + i]);
        cuts.push_back(at);
    }
    cuts.push_back(text.size());
    BatchEngine engine(options);
    std::string output;
    auto sink = [&output](const char* bytes, std::size_t n) {
        if (n == 0) violated("the sink was called with nothing");
        output.append(bytes, n);
    };
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        engine.feed(text.substr(from, cut - from), sink);
        from = cut;
    }
    engine.finish(sink);

    if (output != whole.output) violated("output depends on the blocks");
    if (!sameReport(engine.report(), whole.report))
        violated("report depends on the blocks:",
                 describe(engine.report()) + " vs " + describe(whole.report));

    // The two-thread engine, cutting every block however small, in the same
    // blocks. (One per input: starting its thread is most of the cost.)
    TwoThreadBatchEngine twoThreads(options, 1);
    std::string parallelOutput;
    auto parallelSink = [&parallelOutput](const char* bytes, std::size_t n) {
        parallelOutput.append(bytes, n);
    };
    from = 0;
    for (std::size_t cut : cuts) {
        twoThreads.feed(text.substr(from, cut - from), parallelSink);
        from = cut;
    }
    twoThreads.finish(parallelSink);
    if (parallelOutput != whole.output) violated("two threads give other output");
    if (!sameReport(twoThreads.report(), whole.report))
        violated("two threads give another report:",
                 describe(twoThreads.report()) + " vs " + describe(whole.report));

    const BatchReport& r = whole.report;
    const std::uint64_t lines = countLines(text);
    if (r.converted + r.rejected + r.empty != lines)
        violated("lines miscounted:", describe(r) + " of " + std::to_string(lines));
    if (r.listed.size() != std::min<std::uint64_t>(r.rejected, options.listedRejections))
        violated("rejections listed:", describe(r));
    std::uint64_t previous = 0;
    for (const BatchRejection& l : r.listed) {
        if (l.line <= previous || l.line > lines || l.reason.empty())
            violated("listed rejection:", describe(r));
        previous = l.line;
    }
    // One output line per converted line, or per line with align.
    std::uint64_t outputLines = 0;
    for (char c : whole.output) outputLines += c == '\n' ? 1 : 0;
    if (outputLines != (options.align ? lines : r.converted)) violated("output lines:", describe(r));
    if (!whole.output.empty() && whole.output.back() != '\n') violated("output ends inside a line");
    checkLabelLines(text, options);
    return 0;
}
