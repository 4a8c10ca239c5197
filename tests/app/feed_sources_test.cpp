// The feeds beside the socket and the filter in front of it: a message
// broker, and the LAN senders a display takes datagrams from.

#include <gtest/gtest.h>

#include "app/feed_connection.hpp"
#include "fakes/started_app.hpp"

namespace eew::test {
namespace {

SenderAddress address(const char* text) {
    return *parse_sender_address(text);
}

TEST(LanSenders, OthersAreDroppedBeforeTheQueueAndToldOfAtMostOnceAMinute) {
    StartedApp s({{"data/lan_senders", "127.0.0.1\n"}});
    const auto send = [&](const char* from, const std::string& text) {
        s.app.take_datagram(feedlib::relay_datagram(text), address(from));
        s.app.run_waiting();
    };
    send("127.0.0.1", "noise message one");
    EXPECT_EQ(s.m().main_view.Text4.text, "noise message one");
    send("127.0.0.2", "noise message two");
    send("127.0.0.2", "noise message three");
    EXPECT_EQ(s.m().main_view.Text4.text, "noise message one");
    EXPECT_EQ(s.m().feed.refused_datagrams, 2u);

    s.platform.advance(1);
    s.app.Timer1_Timer();
    const std::string told = s.m().main_view.notice;
    EXPECT_NE(told.find("2 datagrams from senders not listed in \"lan_senders\" dropped so far "
                        "(the last from 127.0.0.2)"),
              std::string::npos)
        << told;
    send("127.0.0.2", "noise message four");
    s.platform.advance(30);
    s.app.Timer1_Timer();
    EXPECT_EQ(s.m().main_view.notice, told);
    s.platform.advance(30);
    s.app.Timer1_Timer();
    EXPECT_NE(s.m().main_view.notice.find("3 datagrams"), std::string::npos);
}

struct BrokerFeedTest : ::testing::Test {
    BrokerFeedTest() { s.app.Command1_Click(); }
    void from_broker(const std::string& text) {
        s.app.take_broker_message(text);
        s.app.run_waiting();
    }
    StartedApp s{{{"data/broker.conf", "url=mqtt://127.0.0.1:1883\ntopic=eew/feed\n"}}};
    MainState& m = s.m();
};

TEST_F(BrokerFeedTest, StartAndStopConnectItAndItsTextsEnterTheDispatchOnce) {
    ASSERT_EQ(s.platform.broker_url, "mqtt://127.0.0.1:1883");
    EXPECT_EQ(s.platform.broker_client, m.broker.client_id);
    EXPECT_TRUE(s.folder.exists("data/broker_client_id"));
    s.app.broker_status(true, "");

    feedlib::ReportValues r;
    const std::string report = feedlib::report_text(r);
    from_broker(report);
    EXPECT_EQ(m.events.event_flag, EventFlag::followed);
    EXPECT_EQ(m.feed.received_data00, report);
    // A repeat of the report is dropped, a repeat of noise is not; packets
    // of the local network come through a broker only in LAN mode, as they
    // do through the socket.
    from_broker("noise message");
    from_broker(report);
    EXPECT_EQ(m.feed.last_message, "noise message");
    from_broker("noise message");
    from_broker("wave 0001 packet");
    EXPECT_EQ(m.feed.last_message, "noise message");

    s.app.Command2_Click();
    EXPECT_FALSE(s.platform.broker_url);
    from_broker("noise message, after stop");
    EXPECT_EQ(m.feed.last_message, "noise message");
}

TEST_F(BrokerFeedTest, AFailureIsToldOnceByReasonAndTheWatchdogShowsTheFeedStale) {
    s.app.broker_status(false, "bad user name or password");
    const std::string told = m.main_view.notice;
    EXPECT_NE(told.find("The broker mqtt://127.0.0.1:1883 is not connected: bad user name or "
                        "password"),
              std::string::npos)
        << told;
    s.platform.advance(5);
    s.app.broker_status(false, "bad user name or password");
    EXPECT_EQ(m.main_view.notice, told);

    from_broker("noise message");  // the socket's feed may still be live
    s.platform.advance(60);
    s.app.Timer2_Timer();
    EXPECT_EQ(m.main_view.Text4.back, kRed);

    s.app.broker_status(true, "");
    EXPECT_NE(m.main_view.notice.find("is connected again"), std::string::npos);
    from_broker("noise message again");
    s.platform.advance(60);
    s.app.Timer2_Timer();
    EXPECT_EQ(m.main_view.Text4.back, kWhite);
}

}  // namespace
}  // namespace eew::test
