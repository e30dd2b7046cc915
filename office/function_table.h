// What the Function Wizard shows for the add-in's functions, in English and
// German. XAddIn answers from this table and the build writes CalcAddIns.xcu
// from it, so both always say the same.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "symbology.h"

namespace bcfont::office {

// The name ODF documents store the functions under, with the programmatic
// function name appended ("org.bcfont.calc.BarcodeFunctions.bcfont"). Never
// change it: saved sheets would lose their formulas.
inline constexpr std::string_view kServiceName = "org.bcfont.calc.BarcodeFunctions";
inline constexpr std::string_view kImplementationName = "org.bcfont.calc.BarcodeFunctionsImpl";
inline constexpr std::string_view kAddInService = "com.sun.star.sheet.AddIn";
inline constexpr std::string_view kCategory = "Add-In";

struct Localized {
    std::string_view en;
    std::string_view de;
};

struct ArgumentInfo {
    std::string_view name;  // the parameter's name in XBarcodeFunctions.idl
    Localized displayName;
    Localized description;
};

struct FunctionInfo {
    std::string_view name;  // the method's name in XBarcodeFunctions.idl
    Localized displayName;
    Localized description;
    std::span<const ArgumentInfo> arguments;
};

inline constexpr ArgumentInfo kDataArgument{
    "data",
    {"Data", "Daten"},
    {"The text or whole number to encode. Data with leading zeros needs a text cell.",
     "Der zu codierende Text oder die ganze Zahl. Daten mit führenden Nullen brauchen eine Textzelle."}};
inline constexpr ArgumentInfo kTypeArgument{
    "codeType",
    {"Type", "Typ"},
    {"The symbology: {names}, or its number {numbers}. The 2D codes take options after a colon, "
     "e.g. \"qr:ecc=H\", \"datamatrix:shape=rect\", \"pdf417:columns=4\".",
     "Die Symbologie: {names} oder ihre Nummer {numbers}. Die 2D-Codes nehmen Optionen nach einem "
     "Doppelpunkt, z. B. \"qr:ecc=H\", \"datamatrix:shape=rect\", \"pdf417:columns=4\"."}};
inline constexpr ArgumentInfo kAddonArgument{
    "addon",
    {"Addon", "Zusatz"},
    {"EAN-13 only: a 2- or 5-digit add-on. Empty text for none.",
     "Nur EAN-13: ein 2- oder 5-stelliger Zusatzcode. Leerer Text für keinen."}};
inline constexpr ArgumentInfo kCheckArgument{
    "check",
    {"Check", "Prüfzeichen"},
    {"TRUE or 1 (the default) adds the optional check character; FALSE or 0 leaves it out.",
     "WAHR oder 1 (Vorgabe) fügt das optionale Prüfzeichen an; FALSCH oder 0 lässt es weg."}};

inline constexpr std::array kEncodeArguments{kDataArgument, kTypeArgument, kAddonArgument, kCheckArgument};

inline constexpr std::array kFaceArguments{
    kTypeArgument,
    ArgumentInfo{"halfHeight",
                 {"HalfHeight", "HalbeHöhe"},
                 {"TRUE for the half-height face. Default FALSE.",
                  "WAHR für die Schrift halber Höhe. Vorgabe FALSCH."}},
    ArgumentInfo{"highDensity",
                 {"HighDensity", "HoheDichte"},
                 {"TRUE for the high-density face where the symbology has one. Default FALSE.",
                  "WAHR für die Schrift hoher Dichte, wo die Symbologie eine hat. Vorgabe FALSCH."}},
};

inline constexpr std::array kFunctions{
    FunctionInfo{
        "bcfont",
        {"BCFONT", "BCFONT"},
        {"The barcode font string of the data: set the cell in the font BCFONTFACE names to see the bars. "
         "Rejected data gives an error value; BCFONTREASON says why.",
         "Die Barcode-Zeichenfolge der Daten: in der Schrift, die BCFONTFACE nennt, zeigt die Zelle die "
         "Striche. Abgelehnte Daten ergeben einen Fehlerwert; BCFONTREASON sagt warum."},
        kEncodeArguments},
    FunctionInfo{"bcfontReason",
                 {"BCFONTREASON", "BCFONTREASON"},
                 {"Empty text when BCFONT encodes the data, otherwise why it does not.",
                  "Leerer Text, wenn BCFONT die Daten codiert, sonst der Grund, warum nicht."},
                 kEncodeArguments},
    FunctionInfo{"bcfontText",
                 {"BCFONTTEXT", "BCFONTTEXT"},
                 {"The text a label prints under the bars: the digits with the check digit for EAN and UPC, "
                  "the characters the data stands for otherwise. Rejected data gives BCFONT's error value.",
                  "Der Klartext, den ein Etikett unter die Striche druckt: die Ziffern mit Prüfziffer bei EAN "
                  "und UPC, sonst die Zeichen, für die die Daten stehen. Abgelehnte Daten ergeben den "
                  "Fehlerwert von BCFONT."},
                 kEncodeArguments},
    FunctionInfo{"bcfontFace",
                 {"BCFONTFACE", "BCFONTFACE"},
                 {"The name of the barcode font that draws BCFONT's result for the symbology.",
                  "Der Name der Barcode-Schrift, die das Ergebnis von BCFONT für die Symbologie zeichnet."},
                 kFaceArguments},
};

// The function whose programmatic name is `name`, or nullptr.
constexpr const FunctionInfo* findFunction(std::string_view name) {
    for (const FunctionInfo& f : kFunctions)
        if (f.name == name) return &f;
    return nullptr;
}

// The function whose display name in either language is `displayName`
// (upper case, as Calc passes it), or nullptr.
constexpr const FunctionInfo* findFunctionByDisplayName(std::string_view displayName) {
    for (const FunctionInfo& f : kFunctions)
        if (f.displayName.en == displayName || f.displayName.de == displayName) return &f;
    return nullptr;
}

// A text of this table as shown: "{names}" becomes the symbology table's
// short names, "{numbers}" the range of its CodeType numbers.
inline std::string shown(std::string_view text) {
    std::string out(text);
    const auto replace = [&out](std::string_view marker, const std::string& by) {
        if (const auto at = out.find(marker); at != std::string::npos) out.replace(at, marker.size(), by);
    };
    std::string names;
    for (const Symbology& s : symbologies()) names += (names.empty() ? "" : ", ") + std::string(s.name);
    replace("{names}", names);
    replace("{numbers}", "0-" + std::to_string(kCodeTypeCount - 1));
    return out;
}

}  // namespace bcfont::office
