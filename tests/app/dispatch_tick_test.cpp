// What a datagram, the feed buttons, the watchdog and the one-second tick do
// to the started program, and the event logs it writes.
#include <algorithm>
#include <filesystem>
#include <regex>

#include "app/dispatch.hpp"
#include "app/event_logging.hpp"
#include "app/feed_connection.hpp"
#include "app/popup_windows.hpp"
#include "app/report_chain.hpp"
#include "app/tick.hpp"
#include "config/paths.hpp"
#include "fakes/log_text.hpp"
#include "fakes/started_app.hpp"
#include "quake/reference_sites.hpp"

namespace eew {
namespace {

using feedlib::ReportValues;

// Never followed: beyond the filter's 300 km.
feedlib::ReportValues far_quake(const std::string& code, int origin_second) {
    return {code, 1,    "2024,4,1,9,0," + std::to_string(origin_second), "2024,4,1,9,0,5", 4.2, 4.2,
            38.0, 142.5};
}

// The sequence states, each reached as the running program reaches it: by
// reports, noise, a chosen log and the tick. "Beside" is a far event merged
// while the followed one stays selected; "away" is the followed event's own
// report failing the filter, which leaves nothing selected.
enum class Route {
    idle,
    followed,
    merged_beside,
    merged_away,
    winding_down,
    ending,
    replaying,
    replay_fed
};

void go(test::StartedApp& s, Route route) {
    auto receive = [&](const std::string& text) {
        s.app.Winsock1_DataArrival(feedlib::relay_datagram(text));
    };
    const std::string report = feedlib::report_text({});
    switch (route) {
        case Route::idle:
            return;
        case Route::followed:
            return receive(report);
        case Route::merged_beside:
            receive(report);
            return receive(feedlib::report_text(far_quake("20240401090001", 1)));
        case Route::merged_away:
            receive(report);
            return receive(
                feedlib::report_text({.sequence = 2, .latitude = 38.0, .longitude = 142.5}));
        case Route::winding_down:
            go(s, Route::followed);
            return receive("noise message");
        case Route::ending:
            go(s, Route::merged_away);
            return receive("noise message");
        case Route::replaying:
        case Route::replay_fed:
            // Both lines are due at once: the first tick feeds the last.
            s.folder.write("log/replayed", test::log_text({report, report}));
            s.platform.chosen_file = s.folder.path() + "/log/replayed";
            s.app.Command8_Click();
            if (route == Route::replay_fed) s.app.Timer1_Timer();
            return;
    }
}

using Dispatch = test::AppTest;

// A message taken is shown on white, and noise winds down only an event in
// progress (which messages are taken is the framing's test). Packets of the
// local network are taken only in LAN mode (no relay prefix there); outside it
// they are ignored entirely and the box keeps what it had.
TEST(DispatchNoise, NoiseWindsDownOnlyAnEventInProgressAndPacketsAreTakenOnlyInLanMode) {
    const char *const noise = "noise message", *const wave = "wave 0001 packet",
                      *const obs = "obs 003 packet";
    using enum EventFlag;
    using R = Route;
    // clang-format off
    for (auto [lan, text, route, after] : {std::tuple(0, noise, R::followed, winding_down),
             {0, noise, R::merged_beside, winding_down}, {0, noise, R::merged_away, ending},
             {0, noise, R::idle, idle}, {0, noise, R::winding_down, winding_down}, {0, noise, R::ending, ending},
             {0, noise, R::replaying, replaying}, {0, noise, R::replay_fed, replay_fed},
             {0, wave, R::idle, idle}, {0, obs, R::idle, idle}, {1, wave, R::idle, idle}, {1, obs, R::idle, idle}}) {
        // clang-format on
        test::StartedApp s;
        MainState& m = s.m();
        m.settings.lan_flag = lan;
        go(s, route);
        m.main_view.Text4 = {"before", kRed};
        const std::string t = text;
        s.app.Winsock1_DataArrival(lan == 1 ? t + "\n" : feedlib::relay_datagram(t));
        const bool shown = lan == 1 || text == noise;
        EXPECT_EQ(std::tuple(m.events.event_flag, m.main_view.Text4.text, m.main_view.Text4.back),
                  std::tuple(after, shown ? t : "before", shown ? kWhite : kRed))
            << t << " " << static_cast<int>(route);
    }
}

// The whole chain's values are the shipped scenario's test, the reference
// sites the estimates' test; here the state and the buttons.
TEST_F(Dispatch, AReportOfTheFollowedEventSetsTheStateAndTheReferenceSite) {
    // Two reference sites; the second lies 14.3 km from the default epicentre.
    s.folder.write("data/ref.dat", "2\r\n139.0,35.0,1.2,west\r\n140.1,35.8,2.0,east\r\n");
    m.refs = read_reference_sites(ref_sites_path(m.paths));
    receive(feedlib::ReportValues{});
    EXPECT_EQ(std::tuple(m.events.event_flag, m.events.map_flag, m.main_view.Text3.back,
                         m.main_view.Command8.enabled, m.feed.latest_rev_time.text()),
              std::tuple(EventFlag::followed, 1, kRed, false, "2024/04/01 09:00:06"));
    // Hand-computed for the nearest reference site of the test's ref.dat.
    EXPECT_EQ(m.estimates.ref_site_i_min, 2);
    EXPECT_NEAR(m.estimates.dist_ref_min, 14.321, 0.001);
    EXPECT_NEAR(m.estimates.intensity_ref, 3.697, 0.001);
    EXPECT_EQ(std::tuple(m.travel.traveltime_ref, m.travel.countdown_ref), std::tuple(4, -2));
}

// Each report says how late it came, on this clock corrected by its measured
// offset (here 2.4 s slow), over the message and in the pop-up; a report
// whose times cannot be read says nothing of it.
TEST_F(Dispatch, EachReportSaysHowLateItCameByTheCorrectedClock) {
    const Rgb notice = palette_colour(14);
    using T = std::tuple<std::string, std::string, bool, bool>;
    const auto seen = [&] {
        const std::string box = m.main_view.Text4.text;
        return T(box.substr(0, box.find('\n')), m.popup_view.report_delay,
                 m.popup_view.report_delay_late, m.main_view.Text4.back == notice);
    };
    receive(ReportValues{});
    EXPECT_EQ(seen(), T("received 1 s after issue", "received 1 s after issue", false, false));
    s.app.clock_checked({TimeSync::unknown, 2.4, ""});
    receive(ReportValues{.sequence = 2});
    EXPECT_EQ(seen(), T("received 3 s after issue", "received 3 s after issue", true, true));
    receive(ReportValues{.sequence = 3, .send_time = "2024,4,1,9,0,20"});
    EXPECT_EQ(seen(),
              T("sent 12 s ahead of this clock", "sent 12 s ahead of this clock", true, true));
    receive(ReportValues{.sequence = 4, .send_time = "2024,13,1,9,0,0"});
    EXPECT_EQ(m.main_view.Text4.text.substr(0, 5), "<?xml");
}

// A followed quake whose pop-up the user minimised is told in a desktop
// notification until a report finds the pop-up shown again.
TEST_F(Dispatch, AQuakeThePersonCannotSeeIsNotifiedUntilThePopUpShowsIt) {
    receive(ReportValues{});
    EXPECT_TRUE(s.platform.notifications.empty());
    s.platform.windows[WindowId::popupmap] = WindowState::minimised;
    receive(ReportValues{.sequence = 2});
    s.platform.windows[WindowId::popupmap] = WindowState::normal;
    receive(ReportValues{.sequence = 3});
    EXPECT_EQ(s.platform.notifications,
              (std::vector<std::string>{
                  "地震発生 千葉県北西部 M6.5 | 予想震度 3（東京）、S波到達まで 1 秒", "closed"}));
}

// The mechanism panel is drawn again only when it would change: a new
// mechanism, or a pop-up that was closed and came back empty.
TEST_F(Dispatch, TheMechanismPanelIsRedrawnOnlyForANewMechanismOrAfterTheWindowClosed) {
    std::vector<std::string>& panel = s.platform.canvases[PictureId::mechanism_panel].calls;
    feedlib::ReportValues r;
    for (auto [nobs_pol, closed, redrawn] :
         {std::tuple(20, false, 1), {20, false, 0}, {21, false, 1}, {21, true, 1}}) {
        if (closed) close_event_windows(m, s.platform);
        panel.clear();
        r.mechanism.nobs_pol = nobs_pol;
        receive(r);
        ++r.sequence;
        EXPECT_EQ(std::count(panel.begin(), panel.end(), "clear"), redrawn) << r.sequence;
    }
}

// Closed with the replay, the pop-up comes back for the live event even
// though it had been minimised.
TEST_F(Dispatch, ALiveReportEndsAReplayAndTakesOver) {
    s.folder.write("log/replayed", test::log_text({feedlib::report_text({.code = "replayed"})}));
    s.platform.chosen_file = s.folder.path() + "/log/replayed";
    s.app.Command8_Click();
    ASSERT_EQ(std::tuple(m.events.event_flag, m.events.event_code[1], m.main_view.Command7.enabled),
              std::tuple(EventFlag::replaying, "replayed", true));
    s.platform.windows[WindowId::popupmap] = WindowState::minimised;
    receive(feedlib::ReportValues{});
    EXPECT_EQ(std::tuple(s.platform.window_state(WindowId::popupmap), m.events.event_code[1],
                         m.events.n_event, m.events.event_flag, m.main_view.Command7.enabled),
              std::tuple(WindowState::normal, "20240401090000", 1, EventFlag::followed, false));
}

// A noise message and both ticks arrive during the new-event chime.
TEST_F(Dispatch, WhatArrivesDuringTheChimeRunsAfterTheReportChain) {
    s.platform.during_pause = [&] {
        receive("noise message");
        s.app.Timer2_Timer();
        s.app.Timer1_Timer();
        EXPECT_EQ(m.main_view.Text4.text.substr(0, 30), "received 1 s after issue\n<?xml");
        EXPECT_EQ(m.main_view.Text1.text + m.popup_view.Text15, "");  // not that far yet
    };
    receive(feedlib::ReportValues{});
    EXPECT_EQ(m.popup_view.Text15 + " " + m.main_view.Text4.text + " " + m.main_view.Text1.text,
              "2024/04/01 09:00:00 noise message 09:00:06");
    EXPECT_EQ(m.main_view.Text3.text, "3");  // the tick after the noise message
    // The marks of the new event, then the tick's whole frame over them.
    EXPECT_EQ(std::count(event_map.begin(), event_map.end(), "clear"), 1);
    EXPECT_NE(event_map.front(), "clear");
    EXPECT_EQ(s.app.dropped_datagrams(), 0u);
}

// Binding failures are the platform's tests, on a real socket.
struct FeedConnection : test::AppTest {
    MainView& v = m.main_view;
};

TEST_F(FeedConnection, TheWatchdogMarksASilentFeedRedOnlyWhileReceiving) {
    s.app.Timer2_Timer();  // stopped: the empty box is not a silent feed
    EXPECT_EQ(v.Text4.back, kWhite);
    s.app.Command1_Click();
    s.app.Timer2_Timer();  // nothing arrived: "" equals the empty old text
    EXPECT_EQ(v.Text4.back, kRed);
    receive("noise message");
    s.app.Timer2_Timer();
    EXPECT_EQ(v.Text4.back, kWhite);
    s.app.Timer2_Timer();  // and nothing after it
    EXPECT_EQ(v.Text4.back, kRed);
}

// The watchdog also prunes the 24-hour list, but never under an event or a
// replay.
TEST(FeedWatchdog, PrunesThe24HourListOnlyWhenIdle) {
    for (Route route : {Route::merged_beside, Route::ending, Route::replaying, Route::idle}) {
        test::StartedApp s;
        go(s, route);
        auto& r = s.m().recent;
        r.total_event_number = 2;
        r.recent_event_time[1] = s.platform.clock.plus_seconds(-2 * 86400).text();
        r.recent_event_time[2] = s.platform.clock.plus_seconds(-3600).text();
        s.app.Timer2_Timer();
        const bool pruned = route == Route::idle;
        EXPECT_EQ(std::tuple(r.total_event_number, s.m().main_view.Text2.text == "1"),
                  std::tuple(pruned ? 1 : 2, pruned))
            << static_cast<int>(route);
    }
}

// The column of controls is 2760 twips wide, the map window beside it 6456.
// A missing image is a notice: with automatic start it comes before the main
// window and its timers, which a dialog would hold up.
TEST_F(FeedConnection, MapOnShowsTheMainMapAndNoticesAMissingImage) {
    s.platform.twips_per_px = 10;
    s.app.Command5_Click();
    EXPECT_EQ(std::tuple(v.map_shown, v.map_caption, v.map_window_start, v.window_width,
                         v.window_height, v.notice),
              std::tuple(true, "last 24 hours", "2024/03/31 09:00", 922, 804, ""));
    EXPECT_EQ(s.platform.canvases[PictureId::main_map].calls.back(),
              "filled square 266.875 283.388 272.875 289.388 c12 w1");
    s.app.Command6_Click();  // "mapOFF"
    s.platform.canvases[PictureId::main_map].background_loads = false;
    s.app.Command5_Click();
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_NE(v.notice.find("japan_map.bmp\" could not be read"), std::string::npos) << v.notice;
}

using feedlib::report_text;

const char kLog[] = "log/20240401.0900_0_M65";

// A report of the default quake (origin 09:00:00, sent 09:00:05, S wave at the
// site in second 7) arrives at 09:00:06 and is followed at lapse 6.
struct Tick : test::AppTest {
    Tick() { receive(feedlib::ReportValues{}); }
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
        EXPECT_TRUE(frame_drawn() && m.events.event_flag == EventFlag::winding_down) << lapse;
        tick();
    }
    EXPECT_EQ(m.events.event_flag, EventFlag::idle);
    EXPECT_FALSE(frame_drawn());
}

TEST(TickEnd, ALiveSequenceEndsOnSilenceOrAfterALoneNoiseMessageAndIsLogged) {
    using enum EventFlag;
    // clang-format off
    for (auto [route, silent, ends] : {std::tuple(Route::followed, 120, false), {Route::followed, 121, true},
             {Route::merged_beside, 121, true}, {Route::winding_down, 120, false}, {Route::ending, 0, true}}) {
        // clang-format on
        test::StartedApp t;
        t.m().settings.disp_event_minutes = 1000;
        go(t, route);
        const EventFlag before = t.m().events.event_flag;
        t.platform.advance(silent);
        t.app.Timer1_Timer();
        EXPECT_EQ(std::tuple(t.m().events.event_flag, t.folder.exists(kLog)),
                  std::tuple(ends ? idle : before, ends))
            << static_cast<int>(route) << " " << silent;
    }
}

// A log of four reports: lines 2 and 3 were sent 5 s after line 1, line 4
// 7 s after it. Line 1 is shown as the replay starts, at its own send time.
TEST_F(Dispatch, AReplayFeedsOneDueLineATickAndClosesAfterTheDisplayTimeWithoutALog) {
    m.settings.disp_event_minutes = 12;
    std::vector<std::string> reports;
    for (int k = 1; k <= 4; ++k)
        reports.push_back(feedlib::report_text({.sequence = k,
                                                .send_time = k == 1  ? "2024,4,1,9,0,5"
                                                             : k < 4 ? "2024,4,1,9,0,10"
                                                                     : "2024,4,1,9,0,12"}));
    s.folder.write("log/replayed", test::log_text(reports));
    s.platform.chosen_file = s.folder.path() + "/log/replayed";
    s.app.Command8_Click();
    // clang-format off
    using enum EventFlag;
    const std::tuple<std::string, long long, long long, EventFlag> steps[] = {  // sequence, lapse, countdown, state
        {"1", 6, 1, replaying}, {"1", 7, 0, replaying}, {"1", 8, -1, replaying}, {"1", 9, -2, replaying},
        {"2", 10, -3, replaying}, {"3", 10, -3, replaying}, {"4", 12, -5, replay_fed}};
    // clang-format on
    for (const auto& step : steps) {
        event_map.clear();
        tick();
        EXPECT_EQ(std::tuple(m.followed.sequence, m.travel.lapse, m.travel.countdown,
                             m.events.event_flag),
                  step);
        EXPECT_TRUE(!event_map.empty() && event_map.front() == "clear") << m.travel.lapse;
    }
    tick();
    EXPECT_EQ(std::tuple(m.events.event_flag, s.platform.window_state(WindowId::popupmap),
                         m.main_view.Command8.enabled, m.main_view.Command7.enabled,
                         s.folder.exists(kLog)),
              std::tuple(idle, WindowState::not_created, true, false, false));
}

using EventLogging = test::AppTest;

TEST_F(EventLogging, AnUnwritableFolderIsNoticedAndTheProgramGoesOn) {
    receive(feedlib::ReportValues{});
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
    reset_event_state(m);
    receive(feedlib::ReportValues{});
    EXPECT_EQ(m.events.event_flag, EventFlag::followed);
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
