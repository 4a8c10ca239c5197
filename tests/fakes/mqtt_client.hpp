#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>
#include <vector>

#include "fakes/mosquitto_broker.hpp"
#include "platform/mqtt_connection.hpp"

namespace eew::test {

// The application object the connections' event loop needs.
struct QtApp {
    int argc = 1;
    char name[8] = "test";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
};

// A started connection and what it was told: whether it is up, each failure's
// reason and each message's text.
struct MqttClient {
    explicit MqttClient(MqttConnection::Settings settings) : connection(std::move(settings)) {
        connection.on_status([this](bool connected, const std::string& why) {
            up = connected;
            if (!connected) reasons.push_back(why);
        });
        connection.on_message([this](std::string_view text) { texts.emplace_back(text); });
        connection.start();
    }
    MqttConnection connection;
    bool up = false;
    std::vector<std::string> reasons;
    std::vector<std::string> texts;
};

// A display's connection: a session the broker keeps for five minutes under
// `client_id`, reading eew/feed as "display".
inline MqttConnection::Settings display_settings(const MosquittoBroker& broker,
                                                 const std::string& client_id) {
    return {broker.address(), "", MosquittoBroker::display_login(), client_id, 300, "eew/feed"};
}

// A test with a broker of its own, started; skipped where mosquitto is not
// installed.
class WithBroker : public ::testing::Test {
  protected:
    void SetUp() override {
        if (MosquittoBroker::executable().empty()) GTEST_SKIP() << "mosquitto is not installed";
        ASSERT_TRUE(broker.start()) << broker.log();
    }
    QtApp app;
    TempFolder folder;
    MosquittoBroker broker{folder};
};

}  // namespace eew::test
