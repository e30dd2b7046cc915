// The real window on the offscreen platform: typing, symbologies, options,
// add-ons, batch files, copy, print, fonts and descriptions.
#include <QAbstractButton>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "Descriptions.h"
#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "encode.h"
#include "macroman.h"
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

QString bytesAsText(const std::string& bytes) {
    return QString::fromStdString(macroman::toUtf8(bytes));
}

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
    // The preview is in `family` where it is installed; where it is not, the
    // notice names it.
    void expectPreviewFont(const QString& family, int pointSize) {
        if (QFontDatabase::families().contains(family)) {
            QCOMPARE(w().preview->font().family(), family);
            QCOMPARE(w().preview->font().pointSize(), pointSize);
        } else {
            QVERIFY2(w().notice->text().contains(QStringLiteral("\u201C%1\u201D").arg(family)),
                     qPrintable(w().notice->text()));
        }
    }

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
        QVERIFY(w().checksum->isChecked());
        QVERIFY(!w().checksum->isEnabled());
        QVERIFY(!w().halfHeight->isChecked());
        QVERIFY(w().halfHeight->isEnabled());
        QVERIFY(!w().highDensity->isChecked());
        QVERIFY(w().addonNothing->isChecked());
        QVERIFY(!w().addon->isEnabled());
        QVERIFY(!w().addonText->isEnabled());
        QVERIFY(w().batchChecksum->isChecked());
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
        const auto controls = window->findChildren<QWidget*>();
        int checked = 0;
        for (QWidget* c : controls) {
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
        QTest::newRow("EAN-8 worked example") << int(EAN8) << "5512345"
                                              << "<FFBC=defh>";
        QTest::newRow("EAN-8 letter") << int(EAN8) << "551234a"
                                      << "n/a";
        QTest::newRow("EAN-13 worked example") << int(EAN13) << "400638133393"
                                               << "4<ALGDTM=dddjdb>";
        QTest::newRow("UPC-E worked example") << int(UPCE) << "0123456"
                                              << "0<WCDZvG?5";
        QTest::newRow("Postnet") << int(POSTNET) << "12345"
                                 << "-123455-";
        QTest::newRow("outside Mac OS Roman") << int(C128) << "AB\u4E00"
                                              << "n/a";
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

    void bytesAbove127ShowAsOneCharacterEach() {
        choose(w().codeSelector, TOFIL);
        retype(w().dataToEncode, QStringLiteral("12345678"));
        const auto bytes = encode(TOFIL, "12345678", "", true);
        QVERIFY(bytes.has_value());
        QCOMPARE(w().convertString->text(), bytesAsText(*bytes));
        QCOMPARE(w().convertString->text().size(), qsizetype(bytes->size()));
        QCOMPARE(previewText(), bytesAsText(*bytes));
    }

    void optionsChooseThePreviewFont_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("half");
        QTest::addColumn<bool>("high");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::newRow("EAN-13 half height")
            << int(EAN13) << "400638133393" << true << false << "Code EAN Red" << 72;
        QTest::newRow("Code 39 high density")
            << int(C39) << "ABC" << false << true << "Code 39 High Density" << 30;
        QTest::newRow("Code 128 half height") << int(C128) << "ABC" << true << false << "Code 128 Red" << 30;
        QTest::newRow("ITF half and high")
            << int(TOFIL) << "1234" << true << true << "Code 25 Interleaved Red HD" << 30;
        QTest::newRow("Codabar") << int(CODABAR) << "123" << false << false << "Codabar" << 40;
    }
    void optionsChooseThePreviewFont() {
        QFETCH(int, type);
        QFETCH(QString, data);
        QFETCH(bool, half);
        QFETCH(bool, high);
        QFETCH(QString, family);
        QFETCH(int, size);
        choose(w().codeSelector, type);
        retype(w().dataToEncode, data);
        if (half) QTest::mouseClick(w().halfHeight, Qt::LeftButton);
        if (high) QTest::mouseClick(w().highDensity, Qt::LeftButton);
        QCOMPARE(w().halfHeight->isChecked(), half);
        QCOMPARE(w().highDensity->isChecked(), high);
        expectPreviewFont(family, size);
    }

    void code128WithoutCheckCharacterSaysScannersWillNotReadIt() {
        choose(w().codeSelector, C128);
        QVERIFY(!w().notice->text().contains(QStringLiteral("Scanners")));
        QTest::mouseClick(w().checksum, Qt::LeftButton);
        QVERIFY(!w().checksum->isChecked());
        QVERIFY(w().checksum->isEnabled());
        QVERIFY2(w().notice->text().contains(QStringLiteral("Scanners will not read")),
                 qPrintable(w().notice->text()));
        QTest::mouseClick(w().checksum, Qt::LeftButton);
        QVERIFY(!w().notice->text().contains(QStringLiteral("Scanners")));
    }

    void addonChoicesOpenTheFieldAndItsLengthDecides() {
        choose(w().codeSelector, EAN13);
        retype(w().dataToEncode, QStringLiteral("400638133393"));
        QVERIFY(w().addon->isEnabled());
        QVERIFY(!w().addonText->isEnabled());
        QTest::mouseClick(w().addon2, Qt::LeftButton);
        QVERIFY(w().addonText->isEnabled());
        QTest::keyClicks(w().addonText, QStringLiteral("12"));
        QCOMPARE(w().convertString->text(), QStringLiteral("4<ALGDTM=dddjdb>:m;n"));
        QTest::keyClicks(w().addonText, QStringLiteral("345"));
        QCOMPARE(w().convertString->text(), bytesAsText(*encode(EAN13, "400638133393", "12345", true)));
        QTest::mouseClick(w().addon5, Qt::LeftButton);
        QCOMPARE(w().addonText->text(), QString());
        QCOMPARE(w().convertString->text(), QStringLiteral("4<ALGDTM=dddjdb>"));
        QTest::keyClicks(w().addonText, QStringLiteral("52495"));
        QCOMPARE(w().convertString->text(), QStringLiteral("4<ALGDTM=dddjdb>:v;n;Z;u;q"));
        QTest::mouseClick(w().addonNothing, Qt::LeftButton);
        QVERIFY(!w().addonText->isEnabled());
        QCOMPARE(w().addonText->text(), QString());
        QCOMPARE(w().convertString->text(), QStringLiteral("4<ALGDTM=dddjdb>"));
    }

    void batchReadsConvertsAndSavesAFileWithCrLfLineEnds() {
        const QString input = dir.filePath(QStringLiteral("items.txt"));
        const QString output = dir.filePath(QStringLiteral("codes.txt"));
        QVERIFY(writeAll(input, "1234567\r\n\r\nabc\r\n5512345\r\n"));
        dialogs->openAnswer = input;
        QTest::mouseClick(w().readButton, Qt::LeftButton);
        QCOMPARE(dialogs->openStart, QDir::homePath());
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(w().batchOutput->toPlainText().isEmpty());
        QTest::mouseClick(w().convertButton, Qt::LeftButton);
        QCOMPARE(w().batchOutput->toPlainText(), QStringLiteral("<BCDE=fgha>\n<FFBC=defh>\n"));
        dialogs->saveAnswer = output;
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        QVERIFY(dialogs->errors.isEmpty());
        QCOMPARE(readAll(output), QByteArray("<BCDE=fgha>\n<FFBC=defh>\n"));
    }

    void batchSavesTheBytesCalcProduced() {
        choose(w().batchCodeSelector, TOFIL);
        w().batchInput->setPlainText(QStringLiteral("12345678\n1234\n"));
        QTest::mouseClick(w().convertButton, Qt::LeftButton);
        const QString output = dir.filePath(QStringLiteral("itf.txt"));
        dialogs->saveAnswer = output;
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        const std::string expected =
            *encode(TOFIL, "12345678", "", true) + "\n" + *encode(TOFIL, "1234", "", true) + "\n";
        QCOMPARE(readAll(output), QByteArray::fromStdString(expected));
    }

    void batchSavesMacRomanCharactersAsOneByteEach() {
        // The no-break space is byte 0xCA; a plain-text export would make it a space.
        w().batchOutput->setPlainText(QStringLiteral("a\u00A0b\u2022\n\u00C4\n"));
        const QString output = dir.filePath(QStringLiteral("roman-out.txt"));
        dialogs->saveAnswer = output;
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        QVERIFY(dialogs->errors.isEmpty());
        QCOMPARE(readAll(output), QByteArray("a\xCA"
                                             "b\xA5\n\x80\n"));
    }

    void batchReadShowsEachByteAsOneCharacter() {
        const QString input = dir.filePath(QStringLiteral("roman.txt"));
        QVERIFY(writeAll(input, "\xA5\xCA\x80\n"));
        dialogs->openAnswer = input;
        QTest::mouseClick(w().readButton, Qt::LeftButton);
        QCOMPARE(w().batchInput->document()->toRawText(), QStringLiteral("\u2022\u00A0\u00C4\u2029"));
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

        const QString existing = dir.filePath(QStringLiteral("existing.txt"));
        QVERIFY(writeAll(existing, "previous"));
        w().batchOutput->setPlainText(QStringLiteral("ok\n\u4E00\n"));
        dialogs->saveAnswer = existing;
        QTest::mouseClick(w().saveButton, Qt::LeftButton);
        QCOMPARE(dialogs->errors.size(), 3);
        QCOMPARE(readAll(existing), QByteArray("previous"));
    }

    void batchConvertsAHundredThousandLines() {
        QString input;
        for (int i = 0; i < 100000; ++i) input += QString::number(1000000 + i) + QLatin1Char('\n');
        w().batchInput->setPlainText(input);
        QTest::mouseClick(w().convertButton, Qt::LeftButton);
        QCOMPARE(w().batchOutput->blockCount(), 100001);  // the last line end opens an empty block
        QCOMPARE(w().batchOutput->document()->findBlockByNumber(0).text(),
                 bytesAsText(*encode(EAN8, "1000000", "", true)));
    }

    void copyPutsTextAndHtmlNamingTheFontOnTheClipboard() {
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(w().copyButton, Qt::LeftButton);
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime != nullptr);
        QCOMPARE(mime->text(), QStringLiteral("<BCDE=fgha>"));
        QVERIFY(mime->hasHtml());
        const QString family = w().preview->font().family();
        QVERIFY2(mime->html().contains(QStringLiteral("font-family:'%1'").arg(family)),
                 qPrintable(mime->html()));
        QVERIFY(mime->html().contains(QStringLiteral("font-size:%1pt").arg(w().preview->font().pointSize())));
        QVERIFY(mime->html().contains(QStringLiteral("&lt;BCDE=fgha&gt;")));
        QVERIFY(mime->data(QStringLiteral("text/rtf")).contains(family.toUtf8()));
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
};

class DescriptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void everyKeyHasATextInEnglishAndGerman_data() {
        QTest::addColumn<QString>("key");
        for (const char* key :
             {"NSFactEAN8", "NSFactEAN13", "NSFactUPCA", "NSFactUPCE", "NSFactC39", "NSFactC128",
              "NSFactC128EAN", "NSFactTOFIL", "NSFactTOFIND", "NSFactCODABAR", "NSFactPOSTNET"})
            QTest::newRow(key) << QString::fromLatin1(key);
    }
    void everyKeyHasATextInEnglishAndGerman() {
        QFETCH(QString, key);
        const Descriptions english{QLocale(QLocale::English)};
        const Descriptions german{QLocale(QLocale::German, QLocale::Austria)};
        QCOMPARE(german.language(), QStringLiteral("de"));
        QVERIFY(english.text(key).has_value());
        QVERIFY(german.text(key).has_value());
        QVERIFY(*english.text(key) != *german.text(key));
    }
    void otherLanguagesFallBackToEnglish() {
        const Descriptions french{QLocale(QLocale::French)};
        QCOMPARE(french.language(), QStringLiteral("en"));
        QCOMPARE(french.text(QStringLiteral("NSFactEAN8")),
                 Descriptions(QLocale(QLocale::English)).text(QStringLiteral("NSFactEAN8")));
        QVERIFY(!french.text(QStringLiteral("NSFactNothing")).has_value());
    }
    void checkCharacterFactsSayWhatScannersNeed_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("UPC-E") << "NSFactUPCE"
                               << "UPC-A number"
                               << "UPC-A-Nummer";
        QTest::newRow("Code 128") << "NSFactC128"
                                  << "mandatory"
                                  << "Pflicht";
        QTest::newRow("Code 128 EAN/UCC") << "NSFactC128EAN"
                                          << "mandatory"
                                          << "Pflicht";
    }
    void checkCharacterFactsSayWhatScannersNeed() {
        QFETCH(QString, key);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QVERIFY(Descriptions(QLocale(QLocale::English)).text(key)->contains(english));
        QVERIFY(Descriptions(QLocale(QLocale::German)).text(key)->contains(german));
    }
};

