// The window's Copy of a 2D symbol, pasted into a Writer document: its HTML
// is opened in headless LibreOffice with Writer's HTML filter, printed to
// PDF, rasterised at 300 dpi and read by a real decoder. The copy's one
// paragraph with no margin and 100% line height is what makes the lines
// touch there.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "symbology.h"

using namespace bcfont;
using namespace bcfont::app;
using ZXing::BarcodeFormat;

namespace {

struct Row {
    const char* name;
    CodeType type;
    const char* data;  // UTF-8
    BarcodeFormat format;
    std::string expected;  // symbology identifier and text
};

// clang-format off
const Row kRows[] = {
    {"QR URL", QR, "https://example.com/a?b=1", BarcodeFormat::QRCode, "]Q1https://example.com/a?b=1"},
    {"QR non-Latin text", QR, "Gr\u00FC\u00DFe \u4E16\u754C", BarcodeFormat::QRCode, "]Q1Gr\u00FC\u00DFe \u4E16\u754C"},
    {"PDF417", PDF417, "PDF417 pasted into Writer", BarcodeFormat::PDF417, "]L2PDF417 pasted into Writer"},
};
// clang-format on

// What the Copy button put on the clipboard as HTML for `row`.
QString copiedHtml(const Row& row) {
    MainWindow window;
    const WindowWidgets& w = window.widgets();
    window.show();
    w.codeSelector->setCurrentIndex(row.type);
    emit w.codeSelector->activated(row.type);
    w.dataToEncode->setFocus(), w.dataToEncode->clear(), w.dataToEncode->insert(QString::fromUtf8(row.data));
    QTest::mouseClick(w.copyButton, Qt::LeftButton);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime != nullptr ? mime->html() : QString();
}

std::string decoded(const QString& png, BarcodeFormat format) {
    const QImage grey = QImage(png).convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull()) return "nothing (no picture " + png.toStdString() + ")";
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return "nothing (" + (result.error() ? result.error().msg() : "no symbol") + ")";
    return result.symbologyIdentifier() + result.text();
}

// Runs `program` to its end; its error output when it failed.
std::string run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env = {}) {
    QProcess process;
    if (!env.isEmpty()) process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(180'000) || process.exitCode() != 0)
        return (program + ": " + process.readAllStandardError()).toStdString();
    return {};
}

TEST(WriterPaste, TheCopiedHtmlScansFromWritersPdfAt300Dpi) {
    const QString fonts = barcodeFontDirectory();
    loadBarcodeFonts(fonts);
    const auto face = symbology(QR).faces.normal;
    if (!QFontDatabase::families().contains(QString::fromUtf8(face.data(), qsizetype(face.size()))))
        GTEST_SKIP() << "the 2D face is not among the fonts built in " << qPrintable(fonts);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // LibreOffice finds the build's faces through fontconfig, as an installed copy would be found.
    QFile conf(dir.filePath("fonts.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>"
                              "<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include><dir>%1</dir>"
                              "<cachedir>%2</cachedir></fontconfig>")
                   .arg(fonts.toHtmlEscaped(), dir.filePath("fc").toHtmlEscaped())
                   .toUtf8());
    conf.close();

    QStringList documents;
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        QFile html(dir.filePath(QStringLiteral("row%1.html").arg(i)));
        ASSERT_TRUE(html.open(QIODevice::WriteOnly));
        html.write(copiedHtml(kRows[i]).toUtf8());
        documents << html.fileName();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), conf.fileName());
    const std::string office = run(QStringLiteral(BCFONT_SOFFICE),
                                   QStringList{"-env:UserInstallation=file://" + dir.filePath("profile"),
                                               "--headless", "--infilter=HTML (StarWriter)", "--convert-to",
                                               "pdf", "--outdir", dir.path()} +
                                       documents,
                                   env);
    ASSERT_EQ(office, "");
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        SCOPED_TRACE(kRows[i].name);
        const QString page = dir.filePath(QStringLiteral("row%1").arg(i));
        ASSERT_EQ(run(QStringLiteral(BCFONT_PDFTOPPM),
                      {"-r", "300", "-png", "-singlefile", page + ".pdf", page}),
                  "");
        EXPECT_EQ(decoded(page + ".png", kRows[i].format), kRows[i].expected);
    }
}

}  // namespace

int main(int argc, char** argv) {
    MyApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
