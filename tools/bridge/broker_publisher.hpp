#pragma once

#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>
#include <string>

#include "platform/mqtt_connection.hpp"

namespace eew::bridge {

// Publishes the bridge's messages to a broker, in order, each until the broker
// has it. While the broker cannot be reached they wait, up to 1,000 messages
// and 2 minutes each; an older one, or one beyond that, is dropped with one
// line on standard error. A break, a refusal and each new try are told there
// too.
class BrokerPublisher {
  public:
    struct Settings {
        MqttConnection::Settings connection;
        std::string topic;
        int expiry_s = 120;  // how long the broker keeps a message for a display away
    };

    explicit BrokerPublisher(Settings settings);

    // Connects, and keeps connecting.
    void start();
    // Queues `text` and publishes it as soon as it can; `label` names it in
    // the lines that tell it was dropped ("report 20110415233435 #4").
    void publish(std::string text, std::string label);
    // Nothing waits to be published or to be acknowledged by the broker.
    bool idle() const { return queue_.empty(); }
    int dropped() const { return dropped_; }

  private:
    struct Waiting {
        std::string text;
        std::string label;
        std::chrono::steady_clock::time_point since;
        int id = -1;  // the connection's message id once handed to it
    };

    void connect();
    void renew();
    void changed(bool up, const std::string& why);
    void hand_over();
    void acknowledged(int id);
    void drop_old();
    void drop_front(const std::string& why);

    Settings settings_;
    std::unique_ptr<MqttConnection> connection_;
    std::deque<Waiting> queue_;
    QTimer ageing_;
    int dropped_ = 0;
    // What was handed over stays with the connection, which sends it again
    // first thing on its next connection. A message dropped as too old would
    // then reach the displays late: the connection is made afresh instead,
    // once it is down, and takes what still waits.
    bool stale_ = false;
};

}  // namespace eew::bridge
