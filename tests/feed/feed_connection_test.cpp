#include "feed/feed_connection.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "fakes/configured_state.hpp"
#include "fakes/fake_platform.hpp"

namespace eew {
namespace {

struct FeedConnection : ::testing::Test {
    FeedConnection() { test::configure_for_tests(m); }
    MainState m;
    test::FakePlatform platform;
};

TEST_F(FeedConnection, RelayModeListensOnLoopbackOnlyAndLanModeEverywhere) {
    start_reception(m, platform);
    EXPECT_EQ(platform.bound_port, 52101);
    EXPECT_FALSE(platform.bound_to_all_addresses);
    EXPECT_FALSE(m.main_view.Command1.enabled);
    EXPECT_TRUE(m.main_view.Command2.enabled);

    m.settings.lan_flag = 1;
    start_reception(m, platform);
    EXPECT_TRUE(platform.bound_to_all_addresses);
}

TEST_F(FeedConnection, ABindFailureIsShownAndStartStaysEnabled) {
    platform.bind_failure = "port 52101 could not be opened (address in use)";
    start_reception(m, platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("port 52101 could not be opened (address in use)"),
              std::string::npos);
    EXPECT_TRUE(platform.feed_closed());
    EXPECT_TRUE(m.main_view.Command1.enabled);
    EXPECT_FALSE(m.main_view.Command2.enabled);
}

TEST_F(FeedConnection, StartAgainAfterStopBindsTheCurrentPort) {
    start_reception(m, platform);
    stop_reception(m, platform);
    EXPECT_TRUE(platform.feed_closed());
    EXPECT_TRUE(m.main_view.Command1.enabled);
    EXPECT_FALSE(m.main_view.Command2.enabled);
    m.settings.localhost_port = 52102;
    start_reception(m, platform);
    EXPECT_EQ(platform.bound_port, 52102);
}

TEST_F(FeedConnection, StopLeavesAnEventInProgressAlone) {
    start_reception(m, platform);
    m.events.event_flag = 2;
    m.events.n_event = 1;
    stop_reception(m, platform);
    EXPECT_EQ(m.events.event_flag, 2);
    EXPECT_EQ(m.events.n_event, 1);
}

TEST_F(FeedConnection, ASilentFeedTurnsTheBoxRedAtTheNextTick) {
    start_reception(m, platform);
    feed_watchdog(m, platform);  // nothing ever arrived: "" equals the empty old text
    EXPECT_EQ(m.main_view.Text4.back, kRed);

    m.main_view.Text4 = {"noise", kWhite};  // a message arrives
    feed_watchdog(m, platform);
    EXPECT_EQ(m.main_view.Text4.back, kWhite);
    m.main_view.Text4.back = kWhite;  // the same text arrives again
    feed_watchdog(m, platform);
    EXPECT_EQ(m.main_view.Text4.back, kRed);
}

TEST_F(FeedConnection, TheWatchdogIgnoresTheBoxWhileStopped) {
    feed_watchdog(m, platform);
    EXPECT_EQ(m.main_view.Text4.back, kWhite);
}

TEST_F(FeedConnection, TheWatchdogRestsWhileAnEventOrReplayRuns) {
    start_reception(m, platform);
    m.feed.old_text = "old";
    m.recent.total_event_number = 1;
    m.recent.recent_event_time[1] = "2000/01/01 00:00:00";
    for (int flag : {1, 2, 3, 4, 11, 12}) {
        m.events.event_flag = flag;
        feed_watchdog(m, platform);
        EXPECT_EQ(m.main_view.Text4.back, kWhite);
        EXPECT_EQ(m.feed.old_text, "old");
        EXPECT_EQ(m.recent.total_event_number, 1);
    }
}

TEST_F(FeedConnection, TheWatchdogPrunesTheListAndShowsItsCount) {
    m.recent.total_event_number = 2;
    m.recent.recent_event_time[1] = platform.clock.plus_seconds(-2 * 86400).text();
    m.recent.recent_event_time[2] = platform.clock.plus_seconds(-3600).text();
    feed_watchdog(m, platform);
    EXPECT_EQ(m.recent.total_event_number, 1);
    EXPECT_EQ(m.main_view.Text2.text, "1");
}

}  // namespace
}  // namespace eew
