#include "QtWindowPort.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QStatusBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "BatchFiles.h"
#include "FontLoader.h"
#include "MyApplication.h"
#include "paths.h"

namespace bcfont::app {
namespace {

QString qs(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Text documents keep their own block and line separators; the controller
// sees LF, like every other text.
QString withLineFeeds(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// `text` with all but every 128th line end turned into line separators: the
// view shows the same lines, and reading it back (withLineFeeds) gives the
// same text.
QString inBlocksOfLines(QString text) {
    constexpr int kLinesPerBlock = 128;
    int inBlock = 0;
    for (QChar& c : text) {
        if (c != QLatin1Char('\n')) continue;
        if (++inBlock == kLinesPerBlock) {
            inBlock = 0;
            continue;
        }
        c = QChar::LineSeparator;
    }
    return text;
}

QByteArray rtfEscaped(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\n') {
            // A line break, not a paragraph: no paragraph spacing between a 2D symbol's lines.
            out += "\\line ";
        } else if (u < 0x80) {
            out += char(u);
        } else {
            // RTF wants the code unit as a signed 16-bit number and a fallback character.
            out += "\\u" + QByteArray::number(static_cast<int>(static_cast<std::int16_t>(u))) + '?';
        }
    }
    return out;
}

}  // namespace

QString htmlForFontString(const QString& text, const std::optional<QFont>& font) {
    QString style;
    if (font)
        style = QStringLiteral("font-family:'%1'; font-size:%2pt; ")
                    .arg(font->family().toHtmlEscaped(), QString::number(font->pointSize()));
    // A 2D symbol's lines must touch: one paragraph with no margin and lines
    // exactly one em apart (Writer adds leading to anything else, and a
    // paragraph a line doubles the pitch). Its letters hold no spaces to collapse.
    if (text.contains(QLatin1Char('\n')))
        return QStringLiteral(
                   "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
                   "<p style=\"margin:0; line-height:100%; %1\">%2</p></body></html>")
            .arg(style.trimmed(), text.toHtmlEscaped().split(QLatin1Char('\n')).join(QStringLiteral("<br>")));
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
               "<span style=\"%1white-space:pre\">%2</span></body></html>")
        .arg(style, text.toHtmlEscaped());
}

QByteArray rtfForFontString(const QString& text, const std::optional<QFont>& font) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil ";
    rtf += font ? rtfEscaped(font->family()) : QByteArray("Helvetica");
    rtf += ";}}\\f0";
    if (font) rtf += "\\fs" + QByteArray::number(font->pointSize() * 2);
    rtf += ' ';
    rtf += rtfEscaped(text);
    rtf += "}";
    return rtf;
}

std::optional<QString> QtDialogs::openFileName(QWidget* parent, const QString& startDirectory) {
    const QString name =
        QFileDialog::getOpenFileName(parent, QObject::tr("Read Batch Input"), startDirectory);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* parent, const QString& startDirectory) {
    const QString name =
        QFileDialog::getSaveFileName(parent, QObject::tr("Save Batch Output"), startDirectory);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool QtDialogs::setUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::error(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QObject::tr("bcfont"), message);
}

