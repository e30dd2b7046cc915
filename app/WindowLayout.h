// Builds the main window's widgets and lays them out. Behaviour lives in
// the controller; this file only decides what goes where.
#pragma once

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "PreviewWidgets.h"

namespace bcfont::app {

struct WindowWidgets {
    // Barcode
    QComboBox* codeSelector = nullptr;
    QLineEdit* dataToEncode = nullptr;
    QCheckBox* checksum = nullptr;
    QCheckBox* halfHeight = nullptr;
    QCheckBox* highDensity = nullptr;
    QWidget* addon = nullptr;  // holds the three choices
    QButtonGroup* addonGroup = nullptr;
    QRadioButton* addonNothing = nullptr;
    QRadioButton* addon2 = nullptr;
    QRadioButton* addon5 = nullptr;
    QLineEdit* addonText = nullptr;
    QLineEdit* typeOptions = nullptr;  // the 2D codes' options, as after the colon of a type
    QLineEdit* convertString = nullptr;
    BarcodePreview* preview = nullptr;
    QLabel* humanReadable = nullptr;  // the text a label prints under the bars
    QLabel* elementTitles = nullptr;  // what the data's elements mean
    NoticeLabel* notice = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* exportButton = nullptr;
    QLabel* facts = nullptr;
    // Batch
    QComboBox* batchCodeSelector = nullptr;
    QCheckBox* batchChecksum = nullptr;
    QPlainTextEdit* batchInput = nullptr;
    QPlainTextEdit* batchOutput = nullptr;
    QPushButton* readButton = nullptr;
    QPushButton* convertButton = nullptr;
    QPushButton* saveButton = nullptr;
    QCheckBox* batchAlign = nullptr;
    QComboBox* batchEncoding = nullptr;  // Mac OS Roman, UTF-8
    NoticeLabel* batchNotice = nullptr;
    QLabel* batchSummary = nullptr;
    QListWidget* batchRejections = nullptr;
    QPushButton* installFontsButton = nullptr;
    // Menus
    QAction* copyAction = nullptr;
    QAction* printAction = nullptr;
    QAction* exportAction = nullptr;
    QAction* aboutAction = nullptr;
    QAction* readAction = nullptr;
    QAction* convertAction = nullptr;
    QAction* saveAction = nullptr;
    QMenu* fileMenu = nullptr;  // room for more of its items
    QAction* quitAction = nullptr;
};

// Creates the widgets inside `window` (central widget and menu bar).
WindowWidgets buildWindowLayout(QMainWindow& window);

}  // namespace bcfont::app
