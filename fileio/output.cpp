#include "output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bcfont::fileio {
namespace {

std::string cannotWrite(const std::string& shown, const std::string& why) {
    return "cannot write " + shown + ": " + why;
}

// Why the caller's descriptor cannot take output; empty when it can.
std::string unwritableDescriptor(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return "descriptor " + std::to_string(fd) + " is not open";
    if ((flags & O_ACCMODE) == O_RDONLY)
        return "descriptor " + std::to_string(fd) + " is open for reading only";
    return {};
}

}  // namespace

std::string Output::open(const std::string& name, const std::vector<std::string>& inputs, Replace replace) {
    refusedAsProtected_ = false;
    target_ = outputTarget(name);
    for (const std::string& input : inputs) {
        if (std::string same = refuseSameFile(input, name); !same.empty()) return same;
    }
    if (target_.descriptor >= 0) {
        const std::string why = unwritableDescriptor(target_.descriptor);
        return why.empty() ? why : cannotWrite(target_.shown, why);
    }
    if (replace == Replace::IfWritable) {
        if (std::string why = writeProtection(target_.path); !why.empty()) {
            refusedAsProtected_ = true;
            return "will not replace " + target_.shown + ": " + why;
        }
    }
    return file_.open(target_.path);
}

std::string Output::write(std::string_view bytes) {
    const int error = writeAll(fd(), bytes);
    return error == 0 ? std::string() : cannotWrite(target_.shown, std::strerror(error));
}

std::string Output::commit() {
    return target_.descriptor >= 0 ? std::string() : file_.commit();
}

std::string writeOutput(const std::string& name, std::string_view bytes,
                        const std::vector<std::string>& inputs, Replace replace) {
    Output out;
    if (std::string why = out.open(name, inputs, replace); !why.empty()) return why;
    if (std::string why = out.write(bytes); !why.empty()) return why;
    return out.commit();
}

}  // namespace bcfont::fileio
