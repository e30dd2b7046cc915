// The batch conversion both front ends share: lines of data in, one font
// string per line out, with the rejected lines counted and explained. The
// command line streams a file through it; the window converts its text at
// once. Both give the same bytes for the same input.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "encoder.h"
#include "line_splitter.h"

namespace bcfont {

// The longest line kept whole: the desktop's line buffer holds as much. Any
// longer line is rejected, as Calc takes kMaxDataLength characters at most.
// With `utf8` the limit counts Mac OS Roman bytes, one per character.
inline constexpr std::size_t kMaxBatchLine = kFontStringCapacity - 1;

// Splits batch input: room for kMaxBatchLine characters of up to 4 UTF-8
// bytes each, so a UTF-8 line is judged by its characters, not its bytes.
inline constexpr std::size_t kMaxBatchLineBytes = 4 * kMaxBatchLine;
using BatchLineSplitter = LineSplitter<kMaxBatchLineBytes>;

using FontStringBuffer = std::array<char, kFontStringCapacity>;

// The most bytes one output line takes: a font string as UTF-8 (at most 3
// bytes a character) and its LF.
inline constexpr std::size_t kMaxBatchOutputLine = 3 * kFontStringCapacity + 1;

struct BatchOptions {
    CodeType type = EAN8;
    bool check = true;
    // Lines are UTF-8 text and font strings are written as UTF-8 text, both
    // through the Mac OS Roman table; otherwise Mac OS Roman bytes both ways.
    bool utf8 = false;
    bool align = false;                 // one output line per input line, empty where nothing converted
    std::size_t listedRejections = 20;  // rejected lines whose number and reason the report keeps
};

struct BatchRejection {
    std::uint64_t line;  // 1-based, as an editor counts lines
    std::string reason;  // e.g. "EAN-13 needs 12 or 13 digits, got 11"
    bool operator==(const BatchRejection&) const = default;
};

struct BatchReport {
    std::uint64_t converted = 0;
    std::uint64_t rejected = 0;
    std::uint64_t empty = 0;             // not counted as converted or rejected
    std::vector<BatchRejection> listed;  // the first listedRejections rejected lines, in order
};

// The last line of the command line's standard error, e.g.
// "converted 998 of 1000 lines; rejected: 17, 404". Empty lines are not
// counted in the total; they are named in brackets when there are any.
// Rejected lines beyond those listed are counted ("and 5 more").
std::string batchSummary(const BatchReport& report);

// One non-empty line by the batch rules: too long, NUL bytes (rejected for
// every symbology: Calc reads its input only up to the first NUL, so for
// Code 39 and 128, which take any ASCII, "A<NUL>B" would lose its tail),
// UTF-8 decoding when `utf8`, then Calc. `fontString` (Mac OS Roman bytes,
// inside `buffer`) or the reason, a sentence without subject
// ("contains a NUL byte").
struct LineOutcome {
    bool converted = false;
    std::string_view fontString;
    std::string reason;
};
LineOutcome convertLine(const Line& line, const BatchOptions& options, FontStringBuffer& buffer);

// Streams lines through the rules above. Output goes to
// `sink(const char* bytes, std::size_t n)` a line at a time: the font string
// and an LF (only an LF for an empty or rejected line with `align`). A sink
// that also offers `char* room(kMaxBatchOutputLine)` and `commit(n)` has each
// line written straight into its room, with no copy in between. Memory
// stays fixed; nothing is allocated per line except the reasons of listed
// rejections.
class BatchEngine {
  public:
    explicit BatchEngine(const BatchOptions& options);

    // Blocks of any size; a line may span blocks.
    template <typename Sink>
    void feed(std::string_view block, Sink& sink) {
        splitter_.feed(block, [this, &sink](const Line& line) { emit(line, sink); });
    }
    // The end of the input: a last line without a line end is still a line.
    template <typename Sink>
    void finish(Sink& sink) {
        splitter_.finish([this, &sink](const Line& line) { emit(line, sink); });
    }

    const BatchReport& report() const { return report_; }

    // Takes over what another engine made of the lines that followed this
    // one's (it started on a fresh line): its counts, its listed rejections
    // renumbered, and its lines in the numbering. That engine starts afresh.
    void append(BatchEngine& next);

