#include "matrix.h"

#include <zint.h>

#include <array>
#include <memory>

#include "capacity.h"
#include "encode_text.h"
#include "font_string.h"
#include "gs1/element_string.h"
#include "gs1/gs1.h"
#include "symbology.h"

namespace bcfont {
namespace {

using matrix::Need;

// libzint's symbologies and error correction levels for the layouts.
constexpr int zintSymbology(Layout layout) {
    return layout == Layout::Qr ? BARCODE_QRCODE : layout == Layout::DataMatrix ? BARCODE_DATAMATRIX : BARCODE_PDF417;
}
// Text that is not all Latin-1 goes as UTF-8 bytes under this ECI.
constexpr int kEciUtf8 = 26;

Encoded rejected(std::string reason) {
    return {Encoded::Status::Rejected, std::move(reason)};
}

// What UTF-8 text holds: the first malformed byte (1-based), or whether
// every character is Latin-1, and the Latin-1 count of characters.
struct Utf8Scan {
    std::size_t badByte = 0;
    bool latin1 = true;
    std::size_t characters = 0;
};

Utf8Scan scanUtf8(std::string_view text) {
    Utf8Scan scan;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++scan.characters) {
        const unsigned char c = p[i];
        const int length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || (length == 2 && c < 0xC2) || i + static_cast<std::size_t>(length) > n) {
            scan.badByte = i + 1;
            return scan;
        }
        std::uint32_t code = length == 1 ? c : c & (0x7Fu >> length);
        for (int k = 1; k < length; ++k) {
            if ((p[i + static_cast<std::size_t>(k)] & 0xC0) != 0x80) {
                scan.badByte = i + static_cast<std::size_t>(k) + 1;
                return scan;
            }
            code = (code << 6) | (p[i + static_cast<std::size_t>(k)] & 0x3Fu);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            scan.badByte = i + 1;
            return scan;
        }
        if (code > 0xFF) scan.latin1 = false;
        i += static_cast<std::size_t>(length);
    }
    return scan;
}

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

// The symbol for `spec` with its options set; the Data Matrix size `dmSize`
// (kEcc200Sizes index + 1, 0 for libzint's choice).
Symbol symbolFor(const TypeSpec& spec, Layout layout, int dmSize) {
    Symbol symbol(ZBarcode_Create());
    if (!symbol) return symbol;
    symbol->symbology = zintSymbology(layout);
    switch (layout) {
        case Layout::Qr:
            symbol->option_1 = static_cast<int>(spec.qrEcc) + 1;
            symbol->option_2 = spec.qrVersion;
            break;
        case Layout::DataMatrix:
            symbol->option_2 = dmSize;
            if (!spec.rectangular) symbol->option_3 = DM_SQUARE;
            break;
        case Layout::Pdf417:
            symbol->option_1 = spec.pdfEcc;
            symbol->option_2 = spec.pdfColumns;
            break;
        case Layout::Linear:
            break;
    }
    return symbol;
}

// The element string of bracketed GS1 data in libzint's form, "[01]...":
// GS1 values never hold square brackets, so they need no escapes.
std::string zintElementString(const gs1::ElementString& es) {
    std::string text;
    for (int i = 0; i < es.count; ++i) {
        const gs1::Element& e = es.elements[static_cast<std::size_t>(i)];
        text += '[';
        text += es.ai(e);
        text += ']';
        text += es.value(e);
    }
    return text;
}

// Validates GS1 data as GS1-128 does, bar GS1-128's own length limit.
Encoded gs1Input(std::string_view data, std::string& zintInput) {
    if (data.size() > static_cast<std::size_t>(kMaxGs1InputLength))
        return rejected("GS1 data takes at most " + std::to_string(kMaxGs1InputLength) + " characters, got " +
                        std::to_string(data.size()));
    auto es = std::make_unique<gs1::ElementString>();
    internal::Rejection r = gs1::parse(data.data(), static_cast<int>(data.size()), *es);
    if (r.accepted()) r = gs1::validate(*es);
    if (!r.accepted() && r.kind != internal::Reject::Gs1TooLong) return rejected(gs1::sentence(r, data));
    zintInput = zintElementString(*es);
    return {Encoded::Status::Ok, {}};
}

