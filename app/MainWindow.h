// The main window: its widgets, the Qt port and the controller, wired
// together. What the window shows is decided by the controller.
#pragma once

#include <QMainWindow>

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

  private:
    void connectActions();

    WindowWidgets w_;
    std::unique_ptr<QtWindowPort> port_;
    Converter converter_;
    std::unique_ptr<BCController> controller_;
};

}  // namespace bcfont::app
