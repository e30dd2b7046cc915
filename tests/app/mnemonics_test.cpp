// Alt+letter in every window and dialog, in English and German: no two
// controls of one window (its menu bar's titles included) or of one menu
// share a letter, and every button, box and labelled field has one except
// those named in the row.
#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>
#include <map>
#include <memory>

#include "AboutBox.h"
#include "LabelsDialog.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "templates.h"

using namespace bcfont;
using namespace bcfont::app;

namespace {

// The letter after a single '&' ("&&" is a literal ampersand), lower case; 0 if none.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// One scope's texts: the clashes ("K: Check digit / Keep") and the texts without a letter.
struct Scope {
    std::map<QChar, QString> taken;
    QStringList clashes, without;
    void add(const QString& text) {
        if (text.isEmpty()) return;
        const QChar letter = mnemonicOf(text);
        if (letter.isNull()) return void(without << QString(text).replace(QStringLiteral("&&"), QStringLiteral("&")));
        const auto [at, fresh] = taken.emplace(letter, text);
        if (!fresh) clashes << QStringLiteral("%1: %2 / %3").arg(letter.toUpper(), at->second, text);
    }
};

// What a person can reach with Alt in `root`: buttons and boxes, labels of
// fields, checkable group titles and the menu bar's titles; each menu's
// items are a scope of their own.
QString walk(QWidget& root) {
    Scope window;
    QStringList menus;
    for (QAbstractButton* b : root.findChildren<QAbstractButton*>())
        if (!b->objectName().startsWith("qt_") && !b->text().isEmpty()) window.add(b->text());
    for (QLabel* l : root.findChildren<QLabel*>())
        if (l->buddy() != nullptr) window.add(l->text());
    for (QGroupBox* g : root.findChildren<QGroupBox*>())
        if (g->isCheckable()) window.add(g->title());
    if (auto* bar = root.findChild<QMenuBar*>()) {
        for (QAction* title : bar->actions()) {
            window.add(title->text());
            if (title->menu() == nullptr) continue;
            Scope menu;
            for (QAction* item : title->menu()->actions()) menu.add(item->text());
            menus << menu.clashes;
            if (!menu.without.isEmpty()) menus << "no letter in menu: " + menu.without.join(", ");
        }
    }
    QStringList out = window.clashes + menus;
    window.without.sort();
    if (!window.without.isEmpty()) out << "no letter: " + window.without.join(", ");
    return out.join("; ");
}

// A dialog with two controls on one letter: the walk must see it.
std::unique_ptr<QWidget> clashingDialog() {
    auto dialog = std::make_unique<QDialog>();
    auto* layout = new QVBoxLayout(dialog.get());
    auto* field = new QLabel(QStringLiteral("&Apples"));
    field->setBuddy(new QPushButton(QStringLiteral("&Copy")));
    layout->addWidget(field);
    layout->addWidget(field->buddy());
    layout->addWidget(new QPushButton(QStringLiteral("&apricots")));
    layout->addWidget(new QPushButton(QStringLiteral("Salt && pepper")));
    return dialog;
}

std::unique_ptr<QWidget> labelsDialog() {
    return std::make_unique<LabelsDialog>(LabelsRequest{"400638133393\n", EAN13, true}, render::builtinTemplates());
}

}  // namespace

class MnemonicsTest : public QObject {
    Q_OBJECT

  private slots:
    void noTwoControlsShareALetter_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<int>("which");  // an entry of kOpen
        QTest::addColumn<QString>("expected");
        const QString english = "no letter: Copy, Print…", german = "no letter: Drucken…, Kopieren";
        QTest::newRow("main window, English") << false << 0 << english;
        QTest::newRow("main window, German") << true << 0 << german;
        // Qt's Close has none: Esc closes a dialog.
        QTest::newRow("labels dialog, English") << false << 1 << QStringLiteral("no letter: Close");
        QTest::newRow("labels dialog, German") << true << 1 << QStringLiteral("no letter: Schlie\u00DFen");
        QTest::newRow("about box, English") << false << 2 << QStringLiteral("no letter: Close");
        QTest::newRow("about box, German") << true << 2 << QStringLiteral("no letter: Schlie\u00DFen");
        QTest::newRow("the walk finds a clash")
            << false << 3 << QStringLiteral("A: &apricots / &Apples; no letter: Salt & pepper");
    }
    void noTwoControlsShareALetter() {
        using Open = std::unique_ptr<QWidget> (*)();
        static const Open kOpen[] = {
            [] { return std::unique_ptr<QWidget>(std::make_unique<MainWindow>()); },
            labelsDialog,
            [] { return std::unique_ptr<QWidget>(createAboutBox(nullptr, QString())); },
            clashingDialog,
        };
        QFETCH(bool, german);
        QFETCH(int, which);
        QFETCH(QString, expected);
        QTranslator own, qt;
        if (german) {
            QVERIFY(own.load(QStringLiteral(":/i18n/bcfont_de.qm")));
            QApplication::installTranslator(&own);
            // Qt's own buttons (Close) as a German desktop labels them.
            if (qt.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                QApplication::installTranslator(&qt);
        }
        const std::unique_ptr<QWidget> shown = kOpen[which]();
        QApplication::removeTranslator(&own);
        QApplication::removeTranslator(&qt);
        QCOMPARE(walk(*shown), expected);
    }
};

int main(int argc, char** argv) {
    MyApplication application(argc, argv);
    MnemonicsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mnemonics_test.moc"
