// The real program, offscreen on a copy of its folder, fed a scenario by the
// real simulator: what it logs, lists and reloads; and, in-process, how a log
// written live replays and what the shipped scenario gives through the real
// windows.
#include <gtest/gtest.h>

#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "app/app.hpp"
#include "desktop/desktop_program.hpp"
#include "fakes/client_process.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/started_app.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "feedsim/scenario.hpp"
#include "feedsim/scenario_plan.hpp"

namespace eew {
namespace {

namespace fs = std::filesystem;

// M 5.6 and, a second later, M 4.2 under Chiba; the noise message ends the
// event 9 s after the first origin.
const std::string kLarge =
    "quake\n origin 0\n epicentre 140.1 35.6\n depth 10\n magnitude 5.6\n reports 3 1\n"
    " region chiba_northwest\n noise 3\n";
const std::string kScenario =
    kLarge +
    "quake\n origin 1\n epicentre 140.3 35.8\n depth 10\n magnitude 4.2\n reports 2 1\n"
    " region chiba_northwest\n";

std::vector<sim::FeedMessage> plan(const std::string& scenario, const DateTime& start) {
    return sim::plan_scenario(std::get<sim::Scenario>(sim::parse_scenario(scenario)), start);
}

std::vector<std::string> files_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The log of the quake whose report has `label`, named after the minute and
// second of its origin (its code) and its magnitude `m`: each report as sent,
// its arrival time, LF CR LF; one CR LF at the end. Returns its name.
std::string expect_log(const test::TempFolder& folder, const std::vector<sim::FeedMessage>& sent,
                       const std::string& label, const char* m) {
    const std::string code = label.substr(0, 14);
    const std::string name =
        code.substr(0, 8) + "." + code.substr(8, 4) + "_" + code[13] + "_M" + m;
    const std::string log = folder.read("log/" + name);
    std::size_t at = 0;
    for (const auto& r : sent) {
        if (r.kind != sim::MessageKind::report || !r.label.starts_with(code + "/")) continue;
        EXPECT_EQ(log.substr(at, r.text.size()), r.text);
        at += r.text.size() + 22;
        EXPECT_TRUE(std::regex_match(log.substr(at - 22, 22),
                                     std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\n\r\n)")));
    }
    EXPECT_EQ(log.substr(at), "\r\n");
    return name;
}

// Display time 8 s, automatic start. Each ended event is on disk at once; started
// again, the program reloads its list and saves the same when terminated.
TEST(EndToEnd, AnEventIsLoggedListedAndReloadedAndABadTableStopsTheNextStart) {
    test::TempFolder folder;
    const quint16 port = test::free_udp_port();
    const std::string program = test::copy_program(
        folder, EEW_SOURCE_DIR,
        {{"localhost_port", std::to_string(port)}, {"disp_event_minutes", "8"}, {"auto_flag", "1"}},
        EEW_CLIENT_BINARY);
    folder.write("e2e.scenario", kScenario);
    QProcess client, simulator;
    ASSERT_TRUE(test::start_listening(client, program, port));
    simulator.start(EEW_FEED_SIM, {"--port", QString::number(port),
                                   QString::fromStdString(folder.path() + "/e2e.scenario")});
    simulator.waitForFinished(30000);
    // The first quake's code is the second the simulator started at.
    const std::string start = std::regex_replace(
        simulator.readAllStandardOutput().toStdString(),
        std::regex(R"([\s\S]*?report  (....)(..)(..)(..)(..)(..)[\s\S]*)"), "$1/$2/$3 $4:$5:$6");
    const auto sent = plan(kScenario, DateTime::from_text(start).value_or(DateTime{}));
    // Killed as soon as the second event is listed: nothing may wait for a clean exit.
    for (int waited = 0; waited < 300 && !folder.read("data/24hours.dat").starts_with("2\r\n");
         ++waited)
        QThread::msleep(100);
    client.kill();
    client.waitForFinished(20000);
    const std::string list = folder.read("data/24hours.dat");
    ASSERT_TRUE(test::start_listening(client, program, port));
    fs::remove(folder.path() + "/data/24hours.dat");
    test::terminate_cleanly(client);

    // The last report is the M 4.2 quake's; only the noise message follows.
    std::vector names{expect_log(folder, sent, sent.front().label, "56"),
                      expect_log(folder, sent, sent[sent.size() - 2].label, "42")};
    EXPECT_EQ(files_in(folder.path() + "/log/large_events"), std::vector{names[0]});
    EXPECT_EQ(folder.read("log/large_events/" + names[0]), folder.read("log/" + names[0]));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(files_in(folder.path() + "/log"), names);
    const std::string entry = "\\S+ \\S+\r\n([0-9. ]+) \\d+\r\n";  // time, then M, N, E, colour
    EXPECT_EQ(std::regex_replace(list, std::regex(entry), "$1|"),
              "2\r\n5.6 35.6 140.1|4.2 35.8 140.3|");
    EXPECT_EQ(folder.read("data/24hours.dat"), list);

    // Started on a damaged travel table, it says why on standard error and
    // ends at once with a failure status, listening to nothing and waiting on
    // no dialog.
    folder.write("data/traveltime300.dat", "2.848,5.716\r\n");
    test::start_offscreen(client, program);
    ASSERT_TRUE(client.waitForFinished(20000));
    EXPECT_EQ(std::tuple(client.exitStatus(), client.exitCode()),
              std::tuple(QProcess::NormalExit, 1));
    const std::string error = client.readAllStandardError().toStdString();
    EXPECT_NE(error.find("eewclient cannot start: The file \"" + folder.path() +
                         "/data/traveltime300.dat\" ends before number 3 of 24300"),
              std::string::npos)
        << error;
}

// What the user hears and reads: the sounds, and each new headline and
// long-period sentence. The countdown sentence is left out: right after the
// first report the replay shows each second one tick earlier.
std::vector<std::string> follow(test::StartedApp& t, const std::function<void(int)>& step) {
    std::vector<std::string> said;
    t.m().settings.disp_event_minutes = 8;
    for (int second = 0; second < 60 && (second < 10 || t.m().events.event_flag != EventFlag::idle);
         ++second) {
        if (second > 0) t.platform.advance(1), t.app.Timer1_Timer();
        step(second);
        for (const std::string* s : {&t.m().message_view.Label2, &t.m().message_view.Label4})
            if (!s->empty() && (said.empty() || said.back() != *s)) said.push_back(*s);
    }
    for (const std::string& sound : t.platform.sounds)
        said.push_back(fs::path(sound).filename().string());
    return said;
}

// Each report and the noise message arrive when they were sent.
TEST(EndToEnd, ALogWrittenLiveReplaysWithTheSameSoundsAndSentences) {
    test::StartedApp live, replay;
    live.platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);
    const auto sent = plan(kLarge, live.platform.clock);
    const auto heard = follow(live, [&](int second) {
        for (const auto& m : sent)
            if (m.offset == second) live.app.Winsock1_DataArrival(feedlib::relay_datagram(m.text));
    });
    replay.platform.chosen_file =
        live.folder.path() + "/log/" + files_in(live.folder.path() + "/log").at(0);
    const auto replayed =
        follow(replay, [&](int s) { s == 0 ? replay.app.Command8_Click() : void(); });
    EXPECT_TRUE(heard.back().ends_with(".wav"));
    EXPECT_EQ(replayed, heard);
}

// The shipped scenario, framed as the simulator sends it, through the program
// started on a copy of the shipped data folder, with the real Qt windows
// offscreen: the values of the whole chain, and the event's end. Where an
// ended event lands on the main map is the drawing's test.
TEST(ShippedScenario, TokyoQuakeGivesTheHandComputedCountdownAndEndsWithoutADialog) {
    test::TempFolder folder;
    // Display time 8 s, no automatic start.
    test::copy_program(folder, EEW_SOURCE_DIR, {{"disp_event_minutes", "8"}, {"auto_flag", "0"}});
    test::QtTestPlatform platform;
    platform.folder = folder.path();
    platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);
    DesktopProgram program(platform);  // its timers not started: the test ticks
    App& app = program.app();
    ASSERT_FALSE(app.Form_Load().has_value());
    const MainState& m = app.state();
    ASSERT_EQ(m.site.sitename, "東京都千代田区");

