#pragma once

#include <QByteArray>
#include <QObject>
#include <QSoundEffect>
#include <QTimer>
#include <QUdpSocket>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/broker_config.hpp"
#include "config/lan_senders.hpp"
#include "platform/desktop_notifier.hpp"
#include "platform/mqtt_connection.hpp"
#include "text/date_time.hpp"

// What the program needs of the computer, on Qt: the clock, sound, the
// browser, the feed socket and a pause that lets events run. No window.
class QtEnvironment : public QObject {
  public:
    QtEnvironment();

    // Each datagram read from the socket is given to `take` at once, in
    // arrival order, and `ready` runs from the event loop once a burst is in:
    // a handler that pauses must not run inside the socket's own signal, which
    // does not come again while it runs.
    // Each comes with its sender.
    void on_datagrams(std::function<void(std::string_view, const eew::SenderAddress&)> take,
                      std::function<void()> ready) {
        take_ = std::move(take);
        ready_ = std::move(ready);
    }
    // The broker's messages are given to `take` and followed by `ready` as
    // datagrams are; `status` hears of each change of its connection.
    void on_broker(std::function<void(std::string_view)> take,
                   std::function<void(bool connected, const std::string& reason)> status) {
        take_broker_ = std::move(take);
        broker_status_ = std::move(status);
    }

    std::string program_folder() const;
    eew::DateTime now();
    void play_sound(const std::string& wav_path);
    void play_sound_next(const std::string& wav_path);
    DesktopNotifier& notifier() { return *notifier_; }
    // The bus whose notification service shows the desktop notifications:
    // the session's unless a test gives one of its own.
    void set_notification_bus(QDBusConnection bus) {
        notifier_ = std::make_unique<DesktopNotifier>(std::move(bus));
    }
    bool open_web_page(const std::string& url);
    std::optional<std::string> bind_feed(int port, bool all_addresses);
    void close_feed();
    bool feed_closed() const { return sockets_.empty(); }
    void open_broker(const eew::BrokerConfig& broker, const std::string& client_id);
    void close_broker();
    void pause_with_events(int milliseconds);

  private:
    void read_datagrams(QUdpSocket* socket);

    // One socket per bound address: IPv4 and IPv6 loopback in relay mode,
    // the any-address in LAN mode.
    std::vector<QUdpSocket*> sockets_;
    void start_sound(const std::string& wav_path);

    std::unique_ptr<DesktopNotifier> notifier_ = std::make_unique<DesktopNotifier>();
    QSoundEffect sound_;
    // When the sound started last ends, by its file's length; the next one
    // waits for it on a timer.
    std::chrono::steady_clock::time_point sound_ends_{};
    QTimer next_sound_;
    std::string next_path_;
    std::function<void(std::string_view, const eew::SenderAddress&)> take_;
    std::function<void(std::string_view)> take_broker_;
    std::function<void(bool, const std::string&)> broker_status_;
    std::unique_ptr<MqttConnection> broker_;
    QHostAddress sender_;
    std::function<void()> ready_;
    QByteArray read_buffer_{65536, Qt::Uninitialized};  // as large as any datagram
    std::optional<std::chrono::steady_clock::time_point> zone_read_;
    QTimer ready_soon_;  // runs ready_ from the event loop
};