// Data Matrix with shape=rect and no size: libzint has no choice of only the
// rectangular sizes, so each is tried from the smallest.
int encodeRectangular(const TypeSpec& spec, const std::string& input, int mode, int eci, Symbol& symbol) {
    int result = ZINT_ERROR_TOO_LONG;
    for (std::size_t size = kEcc200Squares + 1; size <= kEcc200Sizes.size(); ++size) {
        symbol = symbolFor(spec, Layout::DataMatrix, static_cast<int>(size));
        if (!symbol) return ZINT_ERROR_MEMORY;
        symbol->input_mode = mode;
        symbol->eci = eci;
        result = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                                 static_cast<int>(input.size()));
        if (result != ZINT_ERROR_TOO_LONG) return result;
    }
    return result;
}

Encoded encodeMatrix(const TypeSpec& spec, const Symbology& row, std::string_view data) {
    if (data.empty()) return rejected("no data to encode");
    const Layout layout = row.matrix.layout;
    std::string input;
    int mode = UNICODE_MODE, eci = 0;
    if (row.alphabet == Alphabet::Gs1ElementString) {
        if (Encoded e = gs1Input(data, input); !e.ok()) return e;
        mode = GS1_MODE | GS1NOCHECK_MODE;
    } else {
        const Utf8Scan scan = scanUtf8(data);
        if (scan.badByte != 0) return rejected("the data is not valid UTF-8 (byte " + std::to_string(scan.badByte) + ")");
        if (!scan.latin1) eci = kEciUtf8;
        input.assign(data);
    }
    Symbol symbol;
    int result;
    if (layout == Layout::DataMatrix && spec.rectangular && spec.dmSize == 0) {
        result = encodeRectangular(spec, input, mode, eci, symbol);
    } else {
        symbol = symbolFor(spec, layout, spec.dmSize);
        if (!symbol) return rejected("out of memory");
        symbol->input_mode = mode;
        symbol->eci = eci;
        result = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                                 static_cast<int>(input.size()));
    }
    // libzint widens PDF417 past the columns asked for rather than refuse
    // data too long for them: here that data is refused as too long.
    const bool widened = result == ZINT_WARN_INVALID_OPTION && layout == Layout::Pdf417 && spec.pdfColumns != 0;
    if (result == ZINT_ERROR_TOO_LONG || widened) {
        const Utf8Scan scan = scanUtf8(input);
        // Latin-1 text takes a byte a character; other text its UTF-8 bytes.
        Need need = matrix::needOf(layout, input, eci != 0);
        if (eci == 0) need.count = scan.characters;
        return rejected(matrix::tooLongSentence(layout, spec, need));
    }
    // Any other option libzint would override is refused too, never taken silently.
    if (result >= ZINT_ERROR || result == ZINT_WARN_INVALID_OPTION || !symbol) {
        std::string why = symbol ? symbol->errtxt : "out of memory";
        return rejected(std::string(row.fullName) + ": " + why);
    }
    return {Encoded::Status::Ok, matrix::fontStringOf(*symbol, row.matrix)};
}

}  // namespace

Encoded encodeRequest(const TypeSpec& spec, std::string_view dataUtf8, std::string_view addonUtf8, bool check) {
    const Symbology& row = symbology(spec.type);
    if (row.matrix.isMatrix()) return encodeMatrix(spec, row, dataUtf8);
    std::string why;
    auto fontString = encodeText(spec.type, dataUtf8, addonUtf8, check, &why);
    if (!fontString) return rejected(std::move(why));
    return {Encoded::Status::Ok, std::move(*fontString)};
}

Encoded encodeRequest(std::string_view typeSpec, std::string_view dataUtf8, std::string_view addonUtf8, bool check) {
    const ParsedSpec parsed = parseTypeSpec(typeSpec);
    if (!parsed.ok()) return {Encoded::Status::BadType, specFaultSentence(parsed.fault)};
    return encodeRequest(parsed.spec, dataUtf8, addonUtf8, check);
}

}  // namespace bcfont
