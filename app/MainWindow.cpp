#include "MainWindow.h"

#include <QApplication>

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
    controller_->awakeFromNib();
    installLabelsDialog(*this, w_);
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

    connect(w_.copyButton, &QPushButton::clicked, this, [&c] { c.copy(ControlId::preview); });
    connect(w_.copyAction, &QAction::triggered, this, [&c] { c.copy(ControlId::preview); });
    connect(w_.printButton, &QPushButton::clicked, this, [&c] { c.print(ControlId::preview); });
    connect(w_.printAction, &QAction::triggered, this, [&c] { c.print(ControlId::preview); });
    connect(w_.exportButton, &QPushButton::clicked, this, [&c] { c.exportPreview(ControlId::preview); });
    connect(w_.exportAction, &QAction::triggered, this, [&c] { c.exportPreview(ControlId::preview); });
    connect(w_.aboutAction, &QAction::triggered, this, [&c] { c.about(ControlId::preview); });
    connect(w_.quitAction, &QAction::triggered, qApp, &QApplication::quit, Qt::QueuedConnection);
}

}  // namespace bcfont::app
