// The window port on Qt widgets.
#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <optional>

#include "Descriptions.h"
#include "ExportDialogs.h"
#include "WindowLayout.h"
#include "WindowPort.h"

class QPrinter;

namespace bcfont::app {

class MyApplication;

// The modal dialogs of the window. Tests put in their own.
class DialogProvider {
  public:
    virtual ~DialogProvider() = default;
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& startDirectory) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& startDirectory) = 0;
    // Prepares `printer`; false when the user cancels.
    virtual bool setUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    virtual void error(QWidget* parent, const QString& message) = 0;
    // A yes/no question; true for yes. No by default, the answer that loses nothing.
    virtual bool confirm(QWidget* parent, const QString& question) = 0;
};

// Qt's file dialogs, print dialog and message box.
class QtDialogs : public DialogProvider {
  public:
    std::optional<QString> openFileName(QWidget* parent, const QString& startDirectory) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& startDirectory) override;
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override;
    void error(QWidget* parent, const QString& message) override;
    bool confirm(QWidget* parent, const QString& question) override;
};

class QtWindowPort : public WindowPort {
  public:
    QtWindowPort(QWidget& window, const WindowWidgets& widgets, MyApplication* application);

    void setDialogProvider(std::unique_ptr<DialogProvider> dialogs) { dialogs_ = std::move(dialogs); }
    void setExportDialogs(std::unique_ptr<ExportDialogs> dialogs) { exportDialogs_ = std::move(dialogs); }

    void setStringValue(ControlId field, const std::string& text) override;
    std::string stringValue(ControlId field) override;
    void setEnabled(ControlId control, bool enabled) override;
    int state(ControlId button) override;
    void setState(ControlId button, int state) override;
    int indexOfSelectedItem(ControlId selector) override;
    void selectItem(ControlId selector, int index) override;
    void setHidden(ControlId control, bool hidden) override;
    void setToolTip(ControlId control, const std::string& text) override;
    void setPlaceholder(ControlId field, const std::string& text) override;
    void setItems(ControlId list, const std::vector<std::string>& items) override;
    void selectLine(ControlId view, std::uint64_t line) override;
    bool fontsReachOtherPrograms() override;
    Installed installFontsForOtherPrograms() override;
    void setString(ControlId view, const std::string& text) override;
    std::string string(ControlId view) override;
    void setFont(ControlId view, const FontRef& font) override;
    std::optional<FontRef> fontWithName(std::string_view family, int pointSize) override;
    void setSelectable(ControlId view, bool selectable) override;
    void selectAll(ControlId view) override;
    void copyFont(ControlId view) override;
    void copy(ControlId view) override;
    void setSelectedRange(ControlId view, int location, int length) override;
    bool print(ControlId view) override;
    void orderFrontStandardAboutPanel() override;
    std::string homeDirectory() override;
    std::optional<std::string> runOpenPanel(const std::string& startDirectory) override;
    std::optional<std::string> runSavePanel(const std::string& startDirectory) override;
    std::optional<std::string> runExportPanel() override;
    std::optional<int> runResolutionPanel(int defaultDpi, int minDpi, int maxDpi) override;
    FileResult readFile(const std::string& path) override;
    FileResult writeFileAtomically(const std::string& path, const std::string& bytes) override;
    std::string writeProtection(const std::string& path) override;
    bool confirm(const std::string& question) override;
    std::optional<std::string> description(std::string_view key) override;
    std::string translate(const char* scope, const char* text) override;
    void showError(const std::string& message) override;
    void showNotice(const std::string& text) override;
    void showStatus(const std::string& text) override;
    void showHumanReadable(const std::string& text, const std::string& titles) override;

  private:
    QWidget* widget(ControlId id) const;
    QPlainTextEdit* textView(ControlId id) const;

    QWidget& window_;
    WindowWidgets w_;
    MyApplication* application_;
    std::unique_ptr<DialogProvider> dialogs_;
    std::unique_ptr<ExportDialogs> exportDialogs_;
    Descriptions descriptions_;
    std::optional<QFont> copiedFont_;  // stands in for the font clipboard
};

// The clipboard formats of a copied font string: plain text, and HTML and
// RTF that name the font so word processors keep the barcode font.
QString htmlForFontString(const QString& text, const std::optional<QFont>& font);
QByteArray rtfForFontString(const QString& text, const std::optional<QFont>& font);

}  // namespace bcfont::app
