// What a person at the desktop meets: the real windows on a test folder and
// clock, driven by clicks, datagrams and ticks.
#include <gtest/gtest.h>

#include <QTest>

#include "app/main_state.hpp"
#include "fakes/started_desktop.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "ui/picture_area.hpp"
#include "ui/tray_icon.hpp"

namespace eew {
namespace {

using feedlib::report_text;

// The default quake lies 27 km from the site and passes the filter (M 3.5).
TEST(DesktopScenarios, PopUpOffAndOnWhileIdleStillBringsUpTheNextQuake) {
    test::StartedDesktop d;
    QTest::mouseClick(d.find("main", "Check1"), Qt::LeftButton);
    QTest::mouseClick(d.find("main", "Check1"), Qt::LeftButton);
    d.receive(feedlib::report_text({}));
    const auto* map = dynamic_cast<PictureArea*>(d.find("popupmap", "Picture1"));
    ASSERT_TRUE(map);
    EXPECT_EQ(std::tuple(d.showing("popupmap"), d.shown("main", "Label19")),
              std::tuple(true, "地震発生"));
    EXPECT_NE(map->rendered().pixelColor(0, 0), QColor(Qt::white));  // the map image
}

// A later report below the minimum magnitude leaves no event followed.
TEST(DesktopScenarios, AnEventThatFallsBelowTheFilterEndsAfterTheIdleTime) {
    test::StartedDesktop d;
    d.receive(feedlib::report_text({}));
    d.receive(feedlib::report_text({.sequence = 2, .magnitude = 3.0}));
    d.tick(120);
    EXPECT_EQ(std::tuple(d.m().events.event_flag, d.showing("popupmap")),
              std::tuple(EventFlag::merged, true));
    d.tick();
    EXPECT_EQ(std::tuple(d.m().events.event_flag, d.showing("popupmap"), d.showing("message"),
                         d.folder.exists("log/20240401.0900_0_M30")),
              std::tuple(EventFlag::idle, false, false, true));
}

// An M 8.0 quake 150 km away is followed and announces long-period motion;
// an M 3.0 one beside the site, below the filter, is not followed. The
// judgement holds after its report and after the tick that reruns it.
TEST(DesktopScenarios, AnotherQuakesReportLeavesTheLongPeriodJudgementAlone) {
    test::StartedDesktop d;
    const auto announced = [&] {
        const bool said = d.shown("message", "Label4").find("長周期地震動") != std::string::npos;
        return std::pair(d.m().longEVstop, said);
    };
    d.receive(
        feedlib::report_text({.magnitude = 8.0, .mip = 8.0, .latitude = 36.5, .longitude = 141.0}));
    d.tick();
    EXPECT_EQ(announced(), std::pair(1, true));
    d.receive(
        feedlib::report_text({.code = "20240401090001", .magnitude = 3.0, .longitude = 139.75}));
    EXPECT_EQ(announced(), std::pair(1, true));
    d.tick();
    EXPECT_EQ(announced(), std::pair(1, true));
}

// "quit" with an event in progress; the event loop may still run a tick
// before the program ends.
TEST(DesktopScenarios, QuitLogsAndListsTheEventInProgressOnce) {
    test::StartedDesktop d;
    d.receive(feedlib::report_text({}));
    QTest::mouseClick(d.find("main", "Command3"), Qt::LeftButton);
    for (int ticks = 0; ticks < 2; ++ticks) {
        EXPECT_EQ(std::tuple(d.platform.exit_code, d.folder.exists("log/20240401.0900_0_M65"),
                             d.folder.exists("log/20240401.0900_0_M65_2"),
                             d.folder.read("data/24hours.dat").substr(0, 3)),
                  std::tuple(0, true, false, "1\r\n"))
            << ticks;
        d.tick(121);
    }
}

// The tray tells the state at a glance, and its menu runs what "PopUP" and
// "quit" run.
TEST(DesktopScenarios, TheTrayShowsTheStateAndItsMenuRunsPopUpAndQuit) {
    test::StartedDesktop d;
    TrayIcon& tray = d.program.tray();
    const auto state = [&] { return tray.icon().toolTip().toStdString(); };
    EXPECT_EQ(state(), "eewclient: idle");
    QTest::mouseClick(d.find("main", "Command1"), Qt::LeftButton);  // "start"
    EXPECT_EQ(state(), "eewclient: receiving");
    d.app().Timer2_Timer();  // nothing came since the start
    d.program.render_all();
    EXPECT_EQ(state(), "eewclient: feed stale");
    d.receive(report_text({}));
    EXPECT_EQ(std::tuple(state(), d.showing("popupmap")), std::tuple("eewclient: event", true));
    tray.popup_action().trigger();  // "PopUP" off, as the check box
    EXPECT_EQ(
        std::tuple(d.showing("popupmap"), d.find("main", "Check1")->property("checked").toBool()),
        std::tuple(false, false));
    tray.popup_action().trigger();
    EXPECT_EQ(std::tuple(d.showing("popupmap"), tray.popup_action().isChecked()),
              std::tuple(true, true));
    tray.quit_action().trigger();
    EXPECT_EQ(d.platform.exit_code, 0);
}

// With a list of LAN senders, the socket's datagrams from anyone else are
// dropped and counted, even from another loopback address.
TEST(DesktopScenarios, OnlyTheListedSendersDatagramsAreShown) {
    test::StartedDesktop d{
        {std::pair<std::string, std::string>("data/lan_senders", "127.0.0.1\n")}};
    d.app().Command1_Click();
    QUdpSocket other;
    ASSERT_TRUE(other.bind(QHostAddress("127.0.0.2"), 0));
    other.writeDatagram(QByteArray::fromStdString(feedlib::relay_datagram("noise from .2")),
                        QHostAddress::LocalHost, static_cast<quint16>(d.port));
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.m().feed.refused_datagrams == 1; }, 2000));
    ASSERT_TRUE(d.send("noise from .1"));
    d.tick();
    EXPECT_EQ(d.shown("main", "Text4"), "noise from .1");
    EXPECT_NE(d.m().main_view.notice.find("1 datagram from a sender not listed"),
              std::string::npos);
}

}  // namespace
}  // namespace eew
