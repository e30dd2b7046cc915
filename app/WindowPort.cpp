#include "WindowPort.h"

#include <array>

namespace bcfont::app {
namespace {

// In ControlId order; the names double as objectNames of the Qt widgets.
constexpr std::array<std::string_view, 27> kControlNames = {
    "addon",         "addonText",    "addon2",     "addon5",        "addonNothing",      "batchChecksum",
    "batchInput",    "batchOutput",  "checksum",   "convertString", "dataToEncode",      "facts",
    "halfHeight",    "highDensity",  "preview",    "codeSelector",  "batchCodeSelector", "readButton",
    "convertButton", "saveButton",   "batchAlign", "batchEncoding", "batchSummary",      "batchRejections",
    "batchNotice",   "installFonts",      "typeOptions",
};

static_assert(kControlNames.size() == static_cast<std::size_t>(ControlId::typeOptions) + 1);

}  // namespace

std::string_view controlName(ControlId id) {
    return kControlNames.at(static_cast<std::size_t>(id));
}

}  // namespace bcfont::app
