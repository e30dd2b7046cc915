// bcfont's desktop application.
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "AppSettings.h"
#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"

int main(int argc, char** argv) {
    bcfont::app::MyApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("bcfont"));
    application.setOrganizationName(QStringLiteral("bcfont"));
    application.setApplicationVersion(QStringLiteral(BCFONT_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    application.setDesktopFileName(QStringLiteral(BCFONT_APP_ID));

    // The user's language: bcfont's own texts (compiled in) and Qt's dialogs.
    QTranslator own, qt;
    if (own.load(QLocale(), QStringLiteral("bcfont"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        application.installTranslator(&own);
    if (qt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qt);

    QSettings settings;
    bcfont::app::Choices choices = bcfont::app::loadChoices(settings);
    const auto outcome = bcfont::app::applyCommandLine(application.arguments(), choices);
    if (outcome.exitNow) {
        std::fputs(qPrintable(outcome.message + '\n'), outcome.status == 0 ? stdout : stderr);
        return outcome.status;
    }

    bcfont::app::loadBarcodeFonts(bcfont::app::barcodeFontDirectory());
    bcfont::app::MainWindow window(&application);
    window.rememberIn(&settings, choices);
    window.show();

    // Without a display the run script asks for a picture of the window.
    const QString screenshot = qEnvironmentVariable("BCFONT_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(800, &window, [&window, &application, screenshot] {
            const bool saved = window.grab().save(screenshot, "PNG");
            application.exit(saved ? 0 : 1);
        });
    }
    return application.exec();
}