    std::ostringstream scenario;
    scenario
        << std::ifstream(EEW_SOURCE_DIR "/tools/scenarios/chiba_northwest_m72.scenario").rdbuf();
    const DateTime start = *platform.clock;
    for (const sim::FeedMessage& msg : plan(scenario.str(), start)) {
        platform.clock = start.plus_seconds(static_cast<long long>(msg.offset));
        app.Winsock1_DataArrival(feedlib::make_datagram(msg.text, feedlib::Framing::relay));
    }
    // The last report: M 7.2 (Mi 7.2) at 140.1 E, 35.6 N, 40 km, 19 s after
    // the origin; the site 139.7536 E, 35.694 N, factor 1.4.
    // Distance: 32.9998 km. R = sqrt(40^2 + 33.0^2) = 51.855 km, so
    // I = 14.4 - 0.8686 ln 51.855 - 18.85 (51.855 / 3.5) / 400 / ln 10 - 6 + 0.8686 ln 1.4
    //   = 14.4 - 3.4295 - 0.3032 - 6 + 0.2923 = 4.959.
    // Depth index 9 (40-45 km): the S front reaches 27.576 km at 13 s and
    // 33.826 km at 14 s, so it arrives 14 s after the origin, 5 s ago.
    const FollowedEvent& f = m.followed;
    EXPECT_EQ(
        std::tuple(m.events.event_flag, m.events.n_event, f.sequence, f.region_name),
        std::tuple(EventFlag::winding_down, 1, "12", "千葉県北西部"));  // the closing noise message
    EXPECT_NEAR(f.dist, 32.9998, 1e-4);
    EXPECT_NEAR(f.intensity, 4.959, 1e-3);
    EXPECT_EQ(std::tuple(m.estimates.iintensity, f.depth_div, m.travel.traveltime, m.travel.lapse,
                         m.travel.countdown, m.travel.lpwave_travel_time),
              std::tuple(5, 9, 14, 19, -5, 10));
    // The nearest of the 47 reference sites is Chiba's office, 140.1233 E, 35.6047 N.
    EXPECT_EQ(std::tuple(m.refs.ref_number, m.refs.sitename_ref[m.estimates.ref_site_i_min]),
              std::tuple(47, "千葉県千葉市"));
    EXPECT_NEAR(m.estimates.dist_ref_min, 2.1704, 1e-3);

    for (int second = 1; second < 40 && m.events.event_flag != EventFlag::idle; ++second) {
        platform.clock = platform.clock->plus_seconds(1);
        app.Timer1_Timer();
        program.render_all();
    }
    EXPECT_EQ(std::tuple(m.events.event_flag, platform.messages.size()),
              std::tuple(EventFlag::idle, 0u));
}

}  // namespace
}  // namespace eew
