#include "RecordingWindow.h"

namespace bcfont::app {
namespace {

std::string name(ControlId id) {
    return std::string(controlName(id));
}
std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

}  // namespace

void RecordingWindow::setStringValue(ControlId field, const std::string& value) {
    log.push_back("setStringValue(" + name(field) + ", " + quoted(value) + ")");
    text[field] = value;
}

std::string RecordingWindow::stringValue(ControlId field) {
    log.push_back("stringValue(" + name(field) + ")");
    return text[field];
}

void RecordingWindow::setEnabled(ControlId control, bool on) {
    log.push_back("setEnabled(" + name(control) + ", " + (on ? "1" : "0") + ")");
    enabled[control] = on;
}

int RecordingWindow::state(ControlId button) {
    log.push_back("state(" + name(button) + ")");
    return states[button];
}

void RecordingWindow::setState(ControlId button, int value) {
    log.push_back("setState(" + name(button) + ", " + std::to_string(value) + ")");
    states[button] = value;
}

int RecordingWindow::indexOfSelectedItem(ControlId selector) {
    log.push_back("indexOfSelectedItem(" + name(selector) + ")");
    return selectedIndex[selector];
}

void RecordingWindow::setString(ControlId view, const std::string& value) {
    log.push_back("setString(" + name(view) + ", " + quoted(value) + ")");
    text[view] = value;
}

std::string RecordingWindow::string(ControlId view) {
    log.push_back("string(" + name(view) + ")");
    return text[view];
}

void RecordingWindow::setFont(ControlId view, const FontRef& font) {
    log.push_back("setFont(" + name(view) + ", " + quoted(font.family) + ", " +
                  std::to_string(font.pointSize) + ")");
    if (view == ControlId::preview) previewFont = font;
}

std::optional<FontRef> RecordingWindow::fontWithName(std::string_view family, int pointSize) {
    log.push_back("fontWithName(" + quoted(std::string(family)) + ", " + std::to_string(pointSize) + ")");
    if (!installedFonts.contains(std::string(family))) return std::nullopt;
    return FontRef{std::string(family), pointSize};
}

void RecordingWindow::setSelectable(ControlId view, bool selectable) {
    log.push_back("setSelectable(" + name(view) + ", " + (selectable ? "1" : "0") + ")");
    if (view == ControlId::preview) previewSelectable = selectable;
}

void RecordingWindow::selectAll(ControlId view) {
    log.push_back("selectAll(" + name(view) + ")");
    // Like a text view, selection needs a selectable view.
    if (view == ControlId::preview && previewSelectable) selected_ = true;
}

void RecordingWindow::copyFont(ControlId view) {
    log.push_back("copyFont(" + name(view) + ")");
    if (selected_) fontClipboard = previewFont;
}

void RecordingWindow::copy(ControlId view) {
    log.push_back("copy(" + name(view) + ")");
    if (selected_) clipboardText = text[view];
}

void RecordingWindow::setSelectedRange(ControlId view, int location, int length) {
    log.push_back("setSelectedRange(" + name(view) + ", " + std::to_string(location) + ", " +
                  std::to_string(length) + ")");
    selected_ = length > 0;
}

void RecordingWindow::print(ControlId view) {
    log.push_back("print(" + name(view) + ")");
    ++printed;
}

void RecordingWindow::orderFrontStandardAboutPanel() {
    log.push_back("orderFrontStandardAboutPanel()");
}

std::string RecordingWindow::homeDirectory() {
    log.push_back("homeDirectory()");
    return "/home/tester";
}

std::optional<std::string> RecordingWindow::runOpenPanel(const std::string& startDirectory) {
    log.push_back("runOpenPanel(" + quoted(startDirectory) + ")");
    openPanelStart = startDirectory;
    return openPanelAnswer;
}

std::optional<std::string> RecordingWindow::runSavePanel() {
    log.push_back("runSavePanel()");
    return savePanelAnswer;
}

FileResult RecordingWindow::readFile(const std::string& path) {
    log.push_back("readFile(" + quoted(path) + ")");
    const auto it = files.find(path);
    if (it == files.end()) return {"", "Could not read \u201C" + path + "\u201D: no such file."};
    return {it->second, ""};
}

FileResult RecordingWindow::writeFileAtomically(const std::string& path, const std::string& bytes) {
    log.push_back("writeFileAtomically(" + quoted(path) + ")");
    if (!writeError.empty()) return {"", writeError};
    files[path] = bytes;
    return {};
}

std::optional<std::string> RecordingWindow::description(std::string_view key) {
    log.push_back("description(" + quoted(std::string(key)) + ")");
    if (descriptions.empty()) return "fact:" + std::string(key);
    const auto it = descriptions.find(key);
    if (it == descriptions.end()) return std::nullopt;
    return it->second;
}

void RecordingWindow::showError(const std::string& message) {
    log.push_back("showError(" + quoted(message) + ")");
    errors.push_back(message);
}

void RecordingWindow::showNotice(const std::string& value) {
    log.push_back("showNotice(" + quoted(value) + ")");
    notice = value;
}

}  // namespace bcfont::app
