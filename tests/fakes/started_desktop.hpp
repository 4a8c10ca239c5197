#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include "app/app.hpp"
#include "desktop/desktop_program.hpp"
#include "fakes/client_process.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/temp_folder.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "feedlib/udp_sender.hpp"
#include "text/message_display.hpp"

namespace eew::test {

// The desktop program as a person meets it: the real windows, offscreen, on
// the files of write_program_files() and the shipped map images, with its
// feed on a free loopback port, automatic start off and the test's clock
// (2024-04-01 09:00:06). The timers are not started: tick() is the
// one-second tick. `extra_files` (relative path, content) are written over
// the files before start-up.
struct StartedDesktop {
    explicit StartedDesktop(
        std::initializer_list<std::pair<std::string, std::string>> extra_files = {})
        : port(free_udp_port()), program(platform) {
        write_program_files(folder);
        folder.write("data/tavi.config", sample_config(1, 0, 0, port));
        for (const char* image :
             {"japan_map.bmp", "japan_event.bmp", "kanto_event.bmp", "kansai_event.bmp"})
            std::filesystem::copy_file(std::string(EEW_SOURCE_DIR "/data/") + image,
                                       folder.path() + "/data/" + image);
        for (const auto& [path, content] : extra_files)
            folder.write(path, content);
        platform.folder = folder.path();
        platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 6);
        app().Form_Load();
        program.render_all();
        program.window().show();
    }

    App& app() { return program.app(); }
    MainState& m() { return app().state(); }
    // The widget of that object name in the top-level window of that object
    // name ("main", "popupmap", "message", "setform"), or the window itself
    // for an empty name; nullptr when there is none.
    QWidget* find(const std::string& window, const std::string& name = "") const {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != QString::fromStdString(window)) continue;
            if (name.empty()) return w;
            return w->findChild<QWidget*>(QString::fromStdString(name));
        }
        return nullptr;
    }
    // The text of that box, label or button; "(none)" when there is none.
    std::string shown(const std::string& window, const std::string& name) const {
        const QWidget* w = find(window, name);
        if (!w) return "(none)";
        const QVariant plain = w->property("plainText");
        return (plain.isValid() ? plain : w->property("text")).toString().toStdString();
    }
    // Whether that window is on the screen.
    bool showing(const std::string& window) const {
        const QWidget* w = find(window);
        return w && w->isVisible() && !w->isMinimized();
    }
    // A relay datagram, handled as the socket's would be, then rendered.
    void receive(const std::string& text) {
        app().Winsock1_DataArrival(feedlib::relay_datagram(text));
        program.render_all();
    }
    // A relay datagram sent to the feed port; waits (at most 2 s) until the
    // last-message box shows it. False when it never did.
    bool send(const std::string& text) {
        feedlib::UdpSender(static_cast<quint16>(port)).send(feedlib::relay_datagram(text));
        const std::string box = message_box_text(text);
        return QTest::qWaitFor([&] { return m().feed.last_message == box; }, 2000);
    }
    // Site 1 moved and chosen as a user does it, in the settings dialog (with
    // its forecast area, when one is given), then "start".
    void start_at_site(const std::string& name, const std::string& longitude,
                       const std::string& latitude, const std::string& area = "") {
        app().Command4_Click();
        app().setform_Change(&SetformView::Text8, name);
        app().setform_Change(&SetformView::Text3, longitude);
        app().setform_Change(&SetformView::Text4, latitude);
        if (!area.empty()) app().setform_Change(&SetformView::forecast_area1, area);
        app().setform_Click(&SetformView::Option1, true);
        app().setform_Command1_Click();
        app().Command1_Click();
        program.render_all();
    }
    // The clock moves on and the one-second tick runs, then the windows render.
    void tick(long long seconds = 1) {
        platform.clock = platform.clock->plus_seconds(seconds);
        app().Timer1_Timer();
        program.render_all();
    }

    TempFolder folder;
    int port;
    QtTestPlatform platform;
    DesktopProgram program;
};

}  // namespace eew::test
