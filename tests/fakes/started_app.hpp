#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/app.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"

namespace eew::test {

// A program started on the files of write_program_files() (site 1, Tokyo:
// 139.7 E, 35.7 N, factor 1.5; filter 1 station, M 3.5, 300 km, intensity
// 0.5; S 4 km/s; chime on), after `extra_files` (relative path, content) were
// written over them. The clock reads 2024-04-01 09:00:06.
struct StartedApp {
    explicit StartedApp(std::initializer_list<std::pair<std::string, std::string>> extra_files = {})
        : platform(folder.path()), app(platform) {
        write_program_files(folder);
        for (const auto& [path, content] : extra_files)
            folder.write(path, content);
        platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 6);
        app.Form_Load();
    }
    MainState& m() { return app.state(); }

    TempFolder folder;
    FakePlatform platform;
    App app;
};

// The started program every handler test drives: datagrams in, ticks on.
struct AppTest : ::testing::Test {
    void receive(const std::string& text) {
        s.app.Winsock1_DataArrival(feedlib::relay_datagram(text));
    }
    void receive(const feedlib::ReportValues& r) { receive(feedlib::report_text(r)); }
    void tick(long long seconds = 1) {
        s.platform.advance(seconds);
        s.app.Timer1_Timer();
    }

    StartedApp s;
    MainState& m = s.m();
    std::vector<std::string>& event_map = s.platform.canvases[PictureId::event_map].calls;
};

}  // namespace eew::test
