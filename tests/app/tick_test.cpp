#include "app/tick.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

using test::report_xml;
using test::ReportValues;

const char kLog[] = "log/20240401.0900_0_M65";

// A report of the default quake (origin 09:00:00, sent 09:00:05, S wave at the
// site in second 7) arrives at 09:00:06 and is followed at lapse 6.
struct Tick : ::testing::Test {
    void receive(const std::string& text) {
        s.app.Winsock1_DataArrival(test::relay_datagram(text));
    }
    void tick(long long seconds = 1) {
        s.platform.advance(seconds);
        s.app.Timer1_Timer();
    }
    std::vector<std::string>& event_map() {
        return s.platform.canvases[PictureId::event_map].calls;
    }
    bool frame_drawn() {
        const bool drawn = !event_map().empty() && event_map().front() == "clear";
        event_map().clear();
        return drawn;
    }
    MainState& m() { return s.m(); }

    test::StartedApp s;
};

TEST_F(Tick, IdleTicksOnlyShowTheTimeAndTheState) {
    const auto windows = s.platform.windows;
    const auto main_map = s.platform.canvases[PictureId::main_map].calls;
    tick();
    EXPECT_EQ(m().main_view.Text1.text, "09:00:07");
    EXPECT_EQ(m().main_view.Text3.text, "0");
    EXPECT_EQ(m().popup_view.Text65, "");
    EXPECT_EQ(s.platform.canvases[PictureId::main_map].calls, main_map);
    EXPECT_TRUE(event_map().empty());
    EXPECT_EQ(s.platform.windows, windows);
}

TEST_F(Tick, AWindingDownEventCountsDownDrawsItsFrontsAndEndsAfterTheDisplayTime) {
    receive(report_xml({}));
    receive("noise message");
    m().settings.disp_event_minutes = 9;
    event_map().clear();
    s.platform.advance(-6);  // lapse 0: no fronts yet
    s.app.Timer1_Timer();
    EXPECT_FALSE(frame_drawn());
    tick(7);
    // Eastern map, 0.8735 px/km: S 28 km, P 49 km after 7 s.
    for (const char* front : {"r24.458 c12 w1", "r42.8015 c9 w1"})
        EXPECT_TRUE(std::any_of(event_map().begin(), event_map().end(), [&](const auto& call) {
            return call.find(front) != std::string::npos;
        })) << front;
    // The box shows the seconds left as the tick found them.
    struct Step {
        long long lapse, countdown;
        std::string closes_in;
    };
    for (Step step : {Step{7, 0, "9"}, {8, -1, "2"}, {9, -2, "1"}}) {
        EXPECT_EQ(m().travel.lapse, step.lapse);
        EXPECT_EQ(m().travel.countdown, step.countdown);
        EXPECT_EQ(m().popup_view.Text65, step.closes_in);
        EXPECT_TRUE(frame_drawn()) << step.lapse;
        EXPECT_EQ(m().events.event_flag, 3);
        tick();
    }
    EXPECT_EQ(m().events.event_flag, 0);
    EXPECT_FALSE(frame_drawn());
    EXPECT_EQ(s.platform.window_state(WindowId::popupmap), WindowState::not_created);
    EXPECT_TRUE(m().main_view.Command8.enabled);
    EXPECT_TRUE(s.folder.exists(kLog));
}

