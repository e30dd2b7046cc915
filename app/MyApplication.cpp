#include "MyApplication.h"

namespace bcfont::app {

MyApplication::MyApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void MyApplication::orderFrontStandardAboutPanel() {}

}  // namespace bcfont::app
