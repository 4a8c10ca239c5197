#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <functional>
#include <optional>

#include "clock/clock_check.hpp"
#include "clock/time_server.hpp"

// Checks this computer's clock without holding up the event loop: the
// system's synchronisation state from systemd's time service over D-Bus
// (NTPSynchronized), then, with a time server, one SNTP exchange on a UDP
// socket. The result comes through the callback from the event loop, once per
// check; a check asked while one runs replaces it.
class ClockChecker : public QObject {
  public:
    // `bus` is where the time service is asked: the system bus by default.
    explicit ClockChecker(QDBusConnection bus = QDBusConnection::systemBus());

    void check(std::optional<eew::TimeServer> server, std::function<void(eew::ClockCheck)> done);

    // Without an answer by then the server is taken to be unreachable.
    static constexpr int kReplyTimeoutMs = 2000;

  private:
    void ask_server();
    void take_reply();
    void finish(const QString& failure = {});

    QDBusConnection bus_;
    QUdpSocket socket_;
    QTimer timeout_;
    std::optional<eew::TimeServer> server_;
    std::function<void(eew::ClockCheck)> done_;
    eew::ClockCheck result_;
    double sent_at_ = 0;
    int generation_ = 0;  // answers to a replaced check are dropped
};
