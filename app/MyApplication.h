// The application object of bcfont.
#pragma once

#include <QApplication>

namespace bcfont::app {

class MyApplication : public QApplication {
    Q_OBJECT
  public:
    MyApplication(int& argc, char** argv);

    // The about panel shows nothing: every request for it is dropped here.
    void orderFrontStandardAboutPanel();
};

}  // namespace bcfont::app
