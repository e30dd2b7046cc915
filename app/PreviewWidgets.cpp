#include "PreviewWidgets.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "MatrixPreview.h"
#include "PreviewScale.h"

#ifdef BCFONT_HAVE_FACE_METRICS
#include "face_metrics.h"
#endif

namespace bcfont::app {
namespace {

// What the preview needs of a face, in font units.
struct Face {
    int unitsPerEm, moduleUnits, quietLeftModules, quietRightModules, ascentUnits, descentUnits;
    bool digitsUnderBars;
};

std::optional<Face> faceOf(const QString& family) {
#ifdef BCFONT_HAVE_FACE_METRICS
    for (const auto& m : kFaceMetrics) {
        if (family == QLatin1String(m.family.data(), qsizetype(m.family.size())))
            return Face{m.unitsPerEm,        m.moduleUnits, m.quietLeftModules,
                        m.quietRightModules, m.ascentUnits, m.descentUnits,
                        m.barBottomUnits > 0};
    }
#endif
    (void)family;
    return std::nullopt;
}

double snapped(double logical, double ratio) {
    return std::round(logical * ratio) / ratio;
}

// The face at one font unit a pixel, so outlines and advances come out in
// font units, unhinted.
QFont inFontUnits(const QString& family, int unitsPerEm) {
    QFont units(family);
    units.setPixelSize(unitsPerEm);
    units.setHintingPreference(QFont::PreferNoHinting);
    units.setKerning(false);
    return units;
}

}  // namespace

// A 2D symbol's font string has several lines; a linear one never does.
bool BarcodePreview::showsMatrix() const {
    return document()->blockCount() > 1;
}

QStringList BarcodePreview::lines() const {
    return document()->toRawText().split(QChar::ParagraphSeparator);
}

QRect BarcodePreview::deviceArea() const {
    const double ratio = viewport()->devicePixelRatioF();
    const QRectF area = QRectF(viewport()->rect()).adjusted(4, 4, -4, -4);
    return QRect(int(std::ceil(area.left() * ratio)), int(std::ceil(area.top() * ratio)),
                 int(std::floor(area.width() * ratio)), int(std::floor(area.height() * ratio)));
}

BarcodePreview::BarcodePreview(QWidget* parent)
    : QPlainTextEdit(parent), actualSizeBar_(new QWidget), scroll_(new QScrollBar(Qt::Horizontal)) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* note = new QLabel(QObject::tr("shown at actual size: scroll to see all of it"));
    note->setObjectName(QStringLiteral("actualSizeNote"));
    scroll_->setObjectName(QStringLiteral("actualSizeScroll"));
    scroll_->setAccessibleName(QObject::tr("Scroll the barcode"));
    auto* layout = new QVBoxLayout(actualSizeBar_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    layout->addWidget(note);
    actualSizeBar_->setObjectName(QStringLiteral("actualSizeBar"));
    actualSizeBar_->hide();
    connect(document(), &QTextDocument::contentsChanged, this, &BarcodePreview::relayout);
    connect(scroll_, &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

BarcodePreview::~BarcodePreview() {
    if (actualSizeBar_ && actualSizeBar_->parent() == nullptr) delete actualSizeBar_;
}

void BarcodePreview::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    relayout();
}

void BarcodePreview::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) relayout();
}

void BarcodePreview::hideActualSizeBar() {
    scroll_->setRange(0, 0);
    actualSizeBar_->setVisible(false);
}

