#pragma once

#include <QNetworkAccessManager>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <optional>

#include "bridge/request_settings.hpp"
#include "bridge/telegram_splitter.hpp"

namespace eew::bridge {

// Where the telegrams (and faults) a source cuts go.
using PieceSink = std::function<void(const TelegramPiece&)>;

// Reads telegrams from a TCP stream as they come. After a failed connection or
// a break it says so on standard error and tries again after 1, 2, 4 … up to
// 30 s (back to 1 s once data comes); a telegram cut off by the break is reported as cut short,
// never sent.
class TcpTelegramSource {
  public:
    TcpTelegramSource(QString host, quint16 port, PieceSink sink);
    void start();

  private:
    void broken(const QString& why);
    void pass(std::vector<TelegramPiece> pieces);

    QString host_;
    quint16 port_;
    PieceSink sink_;
    QTcpSocket socket_;
    QTimer retry_;
    TelegramSplitter splitter_;
    int wait_s_ = 1;
};

// The text of the JSON member at `path` ("a.b" for a member of a member);
// nothing when the body is not JSON or the member is missing or not a text.
std::optional<QString> json_text_at(const QByteArray& body, const QString& path);

// Polls a URL once a second for a JSON object that carries one telegram's
// text in a named member, and passes each new text on once. A failed request
// is told on standard error, once until the failure changes.
class HttpTelegramSource {
  public:
    HttpTelegramSource(QUrl url, QString field, PieceSink sink, RequestSettings settings = {});
    void start();

  private:
    void poll();
    void report_failure(const QString& why);

    QUrl url_;
    QString field_;
    PieceSink sink_;
    RequestSettings settings_;
    QNetworkAccessManager network_;
    QTimer timer_;
    bool busy_ = false;
    QString last_text_;
    QString last_failure_;
};

}  // namespace eew::bridge
