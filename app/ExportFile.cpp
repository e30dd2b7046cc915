#include "ExportFile.h"

#include <filesystem>

namespace bcfont::app {

std::string pathWithExtension(const std::string& path, std::string_view extension) {
    const std::filesystem::path name = std::filesystem::path(path).filename();
    // "dir/" names no file; a lone dot ("a.") counts as typed, not as missing.
    if (name.empty() || name.has_extension() || extension.empty()) return path;
    return path + "." + std::string(extension);
}

}  // namespace bcfont::app
