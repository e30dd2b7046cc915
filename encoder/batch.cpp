#include "batch.h"

#include <sched.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "catalogue.h"
#include "encode.h"
#include "encoder_internal.h"
#include "gs1/gs1.h"
#include "macroman.h"
#include "symbology.h"

namespace bcfont {
namespace {

// Where a UTF-8 line is decoded for Calc.
using DataBuffer = std::array<char, kMaxBatchLineBytes>;

enum class Verdict { Converted, TooLong, NulByte, InvalidUtf8, NotInMacRoman, RejectedByCalc, NoDataBeforeTab };

struct Attempt {
    Verdict verdict = Verdict::Converted;
    std::string_view data;     // the Mac OS Roman bytes handed to Calc
    macroman::Decoded utf8;    // where the UTF-8 decoding stopped
    std::size_t fontSize = 0;  // bytes of the font string in `gesamt`
    std::size_t length = 0;    // of data too long, when known
    bool changed = false;      // the encoder took some of the data other than as typed
};

// Whether a line holds a NUL byte: no early exit, so that the compiler may
// look at many bytes at once; lines are short.
bool containsNul(std::string_view bytes) {
    bool nul = false;
    for (const char c : bytes) nul |= c == '\0';
    return nul;
}

// Runs one non-empty line through the batch rules into `gesamt`
// (kFontStringCapacity bytes). Builds no strings: this is the per-line path.
// Whether a NUL must be looked for before Calc: where it can be data,
// Calc would take the line cut short at it. Every other alphabet is digits,
// which a NUL is not: Calc rejects such data, and looking for the NUL only
// after a rejection gives the same verdict at less cost per line.
bool nulBeforeCalc(CodeType type) {
    return !isCodeType(type) || nulIsData(symbology(type).alphabet);
}

// A rejection of a line that holds a NUL byte is for the NUL, whatever else
// is wrong with it: that is what the line's writer most needs to know.
Verdict rejected(Verdict verdict, std::string_view bytes) {
    return containsNul(bytes) ? Verdict::NulByte : verdict;
}

// Fills `a` in place (the caller's): this is the per-line path, where
// copying the attempt back would cost more than its checks.
void attempt(const Line& line, const BatchOptions& options, bool nulFirst, DataBuffer& data, char* gesamt,
             Attempt& a) {
    const std::string_view bytes = line.bytes;
    if (line.tooLong || (!options.utf8 && bytes.size() > kMaxBatchLine)) {
        a.verdict = Verdict::TooLong;
        a.length = line.tooLong ? 0 : bytes.size();
        return;
    }
    if (nulFirst && containsNul(bytes)) {
        a.verdict = Verdict::NulByte;
        return;
    }
    // Calc copies `size` bytes itself: a line is handed over where it lies.
    a.data = bytes;
    if (options.utf8) {
        a.utf8 = macroman::fromUtf8(bytes, data.data());
        if (a.utf8.fault == macroman::Decoded::Fault::InvalidUtf8) {
            a.verdict = rejected(Verdict::InvalidUtf8, bytes);
            return;
        }
        if (a.utf8.fault == macroman::Decoded::Fault::NotInMacRoman) {
            a.verdict = rejected(Verdict::NotInMacRoman, bytes);
            return;
        }
        a.data = std::string_view(data.data(), a.utf8.size);
        if (a.data.size() > kMaxBatchLine) {
            a.verdict = rejected(Verdict::TooLong, bytes);
            a.length = a.data.size();
            return;
        }
    }
    // Calc asks its callers for a zero-filled buffer so that whatever they
    // read after a rejection is a string. This caller reads `gesamt` only
    // after a success, and every encoder ends its font string with a NUL:
    // filling 100 bytes per line would cost more than the conversion. The
    // first byte is cleared because a code that is no CodeType writes nothing.
    gesamt[0] = '\0';
    if (!isCodeType(options.type)) return;
    // Calc's checks and encoders without its C wrapper, which tells the
    // length of what it wrote: no scan of the buffer after every line.
    const internal::Rejection r = internal::calc(
        options.type, {a.data.data(), static_cast<int>(a.data.size()), "", options.check, true}, gesamt);
    if (!r.accepted()) {
        a.verdict = rejected(Verdict::RejectedByCalc, bytes);
        return;
    }
    a.fontSize = r.count;
    a.changed = r.changedData();
}

std::string reasonFor(const Attempt& a, const BatchOptions& options) {
    switch (a.verdict) {
        case Verdict::Converted:
            return {};
        case Verdict::TooLong: {
            // The one limit that matters to the line's writer: what the symbology takes.
            const int most = isCodeType(options.type) ? symbology(options.type).maxLength : kMaxDataLength;
            if (a.length > 0)
                return say(options.language, text::kDataLongerGot, {std::to_string(most), std::to_string(a.length)});
            return say(options.language, text::kDataLonger, {std::to_string(most)});
        }
        case Verdict::NoDataBeforeTab:
            return say(options.language, text::kNoDataBeforeTab);
        case Verdict::NulByte:
            return say(options.language, text::kNulByte);
        case Verdict::InvalidUtf8:
        case Verdict::NotInMacRoman:
            return macroman::faultReason(a.utf8, options.language);
        case Verdict::RejectedByCalc:
            break;
    }
    std::string reason = rejectionReason(options.type, a.data, "", options.check, options.language);
    return reason.empty() ? say(options.language, text::kRejectedByEncoder) : reason;
}

// `sentence` with the count added in the wording for one or for more.
std::string counted(Language language, const std::string& sentence, std::uint64_t n, const Wording& one,
                    const Wording& many) {
    return say(language, n == 1 ? one : many, {sentence, std::to_string(n)});
}

// Each byte's UTF-8 form through the Mac OS Roman table, at most 3 bytes.
struct Utf8Table {
    std::array<std::array<char, 3>, 256> bytes{};
    std::array<unsigned char, 256> size{};

    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            const std::string utf8 = macroman::toUtf8(std::string(1, static_cast<char>(b)));
            size[b] = static_cast<unsigned char>(utf8.size());
            std::memcpy(bytes[b].data(), utf8.data(), utf8.size());
        }
    }
};

