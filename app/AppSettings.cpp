#include "AppSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "symbology.h"
#include "type_choice.h"

namespace bcfont::app {
namespace {

// The keys, one place for both directions.
constexpr const char* kCode = "barcode/symbology";
constexpr const char* kCheck = "barcode/checkDigit";
constexpr const char* kHalf = "barcode/halfHeight";
constexpr const char* kHigh = "barcode/highDensity";
constexpr const char* kAddonDigits = "barcode/addonDigits";
constexpr const char* kData = "barcode/data";
constexpr const char* kAddon = "barcode/addon";
constexpr const char* kTypeOptions = "barcode/typeOptions";
constexpr const char* kBatchCode = "batch/symbology";
constexpr const char* kBatchCheck = "batch/checkDigit";
constexpr const char* kBatchUtf8 = "batch/utf8";
constexpr const char* kBatchAlign = "batch/align";
constexpr const char* kReadFolder = "folders/read";
constexpr const char* kSaveFolder = "folders/save";

}  // namespace

Choices loadChoices(const QSettings& s) {
    Choices c;
    c.code = s.value(kCode, c.code).toInt();
    c.check = s.value(kCheck, c.check).toBool();
    c.halfHeight = s.value(kHalf, c.halfHeight).toBool();
    c.highDensity = s.value(kHigh, c.highDensity).toBool();
    c.addonDigits = s.value(kAddonDigits, c.addonDigits).toInt();
    c.addon = s.value(kAddon).toString().toStdString();
    c.typeOptions = s.value(kTypeOptions).toString().toStdString();
    if (s.contains(kData)) c.data = s.value(kData).toString().toStdString();
    c.batchCode = s.value(kBatchCode, c.batchCode).toInt();
    c.batchCheck = s.value(kBatchCheck, c.batchCheck).toBool();
    c.batchUtf8 = s.value(kBatchUtf8, c.batchUtf8).toBool();
    c.batchAlign = s.value(kBatchAlign, c.batchAlign).toBool();
    c.readFolder = s.value(kReadFolder).toString().toStdString();
    c.saveFolder = s.value(kSaveFolder).toString().toStdString();
    return c;
}

void saveChoices(QSettings& s, const Choices& c) {
    s.setValue(kCode, c.code);
    s.setValue(kCheck, c.check);
    s.setValue(kHalf, c.halfHeight);
    s.setValue(kHigh, c.highDensity);
    s.setValue(kAddonDigits, c.addonDigits);
    s.setValue(kAddon, QString::fromStdString(c.addon));
    s.setValue(kTypeOptions, QString::fromStdString(c.typeOptions));
    if (c.data) s.setValue(kData, QString::fromStdString(*c.data));
    s.setValue(kBatchCode, c.batchCode);
    s.setValue(kBatchCheck, c.batchCheck);
    s.setValue(kBatchUtf8, c.batchUtf8);
    s.setValue(kBatchAlign, c.batchAlign);
    s.setValue(kReadFolder, QString::fromStdString(c.readFolder));
    s.setValue(kSaveFolder, QString::fromStdString(c.saveFolder));
}

CommandLineOutcome applyCommandLine(const QStringList& arguments, Choices& c) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("CommandLine", "Barcode font encoder"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption type(
        {QStringLiteral("t"), QStringLiteral("type")},
        QCoreApplication::translate("CommandLine",
                                    "Symbology: its number or name (ean8, ean13, code128, ...)."),
        QStringLiteral("T"));
    const QCommandLineOption addon(
        {QStringLiteral("a"), QStringLiteral("addon")},
        QCoreApplication::translate("CommandLine", "EAN-13 add-on of 2 or 5 digits."), QStringLiteral("A"));
    const QCommandLineOption noCheck(
        QStringLiteral("no-check"),
        QCoreApplication::translate("CommandLine", "Leave out the optional check character."));
    parser.addOptions({type, addon, noCheck});
    parser.addPositionalArgument(QStringLiteral("DATA"),
                                 QCoreApplication::translate("CommandLine", "The data to encode."));
    if (!parser.parse(arguments)) return {parser.errorText(), true, 2};
    if (parser.isSet(help)) return {parser.helpText(), true, 0};
    if (parser.isSet(version))
        return {QCoreApplication::applicationName() + ' ' + QCoreApplication::applicationVersion(), true, 0};
    if (parser.positionalArguments().size() > 1)
        return {QCoreApplication::translate("CommandLine",
                                            "Give the data as one argument; quote it if it holds spaces."),
                true, 2};

    // A command line that names any of the barcode starts from the start-up
    // state, not from the remembered barcode: scripts get what they asked for.
    Choices wanted;
    wanted.batchCode = c.batchCode, wanted.batchCheck = c.batchCheck, wanted.batchUtf8 = c.batchUtf8;
    wanted.batchAlign = c.batchAlign, wanted.readFolder = c.readFolder, wanted.saveFolder = c.saveFolder;
    if (!parser.isSet(type) && !parser.isSet(addon) && !parser.isSet(noCheck) &&
        parser.positionalArguments().isEmpty())
        return {};
    if (parser.isSet(type)) {
        // "qr:ecc=H": the 2D options after the colon, as bcfont takes them.
        const std::string text = parser.value(type).toStdString();
        const ParsedSpec parsed = parseTypeSpec(text);
        if (parsed.fault.kind == SpecFault::Kind::UnknownType)
            return {QCoreApplication::translate("CommandLine",
                                                "Unknown symbology \u201C%1\u201D; bcfont types lists them.")
                        .arg(parser.value(type)),
                    true, 2};
        if (!parsed.ok()) return {QString::fromStdString(specFaultSentence(parsed.fault)), true, 2};
        wanted.code = parsed.spec.type;
        if (const auto colon = text.find(':'); colon != std::string::npos) wanted.typeOptions = text.substr(colon + 1);
    }
    if (parser.isSet(addon)) {
        if (parser.isSet(type) && wanted.code != EAN13)
            return {QCoreApplication::translate("CommandLine", "--addon is for EAN-13 only."), true, 2};
        wanted.code = EAN13;
        wanted.addon = parser.value(addon).toStdString();
        wanted.addonDigits = wanted.addon.size() <= 2 ? 2 : 5;
    }
    wanted.check = !parser.isSet(noCheck);
    if (!parser.positionalArguments().isEmpty())
        wanted.data = parser.positionalArguments().first().toStdString();
    c = wanted;
    return {};
}

}  // namespace bcfont::app