bool QtDialogs::confirm(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QObject::tr("bcfont"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QtWindowPort::QtWindowPort(QWidget& window, const WindowWidgets& widgets, MyApplication* application)
    : window_(window),
      w_(widgets),
      application_(application),
      dialogs_(std::make_unique<QtDialogs>()),
      exportDialogs_(std::make_unique<QtExportDialogs>()) {}

QWidget* QtWindowPort::widget(ControlId id) const {
    switch (id) {
        case ControlId::addon:
            return w_.addon;
        case ControlId::addonText:
            return w_.addonText;
        case ControlId::addon2:
            return w_.addon2;
        case ControlId::addon5:
            return w_.addon5;
        case ControlId::addonNothing:
            return w_.addonNothing;
        case ControlId::batchChecksum:
            return w_.batchChecksum;
        case ControlId::batchInput:
            return w_.batchInput;
        case ControlId::batchOutput:
            return w_.batchOutput;
        case ControlId::checksum:
            return w_.checksum;
        case ControlId::convertString:
            return w_.convertString;
        case ControlId::dataToEncode:
            return w_.dataToEncode;
        case ControlId::facts:
            return w_.facts;
        case ControlId::halfHeight:
            return w_.halfHeight;
        case ControlId::highDensity:
            return w_.highDensity;
        case ControlId::preview:
            return w_.preview;
        case ControlId::codeSelector:
            return w_.codeSelector;
        case ControlId::batchCodeSelector:
            return w_.batchCodeSelector;
        case ControlId::readButton:
            return w_.readButton;
        case ControlId::convertButton:
            return w_.convertButton;
        case ControlId::saveButton:
            return w_.saveButton;
        case ControlId::batchAlign:
            return w_.batchAlign;
        case ControlId::batchEncoding:
            return w_.batchEncoding;
        case ControlId::batchSummary:
            return w_.batchSummary;
        case ControlId::batchRejections:
            return w_.batchRejections;
        case ControlId::batchNotice:
            return w_.batchNotice;
        case ControlId::installFonts:
            return w_.installFontsButton;
        case ControlId::typeOptions:
            return w_.typeOptions;
    }
    return nullptr;
}

QPlainTextEdit* QtWindowPort::textView(ControlId id) const {
    return qobject_cast<QPlainTextEdit*>(widget(id));
}

void QtWindowPort::setStringValue(ControlId field, const std::string& text) {
    QWidget* w = widget(field);
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->setText(qs(text));
    if (auto* label = qobject_cast<QLabel*>(w)) label->setText(qs(text));
}

std::string QtWindowPort::stringValue(ControlId field) {
    QWidget* w = widget(field);
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
    return {};
}

void QtWindowPort::setEnabled(ControlId control, bool enabled) {
    if (QWidget* w = widget(control)) w->setEnabled(enabled);
    // The Batch menu's Save… is the same command as the button.
    if (control == ControlId::saveButton) w_.saveAction->setEnabled(enabled);
}

int QtWindowPort::state(ControlId button) {
    auto* b = qobject_cast<QAbstractButton*>(widget(button));
    return b != nullptr && b->isChecked() ? 1 : 0;
}

void QtWindowPort::setState(ControlId button, int state) {
    if (auto* b = qobject_cast<QAbstractButton*>(widget(button))) b->setChecked(state != 0);
}

int QtWindowPort::indexOfSelectedItem(ControlId selector) {
    auto* box = qobject_cast<QComboBox*>(widget(selector));
    return box != nullptr ? box->currentIndex() : -1;
}

void QtWindowPort::selectItem(ControlId selector, int index) {
    if (auto* box = qobject_cast<QComboBox*>(widget(selector))) box->setCurrentIndex(index);
}

void QtWindowPort::setPlaceholder(ControlId field, const std::string& text) {
    if (auto* line = qobject_cast<QLineEdit*>(widget(field))) line->setPlaceholderText(qs(text));
}

void QtWindowPort::setHidden(ControlId control, bool hidden) {
    if (QWidget* w = widget(control)) w->setHidden(hidden);
}

void QtWindowPort::setToolTip(ControlId control, const std::string& text) {
    if (QWidget* w = widget(control)) w->setToolTip(qs(text));
}

void QtWindowPort::setItems(ControlId list, const std::vector<std::string>& items) {
    auto* view = qobject_cast<QListWidget*>(widget(list));
    if (view == nullptr) return;
    view->clear();
    for (const auto& item : items) view->addItem(qs(item));
    view->setHidden(items.empty());
}

void QtWindowPort::selectLine(ControlId view, std::uint64_t line) {
    auto* v = textView(view);
    if (v == nullptr || line == 0) return;
    const QTextBlock block = v->document()->findBlockByNumber(static_cast<int>(line - 1));
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    v->setTextCursor(cursor);
    v->centerCursor();
    v->setFocus();
}

bool QtWindowPort::fontsReachOtherPrograms() {
    return fontsFoundByFontconfig();
}

WindowPort::Installed QtWindowPort::installFontsForOtherPrograms() {
    const QString folder = userFontFolder();
    return {folder.toStdString(), installFontsInto(loadedFontDirectory(), folder).toStdString()};
}

void QtWindowPort::setString(ControlId view, const std::string& text) {
    auto* v = textView(view);
    if (v == nullptr) return;
    // One call for the whole text: a 100,000-line batch is laid out once,
    // in blocks of lines, as a document with a block per line is ten times
    // slower to build.
    v->setPlainText(view == ControlId::batchOutput ? inBlocksOfLines(qs(text)) : qs(text));
}

std::string QtWindowPort::string(ControlId view) {
    auto* v = textView(view);
    if (v == nullptr) return {};
    // toPlainText() would turn no-break spaces (a Mac OS Roman character) into spaces.
    return withLineFeeds(v->document()->toRawText()).toStdString();
}

void QtWindowPort::setFont(ControlId view, const FontRef& font) {
    QWidget* w = widget(view);
    if (w == nullptr) return;
    QFont f(qs(font.family));
    f.setPointSize(font.pointSize);
    w->setFont(f);
}

std::optional<FontRef> QtWindowPort::fontWithName(std::string_view family, int pointSize) {
    const QString name = QString::fromUtf8(family.data(), qsizetype(family.size()));
    if (!QFontDatabase::families().contains(name)) return std::nullopt;
    return FontRef{std::string(family), pointSize};
}

void QtWindowPort::setSelectable(ControlId view, bool selectable) {
    if (auto* v = textView(view))
        v->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                              : Qt::NoTextInteraction);
}

void QtWindowPort::selectAll(ControlId view) {
    if (auto* v = textView(view)) v->selectAll();
}

void QtWindowPort::copyFont(ControlId view) {
    auto* v = textView(view);
    if (v == nullptr || !v->textCursor().hasSelection()) return;
    copiedFont_ = v->font();
}

void QtWindowPort::copy(ControlId view) {
    auto* v = textView(view);
    if (v == nullptr) return;
    const QString text = withLineFeeds(v->textCursor().selectedText());
    // Nothing selected (an empty preview): the clipboard keeps what it had.
    if (text.isEmpty()) return;
    auto* mime = new QMimeData;
    mime->setText(text);
    mime->setHtml(htmlForFontString(text, copiedFont_));
    const QByteArray rtf = rtfForFontString(text, copiedFont_);
    mime->setData(QStringLiteral("text/rtf"), rtf);
    mime->setData(QStringLiteral("application/rtf"), rtf);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void QtWindowPort::setSelectedRange(ControlId view, int location, int length) {
    auto* v = textView(view);
    if (v == nullptr) return;
    QTextCursor cursor = v->textCursor();
    const int end = v->document()->characterCount() - 1;
    cursor.setPosition(std::clamp(location, 0, end));
    cursor.setPosition(std::clamp(location + length, 0, end), QTextCursor::KeepAnchor);
    v->setTextCursor(cursor);
}

bool QtWindowPort::print(ControlId view) {
    auto* v = textView(view);
    if (v == nullptr) return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("bcfont"));
    if (!dialogs_->setUpPrinter(&window_, printer)) return false;
    v->print(&printer);
    return true;
}

void QtWindowPort::orderFrontStandardAboutPanel() {
    if (application_ != nullptr) application_->orderFrontStandardAboutPanel();
}

std::string QtWindowPort::homeDirectory() {
    return QDir::homePath().toStdString();
}

std::optional<std::string> QtWindowPort::runOpenPanel(const std::string& startDirectory) {
    const auto name = dialogs_->openFileName(&window_, qs(startDirectory));
    if (!name) return std::nullopt;
    return name->toStdString();
}

std::optional<std::string> QtWindowPort::runSavePanel(const std::string& startDirectory) {
    const auto name = dialogs_->saveFileName(&window_, qs(startDirectory));
    if (!name) return std::nullopt;
    return name->toStdString();
}

std::optional<std::string> QtWindowPort::runExportPanel() {
    const auto name = exportDialogs_->exportFileName(&window_);
    if (!name) return std::nullopt;
    return name->toStdString();
}

std::optional<int> QtWindowPort::runResolutionPanel(int defaultDpi, int minDpi, int maxDpi) {
    return exportDialogs_->resolution(&window_, defaultDpi, minDpi, maxDpi);
}

FileResult QtWindowPort::readFile(const std::string& path) {
    return readBatchFile(path);
}

FileResult QtWindowPort::writeFileAtomically(const std::string& path, const std::string& bytes) {
    return writeBatchFile(path, bytes);
}

std::string QtWindowPort::writeProtection(const std::string& path) {
    return fileio::writeProtection(path);
}

bool QtWindowPort::confirm(const std::string& question) {
    return dialogs_->confirm(&window_, qs(question));
}

std::optional<std::string> QtWindowPort::description(std::string_view key) {
    const auto text = descriptions_.text(QString::fromUtf8(key.data(), qsizetype(key.size())));
    if (!text) return std::nullopt;
    return text->toStdString();
}

std::string QtWindowPort::translate(const char* scope, const char* text) {
    return QCoreApplication::translate(scope, text).toStdString();
}

void QtWindowPort::showError(const std::string& message) {
    dialogs_->error(&window_, qs(message));
}

void QtWindowPort::showNotice(const std::string& text) {
    w_.notice->setText(qs(text));
    w_.notice->setToolTip(qs(text));
}

void QtWindowPort::showStatus(const std::string& text) {
    // Long enough to read, short enough not to outlive the action it confirms.
    constexpr int kShownMs = 8000;
    if (auto* main = qobject_cast<QMainWindow*>(&window_)) main->statusBar()->showMessage(qs(text), kShownMs);
}

void QtWindowPort::showHumanReadable(const std::string& text, const std::string& titles) {
    w_.humanReadable->setText(qs(text));
    w_.elementTitles->setText(qs(titles));
    w_.elementTitles->setHidden(titles.empty());
}

}  // namespace bcfont::app
