#include <QApplication>
#include <QMessageBox>

#include "app/app.hpp"
#include "platform/qt_platform.hpp"
#include "ui/main_window.hpp"

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("eewclient");
    // The Japanese captions name the Windows proportional gothic; the IPA
    // font is its usual stand-in here.
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");

    QtPlatform platform;
    eew::App app(platform);
    MainWindow window(app);
    platform.attach(&window);

    if (auto error = app.Form_Load()) {
        QMessageBox::critical(nullptr, "eewclient cannot start", QString::fromStdString(*error));
        return 1;
    }
    window.render();
    window.show();
    return qapp.exec();
}
