#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

#include "app/app.hpp"
#include "platform/qt_platform.hpp"
#include "platform/shutdown_signals.hpp"
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
    platform.attach_views(app.state().popup_view, app.state().message_view);

    // Every handler may change what any window shows.
    const auto render_all = [&] {
        window.render();
        platform.render_event_windows();
    };
    // The main window renders itself after its own click handlers; these
    // connections come after its own, so the other windows follow.
    for (QAbstractButton* control : window.findChildren<QAbstractButton*>()) {
        QObject::connect(control, &QAbstractButton::clicked, &platform,
                         [&] { platform.render_event_windows(); });
    }

    platform.attach_setform(app.state().setform_view, [&] {
        app.setform_Command1_Click();
        render_all();
    });

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

    platform.on_datagram([&](std::string_view datagram) {
        app.Winsock1_DataArrival(datagram);
        // The main window's boxes may lag a flood by a few frames; the
        // pop-up, which the user watches during an event, by 5 ms at most.
        window.render_soon();
        platform.render_event_windows_soon();
    });
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
    // The countdown must keep to the wall clock: a coarse timer fires up to
    // 5 % early and would make the tick's seconds visibly uneven.
    QTimer timer1;
    timer1.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer1, &QTimer::timeout, [&] {
        app.Timer1_Timer();
        render_all();
    });
    timer1.start(1000);
    QTimer timer2;
    QObject::connect(&timer2, &QTimer::timeout, [&] {
        app.Timer2_Timer();
        render_all();
    });
    timer2.start(60000);

    render_all();
    window.show();
    return qapp.exec();
}
