#include "bridge/websocket_source.hpp"

#include <QJsonDocument>
#include <cstdio>

namespace eew::bridge {
namespace {

constexpr int kLongestWaitS = 30;

void tell(const QString& what) {
    std::fprintf(stderr, "eew-bridge: %s\n", what.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace

WebSocketTelegramSource::WebSocketTelegramSource(QNetworkRequest request, QString field,
                                                 PieceSink sink, WebSocketTiming timing)
    : request_(std::move(request)),
      field_(std::move(field)),
      sink_(std::move(sink)),
      timing_(timing) {
    retry_.setSingleShot(true);
    silence_.setSingleShot(true);
    ping_.setInterval(timing_.ping_ms);
    QObject::connect(&retry_, &QTimer::timeout, &socket_, [this] { connect_now(); });
    QObject::connect(&ping_, &QTimer::timeout, &socket_, [this] { socket_.ping(); });
    QObject::connect(&silence_, &QTimer::timeout, &socket_, [this] {
        broken(QStringLiteral("nothing heard for %1 s").arg(timing_.silence_ms / 1000.0));
    });
    QObject::connect(&socket_, &QWebSocket::connected, &socket_, [this] {
        tell("connected to " + request_.url().toString());
        heard();
        ping_.start();
    });
    QObject::connect(&socket_, &QWebSocket::pong, &socket_, [this] { heard(); });
    QObject::connect(&socket_, &QWebSocket::textMessageReceived, &socket_,
                     [this](const QString& message) {
                         heard();
                         wait_s_ = 1;
                         take(message);
                     });
    QObject::connect(&socket_, &QWebSocket::binaryMessageReceived, &socket_, [this] {
        heard();
        skip(QStringLiteral("a binary message"));
    });
    // A refused or failed connection also disconnects, before it tells why:
    // the reason, when one comes, is the line written.
    QObject::connect(&socket_, &QWebSocket::disconnected, &socket_, [this] {
        QTimer::singleShot(0, &socket_,
                           [this] { broken(QStringLiteral("the connection was closed")); });
    });
    QObject::connect(&socket_, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error),
                     &socket_, [this] { broken(socket_.errorString()); });
    QObject::connect(&socket_, &QWebSocket::sslErrors, &socket_, [this](const auto& errors) {
        // Never ignored: the connection fails and is tried again later.
        if (!errors.isEmpty())
            tell(request_.url().toString() + ": " + errors.first().errorString());
    });
}

// The socket closes as it goes and would report that as a break to timers
// already gone.
WebSocketTelegramSource::~WebSocketTelegramSource() {
    QObject::disconnect(&socket_, nullptr, nullptr, nullptr);
}

void WebSocketTelegramSource::start() {
    connect_now();
}

void WebSocketTelegramSource::connect_now() {
    // The socket takes its TLS settings from itself, not from the request.
    socket_.setSslConfiguration(request_.sslConfiguration());
    socket_.open(request_);
}

void WebSocketTelegramSource::heard() {
    silence_.start(timing_.silence_ms);
}

void WebSocketTelegramSource::broken(const QString& why) {
    if (retry_.isActive()) return;  // one break can raise more than one signal
    ping_.stop();
    silence_.stop();
    retry_.start(wait_s_ * 1000);
    tell(QStringLiteral("%1: %2; connecting again in %3 s")
             .arg(request_.url().toString(), why)
             .arg(wait_s_));
    wait_s_ = std::min(wait_s_ * 2, kLongestWaitS);
    socket_.abort();
}

void WebSocketTelegramSource::skip(const QString& why) {
    tell(request_.url().toString() + ": skipped " + why);
}

void WebSocketTelegramSource::take(const QString& message) {
    QString text = message;
    if (!field_.isEmpty()) {
        const std::optional<QString> member = json_text_at(message.toUtf8(), field_);
        if (!member) return skip("a message without a text member '" + field_ + "'");
        text = *member;
    } else if (QJsonDocument::fromJson(message.toUtf8()).isObject()) {
        return skip(QStringLiteral("a JSON message (--field names the member with the telegram)"));
    }
    if (text.trimmed().isEmpty()) return skip(QStringLiteral("an empty message"));
    // Each message is whole: a telegram it leaves unfinished is reported cut.
    TelegramSplitter splitter;
    const QByteArray bytes = text.toUtf8();
    for (const auto& pieces :
         {splitter.feed(std::string_view(bytes.constData(), bytes.size())), splitter.finish()})
        for (const TelegramPiece& p : pieces)
            sink_(p);
}

}  // namespace eew::bridge