class ClipboardFormatTest : public QObject {
    Q_OBJECT
  private slots:
    void htmlNamesTheFontAndEscapesTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("span");
        QTest::newRow("EAN-8") << "<BCDE=fgha>"
                               << "Code EAN" << 72
                               << "<span style=\"font-family:'Code EAN'; font-size:72pt; white-space:pre\">"
                                  "&lt;BCDE=fgha&gt;</span>";
        QTest::newRow("ampersand and quote")
            << "a&\"b"
            << "Code 128" << 30
            << "<span style=\"font-family:'Code 128'; font-size:30pt; white-space:pre\">a&amp;&quot;b</span>";
        QTest::newRow("Mac OS Roman")
            << "\u2022\u00C4"
            << "Postnet" << 9
            << "<span style=\"font-family:'Postnet'; font-size:9pt; white-space:pre\">"
               "\u2022\u00C4</span>";
    }
    void htmlNamesTheFontAndEscapesTheText() {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(int, size);
        QFETCH(QString, span);
        QFont font(family);
        font.setPointSize(size);
        const QString html = htmlForFontString(text, font);
        QVERIFY2(html.contains(span), qPrintable(html));
        QVERIFY(html.contains(QStringLiteral("charset=\"utf-8\"")));
    }
    void rtfNamesTheFontAndEscapesTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("plain") << "<BCDE=fgha>"
                               << QByteArray(
                                      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Code EAN;}}\\f0\\fs144 "
                                      "<BCDE=fgha>}");
        QTest::newRow("braces and backslash")
            << "{\\}"
            << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Code EAN;}}\\f0\\fs144 \\{\\\\\\}}");
        QTest::newRow("above 127") << "\u2022\u00C4"
                                   << QByteArray(
                                          "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Code EAN;}}\\f0\\fs144 "
                                          "\\u8226?\\u196?}");
    }
    void rtfNamesTheFontAndEscapesTheText() {
        QFETCH(QString, text);
        QFETCH(QByteArray, rtf);
        QFont font(QStringLiteral("Code EAN"));
        font.setPointSize(72);
        QCOMPARE(rtfForFontString(text, font), rtf);
    }
};

int main(int argc, char** argv) {
    MyApplication application(argc, argv);
    int failures = 0;
    {
        WindowTest window;
        failures += QTest::qExec(&window, argc, argv);
    }
    DescriptionsTest descriptions;
    failures += QTest::qExec(&descriptions, argc, argv);
    ClipboardFormatTest clipboard;
    failures += QTest::qExec(&clipboard, argc, argv);
    return failures == 0 ? 0 : 1;
}

#include "window_test.moc"
