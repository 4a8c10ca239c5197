#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "app/app.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/temp_folder.hpp"
#include "ui/desktop_program.hpp"

class QWidget;

namespace eew::test {

// The desktop program as a person meets it: the real windows, offscreen, on
// the files of write_program_files() and the shipped map images, with its
// feed on a free loopback port, automatic start off and the test's clock
// (2024-04-01 09:00:06). The timers are not started: tick() is the
// one-second tick. `extra_files` (relative path, content) are written over
// the files before start-up.
struct StartedDesktop {
    explicit StartedDesktop(
        std::initializer_list<std::pair<std::string, std::string>> extra_files = {});

    App& app() { return program.app(); }
    MainState& m() { return app().state(); }
    // The widget of that object name in the top-level window of that object
    // name ("main", "popupmap", "message", "setform"), or the window itself
    // for an empty name; nullptr when there is none.
    QWidget* find(const std::string& window, const std::string& name = "") const;
    // Whether that window is on the screen.
    bool showing(const std::string& window) const;
    // A relay datagram, handled as the socket's would be, then rendered.
    void receive(const std::string& text);
    // A relay datagram sent to the feed port; waits (at most 2 s) until the
    // last-message box shows it. False when it never did.
    bool send(const std::string& text);
    // The clock moves on and the one-second tick runs, then the windows render.
    void tick(long long seconds = 1);

    TempFolder folder;
    int port;
    QtTestPlatform platform;
    DesktopProgram program;
};

}  // namespace eew::test
