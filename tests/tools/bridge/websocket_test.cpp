// The WebSocket source against a local server: a telegram as text or in a
// JSON member, what is skipped, a dropped connection that comes back, a
// server gone silent, the request's headers, and TLS that trusts only the
// system's store and the certificate it is given.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QSslKey>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocketServer>
#include <functional>

#include "bridge/request_settings.hpp"
#include "bridge/websocket_source.hpp"
#include "fakes/temp_folder.hpp"

namespace eew::bridge {
namespace {

const QString kTelegram =
    "37 03 00 110415233450 C11\n110415233419\nND20110415233435 NCN004 JD////////////// JN///\n"
    "286 N391 E1427 010 51 03 RK66524 RT11/// RC23///\n9999=\n";
const QString kTls = QStringLiteral(EEW_SOURCE_DIR "/tests/tools/bridge/tls/loopback.");

struct App {
    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
};

void run_until(const std::function<bool()>& done, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Serves connection n (from 1) with `serve`; keeps the token each sent.
struct WsServer {
    WsServer(bool tls, std::function<void(int, QWebSocket*)> serve)
        : server("test", tls ? QWebSocketServer::SecureMode : QWebSocketServer::NonSecureMode),
          tls_(tls) {
        if (tls) {
            QSslConfiguration c;
            c.setLocalCertificate(QSslCertificate::fromPath(kTls + "pem").value(0));
            QFile key(kTls + "key");
            key.open(QIODevice::ReadOnly);
            c.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
            server.setSslConfiguration(c);
        }
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QWebSocketServer::newConnection, &server, [this, serve] {
            QWebSocket* s = server.nextPendingConnection();
            s->setParent(&server);  // the server does not own its connections
            tokens.push_back(s->request().rawHeader("Authorization"));
            serve(static_cast<int>(tokens.size()), s);
        });
    }
    QNetworkRequest request(const RequestSettings& settings = {}) const {
        const QString url = QStringLiteral("%1://127.0.0.1:%2/eew");
        return make_request(QUrl(url.arg(tls_ ? "wss" : "ws").arg(server.serverPort())), settings);
    }

    QWebSocketServer server;
    std::vector<QByteArray> tokens;

  private:
    bool tls_;
};

// What reached the sink: "" for a whole telegram, else its fault.
struct Pieces {
    PieceSink sink() {
        return [this](const TelegramPiece& p) { errors.push_back(p.error); };
    }
    std::vector<std::string> errors;
};

TEST(WebSocketSource, TakesTelegramsSkipsTheRestAndComesBackAfterADrop) {
    App app;
    test::TempFolder folder;
    folder.write("headers", "# the service's token\n\nAuthorization: Bearer abc\n");
    const auto settings = read_request_settings(folder.path() + "/headers", "");
    ASSERT_TRUE(std::holds_alternative<RequestSettings>(settings));
    // The first connection sends a telegram, a heartbeat, a binary frame and
    // half a telegram, then drops; the second a telegram.
    WsServer server(false, [](int n, QWebSocket* s) {
        s->sendTextMessage(kTelegram);
        if (n > 1) return;
        s->sendTextMessage(R"({"type":"heartbeat"})");
        s->sendBinaryMessage("\x01\x02");
        s->sendTextMessage(kTelegram.left(60));
        s->flush();
        s->abort();
    });
    Pieces text;
    WebSocketTelegramSource source(server.request(std::get<RequestSettings>(settings)), "",
                                   text.sink());
    source.start();
    run_until([&] { return text.errors.size() >= 3; });
    EXPECT_EQ(text.errors, (std::vector<std::string>{"", "cut short: no 9999=", ""}));
    EXPECT_EQ(server.tokens, (std::vector<QByteArray>{"Bearer abc", "Bearer abc"}));

    // With a member named, only JSON that holds it is taken.
    WsServer json(false, [](int, QWebSocket* s) {
        s->sendTextMessage(R"({"data":{"seq":1}})");
        s->sendTextMessage(kTelegram);
        s->sendTextMessage(R"({"data":{"telegram":")" + QString(kTelegram).replace("\n", "\\n") +
                           R"("}})");
    });
    Pieces member;
    WebSocketTelegramSource from_json(json.request(), "data.telegram", member.sink());
    from_json.start();
    run_until([&] { return !member.errors.empty(); });
    EXPECT_EQ(member.errors, std::vector<std::string>{""});
}

// A server that takes the handshake and then answers nothing, not even pings.
TEST(WebSocketSource, ASilentServerIsABreakAndIsConnectedAgain) {
    App app;
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        ++connections;
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            const QByteArray request = s->readAll();
            const qsizetype at = request.indexOf("Sec-WebSocket-Key:");
            if (at < 0) return;
            const QByteArray key = request.mid(at + 18, request.indexOf("\r\n", at) - at - 18);
            const QByteArray accept =
                QCryptographicHash::hash(key.trimmed() + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                         QCryptographicHash::Sha1)
                    .toBase64();
            s->write(
                "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\n"
                "Connection: Upgrade\r\nSec-WebSocket-Accept: " +
                accept + "\r\n\r\n");
        });
    });
    Pieces pieces;
    WebSocketTelegramSource source(
        make_request(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(server.serverPort())), {}), "",
        pieces.sink(), {.ping_ms = 50, .silence_ms = 200});
    source.start();
    run_until([&] { return connections >= 2; });
    EXPECT_EQ(connections, 2);
    EXPECT_TRUE(pieces.errors.empty());
}

// wss:// to a server whose certificate no store holds fails; with that
// certificate given, it connects.
TEST(WebSocketSource, TlsTrustsOnlyTheSystemsStoreAndTheGivenCertificate) {
    App app;
    WsServer server(true, [](int, QWebSocket* s) { s->sendTextMessage(kTelegram); });
    Pieces refused, trusted;
    WebSocketTelegramSource untrusting(server.request(), "", refused.sink());
    untrusting.start();
    const auto settings = read_request_settings("", (kTls + "pem").toStdString());
    ASSERT_TRUE(std::holds_alternative<RequestSettings>(settings));
    WebSocketTelegramSource trusting(server.request(std::get<RequestSettings>(settings)), "",
                                     trusted.sink());
    trusting.start();
    run_until([&] { return !trusted.errors.empty(); });
    EXPECT_EQ(trusted.errors, std::vector<std::string>{""});
    EXPECT_TRUE(refused.errors.empty());
    EXPECT_EQ(server.tokens.size(), 1u);
}

TEST(RequestSettings, AHeaderFileOrCertificateThatCannotBeUsedIsNamed) {
    App app;
    test::TempFolder folder;
    folder.write("bad", "Authorization: Bearer abc\nno colon here\n");
    folder.write("blank name", " : x\n");
    folder.write("not pem", "-----BEGIN NOTHING-----\n");
    const std::string at = folder.path() + "/";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {at + "bad", "", "header file " + at + "bad, line 2: not \"Name: value\""},
        {at + "blank name", "", "header file " + at + "blank name, line 1: not \"Name: value\""},
        {at + "missing", "", "cannot read the header file " + at + "missing"},
        {"", at + "not pem", "no PEM certificate in " + at + "not pem"},
    };
    for (const auto& [headers, ca, error] : cases) {
        const auto read = read_request_settings(headers, ca);
        EXPECT_EQ(std::get_if<std::string>(&read) ? std::get<std::string>(read) : "", error);
    }
}

}  // namespace
}  // namespace eew::bridge
