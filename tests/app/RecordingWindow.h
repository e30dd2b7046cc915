// A stand-in for the window: logs every call the controller makes, in order,
// as one compact line such as `setEnabled(addonText,0)`, and answers from
// values the test sets.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "BCController.h"
#include "WindowPort.h"

namespace bcfont::app {

using Log = std::vector<std::string>;

class RecordingWindow : public WindowPort {
  public:
    // What the window answers; the setters write into `text`, `states` and `enabled` too.
    std::map<ControlId, std::string> text;
    std::map<ControlId, int> states, selectedIndex;
    std::map<ControlId, bool> enabled, hidden;
    std::map<ControlId, std::vector<std::string>> items;
    std::map<ControlId, std::string> toolTips;
    bool fontsInstalled = true;                              // whether other programs find the faces
    std::string installError;                                // when set, installing the faces fails with it
    std::set<std::string, std::less<>> missingFonts;         // every other family is installed
    std::set<std::string, std::less<>> missingDescriptions;  // every other key reads "fact:<key>"
    std::optional<std::string> openPanelAnswer, savePanelAnswer, exportPanelAnswer;
    std::optional<int> resolutionAnswer;
    std::map<std::string, std::string> files;  // path -> bytes; reading any other path fails
    std::string writeError;                    // when set, every write fails with it
    std::set<std::string, std::less<>> protectedFiles;  // write-protected paths
    bool confirmAnswer = false;

    // What the window was told; a message goes to `errors`, not to the log.
    Log log, errors;
    std::optional<FontRef> previewFont;
    std::string notice, status;
    std::string humanReadable, titles;

    template <class... Args>
    void record(const std::string& operation, const Args&... args) {
        std::string list;
        ((list += "," + logged(args)), ...);
        log.push_back(operation + "(" + (list.empty() ? list : list.substr(1)) + ")");
    }

    // clang-format off
    void setStringValue(ControlId f, const std::string& v) override { record("setStringValue", f, v), text[f] = v; }
    std::string stringValue(ControlId f) override { return record("stringValue", f), text[f]; }
    void setEnabled(ControlId c, bool on) override { record("setEnabled", c, on), enabled[c] = on; }
    int state(ControlId b) override { return record("state", b), states[b]; }
    void setState(ControlId b, int v) override { record("setState", b, v), states[b] = v; }
    int indexOfSelectedItem(ControlId s) override { return record("indexOfSelectedItem", s), selectedIndex[s]; }
    void selectItem(ControlId s, int i) override { record("selectItem", s, i), selectedIndex[s] = i; }
    void setHidden(ControlId c, bool on) override { record("setHidden", c, on), hidden[c] = on; }
    // Kept, not logged: a tooltip changes nothing the window shows at once.
    void setToolTip(ControlId c, const std::string& t) override { toolTips[c] = t; }
    void setItems(ControlId l, const std::vector<std::string>& v) override { record("setItems", l, int(v.size())), items[l] = v; }
    void selectLine(ControlId v, std::uint64_t line) override { record("selectLine", v, int(line)); }
    bool fontsReachOtherPrograms() override { return record("fontsReachOtherPrograms"), fontsInstalled; }
    Installed installFontsForOtherPrograms() override {
        record("installFontsForOtherPrograms");
        if (installError.empty()) fontsInstalled = true;
        return {"/home/tester/.local/share/fonts/bcfont", installError};
    }
    void setString(ControlId v, const std::string& s) override { record("setString", v, s), text[v] = s; }
    std::string string(ControlId v) override { return record("string", v), text[v]; }
    void setFont(ControlId v, const FontRef& f) override { record("setFont", v, f), previewFont = f; }
    std::optional<FontRef> fontWithName(std::string_view family, int size) override {
        record("fontWithName", family, size);
        return missingFonts.contains(family) ? std::nullopt : std::optional(FontRef{std::string(family), size});
    }
    void setSelectable(ControlId v, bool on) override { record("setSelectable", v, on); }
    void selectAll(ControlId v) override { record("selectAll", v); }
    void copyFont(ControlId v) override { record("copyFont", v); }
    void copy(ControlId v) override { record("copy", v); }
    void setSelectedRange(ControlId v, int at, int n) override { record("setSelectedRange", v, at, n); }
    bool print(ControlId v) override { return record("print", v), true; }
    void orderFrontStandardAboutPanel() override { record("orderFrontStandardAboutPanel"); }
    std::string homeDirectory() override { return record("homeDirectory"), "/home/tester"; }
    std::optional<std::string> runOpenPanel(const std::string& start) override { return record("runOpenPanel", start), openPanelAnswer; }
    std::optional<std::string> runSavePanel(const std::string& start) override { return record("runSavePanel", start), savePanelAnswer; }
    std::optional<std::string> runExportPanel() override { return record("runExportPanel"), exportPanelAnswer; }
    std::optional<int> runResolutionPanel(int dpi, int min, int max) override { return record("runResolutionPanel", dpi, min, max), resolutionAnswer; }
    FileResult readFile(const std::string& path) override {
        record("readFile", path);
        if (files.contains(path)) return {files[path], ""};
        return {"", "Could not read \u201C" + path + "\u201D: no such file."};
    }
    std::string writeProtection(const std::string& path) override {
        return record("writeProtection", path), protectedFiles.contains(path) ? "it is write-protected (mode 0444)" : "";
    }
    bool confirm(const std::string& question) override { return record("confirm", question), confirmAnswer; }
    FileResult writeFileAtomically(const std::string& path, const std::string& bytes) override {
        record("writeFileAtomically", path);
        if (writeError.empty()) files[path] = bytes;
        return {"", writeError};
    }
    std::optional<std::string> description(std::string_view key) override {
        record("description", key);
        return missingDescriptions.contains(key) ? std::nullopt : std::optional("fact:" + std::string(key));
    }
    // English, but for the language tag, which a test may set to "de".
    std::string translate(const char* scope, const char* text) override {
        return std::string_view(scope) == "Language" ? language : text;
    }
    std::string language = "en";
    void showError(const std::string& m) override { record("showError"), errors.push_back(m); }
    void showNotice(const std::string& t) override { record("showNotice", t), notice = t; }
    void showStatus(const std::string& t) override { record("showStatus", t), status = t; }
    void showHumanReadable(const std::string& t, const std::string& titles) override {
        record("showHumanReadable", t, titles), humanReadable = t, this->titles = titles;
    }
    // clang-format on

