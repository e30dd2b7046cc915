// The window as the controller sees it: the few operations it needs of the
// toolkit, with no toolkit type in sight. The Qt window implements it for
// real; the tests implement it with a recorder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bcfont::app {

// The controls the controller talks to. The first sixteen outlets of the
// controller hold these ids; the two selectors are the senders of the
// symbology actions.
enum class ControlId {
    addon,         // the radio group of the three add-on choices
    addonText,     // the add-on digits
    addon2,        // radio: 2-digit add-on
    addon5,        // radio: 5-digit add-on
    addonNothing,  // radio: no add-on
    batchChecksum,
    batchInput,
    batchOutput,
    checksum,
    convertString,  // the font string as plain text, or "n/a"
    dataToEncode,
    facts,  // the description of the chosen symbology
    halfHeight,
    highDensity,
    preview,  // the font string set in the barcode font
    codeSelector,
    batchCodeSelector,
    readButton,
    convertButton,
    saveButton,
    batchAlign,       // check box: one output line per input line
    batchEncoding,    // selector: 0 Mac OS Roman, 1 UTF-8
    batchSummary,     // "converted N of M lines"
    batchRejections,  // list: the rejected lines with their numbers and reasons
    batchNotice,      // the batch options' warning line
    installFonts,     // button: install the faces for other programs
    typeOptions,      // the 2D options after the type's name: "ecc=H,version=5"
};

std::string_view controlName(ControlId id);

// A font the port found installed: exactly this family at this size.
struct FontRef {
    std::string family;
    int pointSize = 0;
    friend bool operator==(const FontRef&, const FontRef&) = default;
};

// The outcome of a file operation: empty `error` means it worked.
struct FileResult {
    std::string bytes;  // what was read (reads only)
    std::string error;  // a sentence for the user, naming the file and the cause
};

// Every text crossing the port is UTF-8. Font strings and batch files are
// turned into text through the Mac OS Roman table, one character per byte.
class WindowPort {
  public:
    virtual ~WindowPort() = default;

    // Fields (single-line text).
    virtual void setStringValue(ControlId field, const std::string& text) = 0;
    virtual std::string stringValue(ControlId field) = 0;

    // Any control.
    virtual void setEnabled(ControlId control, bool enabled) = 0;

    // Check boxes and radio buttons: 1 ticked or selected, 0 clear.
    virtual int state(ControlId button) = 0;
    virtual void setState(ControlId button, int state) = 0;

    // Symbology selectors: the 0-based index of the chosen entry.
    virtual int indexOfSelectedItem(ControlId selector) = 0;
    virtual void selectItem(ControlId selector, int index) = 0;

    // The text shown when the pointer rests on a control.
    virtual void setToolTip(ControlId control, const std::string& text) = 0;
    // The grey hint an empty field shows.
    virtual void setPlaceholder(ControlId /*field*/, const std::string& /*text*/) {}

    // Shows or hides a control.
    virtual void setHidden(ControlId control, bool hidden) = 0;

    // Lists: replaces the entries; selecting line `line` (1-based) of a text view.
    virtual void setItems(ControlId list, const std::vector<std::string>& items) = 0;
    virtual void selectLine(ControlId view, std::uint64_t line) = 0;

    // Multi-line text views.
    virtual void setString(ControlId view, const std::string& text) = 0;
    virtual std::string string(ControlId view) = 0;
    virtual void setFont(ControlId view, const FontRef& font) = 0;

    // The installed font with exactly this family name (no substitution) at
    // this size, or nothing.
    virtual std::optional<FontRef> fontWithName(std::string_view family, int pointSize) = 0;

    // Selection and clipboards of a text view.
    virtual void setSelectable(ControlId view, bool selectable) = 0;
    virtual void selectAll(ControlId view) = 0;
    virtual void copyFont(ControlId view) = 0;
    virtual void copy(ControlId view) = 0;
    virtual void setSelectedRange(ControlId view, int location, int length) = 0;
    // True when it went to the printer, false when the user cancelled.
    virtual bool print(ControlId view) = 0;

    // The application object's about panel.
    virtual void orderFrontStandardAboutPanel() = 0;

    // Modal panels: the chosen path, or nothing on cancel.
    virtual std::string homeDirectory() = 0;
    virtual std::optional<std::string> runOpenPanel(const std::string& startDirectory) = 0;
    virtual std::optional<std::string> runSavePanel(const std::string& startDirectory) = 0;
    // The file to export the preview to, its extension naming the format.
    virtual std::optional<std::string> runExportPanel() = 0;
    // A PNG resolution in dots per inch, offered from `defaultDpi`.
    virtual std::optional<int> runResolutionPanel(int defaultDpi, int minDpi, int maxDpi) = 0;

    // Whole files as bytes; the write replaces the file atomically or not at all.
    virtual FileResult readFile(const std::string& path) = 0;
    virtual FileResult writeFileAtomically(const std::string& path, const std::string& bytes) = 0;
    // Why the existing file `path` must not be replaced unasked ("it is
    // write-protected (mode 0444)"); empty when it may be.
    virtual std::string writeProtection(const std::string& path) = 0;
    // A modal yes/no question; true for yes.
    virtual bool confirm(const std::string& question) = 0;

    // The description text stored under `key` in the user's language, or
    // nothing when there is none.
    virtual std::optional<std::string> description(std::string_view key) = 0;

    // Whether programs other than this one (through fontconfig) find
    // bcfont's faces; copying the faces there for the user, with the folder
    // they went to or why not.
    virtual bool fontsReachOtherPrograms() = 0;
    struct Installed {
        std::string folder;
        std::string error;  // empty: installed
    };
    virtual Installed installFontsForOtherPrograms() = 0;

    // `text` (English, from NoticeTexts.h) in the user's language; `scope`
    // groups the texts for the translators.
    virtual std::string translate(const char* scope, const char* text) = 0;

    // A modal message for a failure the user has to know about.
    virtual void showError(const std::string& message) = 0;
    // A passing confirmation in the status bar ("saved 20 lines to …").
    virtual void showStatus(const std::string& text) = 0;
    // The one-line notice under the preview; empty hides it.
    virtual void showNotice(const std::string& text) = 0;
    // Under the preview: the text a label prints under the bars (empty for
    // rejected data) and, when not empty, what the data's elements mean.
    virtual void showHumanReadable(const std::string& text, const std::string& titles) = 0;
};

}  // namespace bcfont::app
