#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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

    platform.on_datagram([&](std::string_view datagram) {
        app.Winsock1_DataArrival(datagram);
        window.render_soon();
    });
    if (auto error = app.Form_Load()) {
        QMessageBox::critical(nullptr, "eewclient cannot start", QString::fromStdString(*error));
        return 1;
    }
    QTimer timer2;
    QObject::connect(&timer2, &QTimer::timeout, [&] {
        app.Timer2_Timer();
        window.render();
    });
    timer2.start(60000);

    window.render();
    window.show();
    return qapp.exec();
}