const Utf8Table& utf8Table() {
    static const Utf8Table table;
    return table;
}

}  // namespace

std::string batchCounts(const BatchReport& report, Language language) {
    const std::uint64_t total = report.converted + report.rejected;
    std::string s = say(language, total == 1 ? text::kConvertedOfOne : text::kConvertedOf,
                        {std::to_string(report.converted), std::to_string(total)});
    if (report.empty > 0) s = say(language, text::kNotCountingEmpty, {s, std::to_string(report.empty)});
    if (report.replacedChecks > 0)
        s = counted(language, s, report.replacedChecks, text::kCheckDigitsReplacedOne, text::kCheckDigitsReplaced);
    if (report.wrappedEscapes > 0)
        s = counted(language, s, report.wrappedEscapes, text::kEscapesWrappedOne, text::kEscapesWrapped);
    return s;
}

std::string batchSummary(const BatchReport& report, Language language) {
    std::string s = batchCounts(report, language);
    if (report.rejected == 0) return s;
    std::string lines;
    for (std::size_t i = 0; i < report.listed.size(); ++i) {
        if (i > 0) lines += ", ";
        lines += std::to_string(report.listed[i].line);
    }
    if (report.rejected > report.listed.size())
        lines = say(language, text::kAndMore, {lines, std::to_string(report.rejected - report.listed.size())});
    return say(language, text::kRejectedLines, {s, lines});
}

LineOutcome convertLine(const Line& line, const BatchOptions& options, FontStringBuffer& buffer) {
    DataBuffer data;
    Attempt a;
    attempt(line, options, nulBeforeCalc(options.type), data, buffer.data(), a);
    if (a.verdict != Verdict::Converted) return {false, {}, reasonFor(a, options)};
    return {true, std::string_view(buffer.data(), a.fontSize), {}, a.changed};
}

