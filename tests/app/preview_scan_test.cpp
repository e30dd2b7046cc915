// The window's preview, grabbed from an ordinary 96 dpi screen at the
// window's default size, must read back with a real decoder as exactly the
// data typed plus the check characters the encoder added: the preview is
// zoomed to whole pixels per module, so a scanner held to the screen reads
// it. The fonts themselves are proven in the font tests; this proves the
// zoom and Qt's rasteriser keep the bars intact.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include <ZXing/ReadBarcode.h>

#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "symbology.h"

using namespace bcfont;
using namespace bcfont::app;
using ZXing::BarcodeFormat;

namespace {

// Boxes clicked after typing.
constexpr int kHalf = 1, kHigh = 2, kNoCheck = 4;

struct Row {
    const char* name;
    CodeType type;
    const char* data;
    const char* addon;  // typed after choosing the 5-digit add-on; empty: no add-on
    int clicks;
    BarcodeFormat format;
    // The symbology identifier the decoder reports (]E EAN/UPC, ]A Code 39,
    // ]C Code 128, ]I 2 of 5 Interleaved, ]F Codabar) and the decoded text.
    // Check characters are not validated by the decoder, so they stay in the text.
    // ]Q1 QR Code (with ECI too), ]Q3 GS1 QR; ]d1 Data Matrix, ]d2 GS1; ]L2 PDF417.
    std::string expected;
    const char* options = "";  // typed into the 2D options field
};

// clang-format off
const Row kRows[] = {
    {"EAN-8 typical", EAN8, "5512345", "", 0, BarcodeFormat::EAN8, "]E455123457"},
    {"EAN-8 half height", EAN8, "5512345", "", kHalf, BarcodeFormat::EAN8, "]E455123457"},
    {"EAN-13 typical", EAN13, "400638133393", "", 0, BarcodeFormat::EAN13, "]E04006381333931"},
    {"EAN-13 5-digit add-on", EAN13, "400638133393", "52495", 0, BarcodeFormat::EAN13, "]E34006381333931 52495"},
    {"UPC-A typical", UPCA, "03600029145", "", 0, BarcodeFormat::UPCA, "]E0036000291452"},
    {"UPC-E last digit 6", UPCE, "0123456", "", 0, BarcodeFormat::UPCE, "]E001234565"},
    {"UPC-E number system 1", UPCE, "1234567", "", 0, BarcodeFormat::UPCE, "]E012345670"},
    {"Code 39 modulo 43 W", C39, "CODE39", "", 0, BarcodeFormat::Code39, "]A4CODE39W"},
    {"Code 39 check is space", C39, "AS", "", 0, BarcodeFormat::Code39, "]A4AS "},
    {"Code 39 without check", C39, "CODE-39.$/+%", "", kNoCheck, BarcodeFormat::Code39, "]A4CODE-39.$/+%"},
    {"Code 39 48 characters, scrolled", C39, "CODE39-48-CHARACTERS-CODE39-48-CHARACTERS-CODE39", "", 0,
     BarcodeFormat::Code39, "]A4CODE39-48-CHARACTERS-CODE39-48-CHARACTERS-CODE39K"},
    {"Code 39 both", C39, "CODE39", "", kHalf | kHigh, BarcodeFormat::Code39, "]A4CODE39W"},
    {"Code 128 set C", C128, "12345", "", 0, BarcodeFormat::Code128, "]C012345"},
    {"Code 128 set B", C128, "Hello World", "", 0, BarcodeFormat::Code128, "]C0Hello World"},
    {"Code 128 FNC1 inside", C128, "AB~999CD", "", 0, BarcodeFormat::Code128, "]C0AB\x1D" "CD"},
    {"Code 128 48 characters", C128, "abcdefghijabcdefghijabcdefghijabcdefghijabcdefgh", "", 0, BarcodeFormat::Code128,
     "]C0abcdefghijabcdefghijabcdefghijabcdefghijabcdefgh"},
    {"Code 128 half height", C128, "Hello World", "", kHalf, BarcodeFormat::Code128, "]C0Hello World"},
    {"Code 128 EAN GTIN", C128EAN, "0101234567890128", "", 0, BarcodeFormat::Code128, "]C10101234567890128"},
    {"ITF odd count with check", TOFIL, "1234567", "", 0, BarcodeFormat::ITF, "]I012345670"},
    {"ITF pairs 94 to 99", TOFIL, "949596979899", "", kNoCheck, BarcodeFormat::ITF, "]I0949596979899"},
    {"ITF 48 digits", TOFIL, "012345678901234567890123456789012345678901234567", "", kNoCheck, BarcodeFormat::ITF,
     "]I0012345678901234567890123456789012345678901234567"},
    {"ITF both", TOFIL, "1234567", "", kHalf | kHigh, BarcodeFormat::ITF, "]I012345670"},
    {"Codabar every digit", CODABAR, "0123456789", "", 0, BarcodeFormat::Codabar, "]F0D0123456789D"},
    {"Codabar half height", CODABAR, "0123456789", "", kHalf, BarcodeFormat::Codabar, "]F0D0123456789D"},
};

// The 2D codes: drawn from their lines in the Code 2D face.
const Row kMatrixRows[] = {
    {"QR URL", QR, "https://example.com/a?b=1", "", 0, BarcodeFormat::QRCode, "]Q1https://example.com/a?b=1"},
    {"QR non-Latin text with ECI, ECC H", QR, "Gr\u00FC\u00DFe \u4E16\u754C", "", 0, BarcodeFormat::QRCode,
     "]Q1Gr\u00FC\u00DFe \u4E16\u754C", "ecc=H"},
    {"QR version 40", QR, "40", "", 0, BarcodeFormat::QRCode, "]Q140", "version=40"},
    {"GS1 QR element string", GS1QR, "(01)09501101530003(10)ABC", "", 0, BarcodeFormat::QRCode,
     "]Q3010950110153000310ABC"},
    {"Data Matrix rectangular", DATAMATRIX, "Hello World", "", 0, BarcodeFormat::DataMatrix, "]d1Hello World",
     "shape=rect"},
    {"GS1 DataMatrix", GS1DATAMATRIX, "(01)09501101530003(17)261231", "", 0, BarcodeFormat::DataMatrix,
     "]d2010950110153000317261231"},
    {"PDF417 six columns", PDF417, "PDF417 in the window", "", 0, BarcodeFormat::PDF417,
     "]L2PDF417 in the window", "columns=6"},
};
// clang-format on

// The preview as a person sees it, page by page: a symbol drawn at actual
// size is scrolled through and its pages put side by side, so the decoder
// reads exactly the pixels the window showed.
QImage shownSymbol(const WindowWidgets& w) {
    QWidget* view = w.preview->viewport();
    if (!w.preview->actualSizeBar()->isVisible()) return view->grab().toImage();
    constexpr int kMargin = 4;  // the preview's white border around its drawing area
    QScrollBar* scroll = w.preview->actualSizeScroll();
    const int page = scroll->pageStep();
    QImage whole(scroll->maximum() + page + 2 * kMargin, view->height(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    QPainter painter(&whole);
    for (int at = 0;; at = std::min(at + page, scroll->maximum())) {
        scroll->setValue(at);
        painter.drawImage(kMargin + at, 0, view->grab().toImage(), kMargin, 0, page, view->height());
        if (at == scroll->maximum()) break;
    }
    scroll->setValue(0);
    return whole;
}

// The identifier and text the decoder reads from `grey`, or why it read nothing.
std::string decoded(const QImage& grey, const Row& row) {
    ZXing::DecodeHints hints;
    // Code 39 as a scanner set to Full ASCII reads it: $ / + % are drawn as pairs.
    hints.setFormats(row.format).setTryRotate(false).setTryCode39ExtendedMode(true);
    hints.setReturnCodabarStartEnd(true);
    hints.setEanAddOnSymbol(*row.addon ? ZXing::EanAddOnSymbol::Require : ZXing::EanAddOnSymbol::Ignore);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return "nothing (" + (result.error() ? result.error().msg() : "no symbol") + ")";
    return result.symbologyIdentifier() + result.text();
}

void expectEachReadsBack(std::span<const Row> rows) {
    const auto click = [](QAbstractButton* box) { QTest::mouseClick(box, Qt::LeftButton); };
    const auto type = [](QLineEdit* field, const char* text) {
        field->setFocus(), field->clear();
        // QTest types ASCII keys only; the rest arrives as a paste would.
        const QString typed = QString::fromUtf8(text);
        if (std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 0x80; }))
            QTest::keyClicks(field, typed);
        else
            field->insert(typed);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MainWindow window;
        const WindowWidgets& w = window.widgets();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        w.codeSelector->setCurrentIndex(row.type);
        emit w.codeSelector->activated(row.type);
        type(w.dataToEncode, row.data);
        if (*row.addon) click(w.addon5), type(w.addonText, row.addon);
        if (row.clicks & kHalf) click(w.halfHeight);
        if (row.clicks & kHigh) click(w.highDensity);
        if (row.clicks & kNoCheck) click(w.checksum);
        if (*row.options) type(w.typeOptions, row.options);
        QCoreApplication::processEvents();

        ASSERT_EQ(w.preview->viewport()->devicePixelRatioF(), 1.0) << "the proof is for an ordinary screen";
        const QImage grey = shownSymbol(w).convertToFormat(QImage::Format_Grayscale8);
        const auto face = fontFor(row.type, row.clicks & kHalf, row.clicks & kHigh).family;
        const std::string want = std::string(face) + ": " + row.expected;
        const std::string seen = w.preview->font().family().toStdString() + ": " + decoded(grey, row);
        if (seen == want) continue;
        const QString picture = QDir::temp().filePath(QString(row.name).replace(' ', '_') + ".png");
        grey.save(picture);
        ADD_FAILURE() << "expected \"" << want << "\"\n    read \"" << seen << "\"\nfont string \""
                      << w.convertString->text().toStdString() << "\", notice \""
                      << w.notice->text().toStdString() << "\", " << w.preview->modulePixels()
                      << (w.preview->actualSizeBar()->isVisible() ? " (scrolled)" : "")
                      << " pixels per module, picture " << picture.toStdString();
    }
}

TEST(PreviewScan, EveryRowReadsBackFromTheWindowsPreview) {
    ASSERT_FALSE(loadBarcodeFonts(barcodeFontDirectory()).isEmpty())
        << "no fonts in " << qPrintable(barcodeFontDirectory());
    expectEachReadsBack(kRows);
}

TEST(PreviewScan, Every2DRowReadsBackFromTheWindowsPreview) {
    loadBarcodeFonts(barcodeFontDirectory());
    const auto face = symbology(QR).faces.normal;
    if (!QFontDatabase::families().contains(QString::fromUtf8(face.data(), qsizetype(face.size()))))
        GTEST_SKIP() << "the 2D face is not among the fonts built in " << qPrintable(barcodeFontDirectory());
    expectEachReadsBack(kMatrixRows);
}

}  // namespace

int main(int argc, char** argv) {
    MyApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
