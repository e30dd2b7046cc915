// The one front door to every symbology: a type spec ("ean13", "qr:ecc=H")
// and UTF-8 data in, a font string out. The linear types go to the encoders
// (encodeText); the 2D codes get their module matrix from libzint and their
// font string from here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "type_choice.h"
#include "wording.h"

namespace bcfont {

struct Encoded {
    enum class Status : std::uint8_t {
        Ok,        // text: the font string, Mac OS Roman bytes (ASCII for the 2D codes)
        Rejected,  // text: why the data or add-on was refused
        BadType,   // text: why the type spec was refused
    };
    Status status = Status::Rejected;
    std::string text;

    bool ok() const { return status == Status::Ok; }
};

// Reads the type and its options, then encodes as below.
Encoded encodeRequest(std::string_view typeSpec, std::string_view dataUtf8, std::string_view addonUtf8, bool check,
                      Language language = Language::English);

// `addonUtf8` and `check` matter to the linear types only. The linear types'
// and GS1 reasons are worded in `language`; the 2D capacity and option
// reasons are English only, for now.
Encoded encodeRequest(const TypeSpec& spec, std::string_view dataUtf8, std::string_view addonUtf8, bool check,
                      Language language = Language::English);

}  // namespace bcfont
