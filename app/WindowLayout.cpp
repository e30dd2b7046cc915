#include "WindowLayout.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include "WindowPort.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

template <typename W>
W* named(W* widget, ControlId id, const QString& accessibleName) {
    widget->setObjectName(QString::fromLatin1(controlName(id).data(), qsizetype(controlName(id).size())));
    widget->setAccessibleName(accessibleName);
    return widget;
}

template <typename W>
W* named(W* widget, const char* objectName, const QString& accessibleName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

QComboBox* symbologySelector(ControlId id, const QString& accessibleName) {
    auto* box = named(new QComboBox, id, accessibleName);
    box->setEditable(false);  // only the table's entries can be chosen
    for (int type = 0; type < kCodeTypeCount; ++type) {
        const auto name = symbology(static_cast<CodeType>(type)).fullName;
        box->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    box->setCurrentIndex(EAN8);
    return box;
}

QPlainTextEdit* batchView(ControlId id, const QString& accessibleName, const QString& placeholder) {
    auto* view = named(new QPlainTextEdit, id, accessibleName);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setPlaceholderText(placeholder);
    view->setTabChangesFocus(true);  // Tab moves on; the data are lines, not tables
    return view;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    for (QWidget* w : widgets) layout->addWidget(w);
    if (stretch) layout->addStretch(1);
    return layout;
}

QGroupBox* barcodeGroup(WindowWidgets& w) {
    w.codeSelector = symbologySelector(ControlId::codeSelector, QObject::tr("Symbology"));
    w.dataToEncode = named(new QLineEdit, ControlId::dataToEncode, QObject::tr("Data to encode"));
    w.dataToEncode->setPlaceholderText(QObject::tr("Type the data to encode"));
    w.checksum =
        named(new QCheckBox(QObject::tr("Chec&k digit")), ControlId::checksum, QObject::tr("Check digit"));
    w.halfHeight =
        named(new QCheckBox(QObject::tr("Half heigh&t")), ControlId::halfHeight, QObject::tr("Half height"));
    w.highDensity = named(new QCheckBox(QObject::tr("Hi&gh density")), ControlId::highDensity,
                          QObject::tr("High density"));

    w.addon = named(new QWidget, ControlId::addon, QObject::tr("Add-on choice"));
    w.addonNothing =
        named(new QRadioButton(QObject::tr("&None")), ControlId::addonNothing, QObject::tr("No add-on"));
    w.addon2 =
        named(new QRadioButton(QObject::tr("&2 digits")), ControlId::addon2, QObject::tr("2-digit add-on"));
    w.addon5 =
        named(new QRadioButton(QObject::tr("&5 digits")), ControlId::addon5, QObject::tr("5-digit add-on"));
    w.addonGroup = new QButtonGroup(w.addon);
    w.addonGroup->setObjectName(QStringLiteral("addonGroup"));
    for (QRadioButton* b : {w.addonNothing, w.addon2, w.addon5}) w.addonGroup->addButton(b);
    auto* choices = row({w.addonNothing, w.addon2, w.addon5}, false);
    w.addon->setLayout(choices);
    w.addonText = named(new QLineEdit, ControlId::addonText, QObject::tr("Add-on digits"));
    w.addonText->setPlaceholderText(QObject::tr("digits"));
    w.addonText->setMaximumWidth(120);

    w.typeOptions = named(new QLineEdit, ControlId::typeOptions, QObject::tr("2D code options"));
    w.typeOptions->setToolTip(QObject::tr("Options of a 2D code, as after the colon of bcfont's --type: "
                                          "ecc=H,version=5 or shape=rect or columns=6,ecc=4"));
    w.typeOptions->setEnabled(false);

    w.convertString = named(new QLineEdit, ControlId::convertString, QObject::tr("Font string"));
    w.convertString->setReadOnly(true);
    w.convertString->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* group = named(new QGroupBox(QObject::tr("Barcode")), "barcodeGroup", QObject::tr("Barcode"));
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(10);
    form->addRow(QObject::tr("S&ymbology:"), w.codeSelector);
    form->addRow(QObject::tr("&Data:"), w.dataToEncode);
    w.notice = named(new NoticeLabel, "notice", QObject::tr("Notice"));
    form->addRow(QString(), w.notice);
    auto* options = row({w.checksum, w.halfHeight, w.highDensity}, false);
    options->addWidget(w.typeOptions, 1);
    form->addRow(QObject::tr("Options:"), options);
    form->addRow(QObject::tr("Add-on:"), row({w.addon, w.addonText}));
    form->addRow(QObject::tr("F&ont string:"), w.convertString);
    return group;
}

QGroupBox* previewGroup(WindowWidgets& w) {
    w.preview = named(new BarcodePreview, ControlId::preview, QObject::tr("Barcode preview"));
    w.preview->setReadOnly(true);
    w.preview->setTextInteractionFlags(Qt::NoTextInteraction);
    w.preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    w.preview->setFocusPolicy(Qt::NoFocus);
    w.preview->setMinimumHeight(120);
    // Centre the symbol, with a quiet zone around it.
    QTextOption centred = w.preview->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    w.preview->document()->setDefaultTextOption(centred);
    w.preview->document()->setDocumentMargin(18);
    w.preview->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: black; }"));
    // The window has more controls than English has letters to spare beside
    // the menus' F, E, B and H: Copy and Print, whose Ctrl+C and Ctrl+P reach
    // them from every control, go without a mnemonic so no two controls share one.
    w.copyButton = named(new QPushButton(QObject::tr("Copy")), "copyButton", QObject::tr("Copy barcode"));
    w.printButton =
        named(new QPushButton(QObject::tr("Print…")), "printButton", QObject::tr("Print barcode"));

    w.exportButton =
        named(new QPushButton(QObject::tr("E&xport…")), "exportButton", QObject::tr("Export barcode"));
    w.humanReadable = named(new QLabel, "humanReadable", QObject::tr("Text under the bars"));
    w.elementTitles = named(new QLabel, "elementTitles", QObject::tr("Meaning of the data's elements"));
    for (QLabel* line : {w.humanReadable, w.elementTitles}) {
        line->setTextFormat(Qt::PlainText);
        line->setAlignment(Qt::AlignHCenter);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // The text's line keeps its height when empty, so that rejected data
    // moves nothing; the titles take room only when the data has elements.
    w.humanReadable->setMinimumHeight(w.humanReadable->fontMetrics().lineSpacing());
    w.elementTitles->setWordWrap(true);
    w.elementTitles->hide();
    auto* group = named(new QGroupBox(QObject::tr("Preview")), "previewGroup", QObject::tr("Preview"));
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(8);
    layout->addWidget(w.preview, 1);
    layout->addWidget(w.preview->actualSizeBar());
    layout->addWidget(w.humanReadable);
    layout->addWidget(w.elementTitles);
    auto* actions = new QHBoxLayout;
    w.installFontsButton = named(new QPushButton(QObject::tr("&Install fonts for other programs")),
                                 ControlId::installFonts, QObject::tr("Install fonts for other programs"));
    // Its room is kept while it is hidden: appearing after a Copy, it must
    // not widen the window.
    QSizePolicy keepsRoom = w.installFontsButton->sizePolicy();
    keepsRoom.setRetainSizeWhenHidden(true);
    w.installFontsButton->setSizePolicy(keepsRoom);
    w.installFontsButton->hide();
    actions->addWidget(w.installFontsButton);
    actions->addStretch(1);
    actions->addWidget(w.copyButton);
    actions->addWidget(w.printButton);
    actions->addWidget(w.exportButton);
    layout->addLayout(actions);
    return group;
}

QGroupBox* factsGroup(WindowWidgets& w) {
    w.facts = named(new QLabel, ControlId::facts, QObject::tr("Description of the symbology"));
    w.facts->setWordWrap(true);
    w.facts->setTextFormat(Qt::PlainText);
    w.facts->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* group = named(new QGroupBox(QObject::tr("About this symbology")), "factsGroup",
                        QObject::tr("About this symbology"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(w.facts);
    w.facts->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    return group;
}

QGroupBox* batchGroup(WindowWidgets& w) {
    w.batchCodeSelector = symbologySelector(ControlId::batchCodeSelector, QObject::tr("Batch symbology"));
    w.batchChecksum = named(new QCheckBox(QObject::tr("&Check digit")), ControlId::batchChecksum,
                            QObject::tr("Batch check digit"));
    w.batchInput = batchView(ControlId::batchInput, QObject::tr("Batch input"),
                             QObject::tr("One item per line — type here or read a text file"));
    w.batchOutput = batchView(ControlId::batchOutput, QObject::tr("Batch output"),
                              QObject::tr("One font string per converted line"));
    w.readButton =
        named(new QPushButton(QObject::tr("&Read…")), ControlId::readButton, QObject::tr("Read a file"));
    w.convertButton = named(new QPushButton(QObject::tr("Con&vert")), ControlId::convertButton,
                            QObject::tr("Convert the lines"));
    w.saveButton =
        named(new QPushButton(QObject::tr("&Save…")), ControlId::saveButton, QObject::tr("Save the output"));

    w.batchAlign = named(new QCheckBox(QObject::tr("Align output &with input")), ControlId::batchAlign,
                         QObject::tr("Align output with input"));
    w.batchEncoding = named(new QComboBox, ControlId::batchEncoding, QObject::tr("Text encoding of files"));
    w.batchEncoding->addItems({QObject::tr("Mac OS Roman"), QObject::tr("UTF-8")});
    w.batchNotice = named(new NoticeLabel, ControlId::batchNotice, QObject::tr("Batch notice"));
    w.batchSummary = named(new QLabel, ControlId::batchSummary, QObject::tr("Batch summary"));
    // A long summary (German, with notes) wraps rather than widen the window.
    w.batchSummary->setWordWrap(true);
    w.batchRejections = named(new QListWidget, ControlId::batchRejections, QObject::tr("Rejected lines"));
    // Eight lines at least, long reasons wrapped rather than cut off.
    w.batchRejections->setWordWrap(true);
    w.batchRejections->setTextElideMode(Qt::ElideNone);
    w.batchRejections->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.batchRejections->setResizeMode(QListView::Adjust);
    w.batchRejections->setMinimumHeight(8 * w.batchRejections->fontMetrics().lineSpacing() +
                                        2 * w.batchRejections->frameWidth() + 4);
    w.batchRejections->hide();
    w.batchSummary->setWordWrap(true);

    auto* group =
        named(new QGroupBox(QObject::tr("Batch conversion")), "batchGroup", QObject::tr("Batch conversion"));
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(8);
    auto* settings = new QGridLayout;
    settings->setHorizontalSpacing(12);
    settings->addWidget(buddyLabel(QObject::tr("Sy&mbology:"), w.batchCodeSelector), 0, 0);
    settings->addWidget(w.batchCodeSelector, 0, 1);
    settings->addWidget(w.batchChecksum, 0, 2);
    settings->addWidget(buddyLabel(QObject::tr("Read &as:"), w.batchEncoding), 1, 0);
    settings->addWidget(w.batchEncoding, 1, 1);
    settings->addWidget(w.batchAlign, 1, 2);
    settings->setColumnStretch(3, 1);
    layout->addLayout(settings);
    layout->addWidget(w.batchNotice);
    // Input and buttons above, the report and the output below, split at a
    // height of their own: the report appearing takes its room from the
    // output, and the buttons stay where they are.
    auto* inputBox = new QWidget;
    auto* input = new QVBoxLayout(inputBox);
    input->setContentsMargins(0, 0, 0, 0);
    input->setSpacing(8);
    input->addWidget(buddyLabel(QObject::tr("Inp&ut"), w.batchInput));
    input->addWidget(w.batchInput, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(w.readButton);
    buttons->addStretch(1);
    buttons->addWidget(w.convertButton);
    buttons->addWidget(w.saveButton);
    input->addLayout(buttons);
    auto* resultsBox = new QWidget;
    auto* results = new QVBoxLayout(resultsBox);
    results->setContentsMargins(0, 0, 0, 0);
    results->setSpacing(8);
    results->addWidget(w.batchSummary);
    results->addWidget(w.batchRejections);
    results->addWidget(buddyLabel(QObject::tr("Out&put"), w.batchOutput));
    results->addWidget(w.batchOutput, 1);
    const int lines = w.batchOutput->fontMetrics().lineSpacing();
    w.batchInput->setMinimumHeight(3 * lines);
    w.batchOutput->setMinimumHeight(3 * lines);
    // Room for the report from the start, so that showing it never asks for more.
    resultsBox->setMinimumHeight(w.batchRejections->minimumHeight() + 6 * lines + 4 * results->spacing());
    auto* split = named(new QSplitter(Qt::Vertical), "batchSplit", QObject::tr("Input and output"));
    split->setChildrenCollapsible(false);
    split->addWidget(inputBox);
    split->addWidget(resultsBox);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    return group;
}

void buildMenus(QMainWindow& window, WindowWidgets& w) {
    QMenu* file = window.menuBar()->addMenu(QObject::tr("&File"));
    w.fileMenu = file;
    w.exportAction = file->addAction(QObject::tr("&Export…"));
    w.exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    w.printAction = file->addAction(QObject::tr("&Print…"));
    w.printAction->setShortcut(QKeySequence::Print);
    file->addSeparator();
    w.quitAction = file->addAction(QObject::tr("&Quit"));
    w.quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    w.quitAction->setMenuRole(QAction::QuitRole);
    QMenu* edit = window.menuBar()->addMenu(QObject::tr("&Edit"));
    w.copyAction = edit->addAction(QObject::tr("&Copy"));
    w.copyAction->setShortcut(QKeySequence::Copy);
    QMenu* batch = window.menuBar()->addMenu(QObject::tr("&Batch"));
    w.readAction = batch->addAction(QObject::tr("&Read…"));
    w.convertAction = batch->addAction(QObject::tr("&Convert"));
    w.saveAction = batch->addAction(QObject::tr("&Save…"));
    w.readAction->setObjectName(QStringLiteral("readAction"));
    w.convertAction->setObjectName(QStringLiteral("convertAction"));
    w.saveAction->setObjectName(QStringLiteral("saveAction"));
    QMenu* help = window.menuBar()->addMenu(QObject::tr("&Help"));
    w.aboutAction = help->addAction(QObject::tr("&About bcfont"));
    w.aboutAction->setMenuRole(QAction::AboutRole);
    w.exportAction->setObjectName(QStringLiteral("exportAction"));
    w.printAction->setObjectName(QStringLiteral("printAction"));
    w.quitAction->setObjectName(QStringLiteral("quitAction"));
    w.copyAction->setObjectName(QStringLiteral("copyAction"));
    w.aboutAction->setObjectName(QStringLiteral("aboutAction"));
}

}  // namespace

WindowWidgets buildWindowLayout(QMainWindow& window) {
    WindowWidgets w;
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("central"));
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(16, 12, 16, 16);
    columns->setSpacing(16);

    auto* left = new QVBoxLayout;
    left->setSpacing(12);
    left->addWidget(barcodeGroup(w));
    // A larger window gives its height to the preview, not to the description.
    left->addWidget(previewGroup(w), 1);
    left->addWidget(factsGroup(w));
    columns->addLayout(left, 3);
    columns->addWidget(batchGroup(w), 2);

    window.setCentralWidget(central);
    buildMenus(window, w);
    // There from the start: a confirmation appearing moves nothing.
    window.statusBar()->setSizeGripEnabled(true);
    window.setWindowTitle(QObject::tr("bcfont — Barcode Font Encoder"));
    window.resize(1200, 740);
    return w;
}

}  // namespace bcfont::app