  private:
    template <typename Sink>
    void emit(const Line& line, Sink& sink) {
        if constexpr (requires(std::size_t n) {
                          { sink.room(n) } -> std::same_as<char*>;
                          sink.commit(n);
                      }) {
            sink.commit(convert(line, sink.room(kMaxBatchOutputLine)));
        } else {
            const std::size_t n = convert(line, out_.data());
            if (n != 0) sink(out_.data(), n);
        }
    }
    // Writes what the line gives to `out` (kMaxBatchOutputLine bytes): its
    // font string and LF, an LF or nothing. Returns how many bytes.
    std::size_t convert(const Line& line, char* out);

    BatchOptions options_;
    bool nulBeforeCalc_;  // or only after a rejection, where Calc rejects every NUL
    BatchReport report_;
    BatchLineSplitter splitter_;
    FontStringBuffer fontString_{};
    std::array<char, kMaxBatchOutputLine> out_{};  // for sinks without room
};

// Output lines gathered in memory, written in place by a BatchEngine.
class GatheredLines {
  public:
    void reserve(std::size_t capacity);
    void clear() { size_ = 0; }
    char* room(std::size_t n) {
        if (capacity_ - size_ < n) reserve(2 * capacity_ + n);
        return data_.get() + size_;
    }
    void commit(std::size_t n) { size_ += n; }
    std::string_view bytes() const { return {data_.get(), size_}; }

  private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// The same conversion on two threads, for long input: each block is cut
// after a line end near its middle; a helper thread converts the second
// half while the caller's thread converts the first, and the halves go to
// the sink in order. Output and report are those of one BatchEngine fed the
// same blocks. Memory stays fixed: the helper's output is at most a few
// times half a block. With one processor, or blocks too small to be worth
// a hand-over, all of it runs on the caller's thread.
class TwoThreadBatchEngine {
  public:
    // Below `minCutBlock` bytes a block is converted on the caller's thread:
    // handing half of it over costs a few microseconds, converting it about
    // 25 ns a line. Tests choose a small one to cut small blocks too.
    static constexpr std::size_t kMinCutBlock = 32 * 1024;
    explicit TwoThreadBatchEngine(const BatchOptions& options, std::size_t minCutBlock = kMinCutBlock);
    ~TwoThreadBatchEngine();
    TwoThreadBatchEngine(const TwoThreadBatchEngine&) = delete;
    TwoThreadBatchEngine& operator=(const TwoThreadBatchEngine&) = delete;

    // Blocks of any size; sink(const char*, std::size_t) gets whole lines.
    template <typename Sink>
    void feed(std::string_view block, Sink& sink) {
        const Cut cut = cutOf(block);
        if (cut.second.empty()) {
            engine_.feed(block, sink);
            return;
        }
        startHelper(cut.second);
        engine_.feed(cut.first, sink);
        waitForHelper();
        if (const std::string_view half = helperOutput_.bytes(); !half.empty())
            sink(half.data(), half.size());
        engine_.append(helper_);
        engine_.feed(cut.rest, sink);
    }
    template <typename Sink>
    void finish(Sink& sink) {
        engine_.finish(sink);
    }

    const BatchReport& report() const { return engine_.report(); }

  private:
    // first: up to a line end near the middle; second: whole lines up to the
    // last LF; rest: the bytes after it. `second` empty: not worth cutting.
    struct Cut {
        std::string_view first, second, rest;
    };
    Cut cutOf(std::string_view block) const;
    void startHelper(std::string_view lines);
    void waitForHelper();  // or converts the half itself, if the helper has not begun
    void convertHalf();
    void helperLoop();

    std::size_t minCutBlock_;
    BatchEngine engine_;
    BatchEngine helper_;
    GatheredLines helperOutput_;
    struct Shared;  // the helper thread and what it waits on
    std::unique_ptr<Shared> shared_;
};

// The whole input at once (the window): the output bytes and the report.
struct BatchResult {
    std::string output;
    BatchReport report;
};
BatchResult convertAll(std::string_view input, const BatchOptions& options);

}  // namespace bcfont
