#include "app/dispatch.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/deferred_events.hpp"
#include "app/observed_display.hpp"
#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"
#include "observed/packet_text.hpp"

namespace eew {
namespace {

using test::ReportValues;

struct Dispatch : ::testing::Test {
    void receive(const std::string& text) {
        s.app.Winsock1_DataArrival(test::relay_datagram(text));
    }
    void receive(const ReportValues& r) { receive(test::report_xml(r)); }

    // Two reference sites; the second lies 14.3 km from the default epicentre.
    test::StartedApp s{{{"data/ref.dat", "2\r\n139.0,35.0,1.2,west\r\n140.1,35.8,2.0,east\r\n"}}};
    MainState& m = s.m();
    std::vector<std::string>& event_map = s.platform.canvases[PictureId::event_map].calls;
};

// Which messages are taken is the framing's test; a shown one is on white.
TEST_F(Dispatch, NoiseWindsDownOnlyAnEventInProgress) {
    // clang-format off
    for (auto [event_flag, map_flag, after] : {std::tuple(2, 2, 3), {1, 2, 3}, {1, 1, 4}, {1, 0, 4},
             {0, 0, 0}, {3, 2, 3}, {4, 0, 4}, {11, 1, 11}, {12, 2, 12}}) {
        // clang-format on
        m.events.event_flag = event_flag;
        m.events.map_flag = map_flag;
        m.main_view.Text4 = {"before", kRed};
        receive("noise message");
        EXPECT_EQ(m.events.event_flag, after) << event_flag << "/" << map_flag;
        EXPECT_EQ(std::tuple(m.main_view.Text4.text, m.main_view.Text4.back),
                  std::tuple("noise message", kWhite));
    }
}

// The whole chain's values are the shipped scenario's test; here the state,
// the buttons and the nearer reference site (factor 2.0: 14.32 km, 3.697, in
// second 4).
TEST_F(Dispatch, AReportOfTheFollowedEventSetsTheStateAndTheReferenceSite) {
    receive(ReportValues{});
    EXPECT_EQ(std::tuple(m.events.event_flag, m.events.map_flag, m.main_view.Text3.back,
                         m.main_view.Command8.enabled, m.feed.latest_rev_time.text()),
              std::tuple(2, 1, kRed, false, "2024/04/01 09:00:06"));
    EXPECT_EQ(m.estimates.ref_site_i_min, 2);
    EXPECT_NEAR(m.estimates.dist_ref_min, 14.321, 0.001);
    EXPECT_NEAR(m.estimates.intensity_ref, 3.697, 0.001);
    EXPECT_EQ(std::tuple(m.travel.traveltime_ref, m.travel.countdown_ref), std::tuple(4, -2));
}

TEST_F(Dispatch, ANewlyFollowedEventFreezesTheFirstInfoAndChimesOnce) {
    receive(ReportValues{});
    s.platform.advance(2);
    ReportValues second{.sequence = 2, .magnitude = 6.8};
    receive(second);
    EXPECT_EQ(std::tuple(m.events.map_flag, m.followed.magnitude, m.first.magnitude_first,
                         m.travel.lapse),
              std::tuple(2, 6.8, 6.5, 8));
    // The class sound follows the chime; only the chime counts here.
    const auto chimes = [&] {
        return std::count(s.platform.sounds.begin(), s.platform.sounds.end(), m.paths.file_sound);
    };
    EXPECT_EQ(std::tuple(chimes(), s.platform.sounds.front(), s.platform.pauses),
              std::tuple(1, m.paths.file_sound, std::vector<int>{600}));
    m.settings.voice_flag = 0;
    second.code = "20240401090100";
    second.mip = 7.5;  // felt more strongly: followed from now on, and frozen anew
    receive(second);
    EXPECT_EQ(std::tuple(m.events.i_event_selected, chimes(), m.popup_view.Text7),
              std::tuple(2, 1, "6.8"));
}

TEST_F(Dispatch, AWeakerEventOnlyTakesItsSlotAndAHeldBackOneLightsTheIndicator) {
    receive(ReportValues{});
    m.main_view.Label19.clear();  // lit by the followed event's presentation
    // 370 km away: beyond the 300 km of the filter.
    receive(ReportValues{.code = "20240401090100", .latitude = 38.0, .longitude = 142.5});
    EXPECT_EQ(
        std::tuple(m.events.n_event, m.events.event_flag, m.followed.code, m.main_view.Label19),
        std::tuple(2, 1, "20240401090000", "地震発生"));
}

// Closed with the replay, the pop-up comes back for the live event even
// though it had been minimised.
TEST_F(Dispatch, ALiveReportEndsAReplayAndTakesOver) {
    m.events.event_flag = 11;
    m.events.n_event = 1;
    m.events.event_code[1] = "replayed";
    m.main_view.Command7.enabled = true;
    s.platform.windows[WindowId::popupmap] = WindowState::minimised;
    receive(ReportValues{});
    EXPECT_EQ(std::tuple(s.platform.window_state(WindowId::popupmap), m.events.event_code[1],
                         m.events.n_event, m.events.event_flag, m.main_view.Command7.enabled),
              std::tuple(WindowState::normal, "20240401090000", 1, 2, false));
}

TEST_F(Dispatch, TruncatedReportsNeverBreakTheChainAndASixthQuakeIsOnlyShown) {
    const std::string full = test::report_xml(ReportValues{});
    for (std::size_t cut = 0; cut < full.size(); cut += 7)
        receive(full.substr(0, cut));
    for (int i = 1; i <= 6; ++i)
        receive(ReportValues{.code = "code" + std::to_string(i)});  // every one passes the filter
    EXPECT_EQ(std::tuple(m.events.n_event, m.events.event_flag, m.followed.magnitude),
              std::tuple(5, 2, 6.5));
    EXPECT_EQ(std::count(m.events.event_code.begin(), m.events.event_code.end(), "code6"), 0);
    EXPECT_NE(m.main_view.Text4.text.find("code6"), std::string::npos);
}

// A noise message and both ticks arrive during the new-event chime.
TEST_F(Dispatch, WhatArrivesDuringTheChimeRunsAfterTheReportChain) {
    s.platform.during_pause = [&] {
        receive("noise message");
        s.app.Timer2_Timer();
        s.app.Timer1_Timer();
        EXPECT_EQ(m.main_view.Text4.text.substr(0, 5), "<?xml");
        EXPECT_EQ(m.main_view.Text1.text + m.popup_view.Text15, "");  // not that far yet
    };
    receive(ReportValues{});
    EXPECT_EQ(m.popup_view.Text15 + " " + m.main_view.Text4.text + " " + m.main_view.Text1.text,
              "2024/04/01 09:00:00 noise message 09:00:06");
    EXPECT_EQ(m.main_view.Text3.text, "3");  // the tick after the noise message
    // The marks of the new event, then the tick's whole frame over them.
    EXPECT_EQ(std::count(event_map.begin(), event_map.end(), "clear"), 1);
    EXPECT_NE(event_map.front(), "clear");
    EXPECT_EQ(s.app.dropped_datagrams(), 0u);
}

TEST(DeferredEvents, ArrivalOrderOneTickPerTimerAndBoundedDatagrams) {
    DeferredEvents d;
    const auto next = [&] {
        auto e = d.take();
        return !e ? "none" : e->tick ? "tick" : e->datagram.substr(0, 3);
    };
    d.add_datagram(std::string(DeferredEvents::kMaxBytes - 1, 'x'));
    d.add_tick(TimerId::timer2);
    d.add_datagram("ab");         // one byte too many: dropped
    d.add_tick(TimerId::timer2);  // one already waits
    d.add_datagram("c");
    std::string order;
    for (int i = 0; i < 2; ++i)
        order += next() + " ";
    d.add_tick(TimerId::timer2);
    for (int i = 0; i < 3; ++i)
        order += next() + " ";
    EXPECT_EQ(order, "xxx tick c tick none ");
    for (std::size_t i = 0; i <= DeferredEvents::kMaxDatagrams; ++i)
        d.add_datagram("y");
    EXPECT_EQ(d.dropped_datagrams(), 2u);
}

// Packets are shown only while the latest report is of the followed event;
// every frame redraws the marks of the last observation packet.
TEST_F(Dispatch, ObservedPacketsAreShownForTheFollowedEventOnly) {
    m.settings.lan_flag = 1;
    m.index_map = 1;
    const std::string wave =
        test::wave_header(7, 2, 1, 100, 1) + test::wave_record("ABCD", "U ", 12, 10, 101, "0000");
    const std::string obs = test::obs_header(1) + test::obs_record("36.5", "135.0", 500);
    m.events.i_event_now = 2;
    m.events.i_event_selected = 1;
    s.app.Winsock1_DataArrival(wave + "\n");
    s.app.Winsock1_DataArrival(obs + "\n");
    EXPECT_TRUE(m.observed.wdata.empty() && m.observed.observations.nobs == 0 && event_map.empty());
    m.events.i_event_now = 1;
    s.app.Winsock1_DataArrival(wave + "\n");
    const PopupView& v = m.popup_view;
    EXPECT_EQ(m.main_view.Text3.text + " " + v.wave_row_labels[0] + " " + v.wave_time_axis[2] +
                  " " + v.wave_seq + v.wave_pkt + v.wave_nobsall + " " + v.wave_length,
              "66 ABCD U 12 120 211 66");
    EXPECT_EQ(s.platform.canvases[PictureId::waveform_panel].calls.front(), "clear");
    s.app.Winsock1_DataArrival(obs + "\n");
    EXPECT_EQ(event_map.front(), "filled square -4 353 4 361 c14 w1");
    EXPECT_EQ(v.Label29 + v.Label30 + v.Label35, "kine1.0000.003");
    event_map.clear();
    draw_station_observations(m, s.platform);
    EXPECT_EQ(event_map.size(), 7u);
    // An empty packet adds nothing at once and leaves only the legend to the frames.
    event_map.clear();
    s.app.Winsock1_DataArrival(test::obs_header(0) + "  \n");  // past the shortest datagram
    EXPECT_TRUE(event_map.empty());
    draw_station_observations(m, s.platform);
    EXPECT_EQ(event_map.size(), 6u);
}

}  // namespace
}  // namespace eew
