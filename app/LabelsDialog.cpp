#include "LabelsDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "NoticeTexts.h"
#include "WindowLayout.h"
#include "atomic_file.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

constexpr int kPreviewWidth = 340;  // pixels for the page's width
constexpr double kMaxPrintDpi = 600;

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The language of the window's translation, for the encoder's catalogue.
Language interfaceLanguage() {
    return languageOfTag(QCoreApplication::translate(notice::kLanguageScope, notice::kLanguage).toStdString());
}

QImage toImage(const render::GrayImage& gray) {
    QImage image(gray.width, gray.height, QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height; ++y)
        std::copy_n(&gray.pixels[static_cast<std::size_t>(y) * gray.width], gray.width, image.scanLine(y));
    return image;
}

// Puts `widget` right after `anchor` in whichever layout holds `anchor`.
bool insertAfter(QLayout* layout, QWidget* anchor, QWidget* widget) {
    if (layout == nullptr) return false;
    if (const int at = layout->indexOf(anchor); at >= 0) {
        if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
            box->insertWidget(at + 1, widget);
            return true;
        }
    }
    for (int i = 0; i < layout->count(); ++i)
        if (insertAfter(layout->itemAt(i)->layout(), anchor, widget)) return true;
    return false;
}

QMenu* fileMenu(QMainWindow& window) {
    for (QAction* a : window.menuBar()->actions())
        if (a->menu() != nullptr) return a->menu();
    return nullptr;
}

}  // namespace

LabelsDialog::LabelsDialog(LabelsRequest request, std::vector<render::LabelTemplate> templates,
                           QWidget* parent)
    : QDialog(parent), request_(std::move(request)), templates_(std::move(templates)) {
    setObjectName(QStringLiteral("labelsDialog"));
    setWindowTitle(tr("Print Labels"));

    // The batch area's symbology to start with, changed here for the sheet only.
    symbology_ = new QComboBox;
    symbology_->setObjectName(QStringLiteral("labelsSymbology"));
    symbology_->setAccessibleName(tr("Symbology"));
    for (const Symbology& s : symbologies()) symbology_->addItem(qs(std::string(s.fullName)));
    symbology_->setCurrentIndex(isCodeType(request_.type) ? request_.type : 0);

    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("labelsSearch"));
    search_->setPlaceholderText(tr("Search templates, e.g. Avery L7160"));
    search_->setClearButtonEnabled(true);
    templateList_ = new QListWidget;
    templateList_->setObjectName(QStringLiteral("labelsTemplates"));
    templateList_->setAccessibleName(tr("Label templates"));
    skip_ = new QSpinBox;
    skip_->setObjectName(QStringLiteral("labelsSkip"));
    skip_->setAccessibleName(tr("Labels already used"));
    copies_ = new QSpinBox;
    copies_->setObjectName(QStringLiteral("labelsCopies"));
    copies_->setAccessibleName(tr("Copies of each line"));
    copies_->setRange(1, render::kMaxCopies);
    outline_ = new QCheckBox(tr("Draw the label &outlines (test print on plain paper)"));
    outline_->setObjectName(QStringLiteral("labelsOutline"));

    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("labelsPreview"));
    preview_->setAccessibleName(tr("First sheet"));
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setMinimumSize(kPreviewWidth, kPreviewWidth * 297 / 210);
    preview_->setFrameShape(QFrame::StyledPanel);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("labelsSummary"));
    summary_->setWordWrap(true);
    problems_ = new QListWidget;
    problems_->setObjectName(QStringLiteral("labelsProblems"));
    problems_->setAccessibleName(tr("Lines not printed"));

    auto* options = new QFormLayout;
    options->addRow(tr("S&ymbology:"), symbology_);
    options->addRow(tr("Labels already &used:"), skip_);
    options->addRow(tr("&Copies of each line:"), copies_);
    options->addRow(outline_);
    auto* left = new QVBoxLayout;
    left->addWidget(search_);
    left->addWidget(templateList_, 1);
    left->addLayout(options);
    left->addWidget(summary_);
    left->addWidget(problems_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(preview_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    save_ = buttons->addButton(tr("&Save as PDF…"), QDialogButtonBox::ActionRole);
    save_->setObjectName(QStringLiteral("labelsSave"));
    print_ = buttons->addButton(tr("&Print…"), QDialogButtonBox::ActionRole);
    print_->setObjectName(QStringLiteral("labelsPrint"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search_, &QLineEdit::textChanged, this, &LabelsDialog::filterTemplates);
    connect(templateList_, &QListWidget::currentRowChanged, this, &LabelsDialog::replan);
    connect(symbology_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!isCodeType(index)) return;
        request_.type = static_cast<CodeType>(index);
        replan();
    });
    connect(skip_, &QSpinBox::valueChanged, this, &LabelsDialog::replan);
    connect(copies_, &QSpinBox::valueChanged, this, &LabelsDialog::replan);
    connect(outline_, &QCheckBox::toggled, this, &LabelsDialog::replan);
    connect(save_, &QPushButton::clicked, this, &LabelsDialog::savePdf);
    connect(print_, &QPushButton::clicked, this, &LabelsDialog::printSheets);

    for (const render::LabelTemplate& t : templates_) {
        auto* item =
            new QListWidgetItem(qs(t.name + "  \u2014  " + render::templateSummary(t, interfaceLanguage())));
        item->setToolTip(qs(t.description));
        templateList_->addItem(item);
    }
    templateList_->setCurrentRow(templates_.empty() ? -1 : 0);
    replan();
}