TEST_F(Tick, ALiveSequenceEndsOnSilenceOrAfterALoneNoiseMessage) {
    struct Case {
        int event_flag, map_flag;
        long long silent;  // seconds since the last report
        bool ends;
    };
    for (Case c : {Case{2, 2, 120, false},
                   {2, 2, 121, true},
                   {1, 2, 121, true},
                   {3, 2, 120, false},
                   {1, 1, 500, false},  // the newly selected event is not shown yet
                   {4, 1, 0, true}}) {
        test::StartedApp t;
        t.app.Winsock1_DataArrival(test::relay_datagram(report_xml({})));
        ReportValues far;  // beyond 300 km: never followed
        far.code = "20240401090007";
        far.latitude = 38.0;
        far.longitude = 142.5;
        t.app.Winsock1_DataArrival(test::relay_datagram(report_xml(far)));
        t.m().settings.disp_event_minutes = 1000;
        t.m().events.event_flag = c.event_flag;
        t.m().events.map_flag = c.map_flag;
        t.platform.advance(c.silent);
        t.app.Timer1_Timer();
        const auto row = testing::Message() << c.event_flag << "/" << c.map_flag << " " << c.silent;
        EXPECT_EQ(t.m().events.event_flag, c.ends ? 0 : c.event_flag) << row;
        EXPECT_EQ(t.m().events.n_event, c.ends ? 0 : 2) << row;
        EXPECT_EQ(t.folder.exists(kLog), c.ends) << row;
        if (!c.ends) continue;
        // One log per slot, listed in slot order.
        EXPECT_EQ(t.folder.read("data/24hours.dat"),
                  "2\r\n2024/04/01 09:00:00\r\n6.5 35.7 140 10\r\n"
                  "2024/04/01 09:00:00\r\n6.5 38 142.5 10\r\n")
            << row;
        EXPECT_TRUE(t.m().main_view.Command8.enabled) << row;
        EXPECT_EQ(t.platform.window_state(WindowId::popupmap), WindowState::not_created) << row;
    }
}

// The replay's first line (sequence 1) has been shown; lines 2 and 3 were sent
// 5 s after line 1, line 4 7 s after it.
TEST_F(Tick, AReplayFeedsOneDueLineATickAndClosesAfterTheDisplayTime) {
    receive(report_xml({}));
    m().settings.disp_event_minutes = 14;
    m().events.event_flag = 11;
    ReplayState& r = m().replay;
    r.line_count = 4;
    r.data_num = 1;
    r.time00 = s.platform.clock;
    for (int k = 2; k <= 4; ++k) {
        ReportValues v;
        v.sequence = k;
        v.send_time = k < 4 ? "2024,4,1,9,0,10" : "2024,4,1,9,0,12";
        r.replay_lines[k] = report_xml(v) + "2024/04/01 09:00:13\n";
        r.replay_offsets[k] = k < 4 ? 5 : 7;
    }
    event_map().clear();
    struct Step {
        int data_num;
        long long lapse, countdown;
        int event_flag;
    };
    const Step steps[] = {{1, 7, 0, 11},   {1, 8, -1, 11},  {1, 9, -2, 11},
                          {1, 10, -3, 11}, {2, 10, -3, 11}, {3, 10, -3, 11},
                          {4, 12, -5, 12}, {4, 13, -6, 12}, {4, 14, -7, 12}};
    for (const Step& step : steps) {
        tick();
        EXPECT_EQ(r.data_num, step.data_num) << step.lapse;
        EXPECT_EQ(m().followed.sequence, std::to_string(step.data_num)) << step.lapse;
        EXPECT_EQ(m().travel.lapse, step.lapse);
        EXPECT_EQ(m().travel.countdown, step.countdown) << step.lapse;
        EXPECT_EQ(m().events.event_flag, step.event_flag) << step.lapse;
        EXPECT_TRUE(frame_drawn()) << step.lapse;
    }
    tick();
    EXPECT_EQ(m().events.event_flag, 0);
    EXPECT_EQ(s.platform.window_state(WindowId::popupmap), WindowState::not_created);
    EXPECT_TRUE(m().main_view.Command8.enabled);
    EXPECT_FALSE(m().main_view.Command7.enabled);
    EXPECT_FALSE(s.folder.exists(kLog));
}

TEST_F(Tick, ATickDuringTheChimeRunsAfterTheReportChain) {
    s.platform.during_pause = [&] {
        s.app.Timer1_Timer();
        EXPECT_EQ(m().main_view.Text1.text, "");
    };
    receive(report_xml({}));
    EXPECT_EQ(m().main_view.Text1.text, "09:00:06");
    EXPECT_EQ(m().main_view.Text3.text, "2");
    // The marks of the new event, then the tick's whole frame over them.
    EXPECT_EQ(std::count(event_map().begin(), event_map().end(), "clear"), 1);
    EXPECT_NE(event_map().front(), "clear");
}

}  // namespace
}  // namespace eew
