// Where bcfont finds its files, and which paths name the same file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bcfont::fileio {

// A sentence saying that `input` and `output` are one file (the same device
// and inode once links are followed: `t.txt`, `./t.txt`, an absolute path, a
// symbolic or a hard link); empty when they are not, or when either does not
// exist yet. Reading a file while replacing it would lose it.
std::string refuseSameFile(const std::string& input, const std::string& output);

// The directory of the running program; empty when it cannot be told.
std::filesystem::path executableDirectory();

// The folders searched for bcfont's font files, in order: $BCFONT_FONT_DIR
// alone when it is set (so a wrong one shows instead of silently falling
// back); else `fonts` beside the executable (a build tree), then
// `<exe>/../share/fonts/truetype/bcfont` (an installed tree, wherever its
// prefix), then the directory configured at build time.
std::vector<std::filesystem::path> fontDirectories();

}  // namespace bcfont::fileio
