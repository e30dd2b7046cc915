// The main window: its widgets, the Qt port and the controller, wired
// together. What the window shows is decided by the controller.
#pragma once

#include <QMainWindow>
#include <QSettings>

#include "BCController.h"
#include "Converter.h"
#include "QtWindowPort.h"
#include "WindowLayout.h"

namespace bcfont::app {

class MyApplication;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `application` receives the about-panel requests; may be null.
    explicit MainWindow(MyApplication* application = nullptr, QWidget* parent = nullptr);

    const WindowWidgets& widgets() const { return w_; }
    QtWindowPort& port() { return *port_; }
    BCController& controller() { return *controller_; }

    // Restores the remembered choices and geometry from `settings`, applies
    // the command line's on top, and saves them there when the window closes.
    void rememberIn(QSettings* settings, const Choices& choices);

    void showAbout();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectActions();
    void routeShortcuts();

    WindowWidgets w_;
    std::unique_ptr<QtWindowPort> port_;
    Converter converter_;
    std::unique_ptr<BCController> controller_;
    QSettings* settings_ = nullptr;
};

}  // namespace bcfont::app
