#include "ui/desktop_program.hpp"

#include "platform/qt_platform.hpp"
#include "ui/controls.hpp"

DesktopProgram::DesktopProgram(QtPlatform& platform)
    : platform_(platform), app_(platform), window_(app_) {
    platform_.attach(&window_);
    platform_.attach_views(app_.state().popup_view, app_.state().message_view);

    connect_controls(window_, app_, [this] { render_all(); });
    platform_.attach_setform(app_.state().setform_view, [this](QWidget& dialog) {
        connect_controls(dialog, app_, [this] { render_all(); });
    });
    platform_.on_datagram([this](std::string_view datagram) {
        app_.Winsock1_DataArrival(datagram);
        // The main window's boxes may lag a flood by a tenth of a second;
        // the pop-up, which the user watches during an event, by 33 ms at
        // most.
        window_.render_soon();
        platform_.render_event_windows_soon();
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
}

void DesktopProgram::render_all() {
    window_.render();
    platform_.render_event_windows();
}
