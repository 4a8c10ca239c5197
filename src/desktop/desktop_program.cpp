#include "desktop/desktop_program.hpp"

#include "desktop/controls.hpp"
#include "desktop/qt_platform.hpp"

DesktopProgram::DesktopProgram(QtPlatform& platform)
    : platform_(platform), app_(platform), window_(app_.state().main_view, [this](bool from_user) {
          return app_.main_window_close_requested(from_user);
      }) {
    WindowHost& windows = platform_.windows();
    windows.attach(&window_);
    windows.attach_views(app_.state().popup_view, app_.state().message_view);

    connect_controls(window_, app_, [this] { render_all(); });
    connect_tray(tray_, app_, [this] { render_all(); });
    windows.attach_setform(app_.state().setform_view, [this](QWidget& dialog) {
        connect_controls(dialog, app_, [this] { render_all(); });
    });
    platform_.environment().on_datagrams(
        [this](std::string_view d, const eew::SenderAddress& from) { app_.take_datagram(d, from); },
        [this] { app_.run_waiting(); });
    platform_.environment().on_broker(
        [this](std::string_view text) { app_.take_broker_message(text); },
        [this](bool connected, const std::string& reason) {
            app_.broker_status(connected, reason);
            render_all();
        });
    app_.after_each_datagram([this] {
        // The main window's boxes may lag a flood by a tenth of a second;
        // the pop-up, which the user watches during an event, by 33 ms at
        // most.
        window_.render_soon();
        platform_.windows().render_event_windows_soon();
        tray_.render();
        if (after_datagram_) after_datagram_();
    });

    // The countdown must keep to the wall clock: a coarse timer fires up to
    // 5 % early and would make the tick's seconds visibly uneven.
    timer1_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer1_, &QTimer::timeout, [this] {
        app_.Timer1_Timer();
        render_all();
    });
    QObject::connect(&timer2_, &QTimer::timeout, [this] {
        app_.Timer2_Timer();
        render_all();
    });
}

void DesktopProgram::start() {
    timer1_.start(1000);
    timer2_.start(60000);
    render_all();
    window_.show();
    // The clock at once and every ten minutes after, off the report path: the
    // checker answers from the event loop.
    QObject::connect(&clock_timer_, &QTimer::timeout, [this] { check_clock(); });
    clock_timer_.start(10 * 60 * 1000);
    QTimer::singleShot(0, &clock_timer_, [this] { check_clock(); });
}

void DesktopProgram::check_clock() {
    clock_checker_.check(app_.time_server(), [this](const eew::ClockCheck& check) {
        app_.clock_checked(check);
        render_all();
    });
}

void DesktopProgram::render_all() {
    platform_.windows().render_all();
    tray_.render();
}