BatchEngine::BatchEngine(const BatchOptions& options)
    : options_(options),
      nulBeforeCalc_(nulBeforeCalc(options.type)),
      fastPath_(!options.utf8 && isCodeType(options.type)),
      gs1Hint_(options.type == C128EAN) {
    if (options_.utf8) utf8Table();
}

namespace {

// A line reads as a label sheet reads it, "data<TAB>caption": the caption is
// no part of the data. Data that ends at a TAB ends inside the bytes kept.
void cutCaption(Line& line) {
    const std::size_t tab = line.bytes.find('\t');
    if (tab == std::string_view::npos) return;
    line.bytes = line.bytes.substr(0, tab);
    line.tooLong = false;
}

}  // namespace

std::size_t BatchEngine::convert(const Line& whole, char* out) {
    // Where a TAB can be data (7-bit ASCII) the caption is cut off before
    // Calc; digits reach Calc whole, as Calc rejects a TAB among them, and the
    // caption is cut off after the rejection: the common line costs no search.
    Line line = whole;
    if (nulBeforeCalc_) cutCaption(line);
    // Most lines are short data that Calc accepts as it stands: they go
    // straight to it, written into the output line. Anything else takes the
    // path below, which also finds the reason of a rejection.
    const std::string_view bytes = line.bytes;
    if (gs1Hint_ && gs1::looksLikeBracketedGs1(bytes)) ++report_.bracketedGs1;
    if (fastPath_ && !bytes.empty() && bytes.size() <= kMaxBatchLine && !line.tooLong &&
        !(nulBeforeCalc_ && containsNul(bytes))) {
        const internal::Rejection r = internal::calc(
            options_.type, {bytes.data(), static_cast<int>(bytes.size()), "", options_.check, true}, out);
        if (r.accepted()) {
            ++report_.converted;
            if (r.changedData()) [[unlikely]]
                note(line.number, bytes);
            out[r.count] = '\n';
            return r.count + 1;
        }
    }
    const std::size_t nothing = options_.align ? 1 : 0;
    out[0] = '\n';
    if (whole.bytes.empty() && !whole.tooLong) {
        ++report_.empty;
        return nothing;
    }
    cutCaption(line);
    // Uninitialised on purpose: only the decoded bytes are read.
    DataBuffer data;
    // Without utf8 Calc writes straight into the output line.
    char* gesamt = options_.utf8 ? fontString_.data() : out;
    Attempt a;
    if (line.bytes.empty())
        a.verdict = Verdict::NoDataBeforeTab;
    else
        attempt(line, options_, nulBeforeCalc_, data, gesamt, a);
    if (a.verdict != Verdict::Converted) {
        if (report_.listed.size() < options_.listedRejections)
            report_.listed.push_back({line.number, reasonFor(a, options_)});
        ++report_.rejected;
        out[0] = '\n';
        return nothing;
    }
    ++report_.converted;
    if (a.changed) note(line.number, a.data);
    std::size_t size = a.fontSize;
    if (options_.utf8) {
        const Utf8Table& table = utf8Table();
        size = 0;
        for (std::size_t i = 0; i < a.fontSize; ++i) {
            const auto b = static_cast<unsigned char>(fontString_[i]);
            std::memcpy(out + size, table.bytes[b].data(), 3);
            size += table.size[b];
        }
    }
    out[size++] = '\n';
    return size;
}

void BatchEngine::note(std::uint64_t number, std::string_view data) {
    for (const DataChange& change : changesMade(options_.type, data)) {
        ++(change.kind == DataChange::Kind::CheckDigitReplaced ? report_.replacedChecks : report_.wrappedEscapes);
        if (report_.notes.size() < options_.listedRejections) report_.notes.push_back({number, change});
    }
}

