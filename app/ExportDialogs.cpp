#include "ExportDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

#include "ExportFile.h"

namespace bcfont::app {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A filter's label in the user's language.
QString shownLabel(const ExportFilter& filter) {
    return QCoreApplication::translate("ExportFilter", filter.label.data());
}

QString extensionOf(const QString& shown) {
    for (const ExportFilter& filter : kExportFilters)
        if (shownLabel(filter) == shown) return qs(filter.extension);
    return {};
}

}  // namespace

std::optional<QString> QtExportDialogs::exportFileName(QWidget* parent) {
    QStringList filters;
    for (const ExportFilter& filter : kExportFilters) filters += shownLabel(filter);
    if (lastFilter_.isEmpty()) lastFilter_ = filters.first();

    QFileDialog dialog(parent, QObject::tr("Export Barcode"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(lastFilter_);
    dialog.setDirectory(lastDirectory_.isEmpty() ? QDir::homePath() : lastDirectory_);
    dialog.selectFile(QStringLiteral("barcode.") + extensionOf(lastFilter_));
    // The dialog adds the suffix before it asks about replacing a file, so
    // "label" typed under PNG is checked as "label.png".
    dialog.setDefaultSuffix(extensionOf(lastFilter_));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(extensionOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;

    lastFilter_ = dialog.selectedNameFilter();
    // A platform dialog may ignore the default suffix: add it here as well.
    const std::string path = pathWithExtension(dialog.selectedFiles().first().toStdString(),
                                               extensionOf(lastFilter_).toStdString());
    lastDirectory_ = QFileInfo(qs(path)).absolutePath();
    return qs(path);
}

std::optional<int> QtExportDialogs::resolution(QWidget* parent, int defaultDpi, int minDpi, int maxDpi) {
    bool ok = false;
    const int dpi =
        QInputDialog::getInt(parent, QObject::tr("PNG Resolution"),
                             QObject::tr("Resolution in dots per inch (%1 to %2):").arg(minDpi).arg(maxDpi),
                             defaultDpi, minDpi, maxDpi, 1, &ok);
    if (!ok) return std::nullopt;
    return dpi;
}

}  // namespace bcfont::app
