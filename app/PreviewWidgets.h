// The two widgets of the window that draw for themselves: the barcode
// preview, zoomed to its area, and the notice line, legible on any palette.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>

namespace bcfont::app {

// A text view holding the font string in the font table's face and size
// (what copy and print take), drawn zoomed to fill the view at whole device
// pixels per module, with the face's quiet zones, centred.
class BarcodePreview : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit BarcodePreview(QWidget* parent = nullptr);

    // The device pixels per module of the last drawing; 0 when it drew nothing.
    double modulePixels() const { return modulePixels_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double modulePixels_ = 0;
};

// A one-line label in a fixed height, so showing or hiding a notice moves
// nothing; its text colour contrasts with whatever the palette's background is.
class NoticeLabel : public QLabel {
    Q_OBJECT
  public:
    explicit NoticeLabel(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The notice's amber for text on `background`: dark on light backgrounds,
// light on dark ones.
QColor noticeColour(const QColor& background);

}  // namespace bcfont::app
