// Rows of a test table print, and name their test, by their `name`.
#pragma once

#include <ostream>
#include <string>

namespace bcfont::test {
// The rows live in each test file's unnamed namespace; this is the same one,
// so argument-dependent lookup finds the printer.
namespace {

template <typename Case>
requires requires(const Case& c) {
    std::string(c.name);
}
std::ostream& operator<<(std::ostream& os, const Case& c) {
    return os << c.name;
}

const auto byName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace
}  // namespace bcfont::test
