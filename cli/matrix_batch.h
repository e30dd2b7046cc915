// `bcfont batch` for the 2D codes: each converted line gives a block, the
// symbol's lines and one empty line after them.
#pragma once

#include <cstdio>
#include <string_view>

#include "batch.h"
#include "output_buffer.h"
#include "type_choice.h"

namespace bcfont::cli {

// Reads `inFd` to its end and writes a block per converted line to `out`;
// with options.align, an empty or rejected line gives an empty block (one
// empty line). Rejected lines are reported on `diagnostics` as
// "bcfont: line N: <reason>" and counted in `report` as the linear batch
// counts them. False on a read error (reported) or a write error (left to
// the caller, as convertStream does).
bool convertMatrixStream(int inFd, std::string_view inName, const TypeSpec& spec, const BatchOptions& options,
                         OutputBuffer& out, BatchReport& report, std::FILE* diagnostics);

}  // namespace bcfont::cli
