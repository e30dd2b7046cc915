// The 2D codes in the window: their data is UTF-8 text (no Mac OS Roman
// limit), their options are typed as after the colon of a type spec, and
// the matrix module's front door makes their font string, whose lines the
// preview stacks one em apart.
#include <algorithm>
#include <cctype>

#include "BCController.h"
#include "matrix.h"
#include "symbology.h"
#include "type_choice.h"

namespace bcfont::app {
namespace {

// Options never hold blanks; people type them after commas anyway.
std::string withoutBlanks(std::string text) {
    std::erase_if(text, [](unsigned char c) { return std::isspace(c) != 0; });
    return text;
}

// The one-line field shows the lines side by side; a 2D font string holds
// letters only, so the space between them is unmistakable.
std::string onOneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

void BCController::offerTypeOptions() {
    const auto type = static_cast<CodeType>(iCode);
    const bool takes = symbology(type).options != 0;
    typeOptionsString.clear();
    window_.setStringValue(ControlId::typeOptions, "");
    window_.setEnabled(ControlId::typeOptions, takes);
    window_.setPlaceholder(ControlId::typeOptions, takes ? optionSyntax(type) : std::string());
}

void BCController::updateMatrix() {
    const auto type = static_cast<CodeType>(iCode);
    std::string spec(symbology(type).name);
    if (const std::string options = withoutBlanks(typeOptionsString); !options.empty()) spec += ":" + options;
    const Encoded encoded = encodeRequest(spec, dataToEncodeString, "", false);
    if (!encoded.ok()) return showRejected(encoded.text);
    rejection_.clear();
    convertedString = encoded.text;
    window_.setStringValue(convertString, onOneLine(encoded.text));

    const FontChoice choice = fontFor(type, false, false);
    const auto face = window_.fontWithName(choice.family, choice.pointSize);
    window_.setString(preview, encoded.text);
    if (face) window_.setFont(preview, *face);
    window_.showHumanReadable("", "");
    window_.showNotice(noticeFor(face ? std::string() : std::string(choice.family), {}, {}));
}

}  // namespace bcfont::app
