#include "feed/dispatch.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "app/main_state.hpp"
#include "fakes/configured_state.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/report_text.hpp"

namespace eew {
namespace {

using test::relay_datagram;
using test::report_xml;
using test::ReportValues;

struct Dispatch : ::testing::Test {
    Dispatch() {
        test::configure_for_tests(m);
        platform.clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 6);
    }
    void receive(const std::string& text) {
        Winsock1_DataArrival(m, platform, relay_datagram(text));
    }
    void receive(const ReportValues& r) { receive(report_xml(r)); }

    MainState m;
    test::FakePlatform platform;
};

TEST_F(Dispatch, NoiseWindsDownOnlyAnEventInProgress) {
    struct Case {
        int event_flag, map_flag, after;
    };
    for (Case c : {Case{2, 2, 3},
                   {1, 2, 3},
                   {1, 1, 4},
                   {1, 0, 4},
                   {0, 0, 0},
                   {3, 2, 3},
                   {4, 0, 4},
                   {11, 1, 11},
                   {12, 2, 12}}) {
        m.events.event_flag = c.event_flag;
        m.events.map_flag = c.map_flag;
        receive("noise message");
        EXPECT_EQ(m.events.event_flag, c.after) << c.event_flag << "/" << c.map_flag;
        EXPECT_EQ(m.main_view.Text4.text, "noise message");
    }
}

TEST_F(Dispatch, IgnoredDatagramsChangeNothing) {
    m.main_view.Text4 = {"before", kRed};
    receive("wave 0001010100000000");  // LAN-only kind
    receive("obs 001002");
    receive("0123456789<?xml");                               // the kind word past character ten
    Winsock1_DataArrival(m, platform, "\x01\x01noise xx\n");  // 11 bytes: too short
    EXPECT_EQ(m.main_view.Text4.text, "before");
    EXPECT_EQ(m.main_view.Text4.back, kRed);
    EXPECT_EQ(m.events.n_event, 0);
}

TEST_F(Dispatch, AcceptedMessagesAreShownReadablyOnWhite) {
    m.main_view.Text4.back = kRed;
    receive("noise \x93\x8C\x8B\x9E");  // "東京" in Shift-JIS
    EXPECT_EQ(m.main_view.Text4.text, "noise 東京");
    EXPECT_EQ(m.main_view.Text4.back, kWhite);
    EXPECT_EQ(m.feed.received_data00, "noise \x93\x8C\x8B\x9E");
}

TEST_F(Dispatch, AReportOfTheFollowedEventIsEstimatedForTheSite) {
    receive(ReportValues{});
    EXPECT_EQ(m.events.event_flag, 2);
    EXPECT_EQ(m.events.map_flag, 1);
    EXPECT_EQ(m.main_view.Text3.back, kRed);
    EXPECT_EQ(m.feed.latest_rev_time, platform.clock);
    EXPECT_EQ(m.followed.code, "20240401090000");
    EXPECT_EQ(m.followed.region_name, "千葉県北西部");

    // Haversine on the same sphere as an independent check of the distance
    // (the shortened pi moves the result by a few centimetres).
    const double rad = 3.14159 / 180;
    const double dlat = (35.7 - 35.694) * rad, dlon = (140.0 - 139.7536) * rad;
    const double h = std::pow(std::sin(dlat / 2), 2) + std::cos(35.7 * rad) *
                                                           std::cos(35.694 * rad) *
                                                           std::pow(std::sin(dlon / 2), 2);
    const double km = 2 * std::asin(std::sqrt(h)) * 6371.05;
    EXPECT_NEAR(m.followed.dist, km, 1e-3);
    EXPECT_NEAR(km, 22.261, 0.001);

    // S front at 4 km/s: the first whole second at or past 22.28 km is 6;
    // 6 seconds have passed since the origin, so the S wave arrives now.
    EXPECT_EQ(m.travel.traveltime, 6);
    EXPECT_EQ(m.travel.travel_s_data_flag, 1);
    EXPECT_EQ(m.travel.lapse, 6);
    EXPECT_EQ(m.travel.countdown, 0);
    EXPECT_EQ(m.travel.lpwave_travel_time, 7);
    EXPECT_EQ(m.followed.depth_div, 9);
    // Mi 6.3 at R = sqrt(40^2 + 22.26^2) = 45.78 km, factor 1.4:
    // 12.6 - 0.8686 ln 45.78 - 18.85 (45.78 / 3.5) / 400 / ln 10 - 6 + 0.8686 ln 1.4
    //   = 12.6 - 3.3213 - 0.2677 - 6 + 0.2923 = 3.303
    EXPECT_NEAR(m.followed.intensity, 3.303, 0.001);
    EXPECT_EQ(m.estimates.iintensity, static_cast<int>(m.followed.intensity + 0.5));
    EXPECT_FALSE(m.main_view.Command8.enabled);
    EXPECT_FALSE(m.main_view.Command7.enabled);
}

TEST_F(Dispatch, LaterReportsOfTheSameEventUpdateTheCountdown) {
    receive(ReportValues{});
    platform.advance(2);
    ReportValues second;
    second.sequence = 2;
    second.longitude = 140.5;  // ~68 km from the site: 17 s at 4 km/s
    receive(second);
    EXPECT_EQ(m.events.map_flag, 2);
    EXPECT_EQ(m.events.event_flag, 2);
    EXPECT_EQ(m.followed.sequence, "2");
    EXPECT_EQ(m.travel.lapse, 8);
    EXPECT_EQ(m.travel.countdown, m.travel.traveltime - 8);
    EXPECT_EQ(m.travel.traveltime, static_cast<long long>(std::ceil(m.followed.dist / 4.0)));
}

TEST_F(Dispatch, AReportOfAnotherEventLeavesTheStateAtOne) {
    receive(ReportValues{});
    ReportValues other;
    other.code = "20240401090100";
    other.latitude = 38.0;
    other.longitude = 142.5;  // off Miyagi: far weaker at the site
    other.mip = 5.0;
    receive(other);
    EXPECT_EQ(m.events.n_event, 2);
    EXPECT_EQ(m.events.event_flag, 1);
    EXPECT_EQ(m.events.i_event_selected, 1);
    EXPECT_EQ(m.followed.code, "20240401090000");  // the plain fields stay
}

TEST_F(Dispatch, ALiveReportEndsAReplayAndTakesOver) {
    m.events.event_flag = 11;
    m.events.n_event = 1;
    m.events.event_code[1] = "replayed";
    m.main_view.Command8.enabled = false;
    m.main_view.Command7.enabled = true;
    platform.windows[WindowId::popupmap] = WindowState::normal;
    receive(ReportValues{});
    EXPECT_EQ(platform.window_state(WindowId::popupmap), WindowState::not_created);
    EXPECT_EQ(m.events.event_code[1], "20240401090000");
    EXPECT_EQ(m.events.n_event, 1);
    EXPECT_EQ(m.events.event_flag, 2);
    EXPECT_FALSE(m.main_view.Command7.enabled);
}

TEST_F(Dispatch, ASixthQuakeWithNoSlotToSpareIsOnlyShown) {
    for (int i = 1; i <= 5; ++i) {
        ReportValues r;
        r.code = "code" + std::to_string(i);
        r.origin_time = "2024,4,1,9,0," + std::to_string(i);
        receive(r);  // every one passes the filter
    }
    const int flag_before = m.events.event_flag;
    ReportValues sixth;
    sixth.code = "code6";
    receive(sixth);
    EXPECT_EQ(m.events.n_event, 5);
    for (int i = 1; i <= 5; ++i)
        EXPECT_NE(m.events.event_code[i], "code6");
    EXPECT_EQ(m.events.event_flag, flag_before);
    EXPECT_NE(m.main_view.Text4.text.find("code6"), std::string::npos);
}

TEST_F(Dispatch, TruncatedReportsNeverBreakTheChain) {
    const std::string full = report_xml(ReportValues{});
    for (std::size_t cut = 0; cut <= full.size(); cut += 7) {
        receive(full.substr(0, cut));
        ASSERT_LE(m.events.n_event, 5);
    }
    receive(ReportValues{});
    EXPECT_EQ(m.events.event_flag, m.events.i_event_now == m.events.i_event_selected ? 2 : 1);
}

}  // namespace
}  // namespace eew