void BatchEngine::append(BatchEngine& next) {
    const std::uint64_t before = splitter_.lineCount();
    BatchReport& later = next.report_;
    report_.converted += later.converted;
    report_.rejected += later.rejected;
    report_.empty += later.empty;
    report_.bracketedGs1 += later.bracketedGs1;
    for (BatchRejection& r : later.listed) {
        if (report_.listed.size() == options_.listedRejections) break;
        report_.listed.push_back({before + r.line, std::move(r.reason)});
    }
    report_.replacedChecks += later.replacedChecks;
    report_.wrappedEscapes += later.wrappedEscapes;
    for (const BatchNote& n : later.notes) {
        if (report_.notes.size() == options_.listedRejections) break;
        report_.notes.push_back({before + n.line, n.change});
    }
    splitter_.skipLines(next.splitter_.lineCount());
    later = {};
    next.splitter_ = {};
}

void GatheredLines::reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ != 0) std::memcpy(larger.get(), data_.get(), size_);
    data_ = std::move(larger);
    capacity_ = capacity;
}

// The pieces of a block are numbered on from those of the blocks before: a
// thread takes piece number `taken` while it is below `posted`, so that a
// thread still looking for work in the last block never takes a piece
// before the caller has described it.
struct TwoThreadBatchEngine::Shared {
    std::atomic<std::uint32_t> posted{0};
    std::atomic<std::uint32_t> taken{0};
    std::atomic<std::uint32_t> converted{0};
    std::atomic<std::uint32_t> wake{0};  // changes when there is work, or to stop
    std::atomic<bool> stop{false};
    std::uint32_t first = 0;  // the number of the block's first piece
    std::array<std::string_view, kPieces> lines;
    std::array<GatheredLines*, kPieces> output{};
    std::thread thread;
};

