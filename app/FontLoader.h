// bcfont's own barcode fonts, made known to the application before the
// window is built.
#pragma once

#include <QString>
#include <QStringList>

namespace bcfont::app {

// The directory the fonts are loaded from: the first of the font folders
// (fileio::fontDirectories) that exists, else the first of them, so a
// missing one is named.
QString barcodeFontDirectory();

// Adds every *.ttf of `directory` to the application's fonts; returns the
// families that were added.
QStringList loadBarcodeFonts(const QString& directory);

}  // namespace bcfont::app
