// The window's geometry on the offscreen platform: the preview takes the
// space it is given, whole pixels per module where it can; the minimum size
// holds every control; the notice is legible and moves nothing.
#include <QAbstractButton>
#include <QListWidget>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTranslator>
#include <QtTest>
#include <climits>
#include <cmath>
#include <memory>

#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "symbology.h"

using namespace bcfont;
using namespace bcfont::app;

namespace {

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    return p;
}

// The controls a person sees and uses, without the parts Qt builds inside them.
QList<QWidget*> controls(QWidget& window) {
    QList<QWidget*> out;
    for (QWidget* c : window.findChildren<QWidget*>()) {
        const bool control = c->inherits("QAbstractButton") || c->inherits("QLineEdit") ||
                             c->inherits("QComboBox") || c->inherits("QAbstractScrollArea") ||
                             c->inherits("QLabel");
        if (!control || !c->isVisible() || c->parentWidget()->inherits("QComboBox") ||
            c->objectName().startsWith("qt_"))
            continue;
        out << c;
    }
    return out;
}

QRect globalRect(QWidget* w) {
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

QString overlaps(QWidget& window) {
    const auto all = controls(window);
    for (int i = 0; i < all.size(); ++i) {
        for (int j = i + 1; j < all.size(); ++j) {
            if (all[i]->isAncestorOf(all[j]) || all[j]->isAncestorOf(all[i])) continue;
            if (globalRect(all[i]).intersects(globalRect(all[j])))
                return all[i]->objectName() + '/' + all[i]->accessibleName() + " overlaps " +
                       all[j]->objectName() + '/' + all[j]->accessibleName();
        }
    }
    return {};
}

void typeData(MainWindow& window, CodeType type, const QString& data) {
    const WindowWidgets& w = window.widgets();
    w.codeSelector->setCurrentIndex(type);
    emit w.codeSelector->activated(type);
    w.dataToEncode->setText(data);
    emit w.dataToEncode->textEdited(data);
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;
    const WindowWidgets& w() const { return window->widgets(); }

  private slots:
    void initTestCase() {
        QVERIFY2(!loadBarcodeFonts(barcodeFontDirectory()).isEmpty(), "the fonts are not built");
    }
    void init() {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    // Each row a window size, each larger than the last: no control overlaps
    // another, the preview's zoom never shrinks as the window grows, and the
    // description never grows. The minimum fits a 1280x800 screen.
    void theMinimumSizeHoldsEveryControlAndExtraSpaceGoesToThePreview() {
        const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
        QVERIFY2(minimum.width() <= 1280 && minimum.height() <= 760,
                 qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
        const QSize sizes[] = {minimum, QSize(1200, 740), QSize(1280, 760), QSize(1280, 1100),
                               QSize(1800, 1300)};
        double lastModule = 1;
        int factsHeight = INT_MAX, previewHeight = 0;
        for (const QSize size : sizes) {
            window->resize(size);
            QCoreApplication::processEvents();
            w().preview->viewport()->grab();  // draws, and so measures
            const QString at = QStringLiteral("at %1x%2: ").arg(size.width()).arg(size.height());
            QVERIFY2(overlaps(*window).isEmpty(), qPrintable(at + overlaps(*window)));
            QVERIFY2(w().preview->modulePixels() >= lastModule,
                     qPrintable(at + QString::number(w().preview->modulePixels()) + " pixels per module"));
            QVERIFY2(w().preview->height() >= previewHeight, qPrintable(at + "the preview shrank"));
            // A wider window wraps the description into fewer lines; it never gets taller.
            QVERIFY2(w().facts->parentWidget()->height() <= factsHeight,
                     qPrintable(at + "the description grew"));
            factsHeight = w().facts->parentWidget()->height();
            previewHeight = w().preview->height();
            lastModule = w().preview->modulePixels();
        }
        QVERIFY2(lastModule >= 4, "a large window draws a large symbol");
    }

    // 48 characters, the longest data: whole pixels per module always; a
    // symbol wider than the preview at one pixel a module scrolls, with a note.
    void longDataIsNeverDrawnAtAFraction_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("Code 39") << int(C39) << QString(48, 'W') << true;
        QTest::newRow("Codabar") << int(CODABAR) << QString(48, '7') << true;
        QTest::newRow("Code 128 alternating sets")
            << int(C128) << QStringLiteral("a1b2c3d4e5f6g7h8i9j0a1b2c3d4e5f6g7h8i9j0a1b2c3d4") << false;
    }
    void longDataIsNeverDrawnAtAFraction() {
        QFETCH(int, type);
        QFETCH(QString, data);
        QFETCH(bool, scrolls);
        typeData(*window, CodeType(type), data);
        QCoreApplication::processEvents();
        QVERIFY(w().convertString->text() != QStringLiteral("n/a"));
        const double module = w().preview->modulePixels();
        QVERIFY2(module >= 1 && module == std::floor(module), qPrintable(QString::number(module)));
        QCOMPARE(w().preview->actualSizeBar()->isVisible(), scrolls);
        QCOMPARE(w().preview->actualSizeScroll()->maximum() > 0, scrolls);
    }

    // What the window shows after each keystroke is what a fresh drawing of the
    // same state shows: typing over a selection must not leave parts of the
    // last symbol in the window's backing store.
    void everyKeystrokeRepaintsTheWholePreview_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::newRow("UPC-A over UPC-A") << int(UPCA) << QStringLiteral("123456789012")
                                         << QStringLiteral("03600029145");
        QTest::newRow("EAN-13 over EAN-13") << int(EAN13) << QStringLiteral("400638133393")
                                            << QStringLiteral("978316148410");
        QTest::newRow("UPC-E over UPC-E") << int(UPCE) << QStringLiteral("0123456") << QStringLiteral("1234567");
    }
    void everyKeystrokeRepaintsTheWholePreview() {
        QFETCH(int, type);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        typeData(*window, CodeType(type), before);
        w().dataToEncode->setFocus();
        QCoreApplication::processEvents();
        w().dataToEncode->selectAll();
        QWidget* view = w().preview->viewport();
        for (const QChar c : typed) {
            QTest::keyClick(w().dataToEncode, c.toLatin1());
            QCoreApplication::processEvents();  // the repaint reaches the backing store
            const QRect inWindow(view->mapTo(window.get(), QPoint(0, 0)), view->size());
            const QImage shown = window->screen()
                                     ->grabWindow(window->winId(), inWindow.x(), inWindow.y(),
                                                  inWindow.width(), inWindow.height())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const QImage fresh = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(shown == fresh, qPrintable("stale after typing '" + QString(c) + "' into \"" +
                                                w().dataToEncode->text() + '"'));
        }
    }

    // A notice appearing or going away moves no control.
    void theNoticeMovesNothing() {
        const auto geometries = [this] {
            QStringList out;
            for (QWidget* c : controls(*window))
                if (c != w().notice)
                    out << c->objectName() + QString::number(globalRect(c).y()) + ',' +
                               QString::number(c->height());
            return out;
        };
        const QStringList before = geometries();
        QVERIFY(w().notice->text().isEmpty());
        typeData(*window, EAN8, QStringLiteral("123456789012345678901234567890 and a long tail of text"));
        QCoreApplication::processEvents();
        QVERIFY(!w().notice->text().isEmpty());
        QCOMPARE(geometries(), before);
        QCOMPARE(window->size(), QSize(1200, 740));
    }

    // The batch report takes its room from the output: the buttons stay put,
    // the window keeps its size, the list shows eight lines and wraps.
    void theBatchReportMovesNoButton_data() {
        QTest::addColumn<bool>("minimum");
        QTest::newRow("default size") << false;
        QTest::newRow("minimum size") << true;
    }
    void theBatchReportMovesNoButton() {
        QFETCH(bool, minimum);
        if (minimum) window->resize(window->minimumSizeHint());
        QCoreApplication::processEvents();
        const QSize size = window->size();
        const auto buttons = [this] {
            QStringList out;
            for (QWidget* b : {(QWidget*)w().readButton, (QWidget*)w().convertButton, (QWidget*)w().saveButton})
                out << QStringLiteral("%1 at %2").arg(b->objectName()).arg(globalRect(b).y());
            return out;
        };
        const QStringList before = buttons();
        QString input;
        for (int i = 0; i < 20; ++i) input += QStringLiteral("%1 is not a number at all, and a long line it is\n").arg(i);
        w().batchInput->setPlainText(input);
        w().convertButton->click();
        QCoreApplication::processEvents();
        QCOMPARE(buttons(), before);
        QCOMPARE(window->size(), size);
        QListWidget* report = w().batchRejections;
        QVERIFY(report->isVisible() && report->wordWrap());
        QVERIFY2(report->viewport()->height() >= 8 * report->fontMetrics().lineSpacing(),
                 qPrintable(QString::number(report->viewport()->height())));
    }

    void theNoticeMeetsAaContrastInLightAndDarkPalettes_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("Fusion light") << QStyleFactory::create("Fusion")->standardPalette();
        QTest::newRow("dark") << darkPalette();
        QTest::newRow("white") << QPalette(Qt::black, Qt::white);
        QTest::newRow("black") << QPalette(Qt::white, Qt::black);
    }
    void theNoticeMeetsAaContrastInLightAndDarkPalettes() {
        QFETCH(QPalette, palette);
        window->setPalette(palette);
        const NoticeLabel* notice = w().notice;
        const QColor background = notice->palette().color(notice->backgroundRole());
        const double ratio = contrast(noticeColour(background), background);
        QVERIFY2(ratio >= 4.5,
                 qPrintable(QStringLiteral("contrast %1 on %2").arg(ratio).arg(background.name())));
    }
};

int main(int argc, char** argv) {
    MyApplication application(argc, argv);
    WindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_layout_test.moc"
