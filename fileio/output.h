// An output opened through the one decision on what its name means and
// whether writing it is safe (paths.h), written whole through AtomicFile or,
// for a descriptor, in place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "atomic_file.h"
#include "paths.h"

namespace bcfont::fileio {

enum class Replace { IfWritable, EvenProtected };

class Output {
  public:
    // Opens `name` for writing unless it is one of `inputs` (refuseSameFile)
    // or, without EvenProtected, a write-protected file (writeProtection).
    // Empty on success, otherwise a sentence saying why nothing was opened.
    std::string open(const std::string& name, const std::vector<std::string>& inputs,
                     Replace replace = Replace::IfWritable);
    int fd() const { return target_.descriptor >= 0 ? target_.descriptor : file_.fd(); }
    // For messages: "standard output" or 'the name'.
    const std::string& shown() const { return target_.shown; }
    // open() failed only because the file is write-protected.
    bool refusedAsProtected() const { return refusedAsProtected_; }

    // Writes all of `bytes`; empty or why not.
    std::string write(std::string_view bytes);
    // A file takes its name now (AtomicFile::commit); a descriptor stays
    // open for its owner. Empty or why not.
    std::string commit();

  private:
    OutputTarget target_;
    AtomicFile file_;
    bool refusedAsProtected_ = false;
};

// Writes `bytes` as the whole of the output `name`, as Output does.
std::string writeOutput(const std::string& name, std::string_view bytes,
                        const std::vector<std::string>& inputs, Replace replace = Replace::IfWritable);

}  // namespace bcfont::fileio
