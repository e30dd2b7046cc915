// `bcfont batch`: streams a file descriptor through the batch engine.
#pragma once

#include <cstdio>
#include <string_view>

#include "batch.h"  // the engine, in the encoder library
#include "output_buffer.h"

namespace bcfont::cli {

// Reads `inFd` to its end and converts it into `out`. Each listed rejected
// line is reported on `diagnostics` as "bcfont: line N: <reason>" soon after
// it is read, and each listed note the same way ("bcfont: line N: check
// digit 7 replaced by 1"). False on a read error, which is reported on `diagnostics`, or
// a write error, left to the caller to report (it knows the output's name;
// see OutputBuffer::error()).
bool convertStream(int inFd, std::string_view inName, TwoThreadBatchEngine& engine, OutputBuffer& out,
                   std::FILE* diagnostics);

}  // namespace bcfont::cli
