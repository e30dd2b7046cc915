#include "FontLoader.h"

#include <QDir>
#include <QFontDatabase>
#include <filesystem>

#include "paths.h"

namespace bcfont::app {

QString barcodeFontDirectory() {
    const auto dirs = fileio::fontDirectories();
    for (const auto& dir : dirs) {
        std::error_code ec;
        if (std::filesystem::is_directory(dir, ec)) return QString::fromStdString(dir.string());
    }
    return QString::fromStdString(dirs.front().string());
}

QStringList loadBarcodeFonts(const QString& directory) {
    QStringList families;
    const QDir dir(directory);
    for (const QString& file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id >= 0) families += QFontDatabase::applicationFontFamilies(id);
    }
    return families;
}

}  // namespace bcfont::app
