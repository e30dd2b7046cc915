// Whole-file reads and atomic writes for the batch area, with reasons a
// person can act on when they fail.
#pragma once

#include <string>

#include "WindowPort.h"

namespace bcfont::app {

// Files above this size are refused: the batch views are not meant for them.
inline constexpr long long kMaxBatchFileBytes = 64LL * 1024 * 1024;

FileResult readBatchFile(const std::string& path);

// Replaces the file with `bytes` completely, or leaves it as it was.
FileResult writeBatchFile(const std::string& path, const std::string& bytes);

}  // namespace bcfont::app
