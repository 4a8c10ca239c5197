#include "platform/qt_platform.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <QUdpSocket>
#include <QWidget>
#include <filesystem>

#include "app/paths.hpp"
#include "fakes/client_process.hpp"
#include "fakes/qt_test_platform.hpp"
#include "notify/web_pages.hpp"
#include "udp_sender.hpp"

namespace {

// Runs the event loop until `done` holds or `milliseconds` have passed.
template <typename Done>
bool run_until(Done done, int milliseconds = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// The feed socket, fed by the simulator's sender on a free port.
struct UdpFeed : ::testing::Test {
    UdpFeed() {
        platform.on_datagram([this](std::string_view d) { got.emplace_back(d); });
    }

    void send(const std::string& datagram) { eew::sim::UdpSender(port).send(datagram); }

    eew::test::QtTestPlatform platform;
    int port = eew::test::free_udp_port();
    std::vector<std::string> got;
};

// A datagram sent while stopped is lost: the one after the restart is the fourth.
TEST_F(UdpFeed, DatagramsArriveWholeInOrderUntilStopThenOnAllAddresses) {
    const std::string bytes("  <?xml\0\x82\xFF\r\n", 12);
    ASSERT_EQ(platform.bind_feed(port, false), std::nullopt);
    for (const std::string& datagram : {std::string("A1"), std::string("B2"), bytes})
        send(datagram);
    ASSERT_TRUE(run_until([&] { return got.size() == 3; }));
    platform.close_feed();
    EXPECT_TRUE(platform.feed_closed());
    send("late");
    ASSERT_EQ(platform.bind_feed(port, true), std::nullopt);
    send("LAN");
    ASSERT_TRUE(run_until([&] { return got.size() == 4; }));
    EXPECT_EQ(got, (std::vector<std::string>{"A1", "B2", bytes, "LAN"}));
}

// The chime's pause keeps reading the socket: 2 MB sent during it, far more
// than the socket's buffer holds, all arrive, after the paused handler.
TEST_F(UdpFeed, DatagramsSentWhileAHandlerPausesAreReadAndHandledAfterIt) {
    ASSERT_EQ(platform.bind_feed(port, false), std::nullopt);
    int paused_at = -1;
    platform.on_datagram([&](std::string_view d) {
        got.emplace_back(d.substr(0, 2));
        if (got.size() > 1) return;
        QTimer burst;
        int sent = 0;
        QObject::connect(&burst, &QTimer::timeout, [&] {
            for (int i = 0; i < 10 && sent < 200; ++i, ++sent)
                send(std::to_string(10 + sent % 90) + std::string(10000, 'x'));
        });
        burst.start(5);
        platform.pause_with_events(500);
        paused_at = static_cast<int>(got.size());
    });
    send("go");
    ASSERT_TRUE(run_until([&] { return got.size() == 201; }, 5000)) << got.size();
    EXPECT_EQ(paused_at, 1);
    EXPECT_EQ(std::tuple(got[1], got[200]), std::tuple("10", "29"));  // in order
}

TEST_F(UdpFeed, APortInUseOrOutOfRangeIsRefusedNamingIt) {
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::LocalHost, static_cast<quint16>(port)));
    EXPECT_NE(platform.bind_feed(port, false).value_or("").find(std::to_string(port)),
              std::string::npos);
    EXPECT_NE(platform.bind_feed(70000, false).value_or("").find("70000"), std::string::npos);
    EXPECT_TRUE(platform.feed_closed());
}

// The clock is the local wall clock, field for field (a second may pass).
TEST(Clock, ReadsTheLocalTimeOfDay) {
    eew::test::QtTestPlatform platform;
    const QDateTime q = QDateTime::currentDateTime();
    const auto expected =
        eew::DateTime::from_fields(q.date().year(), q.date().month(), q.date().day(),
                                   q.time().hour(), q.time().minute(), q.time().second());
    ASSERT_TRUE(expected);
    EXPECT_LE(std::llabs(eew::seconds_between(*expected, platform.now())), 1);
}

// Runs on machines with and without an audio device: each request returns at
// once, whatever the file, and nothing ever asks the user about a sound.
TEST(PlaySound, RequestsInARowAMissingFileAndStopLeaveNoDialog) {
    const eew::Paths paths = eew::build_paths(EEW_SHIPPED_PROGRAM_FOLDER);
    eew::test::QtTestPlatform platform;
    for (const std::string& file : {paths.file_sound_si[5], paths.file_sound_si[5],
                                    std::string("/nonexistent/SI7_.wav"), std::string()}) {
        platform.play_sound(file);
        run_until([] { return false; }, 100);
    }
    for (const QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible());
}

// The desktop's opener is started with the address: a fake xdg-open first on
// the PATH records what it was given. These tests run on the offscreen
// platform, which has no desktop services: the opener is started directly.
TEST(OpenWebPage, StartsTheDesktopOpenerWithTheAddress) {
    const std::string address = eew::WebPages{}.strong_shaking;
    eew::test::TempFolder bin;
    bin.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + bin.path() + "/given'\n");
    std::filesystem::permissions(bin.path() + "/xdg-open", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path()) + ":" + path);
    eew::test::QtTestPlatform platform;
    EXPECT_TRUE(platform.open_web_page(address));
    qputenv("PATH", path);
    EXPECT_TRUE(run_until([&] { return bin.read("given") == address; }, 5000));
}

}  // namespace
