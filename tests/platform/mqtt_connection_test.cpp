// One MQTT connection against a real broker: refused logins and untrusted
// certificates said in words and tried again, what a reader may not publish,
// and stop or destruction from inside the connection's own callbacks.
#include "platform/mqtt_connection.hpp"

#include <gtest/gtest.h>

#include <QTest>

#include "fakes/mqtt_client.hpp"

namespace eew::test {
namespace {

using BrokerConnection = WithBroker;

TEST_F(BrokerConnection, SaysWhyItIsRefusedAndKeepsTrying) {
    MqttClient bad_password({.address = broker.tls_address(),
                             .ca_file = broker.ca_file(),
                             .login = BrokerLogin{"display", "not-the-password"}});
    MqttClient unknown_ca({.address = broker.tls_address(),
                           .ca_file = make_test_ca(folder.path(), "other"),
                           .login = broker.display_login()});
    MqttClient no_broker({.address = {false, "127.0.0.1", free_tcp_port()}});
    MqttClient no_host({.address = {false, "no-such-broker.invalid", broker.address().port}});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return bad_password.reasons.size() >= 2 && unknown_ca.reasons.size() >= 2 &&
                   no_broker.reasons.size() >= 2 && !no_host.reasons.empty();
        },
        15000))
        << ::testing::PrintToString(bad_password.reasons)
        << ::testing::PrintToString(unknown_ca.reasons)
        << ::testing::PrintToString(no_broker.reasons);
    EXPECT_EQ(bad_password.reasons[0],
              "not authorized: user name 'display' or its password refused");
    EXPECT_EQ(unknown_ca.reasons[0], "certificate verify failed");
    EXPECT_EQ(no_broker.reasons[0], "connection refused");
    EXPECT_EQ(no_host.reasons[0], "host name not found: no-such-broker.invalid");
    EXPECT_EQ(bad_password.reasons[1], bad_password.reasons[0]);
    EXPECT_GE(no_broker.connection.retry_wait_s(), 2);
    EXPECT_FALSE(bad_password.connection.connected());
}

// The system's store, here made of the broker's own authority alone.
// Down for longer than the first retries: the tries that fail while it is
// away must not stop the ones after, over TLS as in plain.
TEST_F(BrokerConnection, ComesBackAfterABrokerLongDown) {
    MqttClient over_tls({.address = broker.tls_address(),
                         .ca_file = broker.ca_file(),
                         .login = broker.display_login()});
    MqttClient plain({.address = broker.address(), .login = broker.display_login()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return over_tls.up && plain.up; }, 10000));
    broker.stop();
    QTest::qWait(2500);
    ASSERT_TRUE(broker.start()) << broker.log();
    EXPECT_TRUE(QTest::qWaitFor([&] { return over_tls.up && plain.up; }, 20000))
        << ::testing::PrintToString(over_tls.reasons) << ::testing::PrintToString(plain.reasons);
    // Each try while it was away was refused at once, not left to time out.
    EXPECT_EQ(
        std::count(over_tls.reasons.begin(), over_tls.reasons.end(), "no answer from the broker"),
        0);
    EXPECT_NE(std::find(over_tls.reasons.begin(), over_tls.reasons.end(), "connection refused"),
              over_tls.reasons.end())
        << ::testing::PrintToString(over_tls.reasons);
}

TEST_F(BrokerConnection, TrustsTheSystemsCertificatesWhenGivenNone) {
    setenv("SSL_CERT_FILE", broker.ca_file().c_str(), 1);
    MqttClient display({.address = broker.tls_address(), .login = broker.display_login()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return display.up; }))
        << testing::PrintToString(display.reasons);
    unsetenv("SSL_CERT_FILE");
}

// A reader is kept from what it may not have: messages of others, and one
// far longer than any report. By name, as a site's broker is given.
TEST_F(BrokerConnection, AReaderCannotPublishOrBeSentAGiantMessage) {
    MqttConnection::Settings by_name = display_settings(broker, "reader");
    by_name.address.host = "localhost";
    MqttClient reader(by_name);
    MqttClient writer({.address = broker.address(), .login = broker.bridge_login()});
    MqttClient other_reader({.address = broker.address(), .login = broker.display_login()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.up && writer.up && other_reader.up; }));

    other_reader.connection.publish("eew/feed", "forged", 60);
    writer.connection.publish("eew/feed", std::string(300 * 1024, 'x'), 60);
    writer.connection.publish("eew/feed", "genuine", 60);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reader.texts.empty(); }));
    QTest::qWait(300);  // room for the forged one to arrive, were it let through
    EXPECT_EQ(reader.texts, std::vector<std::string>{"genuine"});
}

TEST_F(BrokerConnection, MayBeStoppedOrDestroyedFromItsOwnCallbacksAndWhileConnecting) {
    const MqttConnection::Settings login{.address = broker.tls_address(),
                                         .ca_file = broker.ca_file(),
                                         .login = broker.display_login(),
                                         .subscribe_topic = "eew/feed"};

    // Destroyed in the middle of the TLS handshake.
    auto connecting = std::make_unique<MqttConnection>(login);
    connecting->start();
    QCoreApplication::processEvents();
    connecting.reset();

    // Stopped by its status callback once subscribed, from inside the
    // library's call: no retry follows.
    MqttConnection stopped(login);
    std::vector<bool> changes;
    stopped.on_status([&](bool up, const std::string&) {
        changes.push_back(up);
        if (up) stopped.stop();
    });
    stopped.start();

    // Destroyed by its status callback on a refusal.
    auto refused = std::make_unique<MqttConnection>(MqttConnection::Settings{
        .address = broker.address(), .login = BrokerLogin{"display", "x"}});
    refused->on_status([&](bool, const std::string&) { refused.reset(); });
    refused->start();

    ASSERT_TRUE(QTest::qWaitFor([&] { return changes.size() >= 2 && !refused; }));
    QTest::qWait(1500);  // past the first retry
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    EXPECT_FALSE(stopped.connected());
}

}  // namespace
}  // namespace eew::test
