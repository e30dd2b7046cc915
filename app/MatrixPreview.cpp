#include "MatrixPreview.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "PreviewScale.h"

namespace bcfont::app {

MatrixSize matrixSize(const QStringList& lines) {
    qsizetype columns = 0;
    for (const QString& line : lines) columns = std::max(columns, line.size());
    return {static_cast<int>(columns), static_cast<int>(lines.size()) * kMatrixModulesPerLine};
}

int matrixZoom(const QStringList& lines, QSize area) {
    const MatrixSize size = matrixSize(lines);
    return matrixModulePixels({double(size.columns), double(size.rows)}, area.width(), area.height());
}

void paintMatrix(QPainter& painter, const QString& family, const QStringList& lines, QRect area,
                 int modulePixels) {
    if (modulePixels <= 0 || lines.isEmpty()) return;
    // One em is a line: at this pixel size every module edge of the face's
    // outlines falls on a whole pixel.
    const int em = modulePixels * kMatrixModulesPerLine;
    QFont face(family);
    face.setPixelSize(em);
    face.setHintingPreference(QFont::PreferNoHinting);
    face.setKerning(false);
    face.setStyleStrategy(QFont::NoFontMerging);
    if (QFontInfo(face).family() != family) return;

    const MatrixSize size = matrixSize(lines);
    const int width = size.columns * modulePixels, height = size.rows * modulePixels;
    const int left = area.left() + std::max(0, (area.width() - width) / 2);
    const int top = area.top() + std::max(0, (area.height() - height) / 2);
    const int ascent = static_cast<int>(std::lround(QFontMetricsF(face).ascent()));
    QPainterPath path;
    // The face's columns overlap their neighbours a little (so that no seam
    // opens between glyphs in print); the overlaps must stay dark.
    path.setFillRule(Qt::WindingFill);
    // Each glyph at its own module column: at a few pixels an em the text
    // layout rounds advances, and whole columns would slip.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int baseline = top + static_cast<int>(i) * em + ascent;
        for (qsizetype column = 0; column < lines[i].size(); ++column)
            path.addText(left + static_cast<int>(column) * modulePixels, baseline, face, QString(lines[i][column]));
    }
    painter.save();
    painter.setClipRect(area);
    // Every module edge lies on a pixel edge; without antialiasing the
    // overlaps' slivers, which cover no pixel's centre, draw nothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(path, Qt::black);
    painter.restore();
}

}  // namespace bcfont::app
