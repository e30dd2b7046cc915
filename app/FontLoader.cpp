#include "FontLoader.h"

#include <fontconfig/fontconfig.h>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include "BatchFiles.h"

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

namespace {
QString& lastDirectory() {
    static QString directory;
    return directory;
}
}  // namespace

QString loadedFontDirectory() {
    return lastDirectory();
}

bool fontsFoundByFontconfig() {
    // Once found, the faces stay found; until then every call reads a fresh
    // configuration, so faces installed since start-up count too.
    static bool foundOnce = false;
    if (foundOnce) return true;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return false;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Code EAN"));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* found = FcFontList(config, pattern, objects);
    const bool any = found != nullptr && found->nfont > 0;
    if (found != nullptr) FcFontSetDestroy(found);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    foundOnce = any;
    return any;
}

QString userFontFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("fonts/bcfont"));
}

QString installFontsInto(const QString& from, const QString& to) {
    const QDir source(from);
    const QStringList files = source.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name);
    if (from.isEmpty() || files.isEmpty())
        return QObject::tr("No fonts were installed: bcfont found no faces to copy.");
    if (!QDir().mkpath(to))
        return QObject::tr("No fonts were installed: cannot create the folder %1.").arg(to);
    for (const QString& file : files) {
        QFile in(source.filePath(file));
        if (!in.open(QIODevice::ReadOnly))
            return QObject::tr("Could not read %1: %2.").arg(in.fileName(), in.errorString());
        const FileResult written =
            writeBatchFile(QDir(to).filePath(file).toStdString(), in.readAll().toStdString());
        if (!written.error.empty()) return QString::fromStdString(written.error);
    }
    // Without fc-cache the faces are found at fontconfig's next rescan.
    QProcess::execute(QStringLiteral("fc-cache"), {to});
    return {};
}

QStringList loadBarcodeFonts(const QString& directory) {
    QStringList families;
    const QDir dir(directory);
    for (const QString& file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id >= 0) families += QFontDatabase::applicationFontFamilies(id);
    }
    if (!families.isEmpty()) lastDirectory() = directory;
    return families;
}

}  // namespace bcfont::app
