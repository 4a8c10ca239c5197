#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "config/broker_config.hpp"

struct mosquitto;

// One MQTT 5 client connection on the Qt event loop: the library's socket is
// watched by socket notifiers and its housekeeping runs on a timer, so no
// thread of its own runs. A lost or refused connection is retried after 1, 2,
// 4 ... 30 s until stop().
class MqttConnection : public QObject {
  public:
    struct Settings {
        eew::BrokerAddress address;
        std::string ca_file;  // PEM; empty: the system's store (TLS only)
        std::optional<eew::BrokerLogin> login;
        // Empty: the library names the client and the session ends with the
        // connection. Otherwise the broker keeps the session (subscriptions and
        // QoS 1 messages missed) for `session_expiry_s` after a disconnection.
        std::string client_id;
        int session_expiry_s = 0;
        // Subscribed with QoS 1 on every connection; empty: none.
        std::string subscribe_topic;
    };

    explicit MqttConnection(Settings settings);
    ~MqttConnection() override;
    MqttConnection(const MqttConnection&) = delete;
    MqttConnection& operator=(const MqttConnection&) = delete;

    // Connected (true, empty reason) or not any more / refused (false and why,
    // in words: "bad user name or password", "certificate verify failed",
    // "connection refused", ...). Called on each change and each failed try.
    void on_status(std::function<void(bool connected, const std::string& reason)> status) {
        status_ = std::move(status);
    }
    // Each message received on the subscribed topic, its payload as sent.
    void on_message(std::function<void(std::string_view payload)> message) {
        message_ = std::move(message);
    }
    // A message published earlier (by its id) reached the broker (PUBACK).
    void on_published(std::function<void(int id)> published) { published_ = std::move(published); }

    // Connects, and keeps connecting until stop().
    void start();
    // Disconnects cleanly; no retry after.
    void stop();
    bool connected() const { return connected_; }

    // Publishes with QoS 1, not retained, with an MQTT 5 message expiry.
    // Returns the message id, or -1 when not connected or the library refuses.
    int publish(const std::string& topic, std::string_view payload, int expiry_s);

  private:
    // (members are the implementation's)
    Settings settings_;
    struct mosquitto* mosq_ = nullptr;
    bool connected_ = false;
    bool running_ = false;
    std::function<void(bool, const std::string&)> status_;
    std::function<void(std::string_view)> message_;
    std::function<void(int)> published_;
};
