#include "app/feed_connection.hpp"

#include "app_test.hpp"

namespace eew {
namespace {

// Binding failures are the platform's tests, on a real socket.
struct FeedConnection : test::AppTest {
    MainView& v = m.main_view;
};

TEST_F(FeedConnection, StartListensOnLoopbackOrInLanModeEverywhereAndStopLeavesTheEvent) {
    for (int lan_flag : {0, 1}) {
        m.settings.lan_flag = lan_flag;
        s.app.Command1_Click();
        EXPECT_EQ(std::tuple(s.platform.bound_port, s.platform.bound_to_all_addresses,
                             v.Command1.enabled, v.Command2.enabled),
                  std::tuple(9000, lan_flag == 1, false, true));
    }
    m.events.event_flag = 2;
    s.app.Command2_Click();
    EXPECT_EQ(std::tuple(s.platform.feed_closed(), v.Command1.enabled, v.Command2.enabled,
                         m.events.event_flag),
              std::tuple(true, true, false, 2));
}

TEST_F(FeedConnection, TheWatchdogMarksASilentFeedRedOnlyWhileReceiving) {
    s.app.Timer2_Timer();  // stopped: the empty box is not a silent feed
    EXPECT_EQ(v.Text4.back, kWhite);
    s.app.Command1_Click();
    s.app.Timer2_Timer();  // nothing arrived: "" equals the empty old text
    EXPECT_EQ(v.Text4.back, kRed);
    v.Text4 = {"noise", kWhite};  // a message arrives
    s.app.Timer2_Timer();
    EXPECT_EQ(v.Text4.back, kWhite);
    s.app.Timer2_Timer();  // and nothing after it
    EXPECT_EQ(v.Text4.back, kRed);
}

TEST_F(FeedConnection, TheWatchdogPrunesTheListUnlessAnEventOrReplayRuns) {
    auto& r = m.recent;
    r.total_event_number = 2;
    r.recent_event_time[1] = s.platform.clock.plus_seconds(-2 * 86400).text();
    r.recent_event_time[2] = s.platform.clock.plus_seconds(-3600).text();
    for (int flag : {1, 4, 11, 0}) {
        m.events.event_flag = flag;
        s.app.Timer2_Timer();
        EXPECT_EQ(r.total_event_number, flag == 0 ? 1 : 2) << flag;
    }
    EXPECT_EQ(v.Text2.text, "1");
}

// The column of controls is 2760 twips wide, the map window beside it 6456.
TEST_F(FeedConnection, MapOnShowsTheMainMapAndReportsAMissingImage) {
    s.platform.twips_per_px = 10;
    s.app.Command5_Click();
    EXPECT_EQ(std::tuple(v.map_shown, v.Command5.enabled, v.Command6.enabled, v.map_caption,
                         v.map_window_start, v.window_width, v.window_height),
              std::tuple(true, false, true, "last 24 hours", "2024/03/31 09:00", 922, 804));
    EXPECT_EQ(s.platform.canvases[PictureId::main_map].calls.back(),
              "filled square 266.875 283.388 272.875 289.388 c12 w1");
    EXPECT_TRUE(s.platform.messages.empty());
    s.app.Command6_Click();  // "mapOFF"
    s.platform.canvases[PictureId::main_map].background_loads = false;
    s.app.Command5_Click();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_NE(s.platform.messages[0].find("japan_map.bmp"), std::string::npos);
}

}  // namespace
}  // namespace eew
