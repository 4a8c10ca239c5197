#include "bridge/stream_sources.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <cstdio>

namespace eew::bridge {
namespace {

constexpr int kLongestWaitS = 30;
constexpr int kPollIntervalMs = 1000;
constexpr int kRequestTimeoutMs = 5000;

void tell(const QString& what) {
    std::fprintf(stderr, "eew-bridge: %s\n", what.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace

TcpTelegramSource::TcpTelegramSource(QString host, quint16 port, PieceSink sink)
    : host_(std::move(host)), port_(port), sink_(std::move(sink)) {
    retry_.setSingleShot(true);
    QObject::connect(&retry_, &QTimer::timeout, &socket_,
                     [this] { socket_.connectToHost(host_, port_); });
    QObject::connect(&socket_, &QTcpSocket::connected, &socket_,
                     [this] { tell(QStringLiteral("connected to %1:%2").arg(host_).arg(port_)); });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] {
        // Only a connection that delivers resets the wait: a server that
        // accepts and closes at once is not asked every second.
        wait_s_ = 1;
        const QByteArray data = socket_.readAll();
        pass(splitter_.feed(std::string_view(data.constData(), data.size())));
    });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_,
                     [this] { broken(socket_.errorString()); });
}

void TcpTelegramSource::start() {
    socket_.connectToHost(host_, port_);
}

void TcpTelegramSource::pass(std::vector<TelegramPiece> pieces) {
    for (const TelegramPiece& p : pieces)
        sink_(p);
}

void TcpTelegramSource::broken(const QString& why) {
    if (retry_.isActive()) return;  // one break can raise more than one error
    retry_.start(wait_s_ * 1000);
    tell(QStringLiteral("%1:%2: %3; connecting again in %4 s")
             .arg(host_)
             .arg(port_)
             .arg(why)
             .arg(wait_s_));
    wait_s_ = std::min(wait_s_ * 2, kLongestWaitS);
    socket_.abort();
    pass(splitter_.finish());
}

std::optional<QString> json_text_at(const QByteArray& body, const QString& path) {
    QJsonValue value = QJsonDocument::fromJson(body).object();
    for (const QString& name : path.split('.')) {
        if (!value.isObject()) return std::nullopt;
        value = value.toObject().value(name);
    }
    if (!value.isString()) return std::nullopt;
    return value.toString();
}

HttpTelegramSource::HttpTelegramSource(QUrl url, QString field, PieceSink sink,
                                       RequestSettings settings)
    : url_(std::move(url)),
      field_(std::move(field)),
      sink_(std::move(sink)),
      settings_(std::move(settings)) {
    timer_.setInterval(kPollIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
}

void HttpTelegramSource::start() {
    poll();
    timer_.start();
}

void HttpTelegramSource::poll() {
    if (busy_) return;  // a slow service is not asked twice at once
    busy_ = true;
    QNetworkRequest request = make_request(url_, settings_);
    request.setTransferTimeout(kRequestTimeoutMs);
    QNetworkReply* reply = network_.get(request);
    QObject::connect(reply, &QNetworkReply::finished, &timer_, [this, reply] {
        reply->deleteLater();
        busy_ = false;
        if (reply->error() != QNetworkReply::NoError) return report_failure(reply->errorString());
        const std::optional<QString> text = json_text_at(reply->readAll(), field_);
        if (!text) return report_failure("no text member '" + field_ + "' in the answer");
        last_failure_.clear();
        if (*text == last_text_) return;
        last_text_ = *text;
        TelegramSplitter splitter;  // each answer holds one whole telegram
        const QByteArray bytes = text->toUtf8();
        for (const auto& pieces :
             {splitter.feed(std::string_view(bytes.constData(), bytes.size())), splitter.finish()})
            for (const TelegramPiece& p : pieces)
                sink_(p);
    });
}

void HttpTelegramSource::report_failure(const QString& why) {
    if (why == last_failure_) return;
    last_failure_ = why;
    tell(url_.toString() + ": " + why);
}

}  // namespace eew::bridge
