#pragma once

#include <QNetworkRequest>
#include <QString>
#include <QTimer>
#include <QWebSocket>

#include "bridge/stream_sources.hpp"

namespace eew::bridge {

// How often a WebSocket source pings, and how long it waits to hear anything.
struct WebSocketTiming {
    int ping_ms = 30'000;
    int silence_ms = 60'000;
};

// Reads telegrams from a WebSocket: each text message holds one, as its text
// or, with a field, in that member of a JSON object. Anything else (JSON
// without the member, a heartbeat, a binary frame) is skipped with a line on
// standard error. A ping goes out every `ping_ms`; nothing heard for
// `silence_ms` (no message, no pong) is a break. After a break or a failed
// connection it tries again after 1, 2, 4 … up to 30 s, back to 1 s once a
// message has come.
class WebSocketTelegramSource {
  public:
    WebSocketTelegramSource(QNetworkRequest request, QString field, PieceSink sink,
                            WebSocketTiming timing = {});
    ~WebSocketTelegramSource();
    void start();

  private:
    void connect_now();
    void broken(const QString& why);
    void heard();
    void take(const QString& message);
    void skip(const QString& why);

    QNetworkRequest request_;
    QString field_;
    PieceSink sink_;
    WebSocketTiming timing_;
    QWebSocket socket_;
    QTimer retry_;
    QTimer ping_;
    QTimer silence_;
    int wait_s_ = 1;
};

}  // namespace eew::bridge
