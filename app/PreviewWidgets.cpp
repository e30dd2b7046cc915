#include "PreviewWidgets.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <optional>

#include "PreviewScale.h"

#ifdef BCFONT_HAVE_FACE_METRICS
#include "face_metrics.h"
#endif

namespace bcfont::app {
namespace {

// What the preview needs of a face, in font units.
struct Face {
    int unitsPerEm, moduleUnits, quietLeftModules, quietRightModules, ascentUnits, descentUnits;
};

std::optional<Face> faceOf(const QString& family) {
#ifdef BCFONT_HAVE_FACE_METRICS
    for (const auto& m : kFaceMetrics) {
        if (family == QLatin1String(m.family.data(), qsizetype(m.family.size())))
            return Face{m.unitsPerEm,        m.moduleUnits, m.quietLeftModules,
                        m.quietRightModules, m.ascentUnits, m.descentUnits};
    }
#endif
    (void)family;
    return std::nullopt;
}

double snapped(double logical, double ratio) {
    return std::round(logical * ratio) / ratio;
}

}  // namespace

BarcodePreview::BarcodePreview(QWidget* parent) : QPlainTextEdit(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void BarcodePreview::paintEvent(QPaintEvent* event) {
    const QString text = document()->toRawText();
    const auto face = faceOf(font().family());
    if (!face) {
        modulePixels_ = 0;
        return QPlainTextEdit::paintEvent(event);
    }
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    modulePixels_ = 0;
    if (text.isEmpty()) return;

    // One font unit is one pixel at this size, so the outline and the
    // advance come out in font units, unhinted.
    QFont units(font().family());
    units.setPixelSize(face->unitsPerEm);
    units.setHintingPreference(QFont::PreferNoHinting);
    units.setKerning(false);
    const double advanceModules = QFontMetricsF(units).horizontalAdvance(text) / face->moduleUnits;
    const SymbolExtent symbol{advanceModules + face->quietLeftModules + face->quietRightModules,
                              double(face->ascentUnits + face->descentUnits) / face->moduleUnits};

    const double ratio = viewport()->devicePixelRatioF();
    const QRectF area = QRectF(viewport()->rect()).adjusted(4, 4, -4, -4);
    modulePixels_ = devicePixelsPerModule(symbol, area.width() * ratio, area.height() * ratio);
    if (modulePixels_ <= 0) return;
    const double module = modulePixels_ / ratio;  // logical pixels per module
    const double left = snapped(area.left() + (area.width() - symbol.widthModules * module) / 2, ratio) +
                        face->quietLeftModules * module;
    const double top = area.top() + (area.height() - symbol.heightModules * module) / 2;
    const double scale = module / face->moduleUnits;
    const double baseline = snapped(top + face->ascentUnits * scale, ratio);

    QPainterPath path;
    path.addText(0, 0, units, text);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(left, baseline);
    painter.scale(scale, scale);
    painter.fillPath(path, Qt::black);
}

NoticeLabel::NoticeLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    // Long notices are elided (the tool tip has them whole); they never widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(fontMetrics().height() + 2);
}

void NoticeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(noticeColour(palette().color(backgroundRole())));
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

QColor noticeColour(const QColor& background) {
    return background.lightnessF() >= 0.5 ? QColor(0x8a, 0x4b, 0x00) : QColor(0xff, 0xb4, 0x54);
}

}  // namespace bcfont::app
