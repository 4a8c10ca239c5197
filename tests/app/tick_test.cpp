#include "app/tick.hpp"

#include <filesystem>
#include <regex>

#include "app/event_logging.hpp"
#include "app/report_chain.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::report_xml;
using test::ReportValues;

const char kLog[] = "log/20240401.0900_0_M65";

// A report of the default quake (origin 09:00:00, sent 09:00:05, S wave at the
// site in second 7) arrives at 09:00:06 and is followed at lapse 6.
struct Tick : test::AppTest {
    Tick() { receive(ReportValues{}); }
    bool frame_drawn() {
        const bool drawn = !event_map.empty() && event_map.front() == "clear";
        event_map.clear();
        return drawn;
    }
};

TEST_F(Tick, AWindingDownEventCountsDownDrawsFramesAndEndsAfterTheDisplayTime) {
    receive("noise message");
    m.settings.disp_event_minutes = 9;
    event_map.clear();
    tick(-6);  // lapse 0: no fronts yet
    EXPECT_FALSE(frame_drawn());
    tick(7);
    // The box shows the seconds left as the tick found them.
    for (auto [lapse, countdown, closes_in] : {std::tuple(7, 0, "9"), {8, -1, "2"}, {9, -2, "1"}}) {
        EXPECT_EQ(std::tuple(m.travel.lapse, m.travel.countdown, m.popup_view.Text65),
                  std::tuple(lapse, countdown, closes_in));
        EXPECT_TRUE(frame_drawn() && m.events.event_flag == 3) << lapse;
        tick();
    }
    EXPECT_EQ(m.events.event_flag, 0);
    EXPECT_FALSE(frame_drawn());
}

TEST(TickEnd, ALiveSequenceEndsOnSilenceOrAfterALoneNoiseMessageAndIsLogged) {
    // clang-format off
    for (auto [event_flag, map_flag, silent, ends] : {std::tuple(2, 2, 120, false), {2, 2, 121, true},
             {1, 2, 121, true}, {3, 2, 120, false}, {4, 1, 0, true}}) {
        // clang-format on
        test::StartedApp t;
        t.app.Winsock1_DataArrival(test::relay_datagram(report_xml({})));
        t.m().settings.disp_event_minutes = 1000;
        t.m().events.event_flag = event_flag;
        t.m().events.map_flag = map_flag;
        t.platform.advance(silent);
        t.app.Timer1_Timer();
        EXPECT_EQ(std::tuple(t.m().events.event_flag, t.folder.exists(kLog)),
                  std::tuple(ends ? 0 : event_flag, ends))
            << event_flag << "/" << map_flag << " " << silent;
    }
}

// The replay's first line (sequence 1) has been shown; lines 2 and 3 were sent
// 5 s after line 1, line 4 7 s after it.
TEST_F(Tick, AReplayFeedsOneDueLineATickAndClosesAfterTheDisplayTimeWithoutALog) {
    m.settings.disp_event_minutes = 12;
    m.events.event_flag = 11;
    ReplayState& r = m.replay;
    r.line_count = 4;
    r.data_num = 1;
    r.time00 = s.platform.clock;
    for (int k = 2; k <= 4; ++k) {
        ReportValues v{.sequence = k, .send_time = k < 4 ? "2024,4,1,9,0,10" : "2024,4,1,9,0,12"};
        r.replay_lines[k] = report_xml(v) + "2024/04/01 09:00:13\n";
        r.replay_offsets[k] = k < 4 ? 5 : 7;
    }
    event_map.clear();
    // clang-format off
    const std::tuple<int, long long, long long, int> steps[] = {  // line, lapse, countdown, state
        {1, 7, 0, 11}, {1, 8, -1, 11}, {1, 9, -2, 11}, {1, 10, -3, 11}, {2, 10, -3, 11},
        {3, 10, -3, 11}, {4, 12, -5, 12}};
    // clang-format on
    for (const auto& step : steps) {
        tick();
        EXPECT_EQ(std::tuple(r.data_num, m.travel.lapse, m.travel.countdown, m.events.event_flag),
                  step);
        EXPECT_EQ(m.followed.sequence, std::to_string(r.data_num));
        EXPECT_TRUE(frame_drawn()) << m.travel.lapse;
    }
    tick();
    EXPECT_EQ(std::tuple(m.events.event_flag, s.platform.window_state(WindowId::popupmap),
                         m.main_view.Command8.enabled, m.main_view.Command7.enabled,
                         s.folder.exists(kLog)),
              std::tuple(0, WindowState::not_created, true, false, false));
}

// Never followed: beyond the filter's 300 km.
ReportValues far_quake(const std::string& code, int origin_second) {
    return {code, 1,    "2024,4,1,9,0," + std::to_string(origin_second), "2024,4,1,9,0,5", 4.2, 4.2,
            38.0, 142.5};
}

using EventLogging = test::AppTest;

TEST_F(EventLogging, AnUnwritableFolderIsNoticedAndTheProgramGoesOn) {
    receive(ReportValues{});
    std::filesystem::remove_all(s.folder.path() + "/log");
    s.folder.write("log", "a file where the log folder should be");
    write_event_logs(m, s.platform);
    // The time, then the first failure and how many more failed.
    EXPECT_TRUE(std::regex_match(
        m.main_view.notice,
        std::regex("2024/04/01 09:00:06  [\\s\\S]*20240401.0900_0_M65\" could "
                   "not be created: Not a directory. \\(and 1 more files\\)[\\s\\S]*")))
        << m.main_view.notice;
    EXPECT_TRUE(s.platform.messages.empty());
    // The list lives elsewhere and is still saved; reception goes on.
    EXPECT_EQ(s.folder.read("data/24hours.dat").substr(0, 3), "1\r\n");
    reset_event_table(m);
    receive(ReportValues{});
    EXPECT_EQ(m.events.event_flag, 2);
}

TEST_F(EventLogging, AnEventPushedOutOfTheFullTableIsLoggedFirst) {
    receive(far_quake("20240401090001", 1));
    s.platform.advance(1);
    receive(far_quake("20240401090001", 1));
    for (int i = 2; i <= 5; ++i)
        receive(far_quake("2024040109000" + std::to_string(i), 2));
    EXPECT_FALSE(s.folder.exists("log/20240401.0900_1_M42"));
    receive(far_quake("20240401090006", 3));
    // Both of its reports, then the list with it.
    const std::string log = s.folder.read("log/20240401.0900_1_M42");
    EXPECT_NE(log.find("09:00:06\n\r\n<?xml"), std::string::npos);
    EXPECT_EQ(
        std::tuple(m.events.event_code[1], log.substr(log.size() - 24), m.main_view.Text2.text),
        std::tuple("20240401090006", "2024/04/01 09:00:07\n\r\n\r\n", "1"));
}

}  // namespace
}  // namespace eew
