#include "app/feed_connection.hpp"

#include <gtest/gtest.h>

#include "fakes/started_app.hpp"

namespace eew {
namespace {

struct FeedConnection : ::testing::Test {
    MainState& m() { return s.m(); }
    test::FakePlatform& platform() { return s.platform; }
    test::StartedApp s;
};

TEST_F(FeedConnection, RelayModeListensOnLoopbackOnlyAndLanModeEverywhere) {
    for (int lan_flag : {0, 1}) {
        m().settings.lan_flag = lan_flag;
        s.app.Command1_Click();
        EXPECT_EQ(platform().bound_port, 9000);
        EXPECT_EQ(platform().bound_to_all_addresses, lan_flag == 1);
        EXPECT_FALSE(m().main_view.Command1.enabled);
        EXPECT_TRUE(m().main_view.Command2.enabled);
    }
}

TEST_F(FeedConnection, ABindFailureIsShownAndStartStaysEnabled) {
    platform().bind_failure = "port 9000 could not be opened (address in use)";
    s.app.Command1_Click();
    ASSERT_EQ(platform().messages.size(), 1u);
    EXPECT_NE(platform().messages[0].find(*platform().bind_failure), std::string::npos);
    EXPECT_TRUE(platform().feed_closed());
    EXPECT_TRUE(m().main_view.Command1.enabled);
    EXPECT_FALSE(m().main_view.Command2.enabled);
}

TEST_F(FeedConnection, StopClosesTheSocketLeavesTheEventAloneAndStartBindsTheCurrentPort) {
    s.app.Command1_Click();
    m().events.event_flag = 2;
    s.app.Command2_Click();
    EXPECT_TRUE(platform().feed_closed());
    EXPECT_TRUE(m().main_view.Command1.enabled);
    EXPECT_FALSE(m().main_view.Command2.enabled);
    EXPECT_EQ(m().events.event_flag, 2);
    m().settings.localhost_port = 52102;
    s.app.Command1_Click();
    EXPECT_EQ(platform().bound_port, 52102);
}

TEST_F(FeedConnection, TheWatchdogMarksASilentFeedRedOnlyWhileReceiving) {
    s.app.Timer2_Timer();  // stopped: the empty box is not a silent feed
    EXPECT_EQ(m().main_view.Text4.back, kWhite);
    s.app.Command1_Click();
    s.app.Timer2_Timer();  // nothing arrived: "" equals the empty old text
    EXPECT_EQ(m().main_view.Text4.back, kRed);
    m().main_view.Text4 = {"noise", kWhite};  // a message arrives
    s.app.Timer2_Timer();
    EXPECT_EQ(m().main_view.Text4.back, kWhite);
    s.app.Timer2_Timer();  // and nothing after it
    EXPECT_EQ(m().main_view.Text4.back, kRed);
}

TEST_F(FeedConnection, TheWatchdogPrunesTheListUnlessAnEventOrReplayRuns) {
    s.app.Command1_Click();
    m().feed.old_text = "old";
    auto& r = m().recent;
    r.total_event_number = 2;
    r.recent_event_time[1] = platform().clock.plus_seconds(-2 * 86400).text();
    r.recent_event_time[2] = platform().clock.plus_seconds(-3600).text();
    for (int flag : {1, 2, 3, 4, 11, 12}) {
        m().events.event_flag = flag;
        s.app.Timer2_Timer();
        EXPECT_EQ(m().main_view.Text4.back, kWhite);
        EXPECT_EQ(r.total_event_number, 2);
    }
    m().events.event_flag = 0;
    s.app.Timer2_Timer();
    EXPECT_EQ(r.total_event_number, 1);
    EXPECT_EQ(m().main_view.Text2.text, "1");
}

TEST_F(FeedConnection, MapOnShowsTheMainMapAndReportsAMissingImage) {
    s.app.Command5_Click();
    EXPECT_TRUE(m().main_view.map_shown);
    EXPECT_FALSE(m().main_view.Command5.enabled);
    EXPECT_TRUE(m().main_view.Command6.enabled);
    EXPECT_EQ(m().main_view.map_caption, "last 24 hours");
    EXPECT_EQ(m().main_view.map_window_start, "2024/03/31 09:00");
    EXPECT_TRUE(platform().messages.empty());
    s.app.Command6_Click();
    EXPECT_FALSE(m().main_view.map_shown);
    EXPECT_TRUE(m().main_view.Command5.enabled);
    EXPECT_EQ(platform().canvases[PictureId::main_map].background, "");

    platform().canvases[PictureId::main_map].background_loads = false;
    s.app.Command5_Click();
    ASSERT_EQ(platform().messages.size(), 1u);
    EXPECT_NE(platform().messages[0].find("japan_map.bmp"), std::string::npos);
}

}  // namespace
}  // namespace eew
