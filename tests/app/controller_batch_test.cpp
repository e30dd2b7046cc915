// The controller's batch area against a recording window: conversion,
// the report, the encoding files are read as, reading and saving.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "BCController.h"
#include "RecordingWindow.h"

namespace bcfont::app {
namespace {

using Id = ControlId;
using namespace std::literals;

// ------------------------------------------------------------------ batch

struct BatchRow {
    const char* name;
    CodeType type;
    int check;
    std::string input;
    const char* output;
};

// clang-format off
const BatchRow kBatchRows[] = {
    {"empty input", EAN8, 1, "", ""},
    {"LF line ends, none after the last", EAN8, 1, "1234567\n5512345", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"CR LF line ends", EAN8, 1, "1234567\r\n5512345\r\n", "<BCDE=fgha>\n<FFBC=defh>\n"},
    {"EAN-8 trailing space is data", EAN8, 1, "1234567 \n5512345", "<FFBC=defh>\n"},
    {"EAN-13 gets no add-on", EAN13, 1, "400638133393", "4<ALGDTM=dddjdb>\n"},
    {"its own check option off", TOFIND, 0, "1234", "<1234>\n"},
    {"its own check option on", TOFIND, 1, "1234", "<12348>\n"},
    {"line longer than 99 bytes", CODABAR, 1, std::string(100, '1') + "\n1", "D1D\n"},
};
// clang-format on

// The main window holds a 5-digit add-on and its check option is off: the
// batch uses neither.
TEST(Controller, BatchConvertsEachLineThatCalcAccepts) {
    for (const auto& row : kBatchRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        holdFiveDigitAddon(r);
        r.tick(Id::checksum, 0);
        r.chooseBatch(row.type);
        r.tick(Id::batchChecksum, row.check);
        r.window.text[Id::batchInput] = row.input;
        r.window.text[Id::batchOutput] = "old output";
        r.controller.batchCalc(Id::convertButton);
        EXPECT_EQ(r.window.text[Id::batchOutput], row.output);
    }
}

// A read starts with "kept" in the input view; a write with "previous" in the file.
struct FileRow {
    const char* name;
    void (BCController::*action)(ControlId);
    std::optional<std::string> path;  // the panel's answer; nullopt: cancelled
    const char* view;                 // the input view after a read; the output view a write saves
    std::string_view bytes;           // the file a read reads; the file after a write
    const char* error;                // a part of the one message shown; empty: none
    bool writeFails = false;
};

constexpr auto kRead = &BCController::batchRead;
constexpr auto kWrite = &BCController::batchWrite;

// clang-format off
const FileRow kFileRows[] = {
    {"read: bytes above 127 as one character each", kRead, "/data/f", "1234567\r\n\u2022\u00A0\u00C4\r\n", "1234567\r\n\xA5\xCA\x80\r\n", ""},
    {"read cancelled", kRead, std::nullopt, "kept", "", ""},
    {"read of a missing file", kRead, "/data/missing.txt", "kept", "", "missing.txt"},
    {"read of a binary file", kRead, "/data/f", "kept", "12\0" "34"sv, "not a text file"},
    {"write of an empty output keeps the file", kWrite, "/data/f", "", "previous", "the output is empty"},
    {"write of an edit by hand, Mac OS Roman characters", kWrite, "/data/f", "<BCDE=fgha>\nnote\u2022\u00C4\n", "<BCDE=fgha>\nnote\xA5\x80\n", ""},
    {"write cancelled", kWrite, std::nullopt, "<BCDE=fgha>\n", "previous", ""},
    {"write of a character Mac OS Roman lacks", kWrite, "/data/f", "<BCDE=fgha>\nok\u4E00\n", "previous", "line 2, character 3"},
    {"write fails", kWrite, "/data/f", "<BCDE=fgha>\n", "previous", "disk full", true},
};
// clang-format on

TEST(Controller, BatchFilesReadFromHomeAndChangeNothingOnAProblem) {
    for (const auto& row : kFileRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        auto& w = r.window;
        const bool read = row.action == kRead;
        w.files["/data/f"] = read ? row.bytes : "previous";
        w.text[Id::batchInput] = "kept";
        w.text[Id::batchOutput] = row.view;
        w.openPanelAnswer = w.savePanelAnswer = row.path;
        w.writeError = row.writeFails ? "Could not save: disk full." : "";
        (r.controller.*row.action)(Id::facts);
        if (read) {
            EXPECT_EQ(w.log.at(1), R"(runOpenPanel("/home/tester"))");
            EXPECT_EQ(w.text[Id::batchInput], row.view);
        } else {
            EXPECT_EQ(w.files["/data/f"], row.bytes);
        }
        EXPECT_EQ(w.errors.size(), *row.error ? 1u : 0u);
        for (const auto& error : w.errors) EXPECT_NE(error.find(row.error), std::string::npos) << error;
    }
}


// The status bar confirms a save with its line count and file.
TEST(ControllerBatch, TheStatusBarConfirmsASave) {
    const struct {
        const char* name;
        std::string output;
        const char* status;
    } rows[] = {
        {"lines ending in LF", "<BCDE=fgha>\n<FFBC=defh>\n", "saved 2 lines to /data/out.txt"},
        {"a last line without its LF", "<BCDE=fgha>", "saved 1 line to /data/out.txt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.window.text[Id::batchOutput] = row.output;
        r.window.savePanelAnswer = "/data/out.txt";
        r.controller.batchWrite(Id::saveButton);
        EXPECT_EQ(r.window.status, row.status);
    }
}

// Read as applies at once to the file last read, from its bytes: U+2022 is
// E2 80 A2 in UTF-8, three characters in Mac OS Roman.
struct EncodingRow {
    const char* name;
    std::string file;
    void (*before)(Rig&);  // after reading as Mac OS Roman, before choosing UTF-8
    std::string input;     // afterwards
    int chosen;            // the encoding selector afterwards
    std::string summary;
    std::size_t errors;
};

// clang-format off
const EncodingRow kEncodingRows[] = {
    {"read again as UTF-8", "\xE2\x80\xA2\n", [](Rig&) {}, "\u2022\n", 1, "", 0},
    {"output converted again", "1234567\n", [](Rig& r) { r.controller.batchCalc(Id::convertButton); }, "1234567\n", 1,
     "converted 1 of 1 line \u2014 read again as UTF-8", 0},
    {"not UTF-8: says so, stays Mac OS Roman", "\xA5\n", [](Rig&) {}, "\u2022\n", 0, "", 1},
    {"edited since: left alone", "\xE2\x80\xA2\n", [](Rig& r) { r.window.text[Id::batchInput] = "typed", r.controller.batchInputDidChange(Id::batchInput); },
     "typed", 1, "", 0},
};
// clang-format on

TEST(ControllerBatch, ReadAsReadsTheLastFileAgainUnlessItWasEdited) {
    for (const auto& row : kEncodingRows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.window.files["/data/f"] = row.file;
        r.window.openPanelAnswer = "/data/f";
        r.controller.batchRead(Id::readButton);
        row.before(r);
        r.window.selectedIndex[Id::batchEncoding] = 1;
        r.controller.batchChangeEncoding(Id::batchEncoding);
        EXPECT_EQ(r.window.text[Id::batchInput], row.input);
        EXPECT_EQ(r.window.selectedIndex[Id::batchEncoding], row.chosen);
        EXPECT_EQ(r.window.text[Id::batchSummary], row.summary);
        EXPECT_EQ(r.window.errors.size(), row.errors);
    }
}

}  // namespace
}  // namespace bcfont::app
