// Sets a multi-line font string the way a Qt or cairo application would and
// writes the picture as PNG, for the line-pitch measurements of the Code 2D
// face. Usage: twod_line_probe MODE FONT.ttf POINTS DPI TEXT-FILE OUT.png
// MODE: qt-drawtext (QPainter::drawText into a rectangle), qt-layout
// (QTextLayout, lines placed at their own heights), cairo-extents (cairo's
// font extents height as the line pitch, as a plain cairo program does).
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

QImage page(double widthPt, double heightPt, int dpi) {
    QImage image(static_cast<int>(std::ceil(widthPt * dpi / 72)), static_cast<int>(std::ceil(heightPt * dpi / 72)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    return image;
}

int qtProbe(const std::string& mode, const QString& fontFile, double points, int dpi, const QString& text,
            const QString& out) {
    const int id = QFontDatabase::addApplicationFont(fontFile);
    if (id < 0) {
        std::fprintf(stderr, "Qt cannot load %s\n", qPrintable(fontFile));
        return 2;
    }
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setPointSizeF(points);
    const QStringList lines = text.split('\n');
    QImage image = page(points * 0.25 * lines.value(0).size() + 2 * points, points * (lines.size() + 2), dpi);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double margin = points * dpi / 72;
    if (mode == "qt-drawtext") {
        painter.drawText(QRectF(margin, margin, image.width(), image.height()), Qt::AlignLeft | Qt::AlignTop, text);
    } else {
        QTextLayout layout(text, font, &image);
        layout.beginLayout();
        double y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(image.width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(margin, margin));
    }
    painter.end();
    return image.save(out, "PNG") ? 0 : 2;
}

int cairoProbe(const char* fontFile, double points, int dpi, const std::string& text, const char* out) {
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, fontFile, 0, &face)) {
        std::fprintf(stderr, "FreeType cannot load %s\n", fontFile);
        return 2;
    }
    const double px = points * dpi / 72;
    std::size_t columns = text.find('\n');
    if (columns == std::string::npos) columns = text.size();
    int lines = 1;
    for (char c : text) lines += c == '\n';
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, static_cast<int>(px * (0.25 * static_cast<double>(columns) + 2)),
        static_cast<int>(px * (lines + 2)));
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    cairo_set_font_face(cr, cairoFace);
    cairo_set_font_size(cr, px);
    cairo_font_extents_t extents;
    cairo_font_extents(cr, &extents);
    double y = px + extents.ascent;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        cairo_move_to(cr, px, y);
        cairo_show_text(cr, text.substr(start, end - start).c_str());
        y += extents.height;
        start = end + 1;
    }
    cairo_surface_write_to_png(surface, out);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    cairo_font_face_destroy(cairoFace);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: twod_line_probe qt-drawtext|qt-layout|cairo-extents FONT POINTS DPI TEXT OUT.png\n");
        return 2;
    }
    const std::string mode = argv[1];
    const double points = std::atof(argv[3]);
    const int dpi = std::atoi(argv[4]);
    QFile file(argv[5]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[5]);
        return 2;
    }
    const QByteArray text = file.readAll();
    if (mode == "cairo-extents") return cairoProbe(argv[2], points, dpi, text.toStdString(), argv[6]);
    if (mode != "qt-drawtext" && mode != "qt-layout") {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return qtProbe(mode, argv[2], points, dpi, QString::fromUtf8(text), argv[6]);
}
