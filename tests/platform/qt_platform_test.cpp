// The Qt platform: its feed socket and the web pages it opens; and the whole
// receiving side under a flood of datagrams.
#include "desktop/qt_platform.hpp"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "fakes/client_process.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/started_desktop.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "feedlib/udp_sender.hpp"
#include "notify/web_pages.hpp"
#include "observed/packet_text.hpp"
#include "text/message_display.hpp"

namespace eew {
namespace {

// The feed socket, fed by the simulator's sender on a free port.
struct UdpFeed : ::testing::Test {
    UdpFeed() {
        platform.environment().on_datagrams(
            [this](std::string_view d, const eew::SenderAddress&) { got.emplace_back(d); }, [] {});
    }

    void send(const std::string& datagram) { feedlib::UdpSender(port).send(datagram); }

    test::QtTestPlatform platform;
    int port = test::free_udp_port();
    std::vector<std::string> got;
};

// A port in use or out of range is refused, naming it. A datagram sent while
// stopped is lost: the one after the restart is the fourth.
TEST_F(UdpFeed, APortInUseIsRefusedAndDatagramsArriveWholeInOrderUntilStop) {
    {
        QUdpSocket holder;
        ASSERT_TRUE(holder.bind(QHostAddress::LocalHost, static_cast<quint16>(port)));
        EXPECT_NE(platform.bind_feed(port, false).value_or("").find(std::to_string(port)),
                  std::string::npos);
    }
    EXPECT_NE(platform.bind_feed(70000, false).value_or("").find("70000"), std::string::npos);
    EXPECT_TRUE(platform.feed_closed());
    const std::string bytes("  <?xml\0\x82\xFF\r\n", 12);
    ASSERT_EQ(platform.bind_feed(port, false), std::nullopt);
    for (const std::string& datagram : {std::string("A1"), std::string("B2"), bytes})
        send(datagram);
    ASSERT_TRUE(QTest::qWaitFor([&] { return got.size() == 3; }));
    platform.close_feed();
    EXPECT_TRUE(platform.feed_closed());
    send("late");
    ASSERT_EQ(platform.bind_feed(port, true), std::nullopt);
    send("LAN");
    ASSERT_TRUE(QTest::qWaitFor([&] { return got.size() == 4; }));
    EXPECT_EQ(got, (std::vector<std::string>{"A1", "B2", bytes, "LAN"}));
}

// The chime's pause keeps reading the socket: 2 MB sent during it, far more
// than the socket's buffer holds, all arrive, in order, after the report.
TEST(DesktopFeed, DatagramsSentWhileTheChimePausesAreReadAndHandledAfterIt) {
    test::StartedDesktop d;
    d.app().Command1_Click();  // "start"
    std::vector<std::string> handled;
    d.program.after_datagram([&] { handled.push_back(d.m().main_view.Text4.text); });
    feedlib::UdpSender udp(static_cast<quint16>(d.port));
    udp.send(feedlib::relay_datagram(feedlib::report_text({})));
    const auto noise = [](int n) { return "noise " + std::to_string(n) + std::string(10000, 'x'); };
    // Sent from this thread's event loop, which the chime's pause runs.
    QTimer burst;
    int sent = 0;
    QObject::connect(&burst, &QTimer::timeout, [&] {
        for (int i = 0; i < 10 && sent < 200; ++i, ++sent)
            udp.send(feedlib::relay_datagram(noise(10 + sent % 90)));
    });
    burst.start(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() == 201; }, 10000)) << handled.size();
    EXPECT_EQ(std::tuple(d.m().followed.code, handled[1] == message_box_text(noise(10)),
                         handled[200] == message_box_text(noise(29))),
              std::tuple("20240401090000", true, true));
    EXPECT_EQ(d.app().dropped_datagrams(), 0u);
}

// The clock is the local wall clock, field for field (a second may pass).
TEST(Clock, ReadsTheLocalTimeOfDay) {
    test::QtTestPlatform platform;
    const QDateTime q = QDateTime::currentDateTime();
    const auto expected =
        DateTime::from_fields(q.date().year(), q.date().month(), q.date().day(), q.time().hour(),
                              q.time().minute(), q.time().second());
    ASSERT_TRUE(expected);
    EXPECT_LE(std::llabs(seconds_between(*expected, platform.now())), 1);
}

