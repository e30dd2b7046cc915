// Where bcfont finds its files, and which paths name the same file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bcfont::fileio {

// Where an output name leads: "-" (or "") is standard output; /dev/stdout,
// /dev/stderr, /dev/stdin, /dev/fd/N and /proc/self/fd/N, also when reached
// through symbolic links, name a descriptor the caller opened, to be written
// through in place, since replacing what it points to would cut a pipe or
// drop a log's old lines; any other name is a file to replace.
struct OutputTarget {
    std::string shown;    // for messages: "standard output" or 'the name'
    std::string path;     // a file to replace; empty for a descriptor
    int descriptor = -1;  // the open descriptor to write through, or -1
};
OutputTarget outputTarget(const std::string& name);

// An input as named on the command line, "-" or "" being standard input,
// written for a message: "standard input" or 'the name'.
std::string shownInput(const std::string& name);

// The names `path` goes through when its symbolic links are followed, one
// hop at a time, ending with the file it names (which need not exist yet:
// writing through a dangling link creates its target).
std::vector<std::string> linkChain(const std::string& path);

// A sentence saying that `input` and `output` are one file (the same device
// and inode through any name, link or descriptor: `t.txt`, `./t.txt`, a hard
// link, standard input redirected from it, /dev/stdout appending to it);
// empty when they are not, or when the output does not exist yet. Reading a
// file while writing it would destroy it or feed it its own output.
std::string refuseSameFile(const std::string& input, const std::string& output);

// Why the existing regular file `path` must not be replaced unasked ("it is
// write-protected (mode 0444)"): no write permission for this user, or none
// for anyone, which holds for root too; empty when it may be replaced.
std::string writeProtection(const std::string& path);

// The directory of the running program; empty when it cannot be told.
std::filesystem::path executableDirectory();

// The folders searched for bcfont's font files, in order: $BCFONT_FONT_DIR
// alone when it is set (so a wrong one shows instead of silently falling
// back); else `fonts` beside the executable (a build tree), then
// `<exe>/../share/fonts/truetype/bcfont` (an installed tree, wherever its
// prefix), then the directory configured at build time.
std::vector<std::filesystem::path> fontDirectories();

}  // namespace bcfont::fileio
