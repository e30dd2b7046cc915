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
    // What the window answers.
    std::map<ControlId, std::string> text;  // fields and views; the setters write here too
    std::map<ControlId, int> states;
    std::map<ControlId, bool> enabled;
    std::map<ControlId, int> selectedIndex;
    std::set<std::string> installedFonts = {"Code EAN",
                                            "Code EAN Red",
                                            "Code UPC",
                                            "Code UPC Red",
                                            "Code 39",
                                            "Code 39 Red",
                                            "Code 39 High Density",
                                            "Code 39 Red High Density",
                                            "Code 128",
                                            "Code 128 Red",
                                            "Code 25 Interleaved",
                                            "Code 25 Interleaved Red",
                                            "Code 25 Interleaved HD",
                                            "Code 25 Interleaved Red HD",
                                            "Code 25 Industrial",
                                            "Code 25 Industrial Red",
                                            "Codabar",
                                            "Codabar Red",
                                            "Postnet"};
    std::map<std::string, std::string, std::less<>> descriptions;  // empty: every key answers "fact:<key>"
    std::optional<std::string> openPanelAnswer;
    std::optional<std::string> savePanelAnswer;
    std::map<std::string, std::string> files;  // path -> bytes; readFile fails for others
    std::string writeError;                    // when set, every write fails with it

    // What the window was told.
    std::vector<std::string> log;
    std::optional<FontRef> previewFont;
    std::vector<std::string> errors;
    std::string notice;
    std::string openPanelStart;
    bool previewSelectable = false;
    std::string clipboardText;
    std::optional<FontRef> fontClipboard;
    int printed = 0;

    void setStringValue(ControlId field, const std::string& value) override;
    std::string stringValue(ControlId field) override;
    void setEnabled(ControlId control, bool on) override;
    int state(ControlId button) override;
    void setState(ControlId button, int value) override;
    int indexOfSelectedItem(ControlId selector) override;
    void setString(ControlId view, const std::string& value) override;
    std::string string(ControlId view) override;
    void setFont(ControlId view, const FontRef& font) override;
    std::optional<FontRef> fontWithName(std::string_view family, int pointSize) override;
    void setSelectable(ControlId view, bool selectable) override;
    void selectAll(ControlId view) override;
    void copyFont(ControlId view) override;
    void copy(ControlId view) override;
    void setSelectedRange(ControlId view, int location, int length) override;
    void print(ControlId view) override;
    void orderFrontStandardAboutPanel() override;
    std::string homeDirectory() override;
    std::optional<std::string> runOpenPanel(const std::string& startDirectory) override;
    std::optional<std::string> runSavePanel() override;
    FileResult readFile(const std::string& path) override;
    FileResult writeFileAtomically(const std::string& path, const std::string& bytes) override;
    std::optional<std::string> description(std::string_view key) override;
    void showError(const std::string& message) override;
    void showNotice(const std::string& value) override;

  private:
    bool selected_ = false;
};

// Reads the controller's private state.
struct BCControllerProbe {
    static const std::string& data(const BCController& c) { return c.dataToEncodeString; }
    static const std::string& addonText(const BCController& c) { return c.addonString; }
    static const std::string& converted(const BCController& c) { return c.convertedString; }
    static std::int32_t code(const BCController& c) { return c.iCode; }
    static std::int32_t batchCode(const BCController& c) { return c.iBatchCode; }
    static BOOL halfHeight(const BCController& c) { return c.bHALFHEIGHT; }
    static BOOL checksum(const BCController& c) { return c.bCHECKSUM; }
    static BOOL batchChecksum(const BCController& c) { return c.bBATCHCHECKSUM; }
    static BOOL highDensity(const BCController& c) { return c.bHIGHDENSITY; }
    static BOOL addon2(const BCController& c) { return c.bADDON2; }
    static BOOL addon5(const BCController& c) { return c.bADDON5; }
};

}  // namespace bcfont::app
