#include "app/dispatch.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

using test::report_xml;
using test::ReportValues;

// Two reference sites; the second lies 14.3 km from the default epicentre.
const std::string kRefSites = "2\r\n139.0,35.0,1.2,west\r\n140.1,35.8,2.0,east\r\n";

struct Dispatch : ::testing::Test {
    void receive(const std::string& text) {
        s.app.Winsock1_DataArrival(test::relay_datagram(text));
    }
    void receive(const ReportValues& r) { receive(report_xml(r)); }
    MainState& m() { return s.m(); }

    test::StartedApp s{{{"data/ref.dat", kRefSites}}};
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
        m().events.event_flag = c.event_flag;
        m().events.map_flag = c.map_flag;
        receive("noise message");
        EXPECT_EQ(m().events.event_flag, c.after) << c.event_flag << "/" << c.map_flag;
    }
}

TEST_F(Dispatch, AcceptedMessagesAreShownReadablyOnWhiteAndTheRestIgnored) {
    struct Case {
        std::string datagram;
        int lan_flag;
        std::string shown;  // empty: ignored, the box keeps "before" on red
    };
    const Case cases[] = {
        {"\x01\x01noise \x93\x8C\x8B\x9E\n", 0, "noise 東京"},
        {"\x01\x01wave 0001010100000000\n", 0, ""},
        {"\x01\x01obs 001002003004\n", 0, ""},
        {"wave 0001010100000000\n", 1, "wave 0001010100000000"},
        {"obs 001002003004\n", 1, "obs 001002003004"},
        {"\x01\x01"
         "0123456789<?xml\n",
         0, ""},                        // the kind word past character ten
        {"\x01\x01noise xx\n", 0, ""},  // 11 bytes: too short
    };
    for (const Case& c : cases) {
        m().settings.lan_flag = c.lan_flag;
        m().main_view.Text4 = {"before", kRed};
        s.app.Winsock1_DataArrival(c.datagram);
        EXPECT_EQ(m().main_view.Text4.text, c.shown.empty() ? "before" : c.shown) << c.datagram;
        EXPECT_EQ(m().main_view.Text4.back, c.shown.empty() ? kRed : kWhite) << c.datagram;
        EXPECT_EQ(m().events.n_event, 0);
    }
}

TEST_F(Dispatch, AReportOfTheFollowedEventFillsThePlainFieldsAndTheEstimates) {
    ASSERT_TRUE(s.loaded);
    receive(ReportValues{});
    EXPECT_EQ(m().events.event_flag, 2);
    EXPECT_EQ(m().events.map_flag, 1);
    EXPECT_EQ(m().main_view.Text3.back, kRed);
    EXPECT_EQ(m().feed.latest_rev_time, s.platform.clock);
    EXPECT_FALSE(m().main_view.Command8.enabled);

    const FollowedEvent& f = m().followed;
    EXPECT_EQ(f.code, "20240401090000");
    EXPECT_EQ(f.sequence, "1");
    EXPECT_EQ(f.origintime, *DateTime::from_fields(2024, 4, 1, 9, 0, 0));
    EXPECT_EQ(f.sendtime, *DateTime::from_fields(2024, 4, 1, 9, 0, 5));
    const std::pair<double, double> values[] = {
        {f.magnitude, 6.5}, {f.mip, 6.3},      {f.latitude, 35.7}, {f.longitude, 140.0},
        {f.depth, 40},      {f.pdata, 8},      {f.azp, 120},       {f.thp, 80},
        {f.azt, 300},       {f.tht, 10},       {f.nobs_pol, 20},   {f.n_pol_err, 2},
        {f.depth_div, 9},   {f.depth_color, 3}};
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(values[i].first, values[i].second) << "value " << i;
    EXPECT_EQ(f.region_name, "千葉県北西部");
    EXPECT_EQ(f.region_name_en, "chiba_nw");

    // 27.09 km from the site (139.7 E, 35.7 N, factor 1.5); Mi 6.3 at 40 km:
    // intensity 3.302. The S front at 4 km/s passes it in second 7; six
    // seconds have gone since the origin. Long-period waves at 3 km/s: 9 s.
    EXPECT_NEAR(f.dist, 27.090, 0.001);
    EXPECT_NEAR(f.intensity, 3.302, 0.001);
    EXPECT_EQ(m().estimates.iintensity, 3);
    EXPECT_EQ(m().travel.traveltime, 7);
    EXPECT_EQ(m().travel.countdown, 1);
    EXPECT_EQ(m().travel.lpwave_travel_time, 9);

    // The nearer reference site (140.1 E, 35.8 N, factor 2.0): 14.32 km,
    // intensity 3.697, reached in second 4.
    EXPECT_EQ(m().estimates.ref_site_i_min, 2);
    EXPECT_NEAR(m().estimates.dist_ref_min, 14.321, 0.001);
    EXPECT_NEAR(m().estimates.intensity_ref, 3.697, 0.001);
    EXPECT_EQ(m().travel.traveltime_ref, 4);
    EXPECT_EQ(m().travel.countdown_ref, -2);
}

