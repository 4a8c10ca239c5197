#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <cstdio>

#include "desktop/desktop_program.hpp"
#include "desktop/qt_platform.hpp"
#include "platform/shutdown_signals.hpp"

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("eewclient");
    // The Japanese captions name the Windows proportional gothic; the IPA
    // font is its usual stand-in here.
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");

    QtPlatform platform;
    DesktopProgram program(platform);
    eew::App& app = program.app();

    // Ending the session or being terminated saves the day's events as "quit"
    // does; nobody may be there to read a dialog, so failures go to stderr.
    const auto report = [](const std::optional<std::string>& error) {
        if (error) std::fprintf(stderr, "eewclient: %s\n", error->c_str());
    };
    ShutdownSignals shutdown_signals([&] { report(app.shutdown_requested()); });
    QObject::connect(&qapp, &QGuiApplication::commitDataRequest,
                     [&](QSessionManager&) { report(app.save_recent_list()); });
    QObject::connect(&qapp, &QCoreApplication::aboutToQuit,
                     [&] { report(app.shutdown_requested()); });

    if (auto error = app.Form_Load()) {
        // Also on standard error: started from a terminal or a service
        // manager, nobody may be there to click the dialog away.
        std::fprintf(stderr, "eewclient cannot start: %s\n", error->c_str());
        // Without a screen the dialog could never be clicked away and the
        // program would hang instead of ending.
        const QString screen = QGuiApplication::platformName();
        if (screen != "offscreen" && screen != "minimal")
            QMessageBox::critical(nullptr, "eewclient cannot start",
                                  QString::fromStdString(*error));
        return 1;
    }
    program.start();
    return qapp.exec();
}
