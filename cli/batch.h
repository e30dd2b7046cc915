// `bcfont batch`: converts a stream of lines into font strings, one per line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "encoder.h"
#include "line_splitter.h"
#include "output_buffer.h"

namespace bcfont::cli {

// The longest line kept whole: the desktop's line buffer holds as much. Any
// longer line is rejected, as Calc takes kMaxDataLength characters at most.
inline constexpr std::size_t kMaxBatchLine = kFontStringCapacity - 1;
using BatchLineSplitter = LineSplitter<kMaxBatchLine>;

// Rejected lines named one by one, in the summary and with their reasons.
inline constexpr std::size_t kListedRejections = 20;

struct BatchOptions {
    CodeType type = EAN8;
    bool check = true;
    bool utf8 = false;   // write text through the Mac OS Roman table
    bool align = false;  // one output line per input line
};

struct BatchReport {
    std::uint64_t converted = 0;
    std::uint64_t rejected = 0;
    std::uint64_t empty = 0;                                       // not counted as converted or rejected
    std::array<std::uint64_t, kListedRejections> firstRejected{};  // line numbers
};

// The last line of standard error, e.g.
// "converted 998 of 1000 lines; rejected: 17, 404". Empty lines are not
// counted in the total; they are named in brackets when there are any.
std::string batchSummary(const BatchReport& report);

// Converts lines one at a time into `out`. Why a listed line was rejected
// goes to `diagnostics` as "bcfont: line N: <reason>".
class BatchConverter {
  public:
    BatchConverter(const BatchOptions& options, OutputBuffer& out, std::FILE* diagnostics);

    void convert(const Line& line);
    const BatchReport& report() const { return report_; }

  private:
    void reject(const Line& line, std::string_view reason);
    void writeFontString(const char* bytes, std::size_t size);

    BatchOptions options_;
    OutputBuffer& out_;
    std::FILE* diagnostics_;
    BatchReport report_;
};

// Reads `inFd` to its end and converts it into `out`. False on a read error,
// which is reported on `diagnostics`, or a write error, left to the caller
// to report (it knows the output's name; see OutputBuffer::error()).
bool convertStream(int inFd, std::string_view inName, BatchConverter& converter, OutputBuffer& out,
                   std::FILE* diagnostics);

}  // namespace bcfont::cli
