// bcfont's desktop application.
#include <QImage>
#include <QTimer>

#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"

int main(int argc, char** argv) {
    bcfont::app::MyApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("bcfont"));
    bcfont::app::loadBarcodeFonts(bcfont::app::barcodeFontDirectory());

    bcfont::app::MainWindow window(&application);
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
