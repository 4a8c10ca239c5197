// A live warning as a user receives one: a local WebSocket service pushes the
// shipped 2011-04-15 23:34 telegrams, the real bridge turns them into
// reports, and the program, receiving on its own socket, shows the agency's
// forecast for the site's area beside its own estimate.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>
#include <fstream>
#include <iterator>

#include "fakes/started_desktop.hpp"

namespace eew {
namespace {

std::vector<QString> shipped_telegrams() {
    std::ifstream in(EEW_SOURCE_DIR
                     "/tools/bridge/samples/20110415_2334_iwate_fukushima_r4_r5.txt");
    const QString text = QString::fromStdString(
        {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    return {text.section("\n\n", 0, 0), text.section("\n\n", 1)};
}

TEST(LiveWarning, AWebSocketServiceThroughTheBridgeShowsTheAgencysForecastForTheSitesArea) {
    test::StartedDesktop d{{std::pair<std::string, std::string>(
        "data/forecast_area_table.csv", "250,福島県中通り\r\n251,福島県浜通り\r\n")}};
    // The site moved to Iwaki, in the agency's area 251 (浜通り).
    d.start_at_site("いわき", "140.89", "37.05", "251");
    QWebSocketServer service("test", QWebSocketServer::NonSecureMode);
    ASSERT_TRUE(service.listen(QHostAddress::LocalHost));
    QObject::connect(&service, &QWebSocketServer::newConnection, &service, [&] {
        QWebSocket* client = service.nextPendingConnection();
        client->setParent(&service);  // the server does not own its connections
        for (const QString& telegram : shipped_telegrams())
            client->sendTextMessage(telegram);
    });
    QProcess bridge;
    bridge.start(EEW_BRIDGE, {"--port", QString::number(d.port), "--ws",
                              QStringLiteral("ws://127.0.0.1:%1/").arg(service.serverPort())});
    const auto forecast = [&] { return d.shown("popupmap", "agency_forecast"); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.m().followed.sequence == "5"; }, 20000));
    d.program.render_all();
    bridge.kill();
    bridge.waitForFinished();
    EXPECT_EQ(
        std::tuple(d.shown("popupmap", "agency_area"), forecast(),
                   d.shown("message", "agency_line")),
        std::tuple("福島県浜通り", "intensity 6弱〜6強, already arrived, WARNING for this area",
                   "気象庁の予報（福島県浜通り）：震度6弱〜6強、既に主要動が到達、この地域に警報"));
    // The program's own figures stay beside it, labelled as its estimate.
    EXPECT_NE(d.shown("popupmap", "Text27"), "");
    const auto alarms =
        std::count_if(d.platform.sounds.begin(), d.platform.sounds.end(),
                      [](const std::string& s) { return s.ends_with("area_warning.wav"); });
    EXPECT_EQ(alarms, 1);
}

}  // namespace
}  // namespace eew
