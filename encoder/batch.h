// The batch conversion both front ends share: lines of data in, one font
// string per line out, with the rejected lines counted and explained. The
// command line streams a file through it; the window converts its text at
// once. Both give the same bytes for the same input.
#pragma once

#include <array>
#include <concepts>
#include <cstring>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "encode.h"
#include "encoder.h"
#include "line_splitter.h"
#include "wording.h"

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
    Language language = Language::English;  // of the reasons
};

struct BatchRejection {
    std::uint64_t line;  // 1-based, as an editor counts lines
    std::string reason;  // e.g. "EAN-13 needs 12 or 13 digits, got 11"
    bool operator==(const BatchRejection&) const = default;
};

// A converted line whose data the encoder took other than as typed: a note,
// not a rejection.
struct BatchNote {
    std::uint64_t line;
    DataChange change;
    bool operator==(const BatchNote&) const = default;
};

struct BatchReport {
    std::uint64_t converted = 0;
    std::uint64_t rejected = 0;
    std::uint64_t empty = 0;             // not counted as converted or rejected
    std::vector<BatchRejection> listed;  // the first listedRejections rejected lines, in order
    std::uint64_t replacedChecks = 0;    // check digits replaced, in converted lines
    std::uint64_t wrappedEscapes = 0;    // escapes above 255 taken modulo 256
    std::vector<BatchNote> notes;        // the first listedRejections changes, in order
    std::uint64_t bracketedGs1 = 0;      // Code 128 EAN/UCC lines that start like bracketed GS1 data
};

// The last line of the command line's standard error, e.g.
// "converted 998 of 1000 lines; 1 check digit replaced; rejected: 17, 404".
// Empty lines are not counted in the total; they are named in brackets when
// there are any. Rejected lines beyond those listed are counted ("and 5 more").
std::string batchSummary(const BatchReport& report, Language language = Language::English);

// The summary without the numbers of the rejected lines, for a front end
// that lists them: "converted 998 of 1000 lines; 1 check digit replaced".
std::string batchCounts(const BatchReport& report, Language language = Language::English);

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
    bool changed = false;  // the data was taken other than as typed (see changesMade)
};
LineOutcome convertLine(const Line& line, const BatchOptions& options, FontStringBuffer& buffer);

