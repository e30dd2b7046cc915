// The real window on the offscreen platform: typing, symbologies, options,
// add-ons, batch files, copy, print, fonts, descriptions and clipboard formats.
#include <QAbstractButton>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "Descriptions.h"
#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "symbology.h"

using namespace bcfont;
using namespace bcfont::app;

namespace {

// Answers the dialogs from fields the test sets, and keeps every error.
class ScriptedDialogs : public DialogProvider {
  public:
    std::optional<QString> openAnswer;
    std::optional<QString> saveAnswer;
    QString pdfPath;  // empty: the print dialog is cancelled
    QStringList errors;
    QString openStart;

    std::optional<QString> openFileName(QWidget*, const QString& startDirectory) override {
        openStart = startDirectory;
        return openAnswer;
    }
    std::optional<QString> saveFileName(QWidget*) override { return saveAnswer; }
    bool setUpPrinter(QWidget*, QPrinter& printer) override {
        if (pdfPath.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
    void error(QWidget*, const QString& message) override { errors << message; }
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;
    ScriptedDialogs* dialogs = nullptr;
    QTemporaryDir dir;

    const WindowWidgets& w() const { return window->widgets(); }

    void choose(QComboBox* selector, int index) {
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }
    void retype(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        typeText(field, text);
    }
    // Key by key, like a user; characters without a key of their own come as
    // the text of a key event, like from an input method.
    void typeText(QWidget* field, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(field, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    QString previewText() const { return w().preview->toPlainText(); }

  private slots:
    // Runs first, before any test loads fonts into the process.
    void aMissingFontIsNamedInTheNoticeLine() {
        QTemporaryDir empty;
        qputenv("BCFONT_FONT_DIR", empty.path().toUtf8());
        QCOMPARE(barcodeFontDirectory(QStringLiteral("/nonexistent")), empty.path());
        QVERIFY(loadBarcodeFonts(barcodeFontDirectory(QString())).isEmpty());
        qunsetenv("BCFONT_FONT_DIR");
        if (QFontDatabase::families().contains(QStringLiteral("Code EAN")))
            QSKIP("Code EAN is installed on this system");
        MainWindow fresh;
        QCOMPARE(fresh.widgets().convertString->text(), QStringLiteral("<BCDE=fgha>"));
        QCOMPARE(fresh.widgets().notice->text(),
                 QStringLiteral(
                     "Font \u201CCode EAN\u201D is not installed \u2014 the preview cannot draw the bars."));
    }

    void init() {
        window = std::make_unique<MainWindow>(qobject_cast<MyApplication*>(qApp));
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window->port().setDialogProvider(std::move(scripted));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void opensWithEan8AndTheStartData() {
        QCOMPARE(w().codeSelector->currentIndex(), int(EAN8));
        QCOMPARE(w().batchCodeSelector->currentIndex(), int(EAN8));
        QCOMPARE(w().dataToEncode->text(), QStringLiteral("1234567"));
        QCOMPARE(w().convertString->text(), QStringLiteral("<BCDE=fgha>"));
        QCOMPARE(previewText(), QStringLiteral("<BCDE=fgha>"));
        QVERIFY(w().checksum->isChecked() && !w().checksum->isEnabled() && w().halfHeight->isEnabled());
        QVERIFY(w().addonNothing->isChecked() && !w().addon->isEnabled() && !w().addonText->isEnabled());
        QVERIFY(w().facts->text().contains(QStringLiteral("EAN-8")));
        QCOMPARE(w().preview->textInteractionFlags(), Qt::NoTextInteraction);
    }

    void selectorsListTheElevenSymbologiesInOrder() {
        for (QComboBox* selector : {w().codeSelector, w().batchCodeSelector}) {
            QVERIFY(!selector->isEditable());
            QCOMPARE(selector->count(), kCodeTypeCount);
            for (int type = 0; type < kCodeTypeCount; ++type)
                QCOMPARE(selector->itemText(type).toStdString(),
                         std::string(symbology(static_cast<CodeType>(type)).fullName));
        }
    }

    void everyControlIsNamedForToolsAndScreenReaders() {
        int checked = 0;
        for (QWidget* c : window->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                                   qobject_cast<QComboBox*>(c) || qobject_cast<QPlainTextEdit*>(c);
            // Line edits inside combo boxes and scroll bars belong to their owner.
            if (!isControl || qobject_cast<QComboBox*>(c->parentWidget())) continue;
            if (c->objectName().startsWith(QLatin1String("qt_"))) continue;  // Qt's own, e.g. the menu bar's
            QVERIFY2(!c->objectName().isEmpty(), c->metaObject()->className());
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 18);
    }

    void typingUpdatesTheFontString_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("bytes above 127, one character each") << int(TOFIL) << "12345678" << "\u00C4\"8Ndu\u00E4";
        QTest::newRow("outside Mac OS Roman") << int(C128) << "AB\u4E00" << "n/a";
        // clang-format on
    }
    void typingUpdatesTheFontString() {
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        choose(w().codeSelector, type);
        retype(w().dataToEncode, typed);
        QCOMPARE(w().convertString->text(), shown);
        QCOMPARE(previewText(), shown == QLatin1String("n/a") ? QString() : shown);
    }

    void optionBoxesChooseThePreviewFontAndNotice() {
        choose(w().codeSelector, TOFIL);
        QTest::mouseClick(w().halfHeight, Qt::LeftButton);
        QTest::mouseClick(w().highDensity, Qt::LeftButton);
        QVERIFY(w().halfHeight->isChecked() && w().highDensity->isChecked());
        // The preview is in the font where it is installed; where not, the notice names it.
        const QString family = QStringLiteral("Code 25 Interleaved Red HD");
        if (QFontDatabase::families().contains(family))
            QCOMPARE(w().preview->font().family() + QString::number(w().preview->font().pointSize()),
                     family + QStringLiteral("30"));
        else
            QVERIFY2(w().notice->text().contains(u'\u201C' + family + u'\u201D'),
                     qPrintable(w().notice->text()));
        // Only Code 128 without its check character warns.
        choose(w().codeSelector, C128);
        QTest::mouseClick(w().checksum, Qt::LeftButton);
        QVERIFY(!w().checksum->isChecked());
        QVERIFY2(w().notice->text().contains(QStringLiteral("Scanners will not read")),
                 qPrintable(w().notice->text()));
        QTest::mouseClick(w().checksum, Qt::LeftButton);
        QVERIFY(!w().notice->text().contains(QStringLiteral("Scanners")));
    }

    void addonChoicesOpenTheFieldAndItsLengthDecides() {
        choose(w().codeSelector, EAN13);
        retype(w().dataToEncode, QStringLiteral("400638133393"));
        QVERIFY(w().addon->isEnabled() && !w().addonText->isEnabled());
        QTest::mouseClick(w().addon2, Qt::LeftButton);
        QVERIFY(w().addonText->isEnabled());
        QTest::keyClicks(w().addonText, QStringLiteral("52495"));
        QCOMPARE(w().convertString->text(), QStringLiteral("4<ALGDTM=dddjdb>:v;n;Z;u;q"));
        QTest::mouseClick(w().addon5, Qt::LeftButton);
        QCOMPARE(w().addonText->text(), QString());
        QCOMPARE(w().convertString->text(), QStringLiteral("4<ALGDTM=dddjdb>"));
        QTest::mouseClick(w().addonNothing, Qt::LeftButton);
        QVERIFY(!w().addonText->isEnabled());
    }

    void batchReadsConvertsAndSavesAFileWithCrLfLineEnds() {
        const QString input = dir.filePath(QStringLiteral("items.txt"));
        QVERIFY(writeAll(input, "1234567\r\n\r\nabc\r\n5512345\r\n"));
        dialogs->openAnswer = input;
        QTest::mouseClick(w().readButton, Qt::LeftButton);
        QCOMPARE(dialogs->openStart, QDir::homePath());
        QVERIFY(w().batchOutput->toPlainText().isEmpty());
        QTest::mouseClick(w().convertButton, Qt::LeftButton);
        dialogs->saveAnswer = dir.filePath(QStringLiteral("codes.txt"));
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        QVERIFY(dialogs->errors.isEmpty());
        QCOMPARE(readAll(*dialogs->saveAnswer), QByteArray("<BCDE=fgha>\n<FFBC=defh>\n"));
    }

    // The no-break space is byte 0xCA; a plain-text export would make it a space.
    void batchViewsKeepEachMacRomanByte() {
        const QString input = dir.filePath(QStringLiteral("roman.txt"));
        QVERIFY(writeAll(input, "\xA5\xCA\x80\n"));
        dialogs->openAnswer = input;
        QTest::mouseClick(w().readButton, Qt::LeftButton);
        QCOMPARE(w().batchInput->document()->toRawText(), QStringLiteral("\u2022\u00A0\u00C4\u2029"));
        w().batchOutput->setPlainText(QStringLiteral("a\u00A0b\u2022\n\u00C4\n"));
        dialogs->saveAnswer = dir.filePath(QStringLiteral("roman-out.txt"));
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        QVERIFY(dialogs->errors.isEmpty());
        QCOMPARE(readAll(*dialogs->saveAnswer), QByteArray("a\xCA"
                                                           "b\xA5\n\x80\n"));
    }

    void batchFileProblemsAreReportedAndChangeNothing() {
        w().batchInput->setPlainText(QStringLiteral("kept"));
        dialogs->openAnswer = dir.filePath(QStringLiteral("missing.txt"));
        QTest::mouseClick(w().readButton, Qt::LeftButton);
        QCOMPARE(dialogs->errors.size(), 1);
        QVERIFY(dialogs->errors[0].contains(QStringLiteral("missing.txt")));
        QCOMPARE(w().batchInput->toPlainText(), QStringLiteral("kept"));

        QTest::mouseClick(w().convertButton, Qt::LeftButton);
        dialogs->saveAnswer = dir.filePath(QStringLiteral("no/such/folder/out.txt"));
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        QCOMPARE(dialogs->errors.size(), 2);
        QVERIFY(dialogs->errors[1].contains(QStringLiteral("Could not save")));
        QVERIFY(!QFile::exists(*dialogs->saveAnswer));
    }

    // The escaping of each format is formatsNameTheFontAndEscapeTheText's; here the font travels.
    void copyPutsTextAndHtmlNamingTheFontOnTheClipboard() {
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(w().copyButton, Qt::LeftButton);
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime != nullptr);
        QCOMPARE(mime->text(), QStringLiteral("<BCDE=fgha>"));
        const QFont font = w().preview->font();
        QVERIFY2(
            mime->html().contains(
                QStringLiteral("font-family:'%1'; font-size:%2pt").arg(font.family()).arg(font.pointSize())),
            qPrintable(mime->html()));
        QVERIFY(mime->data(QStringLiteral("text/rtf")).contains(font.family().toUtf8()));
        QCOMPARE(w().preview->textInteractionFlags(), Qt::NoTextInteraction);
        QVERIFY(!w().preview->textCursor().hasSelection());
    }

    void copyOfARejectedInputLeavesTheClipboardAlone() {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        retype(w().dataToEncode, QStringLiteral("x"));
        QTest::mouseClick(w().copyButton, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    }

    void printWritesThePreviewToPdf() {
        const QString pdf = dir.filePath(QStringLiteral("preview.pdf"));
        dialogs->pdfPath = pdf;
        QTest::mouseClick(w().printButton, Qt::LeftButton);
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        dialogs->pdfPath.clear();
        QFile::remove(pdf);
        w().printAction->trigger();
        QVERIFY2(!QFile::exists(pdf), "a cancelled print dialog prints nothing");
    }

    void aboutGoesToTheApplicationAndShowsNothing() {
        const int before = QApplication::topLevelWidgets().size();
        w().aboutAction->trigger();
        QCOMPARE(QApplication::topLevelWidgets().size(), before);
    }

    void bundledFontsShowRealBars() {
        const QString fonts = qEnvironmentVariable("BCFONT_TEST_FONT_DIR");
        if (fonts.isEmpty() || loadBarcodeFonts(fonts).isEmpty()) QSKIP("the generated fonts are not built");
        window = std::make_unique<MainWindow>();
        QCOMPARE(window->widgets().preview->font().family(), QStringLiteral("Code EAN"));
        QCOMPARE(window->widgets().preview->font().pointSize(), 72);
        QCOMPARE(window->widgets().notice->text(), QString());
    }

    // ------------------------------------------------ descriptions
    // A phrase, where given, is what the check character facts must tell the user.
    void everyKeyHasATextInEnglishAndGerman_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        for (const char* key : {"NSFactEAN8", "NSFactEAN13", "NSFactUPCA", "NSFactC39", "NSFactTOFIL",
                                "NSFactTOFIND", "NSFactCODABAR", "NSFactPOSTNET"})
            QTest::newRow(key) << QString::fromLatin1(key) << QString() << QString();
        // clang-format off
        QTest::newRow("NSFactUPCE") << "NSFactUPCE" << "UPC-A number" << "UPC-A-Nummer";
        QTest::newRow("NSFactC128") << "NSFactC128" << "mandatory" << "Pflicht";
        QTest::newRow("NSFactC128EAN") << "NSFactC128EAN" << "mandatory" << "Pflicht";
        // clang-format on
    }
    void everyKeyHasATextInEnglishAndGerman() {
        QFETCH(QString, key);
        QFETCH(QString, english);
        QFETCH(QString, german);
        const Descriptions en{QLocale(QLocale::English)};
        const Descriptions de{QLocale(QLocale::German, QLocale::Austria)};
        QCOMPARE(de.language(), QStringLiteral("de"));
        QVERIFY(en.text(key).has_value() && de.text(key).has_value());
        QVERIFY(*en.text(key) != *de.text(key));
        QVERIFY2(en.text(key)->contains(english), qPrintable(*en.text(key)));
        QVERIFY2(de.text(key)->contains(german), qPrintable(*de.text(key)));
    }
    void otherLanguagesFallBackToEnglish() {
        const Descriptions french{QLocale(QLocale::French)};
        QCOMPARE(french.language(), QStringLiteral("en"));
        QCOMPARE(french.text(QStringLiteral("NSFactEAN8")),
                 Descriptions(QLocale(QLocale::English)).text(QStringLiteral("NSFactEAN8")));
        QVERIFY(!french.text(QStringLiteral("NSFactNothing")).has_value());
    }

    // ------------------------------------------------ clipboard formats
    void formatsNameTheFontAndEscapeTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("html");  // the span within the document
        QTest::addColumn<QByteArray>("rtf");
        // clang-format off
        QTest::newRow("EAN-8") << "<BCDE=fgha>" << "Code EAN" << 72
            << "<span style=\"font-family:'Code EAN'; font-size:72pt; white-space:pre\">&lt;BCDE=fgha&gt;</span>"
            << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Code EAN;}}\\f0\\fs144 <BCDE=fgha>}");
        QTest::newRow("markup characters") << "a&\"{\\}" << "Code 128" << 30
            << "<span style=\"font-family:'Code 128'; font-size:30pt; white-space:pre\">a&amp;&quot;{\\}</span>"
            << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Code 128;}}\\f0\\fs60 a&\"\\{\\\\\\}}");
        QTest::newRow("Mac OS Roman") << "\u2022\u00C4" << "Postnet" << 9
            << "<span style=\"font-family:'Postnet'; font-size:9pt; white-space:pre\">\u2022\u00C4</span>"
            << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Postnet;}}\\f0\\fs18 \\u8226?\\u196?}");
        // clang-format on
    }
    void formatsNameTheFontAndEscapeTheText() {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(int, size);
        QFETCH(QString, html);
        QFETCH(QByteArray, rtf);
        QFont font(family);
        font.setPointSize(size);
        const QString document = htmlForFontString(text, font);
        QVERIFY2(document.contains(html), qPrintable(document));
        QVERIFY(document.contains(QStringLiteral("charset=\"utf-8\"")));
        QCOMPARE(rtfForFontString(text, font), rtf);
    }
};

int main(int argc, char** argv) {
    MyApplication application(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
