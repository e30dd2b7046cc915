// The two widgets of the window that draw for themselves: the barcode
// preview, zoomed to its area, and the notice line, legible on any palette.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>

#include "PreviewScale.h"

namespace bcfont::app {

// A text view holding the font string in the font table's face and size
// (what copy and print take), drawn zoomed to fill the view at whole device
// pixels per module, with the face's quiet zones, centred. A symbol too wide
// for the view even at one pixel a module is drawn at that size, and
// actualSizeBar() (laid out under the view) shows a note and a scroll bar.
class BarcodePreview : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit BarcodePreview(QWidget* parent = nullptr);
    ~BarcodePreview() override;

    // Device pixels per module across; 0 when there is nothing to draw.
    double modulePixels() const { return zoom_.across; }
    // The note and scroll bar for a symbol drawn at actual size; hidden otherwise.
    QWidget* actualSizeBar() const { return actualSizeBar_; }
    QScrollBar* actualSizeScroll() const { return scroll_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Measures the symbol for the view's size, shows or hides the scroll bar
    // and repaints all of the view: the text edit itself would repaint only
    // where its own unzoomed layout changed, leaving parts of the last symbol.
    void relayout();
    void hideActualSizeBar();
    bool showsMatrix() const;
    QStringList lines() const;
    // The area the symbol is drawn in, in whole device pixels.
    QRect deviceArea() const;

    struct Drawing {
        double left = 0, baseline = 0, scaleX = 0, scaleY = 0;  // logical pixels
        int widthPixels = 0;                                     // device pixels, quiet zones included
    };
    PreviewZoom zoom_;
    Drawing drawing_;
    QPointer<QWidget> actualSizeBar_;  // owned by the layout it is put in, else by the preview
    QScrollBar* scroll_;
};

// A label of kLines lines in a fixed height, so showing or hiding a notice
// moves nothing; its text colour contrasts with whatever the palette's
// background is. Text that needs more lines ends in an ellipsis (the tool tip
// holds it whole); it never widens the window.
class NoticeLabel : public QLabel {
    Q_OBJECT
  public:
    // German sentences run about a third longer than English ones: two lines
    // hold the reasons of either at the window's first size.
    static constexpr int kLines = 2;

    explicit NoticeLabel(QWidget* parent = nullptr);
    // The text as drawn in the label's width, a line each.
    QStringList shownLines() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The notice's amber for text on `background`: dark on light backgrounds,
// light on dark ones.
QColor noticeColour(const QColor& background);

}  // namespace bcfont::app