// Streams lines through the rules above, each read as "data" or
// "data<TAB>caption" as label sheets read them: the caption is ignored, and a
// line with nothing before its TAB is rejected. Blanks are data, as typed. Output goes to
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
        splitter_.feed(block, [this, &sink](const Line& line) { deliverLine(line, sink); });
    }
    // The end of the input: a last line without a line end is still a line.
    template <typename Sink>
    void finish(Sink& sink) {
        splitter_.finish([this, &sink](const Line& line) { deliverLine(line, sink); });
    }

    const BatchReport& report() const { return report_; }

    // Takes over what another engine made of the lines that followed this
    // one's (it started on a fresh line): its counts, its listed rejections
    // renumbered, and its lines in the numbering. That engine starts afresh.
    void append(BatchEngine& next);

  private:
    template <typename Sink>
    void deliverLine(const Line& line, Sink& sink) {
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
    // Counts and lists what the encoder changed of line `number`'s data.
    void note(std::uint64_t number, std::string_view data);

    BatchOptions options_;
    bool nulBeforeCalc_;  // or only after a rejection, where Calc rejects every NUL
    bool fastPath_;       // Mac OS Roman lines of a known type: Calc writes the output line
    bool gs1Hint_;        // Code 128 EAN/UCC: lines that look like bracketed GS1 data are counted
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

// The same conversion on two threads, for long input, as a pipeline: while
// the caller reads the next block, the lines of the one before are being
// converted, in pieces cut after line ends, by whichever thread takes each
// piece first; the helper thread takes them as they come and the caller's
// thread takes what is left once it has read and written. A piece's output
// reaches the sink in order, a block later. Output and report are those of
// one BatchEngine fed the same bytes. Memory stays fixed: two input blocks
// and their output. With one processor all of it runs on the caller's thread.
class TwoThreadBatchEngine {
  public:
    // The most the caller reads at once, into room().
    static constexpr std::size_t kBlock = 96 * 1024;
    // Below `minCutBlock` bytes a block is converted on the caller's thread:
    // handing pieces over costs a few microseconds, converting a line about
    // 15 ns. Tests choose a small one to cut small blocks too.
    static constexpr std::size_t kMinCutBlock = 32 * 1024;
    static constexpr std::size_t kPieces = 8;
    explicit TwoThreadBatchEngine(const BatchOptions& options, std::size_t minCutBlock = kMinCutBlock);
    ~TwoThreadBatchEngine();
    TwoThreadBatchEngine(const TwoThreadBatchEngine&) = delete;
    TwoThreadBatchEngine& operator=(const TwoThreadBatchEngine&) = delete;

    // Where the next block is read to: up to kBlock bytes, then commit().
    char* room() { return blocks_[filling_].bytes.get(); }
    // Converts the `n` bytes read into room(). The sink,
    // sink(const char*, std::size_t), gets whole lines, some of them only
    // at the next commit() or finish(); pass the same sink every time. A sink
    // with write(const std::string_view*, std::size_t count) gets each
    // block's output in one call.
    template <typename Sink>
    void commit(std::size_t n, Sink& sink) {
        Block& done = blocks_[filling_ ^ 1];
        completePieces();
        startBlock(n);
        deliver(done, sink);
        filling_ ^= 1;
    }
    // Blocks of any size, copied into room() a block at a time.
    template <typename Sink>
    void feed(std::string_view bytes, Sink& sink) {
        while (!bytes.empty()) {
            const std::size_t n = bytes.size() < kBlock ? bytes.size() : kBlock;
            std::memcpy(room(), bytes.data(), n);
            bytes.remove_prefix(n);
            commit(n, sink);
        }
    }
    // The end of the input: the last block's lines, and a last line without
    // a line end.
    template <typename Sink>
    void finish(Sink& sink) {
        completePieces();
        Block& last = blocks_[filling_ ^ 1];
        deliver(last, sink);
        engine_.feed(last.rest, sink);
        last.rest = {};
        engine_.finish(sink);
    }

    // Counts the lines up to the block before the last one committed.
    const BatchReport& report() const { return engine_.report(); }

  private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::string_view rest;  // after its last LF: the start of a line the next block ends
        GatheredLines head;     // what its first line (or all of it, uncut) gave
        std::array<GatheredLines, kPieces> pieces;
        std::size_t pieceCount = 0;
    };
    // Converts block `filling_`, `n` bytes: the line the block before left
    // open and its own first line on this thread, the whole lines after it
    // handed out in pieces.
    void startBlock(std::size_t n);
    // Takes every piece not yet taken, waits for those the helper has, and
    // adds their counts to the report in order.
    void completePieces();
    template <typename Sink>
    void deliver(Block& block, Sink& sink) {
        std::array<std::string_view, kPieces + 1> out;
        std::size_t count = 0;
        if (!block.head.bytes().empty()) out[count++] = block.head.bytes();
        for (std::size_t i = 0; i < block.pieceCount; ++i)
            if (!block.pieces[i].bytes().empty()) out[count++] = block.pieces[i].bytes();
        // clear() keeps the bytes, so the views stay good; it comes first
        // so that a sink that throws leaves nothing to be delivered twice.
        block.head.clear();
        block.pieceCount = 0;
        if (count == 0) return;
        if constexpr (requires(const std::string_view* v, std::size_t n) { sink.write(v, n); }) {
            sink.write(out.data(), count);
        } else {
            for (std::size_t i = 0; i < count; ++i) sink(out[i].data(), out[i].size());
        }
    }
    bool takePiece();  // converts one piece not yet taken; false when none is left
    void helperLoop();

    std::size_t minCutBlock_;
    BatchEngine engine_;
    std::array<Block, 2> blocks_;
    std::size_t filling_ = 0;  // the block room() reads into; the other is being converted
    std::array<std::unique_ptr<BatchEngine>, kPieces> pieceEngines_;
    struct Shared;  // the helper thread and the pieces it takes
    std::unique_ptr<Shared> shared_;
};

// The whole input at once (the window): the output bytes and the report.
struct BatchResult {
    std::string output;
    BatchReport report;
};
BatchResult convertAll(std::string_view input, const BatchOptions& options);

}  // namespace bcfont
