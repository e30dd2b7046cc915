#include "batch.h"

#include <sched.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "encode.h"
#include "macroman.h"

namespace bcfont {
namespace {

// Where a UTF-8 line is decoded for Calc.
using DataBuffer = std::array<char, kMaxBatchLineBytes>;

enum class Verdict { Converted, TooLong, NulByte, InvalidUtf8, NotInMacRoman, RejectedByCalc };

struct Attempt {
    Verdict verdict = Verdict::Converted;
    std::string_view data;     // the Mac OS Roman bytes handed to Calc
    macroman::Decoded utf8;    // where the UTF-8 decoding stopped
    std::size_t fontSize = 0;  // bytes of the font string in `gesamt`
};

// Runs one non-empty line through the batch rules into `gesamt`
// (kFontStringCapacity bytes). Builds no strings: this is the per-line path.
Attempt attempt(const Line& line, const BatchOptions& options, DataBuffer& data, char* gesamt) {
    Attempt a;
    const std::string_view bytes = line.bytes;
    if (line.tooLong || (!options.utf8 && bytes.size() > kMaxBatchLine)) {
        a.verdict = Verdict::TooLong;
        return a;
    }
    if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {
        a.verdict = Verdict::NulByte;
        return a;
    }
    // Calc copies `size` bytes itself: a line is handed over where it lies.
    a.data = bytes;
    if (options.utf8) {
        a.utf8 = macroman::fromUtf8(bytes, data.data());
        if (a.utf8.fault == macroman::Decoded::Fault::InvalidUtf8) a.verdict = Verdict::InvalidUtf8;
        if (a.utf8.fault == macroman::Decoded::Fault::NotInMacRoman) a.verdict = Verdict::NotInMacRoman;
        if (a.verdict != Verdict::Converted) return a;
        a.data = std::string_view(data.data(), a.utf8.size);
        if (a.data.size() > kMaxBatchLine) {
            a.verdict = Verdict::TooLong;
            return a;
        }
    }
    std::memset(gesamt, 0, kFontStringCapacity);
    if (Calc(options.type, a.data.data(), gesamt, "", static_cast<std::int32_t>(a.data.size()),
             options.check ? 1 : 0) < 0) {
        a.verdict = Verdict::RejectedByCalc;
        return a;
    }
    a.fontSize = ::strnlen(gesamt, kFontStringCapacity - 1);
    return a;
}

std::string reasonFor(const Attempt& a, const BatchOptions& options) {
    switch (a.verdict) {
        case Verdict::Converted:
            return {};
        case Verdict::TooLong:
            return "longer than " + std::to_string(kMaxBatchLine) +
                   (options.utf8 ? " characters" : " bytes") + " (at most " + std::to_string(kMaxDataLength) +
                   " characters can be encoded)";
        case Verdict::NulByte:
            return "contains a NUL byte";
        case Verdict::InvalidUtf8:
        case Verdict::NotInMacRoman:
            return macroman::faultReason(a.utf8);
        case Verdict::RejectedByCalc:
            break;
    }
    std::string reason = rejectionReason(options.type, a.data, "", options.check);
    return reason.empty() ? "rejected by the encoder" : reason;
}

std::string lines(std::uint64_t n) {
    return std::to_string(n) + (n == 1 ? " line" : " lines");
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

std::string batchSummary(const BatchReport& report) {
    const std::uint64_t total = report.converted + report.rejected;
    std::string s = "converted " + std::to_string(report.converted) + " of " + lines(total);
    if (report.empty > 0) s += " (not counting " + std::to_string(report.empty) + " empty)";
    if (report.rejected == 0) return s;
    s += "; rejected: ";
    for (std::size_t i = 0; i < report.listed.size(); ++i) {
        if (i > 0) s += ", ";
        s += std::to_string(report.listed[i].line);
    }
    if (report.rejected > report.listed.size())
        s += " and " + std::to_string(report.rejected - report.listed.size()) + " more";
    return s;
}

LineOutcome convertLine(const Line& line, const BatchOptions& options, FontStringBuffer& buffer) {
    DataBuffer data;
    const Attempt a = attempt(line, options, data, buffer.data());
    if (a.verdict != Verdict::Converted) return {false, {}, reasonFor(a, options)};
    return {true, std::string_view(buffer.data(), a.fontSize), {}};
}

BatchEngine::BatchEngine(const BatchOptions& options) : options_(options) {
    if (options_.utf8) utf8Table();
}

std::string_view BatchEngine::convert(const Line& line) {
    const std::string_view nothing = options_.align ? std::string_view("\n", 1) : std::string_view();
    if (line.bytes.empty() && !line.tooLong) {
        ++report_.empty;
        return nothing;
    }
    // Uninitialised on purpose: only the decoded bytes are read.
    DataBuffer data;
    // Without utf8 Calc writes straight into the output line.
    char* gesamt = options_.utf8 ? fontString_.data() : out_.data();
    const Attempt a = attempt(line, options_, data, gesamt);
    if (a.verdict != Verdict::Converted) {
        if (report_.listed.size() < options_.listedRejections)
            report_.listed.push_back({line.number, reasonFor(a, options_)});
        ++report_.rejected;
        return nothing;
    }
    ++report_.converted;
    std::size_t size = a.fontSize;
    if (options_.utf8) {
        const Utf8Table& table = utf8Table();
        size = 0;
        for (std::size_t i = 0; i < a.fontSize; ++i) {
            const auto b = static_cast<unsigned char>(fontString_[i]);
            std::memcpy(out_.data() + size, table.bytes[b].data(), 3);
            size += table.size[b];
        }
    }
    out_[size++] = '\n';
    return std::string_view(out_.data(), size);
}

void BatchEngine::append(BatchEngine& next) {
    const std::uint64_t before = splitter_.lineCount();
    BatchReport& later = next.report_;
    report_.converted += later.converted;
    report_.rejected += later.rejected;
    report_.empty += later.empty;
    for (BatchRejection& r : later.listed) {
        if (report_.listed.size() == options_.listedRejections) break;
        report_.listed.push_back({before + r.line, std::move(r.reason)});
    }
    splitter_.skipLines(next.splitter_.lineCount());
    later = {};
    next.splitter_ = {};
}

// The hand-over of one half block. A half is taken by whichever thread
// gets to it first: on a busy machine the helper may not run in time, and
// then the caller converts it itself rather than wait.
enum class Half { None, Posted, Taken, Done, Stop };

struct TwoThreadBatchEngine::Shared {
    std::atomic<Half> half{Half::None};
    std::string_view lines;
    std::thread thread;
};

namespace {

bool hasSecondProcessor() {
    cpu_set_t cpus;
    if (::sched_getaffinity(0, sizeof cpus, &cpus) != 0) return std::thread::hardware_concurrency() > 1;
    return CPU_COUNT(&cpus) > 1;
}

}  // namespace

TwoThreadBatchEngine::TwoThreadBatchEngine(const BatchOptions& options, std::size_t minCutBlock)
    : minCutBlock_(minCutBlock), engine_(options), helper_(options) {
    if (!hasSecondProcessor()) return;
    shared_ = std::make_unique<Shared>();
    shared_->thread = std::thread([this] { helperLoop(); });
}

TwoThreadBatchEngine::~TwoThreadBatchEngine() {
    if (!shared_) return;
    // A sink that threw leaves a half handed over: it must be finished
    // before the helper can be told to stop, or its Done would hide the Stop.
    const Half h = shared_->half.load();
    if (h == Half::Posted || h == Half::Taken) waitForHelper();
    shared_->half.store(Half::Stop);
    shared_->half.notify_all();
    shared_->thread.join();
}

TwoThreadBatchEngine::Cut TwoThreadBatchEngine::cutOf(std::string_view block) const {
    if (!shared_ || block.size() < minCutBlock_) return {block, {}, {}};
    // After an LF a new line always starts, whatever came before it (a CR
    // before the LF belongs to the same line end).
    const std::size_t middle = block.find('\n', block.size() / 2);
    const std::size_t last = block.rfind('\n');
    if (middle == std::string_view::npos || middle == last) return {block, {}, {}};
    return {block.substr(0, middle + 1), block.substr(middle + 1, last - middle), block.substr(last + 1)};
}

void TwoThreadBatchEngine::startHelper(std::string_view lines) {
    // Reserved here, so that the helper thread allocates nothing in the
    // common case: its first allocation would cost it a malloc arena of its
    // own. Typical font strings are a little longer than their lines.
    helperOutput_.reserve(lines.size() + lines.size() / 2);
    helperOutput_.clear();
    shared_->lines = lines;
    shared_->half.store(Half::Posted);
    shared_->half.notify_all();
}

void TwoThreadBatchEngine::convertHalf() {
    auto append = [this](const char* bytes, std::size_t n) { helperOutput_.append(bytes, n); };
    // The lines end with an LF: nothing is left pending in the helper engine.
    helper_.feed(shared_->lines, append);
}

void TwoThreadBatchEngine::waitForHelper() {
    Half posted = Half::Posted;
    if (shared_->half.compare_exchange_strong(posted, Half::Taken)) {
        convertHalf();
    } else {
        for (Half h = shared_->half.load(); h != Half::Done; h = shared_->half.load()) shared_->half.wait(h);
    }
    shared_->half.store(Half::None);
}

void TwoThreadBatchEngine::helperLoop() {
    for (;;) {
        Half h = shared_->half.load();
        if (h == Half::Stop) return;
        if (h != Half::Posted) {
            shared_->half.wait(h);
            continue;
        }
        if (!shared_->half.compare_exchange_strong(h, Half::Taken)) continue;
        convertHalf();
        shared_->half.store(Half::Done);
        shared_->half.notify_all();
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
