// The WebAssembly face of the encoders: the web module's JavaScript calls
// these with numbers only, so text crosses through the two buffers below.
// Everything the page shows (names, faces, sizes, reasons) is read from the
// symbology table and the face metrics here, never restated in JavaScript.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "encode_text.h"
#include "face_metrics.h"
#include "macroman.h"
#include "symbology.h"

namespace {

// Text from JavaScript: the data, then the add-on, as UTF-8. It grows on
// demand so that any data gets the encoder's own reason, long or not.
std::vector<char> input(4096);
// Text to JavaScript: UTF-8 text, or a font string as UTF-16 code units in
// `fontString` (every Mac OS Roman character is in the BMP), which a page
// turns into a string faster than it decodes UTF-8.
std::string output;
char16_t fontString[kFontStringCapacity];

int put(std::string_view text) {
    output.assign(text);
    return static_cast<int>(output.size());
}

// The 2D codes need libzint, which the web build does not link: the page
// offers the linear symbologies, which come first in the table.
int linearTypeCount() {
    int count = 0;
    for (const bcfont::Symbology& s : bcfont::symbologies()) {
        if (s.matrix.isMatrix()) break;
        ++count;
    }
    return count;
}

bool isType(int type) {
    return bcfont::isCodeType(type) && type < linearTypeCount();
}

const bcfont::FaceMetrics* metricsOf(std::string_view family) {
    for (const auto& m : bcfont::kFaceMetrics) {
        if (m.family == family) return &m;
    }
    return nullptr;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE char* bc_input(int size) {
    if (size > 0 && static_cast<std::size_t>(size) > input.size()) input.resize(static_cast<std::size_t>(size));
    return input.data();
}

EMSCRIPTEN_KEEPALIVE const char* bc_output() {
    return output.data();
}

EMSCRIPTEN_KEEPALIVE const char16_t* bc_font_string() {
    return fontString;
}

EMSCRIPTEN_KEEPALIVE int bc_type_count() {
    return linearTypeCount();
}

// The type of a name or number as `--type` reads it, or -1.
EMSCRIPTEN_KEEPALIVE int bc_type_from_input(int size) {
    const auto type = bcfont::codeTypeFromString(std::string_view(input.data(), static_cast<std::size_t>(size)));
    return type && isType(*type) ? static_cast<int>(*type) : -1;
}

// What: 0 the short name, 1 the full name, 2 to 5 the faces (normal, half
// height, high density, both). Returns the text's length in the output.
EMSCRIPTEN_KEEPALIVE int bc_type_text(int type, int what) {
    if (!isType(type)) return put({});
    const bcfont::Symbology& s = bcfont::symbology(static_cast<CodeType>(type));
    switch (what) {
        case 0: return put(s.name);
        case 1: return put(s.fullName);
        default: return put(bcfont::fontFor(s.type, what == 3 || what == 5, what == 4 || what == 5).family);
    }
}

// Bits: 1 high density, 2 check character, 4 half height, 8 add-on, and 16
// when scanners need the check character.
EMSCRIPTEN_KEEPALIVE int bc_type_offers(int type) {
    if (!isType(type)) return 0;
    const auto t = static_cast<CodeType>(type);
    const bcfont::Options o = bcfont::symbology(t).offers;
    return (o.highDensity ? 1 : 0) | (o.checksum ? 2 : 0) | (o.halfHeight ? 4 : 0) | (o.addonGroup ? 8 : 0) |
           (bcfont::scannersNeedCheck(t) ? 16 : 0);
}

EMSCRIPTEN_KEEPALIVE int bc_point_size(int type) {
    return isType(type) ? bcfont::symbology(static_cast<CodeType>(type)).faces.pointSize : 0;
}

// Font units per module and per em of the type's normal face, 0 if unknown.
EMSCRIPTEN_KEEPALIVE int bc_module_units(int type) {
    if (!isType(type)) return 0;
    const auto* m = metricsOf(bcfont::fontFor(static_cast<CodeType>(type), false, false).family);
    return m ? m->moduleUnits : 0;
}

EMSCRIPTEN_KEEPALIVE int bc_units_per_em(int type) {
    if (!isType(type)) return 0;
    const auto* m = metricsOf(bcfont::fontFor(static_cast<CodeType>(type), false, false).family);
    return m ? m->unitsPerEm : 0;
}

// Encodes the input's first `dataSize` bytes with the `addonSize` after
// them. Returns the font string's length, its characters in bc_font_string(),
// or minus one minus the reason's length, the reason in UTF-8 in the output.
EMSCRIPTEN_KEEPALIVE int bc_encode(int type, int dataSize, int addonSize, int check) {
    if (!isType(type) || dataSize < 0 || addonSize < 0 ||
        static_cast<std::size_t>(dataSize) + static_cast<std::size_t>(addonSize) > input.size())
        return -1 - put("not a request: unknown type or sizes");
    const std::string_view data(input.data(), static_cast<std::size_t>(dataSize));
    const std::string_view addon(input.data() + dataSize, static_cast<std::size_t>(addonSize));
    std::string why;
    const auto encoded = bcfont::encodeText(static_cast<CodeType>(type), data, addon, check != 0, &why);
    if (!encoded) return -1 - put(why);
    const std::string& bytes = *encoded;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        fontString[i] = static_cast<char16_t>(bcfont::macroman::toUnicode(static_cast<unsigned char>(bytes[i])));
    return static_cast<int>(bytes.size());
}

}  // extern "C"