const render::LabelTemplate* LabelsDialog::chosenTemplate() const {
    const int row = templateList_->currentRow();
    if (row < 0 || templateList_->item(row)->isHidden()) return nullptr;
    return &templates_[static_cast<std::size_t>(row)];
}

void LabelsDialog::filterTemplates() {
    const QString wanted = search_->text().simplified();
    int firstShown = -1;
    for (int i = 0; i < templateList_->count(); ++i) {
        const render::LabelTemplate& t = templates_[static_cast<std::size_t>(i)];
        const bool shown = wanted.isEmpty() || qs(t.name).contains(wanted, Qt::CaseInsensitive) ||
                           qs(t.description).contains(wanted, Qt::CaseInsensitive);
        templateList_->item(i)->setHidden(!shown);
        if (shown && firstShown < 0) firstShown = i;
    }
    if (chosenTemplate() == nullptr) templateList_->setCurrentRow(firstShown);
    replan();
}

void LabelsDialog::replan() {
    sheets_.reset();
    problems_->clear();
    const render::LabelTemplate* sheet = chosenTemplate();
    if (sheet != nullptr) {
        const QSignalBlocker block(skip_);
        skip_->setRange(0, render::labelsPerSheet(*sheet) - 1);
        render::LabelJob job;
        job.type = request_.type;
        job.check = request_.check;
        job.utf8 = true;
        job.skip = skip_->value();
        job.copies = copies_->value();
        job.outline = outline_->isChecked();
        job.language = interfaceLanguage();
        std::string error;
        sheets_ = render::planLabels(request_.input, *sheet, job, error);
        summary_->setText(sheets_ ? qs(render::labelSummary(sheets_->report, sheets_->pages, job.language))
                                  : qs(error));
        if (sheets_) {
            for (const render::LabelProblem& p : sheets_->report.listed)
                problems_->addItem(tr("Line %1: %2").arg(p.line).arg(qs(p.reason)));
        }
    } else {
        summary_->setText(tr("Choose a label template."));
    }
    // Nothing to print says where the lines come from.
    if (sheets_ && sheets_->report.printed + sheets_->report.rejected + sheets_->report.notFitting == 0)
        summary_->setText(tr("No lines to print: type or read them in the batch area's Input of the main "
                             "window, one item per line, \u201Cdata\u201D or \u201Cdata<TAB>caption\u201D."));
    const bool printable = sheets_ && !sheets_->placements.empty();
    save_->setEnabled(printable);
    print_->setEnabled(printable);
    showPreview();
}

