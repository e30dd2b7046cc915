#include "FontLoader.h"

#include <QDir>
#include <QFontDatabase>

namespace bcfont::app {

QString barcodeFontDirectory(const QString& executableDirectory) {
    const QString fromEnvironment = qEnvironmentVariable("BCFONT_FONT_DIR");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    const QString besideExecutable = QDir(executableDirectory).filePath(QStringLiteral("fonts"));
    if (QDir(besideExecutable).exists()) return besideExecutable;
    return QStringLiteral(BCFONT_INSTALLED_FONT_DIR);
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
