// The bridge's network sources against a local server: the HTTP poller (a
// JSON member carrying one telegram) and the TCP stream with its reconnection.

#include "stream_sources.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>

namespace eew::bridge {
namespace {

const QByteArray kTelegram =
    "37 03 00 110415233450 C11\n110415233419\nND20110415233435 NCN004 JD////////////// JN///\n"
    "286 N391 E1427 010 51 03 RK66524 RT11/// RC23///\n9999=\n";

// Answers every connection with `answer(n)`, n counting the connections from 1,
// and closes it.
struct LocalServer {
    QTcpServer server;
    int connections = 0;

    explicit LocalServer(std::function<QByteArray(int)> answer) {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, answer] {
            QTcpSocket* s = server.nextPendingConnection();
            const QByteArray reply = answer(++connections);
            const auto send = [s, reply] {
                s->write(reply);
                s->disconnectFromHost();
            };
            if (reply.startsWith("HTTP"))  // wait for the request
                QObject::connect(s, &QTcpSocket::readyRead, s, send);
            else
                send();
        });
    }
    void run_until(int count) {
        const QDeadlineTimer deadline(10000);
        while (connections < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
};

struct App {
    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
};

TEST(HttpSource, TakesTheNamedMemberOnceWhileItStaysTheSame) {
    App app;
    const QByteArray body =
        QJsonDocument(QJsonObject{{"data", QJsonObject{{"telegram", QString(kTelegram)}}}})
            .toJson();
    LocalServer server([&](int) {
        return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    });
    std::vector<TelegramPiece> pieces;
    HttpTelegramSource source(
        QUrl(QStringLiteral("http://127.0.0.1:%1/eew").arg(server.server.serverPort())),
        "data.telegram", [&](const TelegramPiece& p) { pieces.push_back(p); });
    source.start();
    server.run_until(3);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(std::tuple(pieces[0].error, pieces[0].tokens.size()), std::tuple("", 20u));
}

TEST(HttpSource, FindsATextMemberByItsDottedPathOnly) {
    const std::tuple<QByteArray, QString, std::optional<QString>> cases[] = {
        {R"({"a":{"b":"x y"}})", "a.b", "x y"},    {R"({"a":"x"})", "a", "x"},
        {R"({"a":{"b":1}})", "a.b", std::nullopt}, {R"({"a":"x"})", "a.b", std::nullopt},
        {R"({"b":"x"})", "a", std::nullopt},       {"9999=", "a", std::nullopt},
    };
    for (const auto& [body, path, text] : cases)
        EXPECT_EQ(json_text_at(body, path), text) << body.constData();
}

TEST(TcpSource, ReadsAsItComesReportsATelegramCutByABreakAndConnectsAgain) {
    App app;
    LocalServer server([](int n) { return n == 1 ? kTelegram + kTelegram.left(30) : kTelegram; });
    std::vector<TelegramPiece> pieces;
    TcpTelegramSource source("127.0.0.1", server.server.serverPort(),
                             [&](const TelegramPiece& p) { pieces.push_back(p); });
    source.start();
    server.run_until(2);
    const QDeadlineTimer deadline(5000);
    while (pieces.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(std::tuple(pieces[0].error, pieces[1].error, pieces[2].error),
              std::tuple("", "cut short: no 9999=", ""));
}

}  // namespace
}  // namespace eew::bridge
