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

// The directory loadBarcodeFonts last loaded faces from; empty before.
QString loadedFontDirectory();

// Whether fontconfig, which other programs use, finds bcfont's faces.
bool fontsFoundByFontconfig();

// Where the faces go for other programs: the user's font folder.
QString userFontFolder();

// Copies every *.ttf of `from` into `to` (each file atomically) and refreshes
// fontconfig's cache there; empty on success, else a sentence saying why not.
QString installFontsInto(const QString& from, const QString& to);

}  // namespace bcfont::app
