// What the window remembers between runs and what its command line asks
// for: QSettings in a temporary file, and QCommandLineParser's rows.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "AppSettings.h"

namespace bcfont::app {
namespace {

Choices with(void (*change)(Choices&)) {
    Choices c;
    change(c);
    return c;
}

struct CommandLineRow {
    const char* name;
    QStringList arguments;  // after the program name
    Choices expected;       // starting from the remembered choices below
    int status;             // -1: the window opens
};

// Remembered from the last run: Code 39 without check digit, batch in UTF-8.
Choices remembered() {
    return with([](Choices& c) { c.code = C39, c.check = false, c.data = "OLD", c.batchUtf8 = true; });
}

// clang-format off
const CommandLineRow kCommandLineRows[] = {
    {"no arguments keep what was remembered", {}, remembered(), -1},
    {"type by name; other options from the start-up state", {"--type", "ean13"},
     with([](Choices& c) { c.code = EAN13, c.batchUtf8 = true; }), -1},
    {"type by number and data", {"-t", "5", "Hello World"},
     with([](Choices& c) { c.code = C128, c.data = "Hello World", c.batchUtf8 = true; }), -1},
    {"no check", {"--type", "code128", "--no-check", "ABC"},
     with([](Choices& c) { c.code = C128, c.check = false, c.data = "ABC", c.batchUtf8 = true; }), -1},
    {"an add-on implies EAN-13 and its choice by length", {"--addon", "52495", "400638133393"},
     with([](Choices& c) { c.code = EAN13, c.addonDigits = 5, c.addon = "52495", c.data = "400638133393", c.batchUtf8 = true; }), -1},
    {"a 2-digit add-on", {"--type", "ean13", "--addon", "12"},
     with([](Choices& c) { c.code = EAN13, c.addonDigits = 2, c.addon = "12", c.batchUtf8 = true; }), -1},
    {"data only", {"7654321"}, with([](Choices& c) { c.data = "7654321", c.batchUtf8 = true; }), -1},
    {"unknown symbology", {"--type", "qrcode"}, remembered(), 2},
    {"an add-on with another symbology", {"--type", "code39", "--addon", "12"}, remembered(), 2},
    {"two data arguments", {"12", "34"}, remembered(), 2},
    {"unknown option", {"--colour", "red"}, remembered(), 2},
    {"help", {"--help"}, remembered(), 0},
};
// clang-format on

TEST(CommandLine, OpensTheWindowPrefilledOrSaysWhatIsWrong) {
    for (const auto& row : kCommandLineRows) {
        SCOPED_TRACE(row.name);
        Choices c = remembered();
        const auto outcome = applyCommandLine(QStringList{"bcfont-gui"} + row.arguments, c);
        EXPECT_EQ(outcome.exitNow ? outcome.status : -1, row.status) << outcome.message.toStdString();
        EXPECT_TRUE(c == row.expected) << "code " << c.code << " data " << c.data.value_or("(none)");
        if (row.status > 0) {
            EXPECT_FALSE(outcome.message.isEmpty());
        }
    }
}

TEST(Settings, EveryChoiceComesBackAndNothingStoredIsTheStartUpState) {
    QTemporaryDir dir;
    const QString file = dir.filePath("bcfont.conf");
    {
        const QSettings empty(file, QSettings::IniFormat);
        EXPECT_TRUE(loadChoices(empty) == Choices{});
    }
    const Choices all = with([](Choices& c) {
        c.code = EAN13, c.check = false, c.halfHeight = true, c.highDensity = true, c.addonDigits = 5;
        c.addon = "52495", c.data = "400638133393", c.batchCode = TOFIL, c.batchCheck = false;
        c.batchUtf8 = true, c.batchAlign = true, c.readFolder = "/data/in", c.saveFolder = "/data/out";
    });
    {
        QSettings settings(file, QSettings::IniFormat);
        saveChoices(settings, all);
    }
    const QSettings settings(file, QSettings::IniFormat);
    EXPECT_TRUE(loadChoices(settings) == all);
}

}  // namespace
}  // namespace bcfont::app

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    application.setApplicationVersion("1.0.0");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