TEST_F(Dispatch, ANewlyFollowedEventFreezesTheFirstInfoAndChimesOnce) {
    receive(ReportValues{});
    s.platform.advance(2);
    ReportValues second;
    second.sequence = 2;
    second.magnitude = 6.8;
    receive(second);
    EXPECT_EQ(m().events.map_flag, 2);
    EXPECT_EQ(m().followed.magnitude, 6.8);
    EXPECT_EQ(m().first.magnitude_first, 6.5);
    EXPECT_EQ(m().first.latitude_first, 35.7);
    EXPECT_EQ(m().travel.lapse, 8);
    // The class sound follows the chime; only the chime counts here.
    const auto chimes = [&] {
        return std::count(s.platform.sounds.begin(), s.platform.sounds.end(), m().paths.file_sound);
    };
    EXPECT_EQ(chimes(), 1);
    EXPECT_EQ(s.platform.sounds.front(), m().paths.file_sound);
    EXPECT_EQ(s.platform.pauses, std::vector<int>{600});

    m().settings.voice_flag = 0;
    ReportValues other = second;
    other.code = "20240401090100";
    other.mip = 7.5;  // felt more strongly: followed from now on
    receive(other);
    EXPECT_EQ(m().events.i_event_selected, 2);
    EXPECT_EQ(chimes(), 1);
    // The first info is frozen again, from the newly followed event.
    EXPECT_EQ(m().first.magnitude_first, 6.8);
    EXPECT_EQ(m().popup_view.Text7, "6.8");
}

TEST_F(Dispatch, AWeakerEventOnlyTakesItsSlotAndAHeldBackOneLightsTheIndicator) {
    receive(ReportValues{});
    m().main_view.Label19.clear();  // lit by the followed event's presentation
    ReportValues far;
    far.code = "20240401090100";
    far.latitude = 38.0;
    far.longitude = 142.5;  // 370 km away: beyond the 300 km of the filter
    receive(far);
    EXPECT_EQ(m().events.n_event, 2);
    EXPECT_EQ(m().events.event_flag, 1);
    EXPECT_EQ(m().followed.code, "20240401090000");
    EXPECT_EQ(m().main_view.Label19, "地震発生");
}

TEST_F(Dispatch, ALiveReportEndsAReplayAndTakesOver) {
    m().events.event_flag = 11;
    m().events.n_event = 1;
    m().events.event_code[1] = "replayed";
    m().main_view.Command7.enabled = true;
    // Closed with the replay, the pop-up comes back for the live event even
    // though it had been minimised.
    s.platform.windows[WindowId::popupmap] = WindowState::minimised;
    receive(ReportValues{});
    EXPECT_EQ(s.platform.window_state(WindowId::popupmap), WindowState::normal);
    EXPECT_EQ(m().events.event_code[1], "20240401090000");
    EXPECT_EQ(m().events.n_event, 1);
    EXPECT_EQ(m().events.event_flag, 2);
    EXPECT_FALSE(m().main_view.Command7.enabled);
}

TEST_F(Dispatch, TruncatedReportsNeverBreakTheChain) {
    const std::string full = report_xml(ReportValues{});
    for (std::size_t cut = 0; cut < full.size(); cut += 7)
        receive(full.substr(0, cut));
    receive(full);
    EXPECT_EQ(m().events.event_flag, 2);
    EXPECT_EQ(m().followed.magnitude, 6.5);
}

TEST_F(Dispatch, ASixthQuakeWithNoSlotToSpareIsOnlyShown) {
    for (int i = 1; i <= 6; ++i) {
        ReportValues r;
        r.code = "code" + std::to_string(i);
        receive(r);  // every one passes the filter
    }
    EXPECT_EQ(m().events.n_event, 5);
    for (int i = 1; i <= 5; ++i)
        EXPECT_NE(m().events.event_code[i], "code6");
    EXPECT_NE(m().main_view.Text4.text.find("code6"), std::string::npos);
}

}  // namespace
}  // namespace eew
