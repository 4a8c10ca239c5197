// Opens the address given through the Qt platform, on whatever platform
// plugin QT_QPA_PLATFORM names; exits with 0 when a browser was started.

#include <QApplication>

#include "platform/qt_platform.hpp"

// The VNC plugin leaves its frame buffers allocated at exit: Qt's leak, not
// ours, and in a sanitized build it would fail the helper.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libqvnc.so\n";
}

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QtPlatform platform;
    return argc == 2 && platform.open_web_page(argv[1]) ? 0 : 1;
}
