#include "BatchFiles.h"

#include <QFile>
#include <QFileInfo>

#include "atomic_file.h"

namespace bcfont::app {
namespace {

std::string quotedName(const QString& path) {
    return "\u201C" + path.toStdString() + "\u201D";
}

}  // namespace

FileResult readBatchFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (info.isDir()) return {"", "Could not read " + quotedName(name) + ": it is a folder."};
    if (info.exists() && info.size() > kMaxBatchFileBytes)
        return {"", "Could not read " + quotedName(name) + ": it is larger than 64 MB."};
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {"", "Could not read " + quotedName(name) + ": " + file.errorString().toStdString() + "."};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {"", "Could not read " + quotedName(name) + ": " + file.errorString().toStdString() + "."};
    return {bytes.toStdString(), ""};
}

FileResult writeBatchFile(const std::string& path, const std::string& bytes) {
    const std::string why = fileio::writeFileAtomically(path, bytes);
    if (!why.empty()) return {"", "Could not save: " + why + "."};
    return {};
}

}  // namespace bcfont::app
