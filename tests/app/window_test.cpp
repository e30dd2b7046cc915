// The real window on the offscreen platform: that each gesture reaches the
// controller and that the port's calls act on real widgets, files, the
// clipboard and the printer. The decisions themselves are the controller tests'.
#include <QAbstractButton>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>
#include <functional>

#include "AppSettings.h"
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
    std::optional<QString> openAnswer, saveAnswer;
    QString pdfPath;  // empty: the print dialog is cancelled
    QStringList errors;
    QString openStart;

    // clang-format off
    std::optional<QString> openFileName(QWidget*, const QString& start) override { return openStart = start, openAnswer; }
    std::optional<QString> saveFileName(QWidget*, const QString&) override { return saveAnswer; }
    bool confirm(QWidget*, const QString& question) override { return errors << question, false; }
    bool setUpPrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat), printer.setOutputFileName(pdfPath);
        return !pdfPath.isEmpty();
    }
    void error(QWidget*, const QString& message) override { errors << message; }
    // clang-format on
};

// Cancels every export.
class NoExport : public ExportDialogs {
  public:
    std::optional<QString> exportFileName(QWidget*) override { return std::nullopt; }
    std::optional<int> resolution(QWidget*, int, int, int) override { return std::nullopt; }
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

    // clang-format off
    const WindowWidgets& w() const { return window->widgets(); }
    void choose(QComboBox* selector, int index) { selector->setCurrentIndex(index), emit selector->activated(index); }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Key by key, like a user; a character without a key of its own comes as
    // the text of a key event, like from an input method.
    void retype(QLineEdit* field, const QString& text) {
        field->setFocus(), field->selectAll(), QTest::keyClick(field, Qt::Key_Backspace);
        for (const QChar c : text)
            c.unicode() < 0x80 ? QTest::keyClick(field, char(c.unicode()))
                               : QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // clang-format on
    // What the window shows: each option control by name (`*` ticked, `-`
    // disabled), [add-on][font string][preview]{text under it}, the preview's family, the notice, (the check option's tooltip).
    QString seen() const {
        QStringList all;
        QWidget* const controls[] = {w().checksum,     w().halfHeight, w().highDensity,
                                     w().addonNothing, w().addon2,     w().addonText};
        for (QWidget* c : controls) {
            auto* box = qobject_cast<QAbstractButton*>(c);
            all << c->objectName() + (box && box->isChecked() ? "*" : "") + (c->isEnabled() ? "" : "-");
        }
        const QString text = w().humanReadable->text();
        return all.join(' ') + QStringLiteral(" [%1][%2][%3]{%4} %5 %6 (%7)")
                                   .arg(w().addonText->text(), w().convertString->text(),
                                        w().preview->toPlainText(), text, w().preview->font().family(),
                                        w().notice->text(), w().checksum->toolTip());
    }

  private slots:
    // Runs first, before any test loads fonts into the process.
    void fontsLoadFromTheirFolderOrTheNoticeNamesTheMissingOne() {
        QTemporaryDir empty;
        qputenv("BCFONT_FONT_DIR", empty.path().toUtf8());
        QCOMPARE(barcodeFontDirectory(), empty.path());
        QVERIFY(loadBarcodeFonts(barcodeFontDirectory()).isEmpty());
        qunsetenv("BCFONT_FONT_DIR");
        if (!QFontDatabase::families().contains(QStringLiteral("Code EAN"))) {
            MainWindow missing;
            QCOMPARE(missing.widgets().convertString->text(), QStringLiteral("<BCDE=fgha>"));
            QCOMPARE(
                missing.widgets().notice->text(),
                QStringLiteral(
                    "Font \u201CCode EAN\u201D is not installed \u2014 the preview cannot draw the bars."));
        }
        const QString fonts = qEnvironmentVariable("BCFONT_TEST_FONT_DIR");
        if (fonts.isEmpty() || loadBarcodeFonts(fonts).isEmpty()) QSKIP("the generated fonts are not built");
        MainWindow loaded;
        const QFont font = loaded.widgets().preview->font();
        QCOMPARE(font.family() + ' ' + QString::number(font.pointSize()) + loaded.widgets().notice->text(),
                 QStringLiteral("Code EAN 72"));
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

    void gesturesReachTheControllerAndItsCallsReachTheWidgets() {
        QCOMPARE(w().codeSelector->currentIndex() + w().batchCodeSelector->currentIndex(), int(EAN8));
        QVERIFY(w().facts->text().contains(QStringLiteral("EAN-8")));
        QCOMPARE(w().preview->textInteractionFlags(), Qt::NoTextInteraction);
        struct Step {
            const char* name;
            std::function<void()> act;
            QString part;  // of what the window shows afterwards
        };
        // clang-format off
        const Step steps[] = {
            {"start-up", [] {}, "checksum*- halfHeight highDensity- addonNothing*- addon2- addonText- [][<BCDE=fgha>][<BCDE=fgha>]{12345670}"},
            {"Codabar offers no check option and its tooltip says why", [this] { choose(w().codeSelector, CODABAR); },
             "(Check character: None \u2014 Codabar has no check character.)"},
            {"2 of 5 Interleaved says when a 0 leads", [this] { choose(w().codeSelector, TOFIL), retype(w().dataToEncode, "1234"); },
             "a leading 0 makes the digit count even"},
            {"typing, bytes above 127 one character each",
             [this] { retype(w().dataToEncode, "12345678"); }, "[][\u00C4\"8Ndu\u00E4][\u00C4\"8Ndu\u00E4]"},
            {"half height and high density choose the face, or the notice names it",
             [this] { click(w().halfHeight), click(w().highDensity); }, "Code 25 Interleaved Red HD"},
            {"a character from an input method",
             [this] { choose(w().codeSelector, C128), retype(w().dataToEncode, "AB\u4E00"); }, "[][n/a][]{}"},
            {"the text under the preview shows what escapes stand for",
             [this] { retype(w().dataToEncode, "A~066~~"); }, "{AB~}"},
            {"clearing the check character warns",
             [this] { retype(w().dataToEncode, "ABC"), click(w().checksum); }, "Scanners will not read"},
            {"the 2-digit choice opens the field; five digits are left out",
             [this] { choose(w().codeSelector, EAN13), retype(w().dataToEncode, "400638133393"), click(w().addon2),
                      QTest::keyClicks(w().addonText, "52495"); },
             "checksum*- halfHeight highDensity- addonNothing addon2* addonText [52495][4<ALGDTM=dddjdb>][4<ALGDTM=dddjdb>]"},
            {"the 5-digit choice keeps and takes them", [this] { click(w().addon5); }, "[52495][4<ALGDTM=dddjdb>:v;n;Z;u;q]"},
            {"no add-on closes the field", [this] { click(w().addonNothing); },
             "checksum*- halfHeight highDensity- addonNothing* addon2 addonText- [52495][4<ALGDTM=dddjdb>]"},
        };
        // clang-format on
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(seen().contains(step.part),
                     qPrintable(QStringLiteral("%1: saw “%2”, want “%3”").arg(step.name, seen(), step.part)));
        }
    }

    // The titles line takes room only while the data has element titles.
    void elementTitlesShowUnderTheTextOnlyWhenThereAreAny() {
        struct Row {
            const char* name;
            std::string text, titles;
            QString shown;  // the titles line, or "hidden"
        };
        const Row rows[] = {
            {"titles", "(01)09501101530003", "(01) GTIN", "(01) GTIN"},
            {"none", "12345670", "", "hidden"},
        };
        for (const Row& row : rows) {
            window->port().showHumanReadable(row.text, row.titles);
            const QString shown = w().elementTitles->isHidden() ? QStringLiteral("hidden") : w().elementTitles->text();
            QVERIFY2(shown == row.shown && w().humanReadable->text() == QString::fromStdString(row.text),
                     qPrintable(QStringLiteral("%1: titles “%2”").arg(row.name, shown)));
        }
    }

    void selectorsListTheElevenSymbologiesInOrder() {
        for (QComboBox* selector : {w().codeSelector, w().batchCodeSelector}) {
            QVERIFY(!selector->isEditable() && selector->count() == kCodeTypeCount);
            for (int type = 0; type < kCodeTypeCount; ++type)
                QCOMPARE(selector->itemText(type), QString::fromUtf8(symbology(CodeType(type)).fullName));
        }
    }

    // Every control has a name for tools and screen readers (line edits inside
    // combo boxes belong to their owner; qt_ names are Qt's own). Mnemonics
    // are the mnemonics test's.
    void everyControlIsNamed() {
        int named = 0;
        QStringList missing;
        for (QWidget* c : window->findChildren<QWidget*>()) {
            if (!c->inherits("QAbstractButton") && !c->inherits("QLineEdit") && !c->inherits("QComboBox") &&
                !c->inherits("QPlainTextEdit"))
                continue;
            if (c->parentWidget()->inherits("QComboBox") || c->objectName().startsWith("qt_")) continue;
            if (c->objectName().isEmpty() || c->accessibleName().isEmpty())
                missing << c->metaObject()->className() + (" unnamed " + c->objectName());
            ++named;
        }
        QVERIFY(named >= 18);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    // The batch area's own selector and check box, CR LF line ends, Mac OS
    // Roman bytes, and an edit by hand: a no-break space (0xCA) must not
    // become a space on the way to the file. A failed read or save changes nothing.
    void batchReadsConvertsAndSavesAFileByteForByte() {
        const QString input = dir.filePath(QStringLiteral("items.txt"));
        QVERIFY(writeAll(input, "1234\r\n\r\nabc\r\n\xA5\xCA\x80\r\n5678\r\n"));
        w().batchInput->setPlainText(QStringLiteral("kept"));
        dialogs->openAnswer = dir.filePath(QStringLiteral("missing.txt"));
        click(w().readButton);
        QCOMPARE(w().batchInput->toPlainText(), QStringLiteral("kept"));
        choose(w().batchCodeSelector, TOFIND);
        click(w().batchChecksum);
        dialogs->openAnswer = input;
        click(w().readButton);
        QCOMPARE(dialogs->openStart, QDir::homePath());
        QVERIFY(w().batchInput->document()->toRawText().contains(QStringLiteral("\u2022\u00A0\u00C4")));
        click(w().convertButton);
        w().batchOutput->moveCursor(QTextCursor::End);
        w().batchOutput->insertPlainText(QStringLiteral("a\u00A0b"));
        for (const char* name : {"no/such/folder/out.txt", "codes.txt"}) {
            dialogs->saveAnswer = dir.filePath(QString::fromLatin1(name));
            click(w().saveButton);
        }
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no/such/folder/out.txt"))));
        QCOMPARE(dialogs->errors.size(), 2);
        QVERIFY2(dialogs->errors[0].contains(QStringLiteral("missing.txt")) &&
                     dialogs->errors[1].contains(QStringLiteral("Could not save")),
                 qPrintable(dialogs->errors.join('\n')));
        QCOMPARE(readAll(*dialogs->saveAnswer), QByteArray("<1234>\n<5678>\na\xCA"
                                                           "b"));
        QCOMPARE(window->statusBar()->currentMessage(), "saved 3 lines to " + *dialogs->saveAnswer);
    }

    // Convert reports, a click on a rejected line selects it in the input,
    // typing clears the stale output, and UTF-8 files are read and saved as such.
    void batchReportsRejectedLinesAndClearsStaleOutput() {
        w().batchInput->setPlainText(QStringLiteral("1234567\nabc\n\n12\n"));
        click(w().batchAlign);
        w().convertAction->trigger();
        QCOMPARE(w().batchOutput->document()->toRawText().replace(QChar::LineSeparator, '\n'),
                 QStringLiteral("<BCDE=fgha>\n\n\n\n"));
        QCOMPARE(w().batchSummary->text(), QStringLiteral("converted 1 of 3 lines (not counting 1 empty)"));
        QCOMPARE(w().batchRejections->count(), 2);
        QVERIFY(w().batchRejections->isVisible());
        QCOMPARE(w().batchRejections->item(1)->text(),
                 QStringLiteral("line 4: EAN-8 needs 7 or 8 digits, got 2"));
        QTest::mouseClick(w().batchRejections->viewport(), Qt::LeftButton, {},
                          w().batchRejections->visualItemRect(w().batchRejections->item(1)).center());
        QCOMPARE(w().batchInput->textCursor().selectedText(), QStringLiteral("12"));
        QCOMPARE(w().batchInput->textCursor().blockNumber(), 3);

        QTest::keyClick(w().batchInput, Qt::Key_End);
        QTest::keyClicks(w().batchInput, "3");
        QVERIFY(w().batchOutput->toPlainText().isEmpty());
        QVERIFY(w().batchSummary->text().isEmpty() && !w().batchRejections->isVisible());

        const QString input = dir.filePath(QStringLiteral("utf8.txt"));
        QVERIFY(writeAll(input, "\xE2\x80\xA2\nAB\n"));  // U+2022, byte 0xA5 in Mac OS Roman
        choose(w().batchEncoding, 1);
        choose(w().batchCodeSelector, C128);
        dialogs->openAnswer = input;
        w().readAction->trigger();
        QCOMPARE(w().batchInput->toPlainText(), QStringLiteral("\u2022\nAB\n"));
        w().convertButton->click();
        dialogs->saveAnswer = dir.filePath(QStringLiteral("utf8-out.txt"));
        w().saveAction->trigger();
        const QByteArray saved = readAll(*dialogs->saveAnswer);
        // Aligned: an empty line for the rejected bullet, then the Code 128 string
        // whose start character U+00D6 is written as UTF-8.
        QVERIFY2(saved.startsWith("\n\xC3\x96"
                                  "AB") &&
                     saved.endsWith('\n'),
                 saved.toHex().constData());
    }

    // Save… never writes an empty file over good output: it is enabled only
    // while there is output, and a batch option changed after Convert
    // converts again instead of emptying the output.
    void saveNeverWritesAnEmptyFileOverGoodOutput() {
        const QString out = dir.filePath(QStringLiteral("aligned.txt"));
        dialogs->saveAnswer = out;
        struct Step {
            const char* name;
            std::function<void()> act;
            bool saves;              // Save… (button and menu item) enabled afterwards
            QByteArray file;         // the saved file afterwards
            QString summary;         // a part of the summary line
        };
        const QString again = QStringLiteral("converted again with Align output with input");
        // clang-format off
        const Step steps[] = {
            {"nothing converted yet", [] {}, false, "", ""},
            {"Convert, then Save", [this] { w().batchInput->setPlainText("1234567\nabc\n"), click(w().convertButton), click(w().saveButton); },
             true, "<BCDE=fgha>\n", "converted 1 of 2 lines"},
            {"ticking Align converts again; Save onto the same file", [this] { click(w().batchAlign), click(w().saveButton); },
             true, "<BCDE=fgha>\n\n", again},
            {"typing in the input leaves nothing to save", [this] { QTest::keyClicks(w().batchInput, "9"); }, false, "<BCDE=fgha>\n\n", ""},
            {"an output view emptied by hand saves nothing", [this] {
                 click(w().convertButton), w().batchOutput->clear(), w().saveAction->trigger(); },
             true, "<BCDE=fgha>\n\n", "converted 1 of 2 lines"},
        };
        // clang-format on
        for (const Step& step : steps) {
            step.act();
            const QString seen = QStringLiteral("save %1/%2, file “%3”, summary “%4”")
                                     .arg(w().saveButton->isEnabled())
                                     .arg(w().saveAction->isEnabled())
                                     .arg(QString::fromLatin1(readAll(out)), w().batchSummary->text());
            const bool ok = w().saveButton->isEnabled() == step.saves &&
                            w().saveAction->isEnabled() == step.saves && readAll(out) == step.file &&
                            w().batchSummary->text().contains(step.summary) &&
                            (!step.summary.isEmpty() || w().batchSummary->text().isEmpty());
            QVERIFY2(ok, qPrintable(QStringLiteral("%1: %2").arg(step.name, seen)));
        }
        QCOMPARE(dialogs->errors, QStringList{"Nothing was saved: the output is empty. Convert the input first."});
    }

    // The Copy button refuses rejected data; Ctrl+C in the data field copies
    // the barcode as text, HTML and RTF naming the font, unless text is selected.
    void copyPutsTextAndHtmlNamingTheFontOnTheClipboard() {
        QGuiApplication::clipboard()->setText("before");
        retype(w().dataToEncode, "x");
        click(w().copyButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), "before");
        retype(w().dataToEncode, "1234567");
        w().dataToEncode->deselect();
        QTest::keyClick(w().dataToEncode, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime != nullptr);
        QCOMPARE(mime->text(), "<BCDE=fgha>");
        const QFont font = w().preview->font();
        const QString span = QString("font-family:'%1'; font-size:%2pt; white-space:pre\">&lt;BCDE=fgha&gt;<")
                                 .arg(font.family())
                                 .arg(font.pointSize());
        QVERIFY2(mime->html().contains(span), qPrintable(mime->html()));
        QVERIFY(mime->data("text/rtf").contains(font.family().toUtf8()));
        QVERIFY(!w().preview->textCursor().hasSelection());
        w().dataToEncode->setSelection(0, 3);
        QTest::keyClick(w().dataToEncode, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("123"));
    }

    // Markup characters escaped; U+F8FF (Mac OS Roman 0xF0) is a negative code unit in RTF.
    void clipboardFormatsEscapeTheText() {
        QFont font("Code 128");
        font.setPointSize(30);
        const QString text = "a&\"{\\}\u2022\uF8FF", html = htmlForFontString(text, font);
        QVERIFY2(html.contains("<meta charset=\"utf-8\">") &&
                     html.contains("<span style=\"font-family:'Code 128'; font-size:30pt; white-space:pre\">"
                                   "a&amp;&quot;{\\}\u2022\uF8FF</span>"),
                 qPrintable(html));
        QCOMPARE(rtfForFontString(text, font),
                 QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Code 128;}}\\f0\\fs60 "
                            "a&\"\\{\\\\\\}\\u8226?\\u-1793?}"));
    }

    void printWritesThePreviewToPdfAndAboutShowsNameVersionLicencesAndFontFolder() {
        const QString pdf = dir.filePath(QStringLiteral("preview.pdf"));
        dialogs->pdfPath = pdf;
        click(w().printButton);
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        QCOMPARE(window->statusBar()->currentMessage(), "sent the barcode to the printer");
        dialogs->pdfPath.clear();
        QFile::remove(pdf);
        w().printAction->trigger();
        QVERIFY2(!QFile::exists(pdf), "a cancelled print dialog prints nothing");
        const auto before = QApplication::topLevelWidgets().size();
        window->controller().about(ControlId::preview);
        QCOMPARE(QApplication::topLevelWidgets().size(), before);  // the application's panel shows nothing
        w().aboutAction->trigger();
        auto* box = window->findChild<QDialog*>(QStringLiteral("aboutBox"));
        QVERIFY(box != nullptr && box->isVisible());
        const QString text = box->findChild<QLabel*>(QStringLiteral("aboutText"))->text();
        for (const QString& part :
             {QStringLiteral("bcfont " BCFONT_TEST_VERSION), QStringLiteral("Licence: MIT"),
              QStringLiteral("SIL Open Font License 1.1"), loadedFontDirectory()})
            QVERIFY2(!part.isEmpty() && text.contains(part), qPrintable(part + " not in " + text));
        box->close();
    }

    // Every visible text of the window, in German with the compiled-in
    // translation: no label, button, menu or notice is left in English.
    void everyTextOfTheWindowIsInGerman() {
        const auto texts = [](MainWindow& win) {
            QStringList out;
            for (QAbstractButton* b : win.findChildren<QAbstractButton*>()) out << b->text();
            for (QLabel* l : win.findChildren<QLabel*>())
                if (l != win.widgets().facts && l != win.widgets().humanReadable) out << l->text();
            for (QGroupBox* g : win.findChildren<QGroupBox*>()) out << g->title();
            for (QAction* a : win.findChildren<QAction*>()) out << a->text();
            for (QLineEdit* e : win.findChildren<QLineEdit*>()) out << e->placeholderText();
            return out;
        };
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/bcfont_de.qm")));
        QApplication::installTranslator(&german);
        MainWindow inGerman;
        QApplication::removeTranslator(&german);
        const QStringList english = texts(*window), translated = texts(inGerman);
        QVERIFY(translated.size() >= 45);
        // Names, codes and empty texts read the same in both languages.
        const QStringList same = {"", "Barcode", "bcfont", "Mac OS Roman", "UTF-8"};
        for (const QString& text : translated)
            QVERIFY2(same.contains(text) || !english.contains(text), qPrintable(text + " is not translated"));

        retype(w().dataToEncode, "55123450");
        QCOMPARE(w().notice->text(), QStringLiteral("check digit 0 replaced by 7"));
        QApplication::installTranslator(&german);
        MainWindow again;
        again.widgets().dataToEncode->setText("55123450");
        emit again.widgets().dataToEncode->textEdited("55123450");
        QApplication::removeTranslator(&german);
        QCOMPARE(again.widgets().notice->text(), QStringLiteral("Pr\u00FCfziffer 0 durch 7 ersetzt"));
    }

    // Ctrl+E and Ctrl+P reach Export and Print from any widget; Tab leaves
    // the batch views.
    void keyboardShortcutsReachTheWindowFromEveryWidget() {
        int exports = 0, prints = 0;
        connect(w().exportAction, &QAction::triggered, this, [&exports] { ++exports; });
        connect(w().printAction, &QAction::triggered, this, [&prints] { ++prints; });
        dialogs->pdfPath.clear();  // the print dialog is cancelled
        window->port().setExportDialogs(std::make_unique<NoExport>());
        QWidget* const widgets[] = {w().dataToEncode, w().batchInput, w().batchOutput, w().codeSelector,
                                    w().checksum};
        for (QWidget* target : widgets) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_E, Qt::ControlModifier);
            QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
        }
        QCOMPARE(exports, 5);
        QCOMPARE(prints, 5);

        w().batchInput->setFocus();
        QTest::keyClick(w().batchInput, Qt::Key_Tab);
        QVERIFY(!w().batchInput->hasFocus());
        QVERIFY(w().batchInput->toPlainText().isEmpty());
    }

    // Closing saves the choices and the geometry; the next window opens with them.
    void settingsComeBackInTheNextWindow() {
        const QString file = dir.filePath(QStringLiteral("settings.conf"));
        {
            QSettings settings(file, QSettings::IniFormat);
            MainWindow first;
            first.rememberIn(&settings, loadChoices(settings));
            first.show();
            first.resize(1100, 760);
            choose(first.widgets().codeSelector, C128);
            retype(first.widgets().dataToEncode, "ABC");
            click(first.widgets().checksum);
            choose(first.widgets().batchCodeSelector, TOFIL);
            click(first.widgets().batchAlign);
            first.close();
        }
        QSettings settings(file, QSettings::IniFormat);
        MainWindow next;
        next.rememberIn(&settings, loadChoices(settings));
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        const WindowWidgets& n = next.widgets();
        QCOMPARE(n.codeSelector->currentIndex(), int(C128));
        QCOMPARE(n.dataToEncode->text(), QStringLiteral("ABC"));
        QVERIFY(!n.checksum->isChecked());
        QVERIFY(n.notice->text().contains(QStringLiteral("Scanners will not read")));
        QCOMPARE(n.batchCodeSelector->currentIndex(), int(TOFIL));
        QVERIFY(n.batchAlign->isChecked());
        QCOMPARE(next.size(), QSize(1100, 760));
    }

    // Each row: the folder the faces come from; what lands in the user's font folder.
    void installingTheFacesCopiesEveryFileOrSaysWhyNot() {
        const QString fonts = qEnvironmentVariable("BCFONT_TEST_FONT_DIR");
        QTemporaryDir empty, target;
        const QString into = target.filePath(QStringLiteral("fonts/bcfont"));
        QVERIFY(installFontsInto(empty.path(), into).contains(QStringLiteral("no faces")));
        QVERIFY(!QDir(into).exists());
        QCOMPARE(installFontsInto(fonts, into), QString());
        const QStringList copied = QDir(into).entryList({"*.ttf"}, QDir::Files);
        QCOMPARE(copied, QDir(fonts).entryList({"*.ttf"}, QDir::Files));
        for (const QString& face : copied)
            QVERIFY2(readAll(QDir(into).filePath(face)) == readAll(QDir(fonts).filePath(face)),
                     qPrintable(face));
        QVERIFY(userFontFolder().endsWith(QStringLiteral("/fonts/bcfont")));
    }

    // A phrase, where given, is what the check character facts must tell the user.
    void everyDescriptionIsInEnglishAndGermanAndOthersFallBackToEnglish() {
        const Descriptions en{QLocale(QLocale::English)}, de{QLocale(QLocale::German, QLocale::Austria)},
            fr{QLocale(QLocale::French)};
        QCOMPARE(de.language() + fr.language(), "deen");
        const QMap<QString, QStringList> phrases = {{"NSFactUPCE", {"UPC-A number", "UPC-A-Nummer"}},
                                                    {"NSFactC128", {"mandatory", "Pflicht"}},
                                                    {"NSFactC128EAN", {"mandatory", "Pflicht"}},
                                                    {"NSFactPOSTNET", {"no longer", "nicht mehr"}},
                                                    {"NSFactIMB", {"routing code", "Routing-Code"}},
                                                    {"NSFactGS1128", {"AI", "AI"}}};
        for (const Symbology& s : symbologies()) {
            const QString key = QString::fromLatin1(s.factKey.data(), qsizetype(s.factKey.size()));
            const auto english = en.text(key), german = de.text(key);
            const QStringList phrase = phrases.value(key, {"", ""});
            QVERIFY2(english && german && *english != *german && english->contains(phrase[0]) &&
                         german->contains(phrase[1]),
                     qPrintable(key));
            QCOMPARE(fr.text(key), english);
        }
        QVERIFY(!fr.text("NSFactNothing"));
    }
};

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);  // no test touches the user's folders
    MyApplication application(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
