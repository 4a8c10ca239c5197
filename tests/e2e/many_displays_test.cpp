// Many displays as a site runs them: one bridge publishes the shipped
// 2011-04-15 23:34 telegrams to a real broker (TLS, passwords, an access
// list), and two programs subscribed to it, each with its real windows,
// both pop up; the broker stopped and started again between the two
// telegrams loses neither display the second. A display refused by the
// broker tells why in its main window.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <fstream>
#include <iterator>

#include "fakes/mosquitto_broker.hpp"
#include "fakes/started_desktop.hpp"

namespace eew {
namespace {

std::vector<std::string> shipped_telegrams() {
    std::ifstream in(EEW_SOURCE_DIR
                     "/tools/bridge/samples/20110415_2334_iwate_fukushima_r4_r5.txt");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t gap = text.find("\n\n");
    return {text.substr(0, gap) + "\n\n", text.substr(gap + 2)};
}

// A display's files: the broker by TLS as the "display" user.
std::pair<std::string, std::string> broker_conf(const test::MosquittoBroker& broker) {
    return {"data/broker.conf", "url=" + broker.tls_address().text() + "\ntopic=eew/feed\nca=" +
                                    broker.ca_file() + "\nauth=display.login\n"};
}

TEST(ManyDisplays, TwoDisplaysOnOneBrokerBothPopUpAndARestartLosesNothing) {
    test::TempFolder folder;
    test::MosquittoBroker broker(folder);
    ASSERT_TRUE(broker.start()) << broker.log();
    const std::pair<std::string, std::string> login("data/display.login", "display\npw-display\n");
    test::StartedDesktop one{broker_conf(broker), login}, two{broker_conf(broker), login};
    for (test::StartedDesktop* d : {&one, &two})
        d->start_at_site("いわき", "140.89", "37.05");
    const auto both = [&](auto holds) {
        return QTest::qWaitFor([&] { return holds(one) && holds(two); }, 20000);
    };
    ASSERT_TRUE(both([](test::StartedDesktop& d) { return d.m().broker.connected; }));

    folder.write("bridge.login", "bridge\npw-bridge\n");
    QProcess bridge;
    bridge.start(EEW_BRIDGE,
                 {"--mqtt", QString::fromStdString(broker.tls_address().text()), "--topic",
                  "eew/feed", "--ca", QString::fromStdString(broker.ca_file()), "--auth-file",
                  QString::fromStdString(folder.path() + "/bridge.login"), "-"});
    ASSERT_TRUE(bridge.waitForStarted(5000));
    const std::vector<std::string> telegrams = shipped_telegrams();
    bridge.write(telegrams[0].c_str());
    // Off Iwate, too far for the filter: taken, not shown.
    EXPECT_TRUE(both([](test::StartedDesktop& d) { return d.m().report.sequence00 == "4"; }));

    broker.stop();
    bridge.write(telegrams[1].c_str());  // kept by the bridge while the broker is down
    QTest::qWait(1500);
    ASSERT_TRUE(broker.start()) << broker.log();
    // Fukushima Hamadori, M6.6: both pop up.
    EXPECT_TRUE(both([](test::StartedDesktop& d) {
        return d.m().followed.sequence == "5" &&
               d.platform.window_state(WindowId::popupmap) == WindowState::normal;
    })) << broker.log();
    for (test::StartedDesktop* d : {&one, &two})
        EXPECT_TRUE(d->m().broker.connected);
    bridge.closeWriteChannel();
    EXPECT_TRUE(bridge.waitForFinished(10000));
}

// A display told a wrong password, or to trust another authority, says so in
// its main window, keeps trying, and shows the feed stale at the watchdog.
TEST(ManyDisplays, AWrongPasswordOrAnUnknownAuthorityIsToldInTheMainWindow) {
    test::TempFolder folder;
    test::MosquittoBroker broker(folder);
    ASSERT_TRUE(broker.start()) << broker.log();
    const std::string other_ca = test::make_test_ca(folder.path(), "other");
    for (const auto& [ca, password, reason] :
         {std::tuple(broker.ca_file(), "wrong", "not authorized: user name 'display'"),
          std::tuple(other_ca, "pw-display", "certificate verify failed")}) {
        test::StartedDesktop d{
            std::pair<std::string, std::string>(
                "data/broker.conf", "url=" + broker.tls_address().text() +
                                        "\ntopic=eew/feed\nca=" + ca + "\nauth=display.login\n"),
            {"data/display.login", std::string("display\n") + password + "\n"}};
        d.app().Command1_Click();
        const auto notice = [&] {
            d.program.render_all();
            return d.program.window()
                .findChild<QPlainTextEdit*>("notice")
                ->toPlainText()
                .toStdString();
        };
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return notice().find(std::string("is not connected: ") + reason) !=
                       std::string::npos;
            },
            10000))
            << notice();
        d.app().Timer2_Timer();
        d.program.render_all();
        EXPECT_EQ(d.m().main_view.Text4.back, kRed);
    }
}

}  // namespace
}  // namespace eew