namespace {

bool hasSecondProcessor() {
    cpu_set_t cpus;
    if (::sched_getaffinity(0, sizeof cpus, &cpus) != 0) return std::thread::hardware_concurrency() > 1;
    return CPU_COUNT(&cpus) > 1;
}

// How long a thread out of work looks again before it sleeps: about as long
// as the caller takes to read a block, so that the helper is awake when
// the next pieces come. Sleeping and being woken costs the helper tens of
// microseconds on a busy machine.
constexpr int kSpinsBeforeSleep = 2000;

// Tells the processor this is a wait loop (x86 PAUSE), so that it draws
// less power and gives way to the other thread of its core.
void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

TwoThreadBatchEngine::TwoThreadBatchEngine(const BatchOptions& options, std::size_t minCutBlock)
    : minCutBlock_(minCutBlock), engine_(options), shared_(std::make_unique<Shared>()) {
    for (Block& b : blocks_) {
        b.bytes = std::make_unique_for_overwrite<char[]>(kBlock);
        // Font strings run a little longer than their data: no growth then.
        const std::size_t room = kBlock / kPieces + kBlock / kPieces / 2 + kMaxBatchOutputLine;
        for (GatheredLines& piece : b.pieces) piece.reserve(room);
        b.head.reserve(4 * kMaxBatchOutputLine);
    }
    for (auto& e : pieceEngines_) e = std::make_unique<BatchEngine>(options);
    if (hasSecondProcessor()) shared_->thread = std::thread([this] { helperLoop(); });
}

TwoThreadBatchEngine::~TwoThreadBatchEngine() {
    // A sink that threw leaves pieces handed out: they must be finished
    // before the helper stops, as it may be converting one.
    completePieces();
    if (!shared_->thread.joinable()) return;
    shared_->stop.store(true);
    shared_->wake.fetch_add(1);
    shared_->wake.notify_all();
    shared_->thread.join();
}

void TwoThreadBatchEngine::startBlock(std::size_t n) {
    Block& block = blocks_[filling_];
    Block& before = blocks_[filling_ ^ 1];
    const std::string_view bytes(block.bytes.get(), n);
    engine_.feed(before.rest, block.head);
    before.rest = {};
    // After an LF a new line always starts, whatever came before it (a CR
    // before the LF belongs to the same line end).
    const std::size_t firstEnd = bytes.find('\n');
    const std::size_t lastEnd = bytes.rfind('\n');
    if (n < minCutBlock_ || firstEnd == lastEnd) {
        const std::size_t uncut = firstEnd == std::string_view::npos ? n : lastEnd + 1;
        engine_.feed(bytes.substr(0, uncut), block.head);
        block.rest = bytes.substr(uncut);
        return;
    }
    engine_.feed(bytes.substr(0, firstEnd + 1), block.head);
    block.rest = bytes.substr(lastEnd + 1);
    std::string_view lines = bytes.substr(firstEnd + 1, lastEnd - firstEnd);
    Shared& s = *shared_;
    s.first = s.posted.load(std::memory_order_relaxed);
    std::size_t count = 0;
    for (std::size_t left = kPieces; left > 0 && !lines.empty(); --left) {
        const std::size_t end = left == 1 ? lines.size() - 1 : lines.find('\n', lines.size() / left);
        s.lines[count] = lines.substr(0, end + 1);
        s.output[count] = &block.pieces[count];
        block.pieces[count].clear();
        lines.remove_prefix(end + 1);
        ++count;
    }
    block.pieceCount = count;
    s.posted.store(s.first + static_cast<std::uint32_t>(count), std::memory_order_release);
    s.wake.fetch_add(1, std::memory_order_release);
    s.wake.notify_one();
}

bool TwoThreadBatchEngine::takePiece() {
    Shared& s = *shared_;
    std::uint32_t piece = s.taken.load(std::memory_order_relaxed);
    do {
        if (piece == s.posted.load(std::memory_order_acquire)) return false;
    } while (!s.taken.compare_exchange_weak(piece, piece + 1, std::memory_order_acq_rel));
    const std::size_t i = piece - s.first;
    // Each piece ends with an LF: nothing is left pending in its engine.
    pieceEngines_[i]->feed(s.lines[i], *s.output[i]);
    s.converted.fetch_add(1, std::memory_order_release);
    s.converted.notify_one();
    return true;
}

void TwoThreadBatchEngine::completePieces() {
    Shared& s = *shared_;
    const std::uint32_t posted = s.posted.load(std::memory_order_relaxed);
    if (s.converted.load(std::memory_order_acquire) == posted) {
        if (blocks_[filling_ ^ 1].pieceCount == 0) return;
    } else {
        while (takePiece()) {
        }
        for (std::uint32_t c = s.converted.load(std::memory_order_acquire); c != posted;
             c = s.converted.load(std::memory_order_acquire))
            s.converted.wait(c, std::memory_order_acquire);
    }
    for (std::size_t i = 0; i < blocks_[filling_ ^ 1].pieceCount; ++i) engine_.append(*pieceEngines_[i]);
}

void TwoThreadBatchEngine::helperLoop() {
    Shared& s = *shared_;
    for (;;) {
        const std::uint32_t wake = s.wake.load(std::memory_order_acquire);
        if (s.stop.load()) return;
        if (takePiece()) continue;
        int spins = 0;
        while (spins < kSpinsBeforeSleep && s.wake.load(std::memory_order_relaxed) == wake) {
            relax();
            ++spins;
        }
        if (spins == kSpinsBeforeSleep) s.wake.wait(wake, std::memory_order_acquire);
    }
}

BatchResult convertAll(std::string_view input, const BatchOptions& options) {
    BatchResult result;
    // Font strings run a little longer than their data; one growth at most.
    result.output.reserve(input.size() + input.size() / 2);
    BatchEngine engine(options);
    auto append = [&result](const char* bytes, std::size_t n) { result.output.append(bytes, n); };
    engine.feed(input, append);
    engine.finish(append);
    result.report = engine.report();
    return result;
}

}  // namespace bcfont
