#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QUdpSocket>

#include "app/app.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/report_text.hpp"
#include "fakes/temp_folder.hpp"
#include "feed_framing.hpp"
#include "platform/qt_platform.hpp"

namespace {

using eew::sim::Framing;
using eew::sim::make_datagram;

// The Qt platform with its program folder redirected to a temporary one and
// its message boxes recorded instead of shown.
class TestPlatform : public QtPlatform {
  public:
    explicit TestPlatform(std::string folder) : folder_(std::move(folder)) {}
    std::string program_folder() override { return folder_; }
    void message_box(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;

  private:
    std::string folder_;
};

quint16 free_udp_port() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

struct UdpFeed : ::testing::Test {
    UdpFeed() : platform(folder.path()), app(platform) {
        eew::test::write_program_files(folder);
        platform.on_datagram([this](std::string_view d) { app.Winsock1_DataArrival(d); });
        EXPECT_FALSE(app.Form_Load());
        app.state().settings.localhost_port = free_udp_port();
    }

    void send(const std::string& datagram) {
        sender.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()),
                             QHostAddress::LocalHost, app.state().settings.localhost_port);
    }

    // Runs the event loop until `done` holds or two seconds have passed.
    template <typename Done>
    bool wait_for(Done done, int milliseconds = 2000) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    eew::test::TempFolder folder;
    TestPlatform platform;
    eew::App app;
    QUdpSocket sender;
};

std::string report_with_code(const std::string& code) {
    eew::test::ReportValues r;
    r.code = code;
    return eew::test::report_xml(r);
}

TEST_F(UdpFeed, DatagramsAreDispatchedInArrivalOrder) {
    app.Command1_Click();
    ASSERT_TRUE(platform.messages.empty());
    ASSERT_FALSE(platform.feed_closed());
    for (const char* code : {"A1", "B2", "C3"})
        send(make_datagram(report_with_code(code), Framing::relay));
    send(make_datagram("noise: end", Framing::relay));
    ASSERT_TRUE(wait_for([&] { return app.state().main_view.Text4.text == "noise: end"; }));
    const auto& t = app.state().events;
    EXPECT_EQ(t.n_event, 3);
    EXPECT_EQ(t.event_code[1], "A1");
    EXPECT_EQ(t.event_code[2], "B2");
    EXPECT_EQ(t.event_code[3], "C3");
}

TEST_F(UdpFeed, LanModeTakesTheTextWithoutPrefix) {
    app.state().settings.lan_flag = 1;
    app.Command1_Click();
    send(make_datagram(report_with_code("LAN1"), Framing::lan));
    ASSERT_TRUE(wait_for([&] { return app.state().events.n_event == 1; }));
    EXPECT_EQ(app.state().events.event_code[1], "LAN1");
}

TEST_F(UdpFeed, StopClosesTheSocket) {
    app.Command1_Click();
    app.Command2_Click();
    EXPECT_TRUE(platform.feed_closed());
    send(make_datagram(report_with_code("late"), Framing::relay));
    EXPECT_FALSE(wait_for([&] { return app.state().events.n_event > 0; }, 300));
}

TEST_F(UdpFeed, APortInUseOrOutOfRangeIsReportedAndStartStaysEnabled) {
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::LocalHost, app.state().settings.localhost_port));
    app.Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find(std::to_string(app.state().settings.localhost_port)),
              std::string::npos);
    EXPECT_TRUE(platform.feed_closed());
    EXPECT_TRUE(app.state().main_view.Command1.enabled);
    EXPECT_FALSE(app.state().main_view.Command2.enabled);

    app.state().settings.localhost_port = 70000;
    app.Command1_Click();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_NE(platform.messages[1].find("70000"), std::string::npos);
}

}  // namespace