// The desktop's opener is started with the address: a fake xdg-open first on
// the PATH records what it was given. These tests run on the offscreen
// platform, which has no desktop services: the opener is started directly.
TEST(OpenWebPage, StartsTheDesktopOpenerWithTheAddress) {
    const std::string address = WebPages{}.strong_shaking;
    test::TempFolder bin;
    bin.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + bin.path() + "/given'\n");
    std::filesystem::permissions(bin.path() + "/xdg-open", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path()) + ":" + path);
    test::QtTestPlatform platform;
    EXPECT_TRUE(platform.open_web_page(address));
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bin.read("given") == address; }));
}

// The whole receiving side, in LAN mode, under as many datagrams as a sender
// thread can push: reports of many quakes, noise, cut and random bytes,
// waveform and observation packets. The program must keep its tick, stay
// within its bounds and show the right quake once the flood is over.

long resident_kb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return 0;
}

// Datagram `i` of the flood, in LAN framing (the text and one byte).
std::string flood_datagram(int i, std::mt19937& random) {
    feedlib::ReportValues r;
    r.code = "2024040109" + std::to_string(1000 + i % 40);
    r.sequence = 1 + i / 1000;
    r.latitude = 33 + (i % 40) * 0.1;
    const std::string report = feedlib::report_text(r);
    std::string junk(i % 10 == 6 ? random() % 1500 : 0, ' ');
    for (char& c : junk)
        c = static_cast<char>(random());
    const int kind = i % 10;
    // clang-format off
    return (kind < 4 ? report
          : kind == 4 ? "noise " + std::to_string(i) + " of the flood"
          : kind == 5 ? report.substr(0, random() % report.size())
          : kind == 6 ? junk
          : kind == 7 ? test::wave_header(i, 1, 1, 0.5, 1) +
                            test::wave_record("ST" + std::to_string(i % 90), "U", 12.5, 300, 1.5, "0A0B")
          : kind == 8 ? test::obs_header(1) + test::obs_record("35.1", "139.2", 2.5)
          : report.substr(0, 400) + std::string(60000, 'x') + report.substr(400)) + "\n";
    // clang-format on
}

TEST(Flood, AHundredThousandMixedDatagramsLeaveTheTickRunningBoundedAndTheLastQuakeShown) {
    test::StartedDesktop d;  // in LAN mode, started, with the main map shown
    d.m().settings.lan_flag = 1;
    d.app().Command1_Click();
    d.app().Command5_Click();
    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    QTimer timer1;
    QObject::connect(&timer1, &QTimer::timeout, [&] {
        ++ticks;
        d.tick();
    });
    timer1.start(1000);

    [[maybe_unused]] const long rss_before = resident_kb();
    std::atomic<bool> sent = false;
    std::thread sender([&] {
        std::mt19937 random(7);
        feedlib::UdpSender udp(d.port);
        for (int i = 0; i < 100000; ++i)
            udp.send(flood_datagram(i, random));
        sent = true;
    });
    while (!sent)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    sender.join();
    const int ticks_in_flood = ticks;
    // Whatever is still queued is read, and the tick goes on after it.
    while (ticks < ticks_in_flood + 2 && clock.elapsed() < 40000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(ticks, ticks_in_flood + 2);

    const MainState& m = d.m();
    EXPECT_LE(m.events.n_event, EventTable::kSlots);
    EXPECT_LE(m.recent.total_event_number, RecentEvents::kCapacity);
#ifndef __SANITIZE_ADDRESS__  // which keeps freed memory aside on purpose
    EXPECT_LT(resident_kb() - rss_before, 50 * 1024);
#endif

    // The next report of the followed quake (or of a new one, if the flood's
    // have ended), now right under the site, is shown with its own values,
    // nothing left of the damaged ones.
    feedlib::ReportValues last;
    last.code = m.followed.code.empty() ? "20991231235959" : m.followed.code;
    last.sequence = 999;
    last.latitude = 35.7;
    last.longitude = 139.7;
    last.magnitude = last.mip = 7.5;
    feedlib::UdpSender(d.port).send(feedlib::report_text(last) + "\n");
    while (m.popup_view.Text20 != "999" && clock.elapsed() < 45000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(std::tuple(m.followed.code, m.followed.latitude, m.followed.magnitude),
              std::tuple(last.code, 35.7, 7.5));
    EXPECT_EQ(m.popup_view.Text20, "999");
}

}  // namespace
}  // namespace eew