  private:
    static std::string logged(ControlId id) { return std::string(controlName(id)); }
    static std::string logged(std::string_view text) { return "\"" + std::string(text) + "\""; }
    static std::string logged(int number) { return std::to_string(number); }
    static std::string logged(const FontRef& font) {
        return logged(font.family) + "," + logged(font.pointSize);
    }
};

// The controller's private state, as member pointers: `controller.*Probe::checksum`.
struct BCControllerProbe {
    using Flag = BOOL BCController::*;
    static constexpr Flag checksum = &BCController::bCHECKSUM, batchChecksum = &BCController::bBATCHCHECKSUM,
                          halfHeight = &BCController::bHALFHEIGHT, highDensity = &BCController::bHIGHDENSITY;
    using Text = std::string BCController::*;
    static constexpr Text data = &BCController::dataToEncodeString, addon = &BCController::addonString,
                          converted = &BCController::convertedString;
};

// A started controller on a recording window, with the user's gestures.
struct Rig {
    RecordingWindow window;
    Converter converter;
    BCController controller{window, converter};

    // clang-format off
    Rig() { controller.awakeFromNib(), window.log.clear(); }
    void type(ControlId field, const std::string& text) { window.text[field] = text, controller.controlTextDidChange(field); }
    void type(const std::string& data) { type(ControlId::dataToEncode, data); }
    void choose(CodeType type) { window.selectedIndex[ControlId::codeSelector] = type, controller.changeCode(ControlId::codeSelector); }
    void chooseBatch(CodeType type) { window.selectedIndex[ControlId::batchCodeSelector] = type, controller.changeCodeBatch(ControlId::batchCodeSelector); }
    // Sets a check box and sends its action from another control, ticked the
    // other way: an action reads its own box, never the sender's.
    void tick(ControlId box, int state) {
        const ControlId sender = ControlId::facts;
        window.states[box] = state, window.states[sender] = !state;
        if (box == ControlId::checksum) controller.changeChecksum(sender);
        if (box == ControlId::halfHeight) controller.changeHalfheight(sender);
        if (box == ControlId::highDensity) controller.changeHighdensity(sender);
        if (box == ControlId::batchChecksum) controller.batchChangeChecksum(sender);
    }
    // clang-format on
};

// EAN-13 data with a 5-digit add-on typed, the log cleared.
inline void holdFiveDigitAddon(Rig& r) {
    r.choose(EAN13);
    r.type("400638133393");
    r.controller.changeAddon5(ControlId::addon5);
    r.type(ControlId::addonText, "52495");
    r.window.log.clear();
}

}  // namespace bcfont::app
