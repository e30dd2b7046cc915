#include "BatchFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "atomic_file.h"

namespace bcfont::app {
namespace {

// "Could not read “<file>”: <cause>.", in the user's language.
std::string notRead(const QString& path, const QString& cause) {
    return QCoreApplication::translate("BatchFiles", "Could not read \u201C%1\u201D: %2.")
        .arg(path, cause)
        .toStdString();
}

}  // namespace

FileResult readBatchFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (info.isDir()) return {"", notRead(name, QCoreApplication::translate("BatchFiles", "it is a folder"))};
    if (info.exists() && info.size() > kMaxBatchFileBytes)
        return {"", notRead(name, QCoreApplication::translate("BatchFiles", "it is larger than 64 MB"))};
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {"", notRead(name, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {"", notRead(name, file.errorString())};
    return {bytes.toStdString(), ""};
}

FileResult writeBatchFile(const std::string& path, const std::string& bytes) {
    const std::string why = fileio::writeFileAtomically(path, bytes);
    if (!why.empty())
        return {"", QCoreApplication::translate("BatchFiles", "Could not save: %1.")
                        .arg(QString::fromStdString(why))
                        .toStdString()};
    return {};
}

}  // namespace bcfont::app
