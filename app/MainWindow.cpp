#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "AboutBox.h"
#include "AppSettings.h"
#include "FontLoader.h"

#include "LabelsDialog.h"

namespace bcfont::app {

MainWindow::MainWindow(MyApplication* application, QWidget* parent)
    : QMainWindow(parent),
      w_(buildWindowLayout(*this)),
      port_(std::make_unique<QtWindowPort>(*this, w_, application)),
      controller_(std::make_unique<BCController>(*port_, converter_)) {
    setObjectName(QStringLiteral("mainWindow"));
    setAccessibleName(tr("bcfont"));
    connectActions();
    routeShortcuts();
    controller_->awakeFromNib();
    installLabelsDialog(*this, w_);
}

void MainWindow::rememberIn(QSettings* settings, const Choices& choices) {
    settings_ = settings;
    if (settings_ != nullptr)
        restoreGeometry(settings_->value(QStringLiteral("window/geometry")).toByteArray());
    controller_->restore(choices);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (settings_ != nullptr) {
        saveChoices(*settings_, controller_->choices());
        settings_->setValue(QStringLiteral("window/geometry"), saveGeometry());
        settings_->sync();
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::showAbout() {
    QDialog* box = createAboutBox(this, loadedFontDirectory());
    box->show();
}

// Line edits and text views take Ctrl+E (end of line) and Ctrl+C for
// themselves; the window's Export and Print reach every widget, and Ctrl+C in
// the data field copies the barcode unless some of the data is selected.
void MainWindow::routeShortcuts() {
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : {w_.exportAction, w_.printAction})
        if (action->shortcut() == pressed) return true;  // left unaccepted: the action's shortcut fires
    if (watched == w_.dataToEncode && key->matches(QKeySequence::Copy) && !w_.dataToEncode->hasSelectedText())
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::connectActions() {
    BCController& c = *controller_;
    // activated, not currentIndexChanged: choosing the entry already chosen
    // resets the options too.
    connect(w_.codeSelector, &QComboBox::activated, this, [&c] { c.changeCode(ControlId::codeSelector); });
    // clicked, not toggled: only the user's clicks are actions, not the
    // controller setting the boxes.
    connect(w_.checksum, &QCheckBox::clicked, this, [&c] { c.changeChecksum(ControlId::checksum); });
    connect(w_.halfHeight, &QCheckBox::clicked, this, [&c] { c.changeHalfheight(ControlId::halfHeight); });
    connect(w_.highDensity, &QCheckBox::clicked, this, [&c] { c.changeHighdensity(ControlId::highDensity); });
    connect(w_.addonNothing, &QRadioButton::clicked, this,
            [&c] { c.changeAddonNothing(ControlId::addonNothing); });
    connect(w_.addon2, &QRadioButton::clicked, this, [&c] { c.changeAddon2(ControlId::addon2); });
    connect(w_.addon5, &QRadioButton::clicked, this, [&c] { c.changeAddon5(ControlId::addon5); });
    connect(w_.addonGroup, &QButtonGroup::buttonClicked, this, [&c] { c.changeAddon(ControlId::addon); });
    // textEdited fires for the user's edits only, one call per keystroke or paste.
    connect(w_.dataToEncode, &QLineEdit::textEdited, this,
            [&c] { c.controlTextDidChange(ControlId::dataToEncode); });
    connect(w_.typeOptions, &QLineEdit::textEdited, this,
            [&c] { c.controlTextDidChange(ControlId::typeOptions); });
    connect(w_.addonText, &QLineEdit::textEdited, this,
            [&c] { c.controlTextDidChange(ControlId::addonText); });
    connect(w_.dataToEncode, &QLineEdit::returnPressed, this,
            [&c] { c.changeText(ControlId::dataToEncode); });
    connect(w_.addonText, &QLineEdit::returnPressed, this, [&c] { c.changeTextAddon(ControlId::addonText); });

    connect(w_.batchCodeSelector, &QComboBox::activated, this,
            [&c] { c.changeCodeBatch(ControlId::batchCodeSelector); });
    connect(w_.batchChecksum, &QCheckBox::clicked, this,
            [&c] { c.batchChangeChecksum(ControlId::batchChecksum); });
    connect(w_.readButton, &QPushButton::clicked, this, [&c] { c.batchRead(ControlId::readButton); });
    connect(w_.convertButton, &QPushButton::clicked, this, [&c] { c.batchCalc(ControlId::convertButton); });
    connect(w_.saveButton, &QPushButton::clicked, this, [&c] { c.batchWrite(ControlId::saveButton); });
    connect(w_.readAction, &QAction::triggered, this, [&c] { c.batchRead(ControlId::readButton); });
    connect(w_.convertAction, &QAction::triggered, this, [&c] { c.batchCalc(ControlId::convertButton); });
    connect(w_.saveAction, &QAction::triggered, this, [&c] { c.batchWrite(ControlId::saveButton); });
    connect(w_.batchAlign, &QCheckBox::clicked, this, [&c] { c.batchChangeAlign(ControlId::batchAlign); });
    connect(w_.batchEncoding, &QComboBox::activated, this,
            [&c] { c.batchChangeEncoding(ControlId::batchEncoding); });
    // textChanged, not an edit signal: typing, pasting and Read… all change the input.
    connect(w_.batchInput, &QPlainTextEdit::textChanged, this,
            [&c] { c.batchInputDidChange(ControlId::batchInput); });
    connect(w_.batchRejections, &QListWidget::currentRowChanged, this,
            [&c](int row) { c.batchShowRejection(row); });
    connect(w_.batchRejections, &QListWidget::itemClicked, this,
            [this, &c](QListWidgetItem* item) { c.batchShowRejection(w_.batchRejections->row(item)); });

    connect(w_.copyButton, &QPushButton::clicked, this, [&c] { c.copy(ControlId::preview); });
    connect(w_.copyAction, &QAction::triggered, this, [&c] { c.copy(ControlId::preview); });
    connect(w_.printButton, &QPushButton::clicked, this, [&c] { c.print(ControlId::preview); });
    connect(w_.printAction, &QAction::triggered, this, [&c] { c.print(ControlId::preview); });
    connect(w_.exportButton, &QPushButton::clicked, this, [&c] { c.exportPreview(ControlId::preview); });
    connect(w_.exportAction, &QAction::triggered, this, [&c] { c.exportPreview(ControlId::preview); });
    // The about box is the window's; the controller's about: asks the
    // application object, whose standard panel shows nothing.
    connect(w_.aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(w_.installFontsButton, &QPushButton::clicked, this,
            [&c] { c.installFonts(ControlId::installFonts); });
    connect(w_.quitAction, &QAction::triggered, qApp, &QApplication::quit, Qt::QueuedConnection);
}

}  // namespace bcfont::app