void LabelsDialog::showPreview() {
    if (!sheets_) {
        preview_->setPixmap(QPixmap());
        return;
    }
    const double dpi = kPreviewWidth * render::kPointsPerInch / sheets_->sheet.pageWidth;
    std::string error;
    const auto page = render::labelPage(*sheets_, 0, std::max<double>(dpi, render::kMinDpi), error);
    if (!page) {
        preview_->setText(qs(error));
        return;
    }
    preview_->setPixmap(QPixmap::fromImage(toImage(*page)));
}

std::string LabelsDialog::saveTo(const std::string& path) const {
    if (!sheets_ || sheets_->placements.empty()) return "there are no labels to save";
    std::string error;
    const auto pdf = render::labelsPdf(*sheets_, error);
    if (!pdf) return error;
    return fileio::writeFileAtomically(path, *pdf);
}

void LabelsDialog::savePdf() {
    QString path = QFileDialog::getSaveFileName(this, tr("Save Labels as PDF"), QString(), tr("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    const std::string error = saveTo(path.toStdString());
    if (!error.empty()) QMessageBox::warning(this, tr("Labels not saved"), qs(error));
}

void LabelsDialog::preparePrinter(QPrinter& printer) const {
    if (!sheets_) return;
    const render::LabelTemplate& sheet = sheets_->sheet;
    printer.setDocName(qs(sheet.name));
    printer.setPageSize(QPageSize(QSizeF(sheet.pageWidth, sheet.pageHeight), QPageSize::Point,
                                  qs(sheet.paper), QPageSize::FuzzyMatch));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The page as it is, at 100%: the labels' positions are exact only so.
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

std::string LabelsDialog::printTo(QPrinter& printer) const {
    if (!sheets_ || sheets_->placements.empty()) return "there are no labels to print";
    QPainter painter;
    if (!painter.begin(&printer)) return "the printer could not be started";
    const double dpi = std::min<double>(printer.resolution(), kMaxPrintDpi);
    const double scale = printer.resolution() / render::kPointsPerInch;
    const QRectF target(0, 0, sheets_->sheet.pageWidth * scale, sheets_->sheet.pageHeight * scale);
    for (int page = 0; page < sheets_->pages; ++page) {
        if (page > 0) printer.newPage();
        std::string error;
        const auto image = render::labelPage(*sheets_, page, dpi, error);
        if (!image) return error;
        painter.drawImage(target, toImage(*image));
    }
    return painter.end() ? std::string() : "the printer did not take the last page";
}

void LabelsDialog::printSheets() {
    if (!sheets_ || sheets_->placements.empty()) return;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const std::string error = printTo(printer); !error.empty())
        QMessageBox::warning(this, tr("Labels not printed"), qs(error));
}

void installLabelsDialog(QMainWindow& window, const WindowWidgets& widgets) {
    const auto open = [&window, &widgets] {
        LabelsRequest request;
        request.input = widgets.batchInput->toPlainText().toStdString();
        request.type = static_cast<CodeType>(widgets.batchCodeSelector->currentIndex());
        request.check = widgets.batchChecksum->isChecked();
        static const std::vector<render::LabelTemplate> templates = render::allTemplates();
        LabelsDialog dialog(std::move(request), templates, &window);
        dialog.exec();
    };
    auto* action = new QAction(LabelsDialog::tr("Print &Labels…"), &window);
    action->setObjectName(QStringLiteral("printLabelsAction"));
    QObject::connect(action, &QAction::triggered, &window, open);
    if (QMenu* file = fileMenu(window)) {
        const QList<QAction*> items = file->actions();
        const auto after = std::find_if(items.begin(), items.end(), [](QAction* a) {
            return a->objectName() == QStringLiteral("printAction");
        });
        QAction* before = (after != items.end() && after + 1 != items.end()) ? *(after + 1) : nullptr;
        file->insertAction(before, action);
    }
    auto* button = new QPushButton(LabelsDialog::tr("&Labels…"));
    button->setObjectName(QStringLiteral("labelsButton"));
    button->setAccessibleName(LabelsDialog::tr("Print labels"));
    QObject::connect(button, &QPushButton::clicked, &window, open);
    QWidget* anchor = widgets.saveButton;
    if (!insertAfter(anchor->parentWidget() ? anchor->parentWidget()->layout() : nullptr, anchor, button))
        delete button;
}

}  // namespace bcfont::app