void BarcodePreview::relayout() {
    viewport()->update();
    zoom_ = {};
    if (showsMatrix()) {
        const int pixels = matrixZoom(lines(), deviceArea().size());
        zoom_ = {double(pixels), double(pixels), false};
        return hideActualSizeBar();
    }
    const QString text = document()->toRawText();
    const auto face = faceOf(font().family());
    if (!face || text.isEmpty()) return hideActualSizeBar();

    const double advanceModules =
        QFontMetricsF(inFontUnits(font().family(), face->unitsPerEm)).horizontalAdvance(text) /
        face->moduleUnits;
    const SymbolExtent symbol{advanceModules + face->quietLeftModules + face->quietRightModules,
                              double(face->ascentUnits + face->descentUnits) / face->moduleUnits};
    const double ratio = viewport()->devicePixelRatioF();
    const QRectF area = QRectF(viewport()->rect()).adjusted(4, 4, -4, -4);
    zoom_ = previewZoom(symbol, area.width() * ratio, area.height() * ratio, !face->digitsUnderBars);
    if (zoom_.across <= 0) return hideActualSizeBar();

    const double across = zoom_.across / ratio, down = zoom_.down / ratio;  // logical pixels per module
    drawing_.widthPixels = int(std::lround(symbol.widthModules * zoom_.across));
    const double width = drawing_.widthPixels / ratio;
    drawing_.left = snapped(zoom_.scrolls ? area.left() : area.left() + (area.width() - width) / 2, ratio) +
                    face->quietLeftModules * across;
    drawing_.scaleX = across / face->moduleUnits;
    drawing_.scaleY = down / face->moduleUnits;
    const double top = area.top() + (area.height() - symbol.heightModules * down) / 2;
    drawing_.baseline = snapped(top + face->ascentUnits * drawing_.scaleY, ratio);

    const int page = int(area.width() * ratio);
    scroll_->setRange(0, zoom_.scrolls ? std::max(0, drawing_.widthPixels - page) : 0);
    scroll_->setPageStep(page);
    scroll_->setSingleStep(std::max(1, page / 10));
    actualSizeBar_->setVisible(zoom_.scrolls);
}

void BarcodePreview::paintEvent(QPaintEvent* event) {
    if (showsMatrix()) {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), Qt::white);
        const double ratio = viewport()->devicePixelRatioF();
        painter.scale(1 / ratio, 1 / ratio);  // device pixels from here on
        return paintMatrix(painter, font().family(), lines(), deviceArea(), int(zoom_.across));
    }
    const QString text = document()->toRawText();
    const auto face = faceOf(font().family());
    if (!face) return QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    if (text.isEmpty() || zoom_.across <= 0) return;

    const double ratio = viewport()->devicePixelRatioF();
    const double scrolled = zoom_.scrolls ? scroll_->value() / ratio : 0;
    QPainterPath path;
    path.addText(0, 0, inFontUnits(font().family(), face->unitsPerEm), text);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(drawing_.left - scrolled, drawing_.baseline);
    painter.scale(drawing_.scaleX, drawing_.scaleY);
    painter.fillPath(path, Qt::black);
}

NoticeLabel::NoticeLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    // Long notices are elided (the tool tip has them whole); they never widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(kLines * fontMetrics().lineSpacing() + 2);
}

QStringList NoticeLabel::shownLines() const {
    const int width = contentsRect().width();
    QTextLayout layout(text(), font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid() && lines.size() < kLines; line = layout.createLine()) {
        line.setLineWidth(width);
        // The last line takes the rest of the text, cut with an ellipsis where it is too long.
        const bool last = lines.size() == kLines - 1;
        const QString part = text().mid(line.textStart(), last ? -1 : line.textLength()).trimmed();
        lines << (last ? fontMetrics().elidedText(part, Qt::ElideRight, width) : part);
    }
    layout.endLayout();
    return lines;
}

void NoticeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(noticeColour(palette().color(backgroundRole())));
    const QRect area = contentsRect();
    const int lineHeight = fontMetrics().lineSpacing();
    const QStringList lines = shownLines();
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QRect(area.left(), area.top() + i * lineHeight, area.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
}

QColor noticeColour(const QColor& background) {
    return background.lightnessF() >= 0.5 ? QColor(0x8a, 0x4b, 0x00) : QColor(0xff, 0xb4, 0x54);
}

}  // namespace bcfont::app
