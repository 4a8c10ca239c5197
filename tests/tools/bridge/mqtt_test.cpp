// The bridge publishing to a real broker: the shipped files over TLS to a
// display, in order; a broker restarted halfway through; a display away past
// a message's expiry; and what waits while the broker is down.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <fstream>
#include <set>

#include "bridge/bridge_command_line.hpp"
#include "bridge/bridge_rules.hpp"
#include "bridge/broker_publisher.hpp"
#include "fakes/mqtt_client.hpp"
#include "fakes/started_app.hpp"

namespace eew::bridge {
namespace {

using namespace eew::test;
using BrokerFeed = WithBroker;

const std::string kSamples = EEW_SOURCE_DIR "/tools/bridge/samples/";

// The telegram of quake `n`: its own earthquake ID, report 4.
std::string telegram(int n) {
    char id[16];
    std::snprintf(id, sizeof id, "201104152335%02d", n);
    return std::string("37 03 00 110415233450 C11\n110415233419\nND") + id +
           " NCN004 JD////////////// JN///\n286 N391 E1427 010 51 03 RK66524 RT11/// RC23///\n"
           "9999=\n";
}

// The messages the bridge makes of `text`, in order.
std::vector<std::string> messages_of(const std::string& text, BridgeRules& rules) {
    TelegramSplitter splitter;
    std::vector<std::string> out;
    for (const auto& pieces : {splitter.feed(text), splitter.finish()})
        for (const TelegramPiece& p : pieces)
            if (const Decision d = rules.decide(p); d.action != Action::dropped)
                out.push_back(d.text);
    return out;
}

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The bridge publishing to the broker as "bridge", over TLS.
struct BridgeRun {
    BridgeRun(const TempFolder& folder, const MosquittoBroker& broker, QStringList args) {
        folder.write("bridge.login", "bridge\npw-bridge\n");
        const QString url = QStringLiteral("mqtts://127.0.0.1:%1").arg(broker.tls_port());
        process.start(EEW_BRIDGE,
                      QStringList{"--mqtt", url, "--topic", "eew/feed", "--ca",
                                  QString::fromStdString(broker.ca_file()), "--auth-file",
                                  QString::fromStdString(folder.path()) + "/bridge.login"} +
                          args);
        process.waitForStarted(10000);
    }
    // Waits (at most 30 s) for the end; true when it ended with status 0.
    bool ended() {
        (void)QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000);
        return process.state() == QProcess::NotRunning && process.exitCode() == 0;
    }
    QString errors() { return process.readAllStandardError(); }
    QProcess process;
};

MqttConnection::Settings display_over_tls(const MosquittoBroker& broker, const std::string& id) {
    MqttConnection::Settings s = display_settings(broker, id);
    s.address = broker.tls_address();
    s.ca_file = broker.ca_file();
    return s;
}

TEST_F(BrokerFeed, EveryReportOfTheShippedFilesReachesADisplayInOrderOverTls) {
    MqttClient display(display_over_tls(broker, "display-1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.up; }));

    QStringList files;
    std::vector<std::string> expected;
    BridgeRules rules({});
    for (const auto& f : std::filesystem::directory_iterator(kSamples))
        if (f.path().extension() == ".txt") files.push_back(QString::fromStdString(f.path()));
    files.sort();
    for (const QString& f : files)
        for (std::string& m : messages_of(file_text(f.toStdString()), rules))
            expected.push_back(std::move(m));
    ASSERT_EQ(expected.size(), 6u);

    BridgeRun bridge(folder, broker, files);
    EXPECT_TRUE(bridge.ended()) << bridge.errors().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.texts.size() >= expected.size(); }));
    EXPECT_EQ(display.texts, expected);
}

// The program's feed behind a connection of its own: what its dispatch took,
// in order (a repeat the dispatch drops leaves the last text as it was).
struct DisplayFeed {
    explicit DisplayFeed(MqttConnection::Settings settings) : connection(std::move(settings)) {
        program.app.Command1_Click();  // "start": the broker feed is open
        program.app.after_each_datagram([this] {
            const std::string& text = program.m().feed.received_data00;
            if (taken.empty() || taken.back() != text) taken.push_back(text);
        });
        connection.on_message([this](std::string_view text) {
            program.app.take_broker_message(text);
            program.app.run_waiting();
        });
        connection.on_status([this](bool connected, const std::string&) { up = connected; });
        connection.start();
    }
    StartedApp program{{{"data/broker.conf", "url=mqtt://127.0.0.1:1\ntopic=eew/feed\n"}}};
    MqttConnection connection;
    bool up = false;
    std::vector<std::string> taken;
};

