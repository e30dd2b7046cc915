// The preview of a 2D symbol: the lines of its font string set in the 2D
// face one em apart, at a whole number of device pixels a module both ways,
// so that the screen shows square modules on the pixel grid and a scanner
// held to it reads the symbol.
#pragma once

#include <QPainter>
#include <QRect>
#include <QStringList>

namespace bcfont::app {

// A glyph of the 2D face is one module wide and this many tall: one em.
inline constexpr int kMatrixModulesPerLine = 4;

// The symbol's size in modules: its longest line, and its lines' module rows.
struct MatrixSize {
    int columns = 0, rows = 0;
};
MatrixSize matrixSize(const QStringList& lines);

// Device pixels a module takes when `lines` are drawn in `area` (device pixels); 0: nothing to draw.
int matrixZoom(const QStringList& lines, QSize area);

// Draws `lines` in `family`, `modulePixels` device pixels a module, centred
// in `area` (device pixels; the painter's coordinates are device pixels),
// or from its top left corner when larger. Draws nothing when `family` is
// not installed: letters in another face would be no symbol.
void paintMatrix(QPainter& painter, const QString& family, const QStringList& lines, QRect area,
                 int modulePixels);

}  // namespace bcfont::app
