#pragma once

#include <QTimer>
#include <functional>

#include "app/app.hpp"
#include "platform/clock_checker.hpp"
#include "ui/accessible_roles.hpp"
#include "ui/main_window.hpp"
#include "ui/tray_icon.hpp"

class QtPlatform;

// The program's windows and timers around its handlers, wired as the desktop
// runs them: after every handler the windows it may have changed are rendered.
class DesktopProgram {
  public:
    // `platform` is kept for the program's lifetime.
    explicit DesktopProgram(QtPlatform& platform);

    eew::App& app() { return app_; }
    MainWindow& window() { return window_; }
    TrayIcon& tray() { return tray_; }
    // Called after each datagram was handled and its renders requested; the
    // latency benchmark watches the pop-up's fields from here.
    void after_datagram(std::function<void()> observer) { after_datagram_ = std::move(observer); }
    // Starts the one-second tick, the watchdog and the clock's checks and
    // shows the main window; for after a successful Form_Load.
    void start();
    // Renders every window from its view, as after every handler.
    void render_all();
    // Checks the clock now, as at the start and every ten minutes; the main
    // window shows the result when it comes.
    void check_clock();

  private:
    // Before any window exists: a screen reader asks for a widget's role once.
    struct AccessibleRoles {
        AccessibleRoles() { install_accessible_roles(); }
    } roles_;
    QtPlatform& platform_;
    eew::App app_;
    MainWindow window_;
    TrayIcon tray_{app_.state().main_view};
    QTimer timer1_;
    QTimer timer2_;
    QTimer clock_timer_;
    ClockChecker clock_checker_;
    std::function<void()> after_datagram_;
};