TEST_F(BrokerFeed, ABrokerRestartedHalfwayLosesNothingAndKeepsTheOrder) {
    MqttClient display(display_over_tls(broker, "display-1"));
    DisplayFeed program(display_over_tls(broker, "display-2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.up && program.up; }));

    BridgeRules rules({});
    std::vector<std::string> expected;
    std::string first_half, second_half;
    for (int n = 0; n < 100; ++n) {
        expected.push_back(messages_of(telegram(n), rules).at(0));
        (n < 50 ? first_half : second_half) += telegram(n);
    }
    BridgeRun bridge(folder, broker, {"-"});
    bridge.process.write(first_half.c_str());
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.texts.size() >= 10; }));
    broker.stop();  // mid-stream: some are on their way
    bridge.process.write(second_half.c_str());
    ASSERT_TRUE(broker.start()) << broker.log();
    bridge.process.closeWriteChannel();
    EXPECT_TRUE(bridge.ended()) << bridge.errors().toStdString();

    // A repeat of a message is allowed (the display drops exact repeats), a
    // loss or a change of order is not.
    std::vector<std::string> distinct;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        distinct.clear();
        std::set<std::string> seen;
        for (const std::string& t : display.texts)
            if (seen.insert(t).second) distinct.push_back(t);
        return distinct.size() >= expected.size();
    }));
    EXPECT_EQ(distinct, expected);
    RecordProperty("repeats", static_cast<int>(display.texts.size() - distinct.size()));
    // The program takes each once: a repeat the broker delivered is dropped.
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.taken.size() >= expected.size(); }));
    QTest::qWait(300);
    EXPECT_EQ(program.taken, expected);
}

TEST_F(BrokerFeed, ADisplayAwayPastAMessagesExpiryNeverGetsIt) {
    auto display = std::make_unique<MqttClient>(display_over_tls(broker, "display-away"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return display->up; }));
    display.reset();  // away; the broker keeps its session

    folder.write("short.txt", telegram(1));
    folder.write("long.txt", telegram(2));
    BridgeRun brief(folder, broker,
                    {"--expiry", "2", QString::fromStdString(folder.path()) + "/short.txt"});
    EXPECT_TRUE(brief.ended()) << brief.errors().toStdString();
    BridgeRun lasting(folder, broker, {QString::fromStdString(folder.path()) + "/long.txt"});
    EXPECT_TRUE(lasting.ended()) << lasting.errors().toStdString();
    QTest::qWait(3000);

    MqttClient back(display_over_tls(broker, "display-away"));
    BridgeRules rules({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !back.texts.empty(); }));
    QTest::qWait(300);  // room for the expired one, were it kept
    EXPECT_EQ(back.texts, messages_of(telegram(2), rules));
}

TEST_F(BrokerFeed, MessagesWaitForABrokerThatIsDownAndTheOldestBeyondAThousandIsDropped) {
    broker.stop();
    BrokerPublisher publisher(
        {{.address = broker.address(), .login = broker.bridge_login()}, "eew/feed", 120});
    publisher.start();
    for (int n = 0; n <= 1000; ++n)
        publisher.publish("message " + std::to_string(n), "message " + std::to_string(n));
    EXPECT_EQ(publisher.dropped(), 1);
    ASSERT_TRUE(broker.start()) << broker.log();
    EXPECT_TRUE(QTest::qWaitFor([&] { return publisher.idle(); }, 15000));
}

TEST(CommandLine, TheBrokerTakesTheReceiversPlaceOrGoesBesideIt) {
    const auto both = parse_bridge_command_line({"--port", "9", "--mqtt", "mqtts://b.example",
                                                 "--topic", "eew/feed", "--expiry", "30", "f"});
    ASSERT_TRUE(std::holds_alternative<BridgeOptions>(both)) << std::get<std::string>(both);
    const BridgeOptions& o = std::get<BridgeOptions>(both);
    EXPECT_EQ(std::tuple(o.port, o.broker->text(), o.topic, o.expiry_s),
              std::tuple(9, "mqtts://b.example:8883", "eew/feed", 30));
    const std::pair<std::vector<std::string_view>, std::string> refused[] = {
        {{"f"}, "--port or --mqtt is required"},
        {{"--mqtt", "mqtt://h", "f"}, "--mqtt needs its --topic"},
        {{"--mqtt", "http://h", "--topic", "t", "f"},
         "bad --mqtt 'http://h' (mqtt://HOST[:PORT] or mqtts://HOST[:PORT])"},
        {{"--mqtt", "mqtt://h", "--topic", "eew/#", "f"},
         "bad --topic 'eew/#' (a topic to publish to has no + or #)"},
        {{"--port", "9", "--topic", "t", "f"}, "--topic and --auth-file apply to --mqtt only"},
        {{"--mqtt", "mqtt://h", "--topic", "t", "--expiry", "0", "f"},
         "bad --expiry '0' (seconds, 1 to 86400)"},
    };
    for (const auto& [args, error] : refused) {
        const auto result = parse_bridge_command_line(args);
        EXPECT_EQ(std::get_if<std::string>(&result) ? std::get<std::string>(result) : "", error);
    }
}

}  // namespace
}  // namespace eew::bridge
