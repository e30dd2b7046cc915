// A stand-in for the window: logs every call the controller makes, in order,
// and answers from values the test sets.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "BCController.h"
#include "WindowPort.h"

namespace bcfont::app {

class RecordingWindow : public WindowPort {
  public:
    // What the window answers; the setters write into `text` and `states` too.
    std::map<ControlId, std::string> text;
    std::map<ControlId, int> states;
    std::map<ControlId, bool> enabled;
    std::map<ControlId, int> selectedIndex;
    std::set<std::string, std::less<>> missingFonts;               // every other family is installed
    std::map<std::string, std::string, std::less<>> descriptions;  // empty: "fact:<key>" for every key
    std::optional<std::string> openPanelAnswer, savePanelAnswer;
    std::optional<std::string> exportPanelAnswer;
    std::optional<int> resolutionAnswer;
    std::map<std::string, std::string> files;  // path -> bytes; reading any other path fails
    std::string writeError;                    // when set, every write fails with it

    // What the window was told.
    std::vector<std::string> log;
    std::optional<FontRef> previewFont, fontClipboard;
    std::vector<std::string> errors;
    std::string notice, clipboardText;
    bool previewSelectable = false;

    void setStringValue(ControlId f, const std::string& v) override {
        note("setStringValue", f, q(v)), text[f] = v;
    }
    std::string stringValue(ControlId f) override { return note("stringValue", f), text[f]; }
    void setEnabled(ControlId c, bool on) override { note("setEnabled", c, on ? "1" : "0"), enabled[c] = on; }
    int state(ControlId b) override { return note("state", b), states[b]; }
    void setState(ControlId b, int v) override { note("setState", b, std::to_string(v)), states[b] = v; }
    int indexOfSelectedItem(ControlId s) override { return note("indexOfSelectedItem", s), selectedIndex[s]; }
    void setString(ControlId v, const std::string& s) override { note("setString", v, q(s)), text[v] = s; }
    std::string string(ControlId v) override { return note("string", v), text[v]; }
    void setFont(ControlId v, const FontRef& f) override {
        note("setFont", v, q(f.family) + ", " + std::to_string(f.pointSize));
        previewFont = f;
    }
    std::optional<FontRef> fontWithName(std::string_view family, int size) override {
        log.push_back("fontWithName(" + q(std::string(family)) + ", " + std::to_string(size) + ")");
        if (missingFonts.contains(family)) return std::nullopt;
        return FontRef{std::string(family), size};
    }
    void setSelectable(ControlId v, bool on) override {
        note("setSelectable", v, on ? "1" : "0"), previewSelectable = on;
    }
    // Like a text view: only a selectable view can be selected.
    void selectAll(ControlId v) override { note("selectAll", v), selected_ = previewSelectable; }
    void copyFont(ControlId v) override {
        note("copyFont", v), fontClipboard = selected_ ? previewFont : std::nullopt;
    }
    void copy(ControlId v) override { note("copy", v), clipboardText = selected_ ? text[v] : ""; }
    void setSelectedRange(ControlId v, int at, int length) override {
        note("setSelectedRange", v, std::to_string(at) + ", " + std::to_string(length)),
            selected_ = length > 0;
    }
    void print(ControlId v) override { note("print", v); }
    void orderFrontStandardAboutPanel() override { log.push_back("orderFrontStandardAboutPanel()"); }
    std::string homeDirectory() override { return log.push_back("homeDirectory()"), "/home/tester"; }
    std::optional<std::string> runOpenPanel(const std::string& start) override {
        return log.push_back("runOpenPanel(" + q(start) + ")"), openPanelAnswer;
    }
    std::optional<std::string> runSavePanel() override {
        return log.push_back("runSavePanel()"), savePanelAnswer;
    }
    std::optional<std::string> runExportPanel() override {
        return log.push_back("runExportPanel()"), exportPanelAnswer;
    }
    std::optional<int> runResolutionPanel(int dpi, int min, int max) override {
        log.push_back("runResolutionPanel(" + std::to_string(dpi) + ", " + std::to_string(min) + ", " +
                      std::to_string(max) + ")");
        return resolutionAnswer;
    }
    FileResult readFile(const std::string& path) override {
        log.push_back("readFile(" + q(path) + ")");
        const auto it = files.find(path);
        if (it == files.end()) return {"", "Could not read \u201C" + path + "\u201D: no such file."};
        return {it->second, ""};
    }
    FileResult writeFileAtomically(const std::string& path, const std::string& bytes) override {
        log.push_back("writeFileAtomically(" + q(path) + ")");
        if (!writeError.empty()) return {"", writeError};
        files[path] = bytes;
        return {};
    }
    std::optional<std::string> description(std::string_view key) override {
        log.push_back("description(" + q(std::string(key)) + ")");
        if (descriptions.empty()) return "fact:" + std::string(key);
        const auto it = descriptions.find(key);
        if (it == descriptions.end()) return std::nullopt;
        return it->second;
    }
    void showError(const std::string& m) override {
        log.push_back("showError(" + q(m) + ")"), errors.push_back(m);
    }
    void showNotice(const std::string& t) override { log.push_back("showNotice(" + q(t) + ")"), notice = t; }

  private:
    static std::string q(const std::string& s) { return "\"" + s + "\""; }
    void note(const char* op, ControlId id, const std::string& args = "") {
        log.push_back(std::string(op) + "(" + std::string(controlName(id)) +
                      (args.empty() ? "" : ", " + args) + ")");
    }
    bool selected_ = false;
};

// Reads the controller's private state.
struct BCControllerProbe {
    static const std::string& data(const BCController& c) { return c.dataToEncodeString; }
    static const std::string& addonText(const BCController& c) { return c.addonString; }
    static const std::string& converted(const BCController& c) { return c.convertedString; }
    static BOOL halfHeight(const BCController& c) { return c.bHALFHEIGHT; }
    static BOOL checksum(const BCController& c) { return c.bCHECKSUM; }
    static BOOL batchChecksum(const BCController& c) { return c.bBATCHCHECKSUM; }
    static BOOL highDensity(const BCController& c) { return c.bHIGHDENSITY; }
    static BOOL addon2(const BCController& c) { return c.bADDON2; }
    static BOOL addon5(const BCController& c) { return c.bADDON5; }
};

}  // namespace bcfont::app
