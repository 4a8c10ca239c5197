#include "bridge/broker_publisher.hpp"

#include <algorithm>
#include <cstdio>

namespace eew::bridge {
namespace {

constexpr std::size_t kMostWaiting = 1000;
constexpr auto kLongestWait = std::chrono::minutes(2);

void tell(const std::string& what) {
    std::fprintf(stderr, "eew-bridge: %s\n", what.c_str());
    std::fflush(stderr);
}

}  // namespace

BrokerPublisher::BrokerPublisher(Settings settings) : settings_(std::move(settings)) {
    ageing_.setInterval(1000);
    QObject::connect(&ageing_, &QTimer::timeout, &ageing_, [this] { drop_old(); });
}

void BrokerPublisher::start() {
    connect();
    ageing_.start();
}

void BrokerPublisher::connect() {
    connection_ = std::make_unique<MqttConnection>(settings_.connection);
    connection_->on_status([this](bool up, const std::string& why) { changed(up, why); });
    connection_->on_published([this](int id) { acknowledged(id); });
    connection_->start();
}

void BrokerPublisher::publish(std::string text, std::string label) {
    if (queue_.size() == kMostWaiting) drop_front("1,000 messages wait already");
    queue_.push_back({std::move(text), std::move(label), std::chrono::steady_clock::now()});
    hand_over();
}

void BrokerPublisher::changed(bool up, const std::string& why) {
    const std::string broker = "broker " + settings_.connection.address.text();
    if (up) {
        tell("connected to " + broker);
        return hand_over();
    }
    tell(broker + ": " + why + "; connecting again in " +
         std::to_string(connection_->retry_wait_s()) + " s");
    // Not from inside the connection's own call.
    if (stale_) QTimer::singleShot(0, &ageing_, [this] { renew(); });
}

void BrokerPublisher::renew() {
    if (!stale_ || connection_->connected()) return;
    stale_ = false;
    for (Waiting& w : queue_)
        w.id = -1;
    connect();
}

void BrokerPublisher::hand_over() {
    if (!connection_->connected()) return;
    for (Waiting& w : queue_) {
        if (w.id >= 0) continue;
        w.id = connection_->publish(settings_.topic, w.text, settings_.expiry_s);
        if (w.id < 0) return;
    }
}

void BrokerPublisher::acknowledged(int id) {
    const auto done =
        std::find_if(queue_.begin(), queue_.end(), [id](const Waiting& w) { return w.id == id; });
    if (done != queue_.end()) queue_.erase(done);
}

void BrokerPublisher::drop_old() {
    const auto limit = std::chrono::steady_clock::now() - kLongestWait;
    while (!queue_.empty() && queue_.front().since < limit)
        drop_front("not delivered within 2 minutes");
    renew();
}

void BrokerPublisher::drop_front(const std::string& why) {
    const Waiting& w = queue_.front();
    stale_ = stale_ || w.id >= 0;
    tell("broker " + settings_.connection.address.text() + ": dropped " + w.label + ": " + why);
    queue_.pop_front();
    ++dropped_;
}

}  // namespace eew::bridge
