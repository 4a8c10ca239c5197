#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
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
        eew::BrokerAddress address{};
        std::string ca_file{};  // PEM; empty: the system's store (TLS only)
        std::optional<eew::BrokerLogin> login{};
        // Empty: the library names the client and the session ends with the
        // connection. Otherwise the broker keeps the session (subscriptions and
        // QoS 1 messages missed) for `session_expiry_s` after a disconnection.
        std::string client_id{};
        int session_expiry_s = 0;
        // Subscribed with QoS 1 on every connection; empty: none.
        std::string subscribe_topic{};
    };

    explicit MqttConnection(Settings settings);
    ~MqttConnection() override;
    MqttConnection(const MqttConnection&) = delete;
    MqttConnection& operator=(const MqttConnection&) = delete;

    // Connected (true, empty reason; with a topic to subscribe, once the broker
    // has confirmed the subscription) or not any more / refused (false and why,
    // in words: "not authorized: user name 'x' or its password refused",
    // "certificate verify failed", "connection refused", ...). Called on each
    // change and each failed try; the callback may call stop() or destroy the
    // connection.
    void on_status(std::function<void(bool connected, const std::string& reason)> status) {
        status_ = std::move(status);
    }
    // Each message received on the subscribed topic, its payload as sent.
    void on_message(std::function<void(std::string_view payload)> message) {
        message_ = std::move(message);
    }
    // A message published earlier (by its id) reached the broker (PUBACK). One
    // still unacknowledged when the connection broke is sent again, first, on
    // the next connection.
    void on_published(std::function<void(int id)> published) { published_ = std::move(published); }

    // Connects, and keeps connecting until stop().
    void start();
    // Disconnects cleanly; no retry after.
    void stop();
    bool connected() const { return connected_; }

    // Publishes with QoS 1, not retained, with an MQTT 5 message expiry.
    // Returns the message id, or -1 when not connected or the library refuses.
    int publish(const std::string& topic, std::string_view payload, int expiry_s);

    // The seconds before the next try, after a failed one.
    int retry_wait_s() const { return retry_wait_s_; }

  private:
    enum class Drive { read, write, misc };
    void try_connect();
    void connect_now();
    void watch_socket();
    void unwatch();
    void watch_writes();
    void drive(Drive what);
    void connack(int rc);
    void subscribed(int granted_qos);
    void up();
    void disconnected(int rc, int error);
    void failed(const std::string& why);
    // Whether a try's TCP connection failed while the library waits on it;
    // when it did, the try has failed.
    bool connect_failed(int socket);
    std::string reason(int rc, int error) const;

    Settings settings_;
    struct mosquitto* mosq_ = nullptr;
    bool connected_ = false;
    bool running_ = false;
    bool tried_ = false;    // the library knows the broker's address
    bool driving_ = false;  // inside one of the library's loop calls
    int wait_s_ = 1;
    int retry_wait_s_ = 0;
    std::string unusable_;             // why no connection can be tried: TLS could not be set up
    std::string refusal_;              // the broker's CONNACK reason, for the break that follows
    std::string last_error_;           // the library's last error line (TLS details)
    QSocketNotifier* read_ = nullptr;  // children: gone with the connection at the latest
    QSocketNotifier* write_ = nullptr;
    QTimer housekeeping_;  // keep-alive and the library's timeouts
    QTimer retry_;
    int looking_up_ = -1;  // the host name lookup under way
    QTimer answer_;        // a try the broker does not answer in time has failed
    // False once destroyed: a callback may delete the connection while the
    // library is still in the call that made it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::function<void(bool, const std::string&)> status_;
    std::function<void(std::string_view)> message_;
    std::function<void(int)> published_;
};
