// bcfont's own barcode fonts, made known to the application before the
// window is built.
#pragma once

#include <QString>
#include <QStringList>

namespace bcfont::app {

// The directory the fonts are loaded from: $BCFONT_FONT_DIR when set, else
// `fonts` next to the executable when it exists, else the installed copy.
QString barcodeFontDirectory(const QString& executableDirectory);

// Adds every *.ttf of `directory` to the application's fonts; returns the
// families that were added.
QStringList loadBarcodeFonts(const QString& directory);

}  // namespace bcfont::app
