// eew-bridge: the agency's code-format EEW telegrams into the receiver's feed.

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>

#include "bridge/bridge_command_line.hpp"
#include "bridge/bridge_rules.hpp"
#include "bridge/broker_publisher.hpp"
#include "bridge/file_playback.hpp"
#include "bridge/request_settings.hpp"
#include "bridge/stream_sources.hpp"
#include "bridge/websocket_source.hpp"
#include "feedlib/udp_sender.hpp"

namespace eew::bridge {
namespace {

std::string clock_now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec,
                  static_cast<int>(duration_cast<milliseconds>(now - floor<seconds>(now)).count()));
    return buffer;
}

// Decides on each piece, sends and publishes what is to be sent and prints the
// decision.
class Bridge {
  public:
    Bridge(const BridgeOptions& o, BrokerPublisher* publisher)
        : options_(o), rules_(o.rules), publisher_(publisher) {
        if (o.port) sender_.emplace(o.port);
    }

    std::optional<std::string> failure() const {
        return sender_ ? sender_->failure() : std::nullopt;
    }

    // Returns false when a datagram could not be sent.
    bool take(const TelegramPiece& piece, const std::string& source) {
        const Decision d = rules_.decide(piece, source);
        std::optional<std::string> error;
        if (d.action != Action::dropped && sender_)
            error = sender_->send(feedlib::make_datagram(d.text, options_.framing));
        if (d.action != Action::dropped && publisher_)
            publisher_->publish(
                d.text, (d.action == Action::report ? "report " : "noise message ") + d.id + " #" +
                            d.number);
        std::printf("%s  %-14s  #%-3s  %s\n", clock_now().c_str(), d.id.c_str(), d.number.c_str(),
                    d.what.c_str());
        std::fflush(stdout);
        if (error) std::fprintf(stderr, "eew-bridge: %s\n", error->c_str());
        return !error;
    }

  private:
    BridgeOptions options_;
    BridgeRules rules_;
    std::optional<feedlib::UdpSender> sender_;
    BrokerPublisher* publisher_;
};

// The stream sources run together until the program is stopped or a send
// fails; each report is sent once, from whichever brings it first.
int follow_streams(QCoreApplication& app, const BridgeOptions& o, const RequestSettings& request,
                   Bridge& bridge) {
    std::vector<std::unique_ptr<TcpTelegramSource>> tcp;
    std::vector<std::unique_ptr<HttpTelegramSource>> http;
    std::vector<std::unique_ptr<WebSocketTelegramSource>> ws;
    for (const Source& s : o.sources) {
        const PieceSink sink = [&bridge, label = s.label()](const TelegramPiece& p) {
            if (!bridge.take(p, label)) QCoreApplication::exit(1);
        };
        const QString address = QString::fromStdString(s.address);
        const QString field = QString::fromStdString(s.field);
        if (s.kind == SourceKind::tcp)
            tcp.push_back(std::make_unique<TcpTelegramSource>(address, s.port, sink));
        if (s.kind == SourceKind::http)
            http.push_back(
                std::make_unique<HttpTelegramSource>(QUrl(address), field, sink, request));
        if (s.kind == SourceKind::ws)
            ws.push_back(std::make_unique<WebSocketTelegramSource>(
                make_request(QUrl(address), request), field, sink));
    }
    for (auto& s : tcp)
        s->start();
    for (auto& s : http)
        s->start();
    for (auto& s : ws)
        s->start();
    return app.exec();
}

// The broker's publisher, or why it cannot be made (the login file).
std::variant<std::unique_ptr<BrokerPublisher>, std::string> make_publisher(const BridgeOptions& o) {
    MqttConnection::Settings connection{.address = *o.broker};
    if (o.broker->tls) connection.ca_file = o.ca_file;
    if (!o.auth_file.empty()) {
        auto login = read_broker_login(o.auth_file);
        if (const auto* error = std::get_if<std::string>(&login)) return *error;
        connection.login = std::get<BrokerLogin>(login);
    }
    if (!connection.ca_file.empty() && !std::ifstream(connection.ca_file))
        return "cannot read " + connection.ca_file;
    return std::make_unique<BrokerPublisher>(
        BrokerPublisher::Settings{connection, o.topic, o.expiry_s});
}

// Played files are over once the broker has taken every message, or each has
// waited too long and been dropped.
int drain(BrokerPublisher& publisher) {
    while (!publisher.idle())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return publisher.dropped() > 0 ? 1 : 0;
}

// The files first, in order, then the streams; a header, certificate or login
// file that cannot be used stops the bridge before anything is sent.
int run(int argc, char** argv, const BridgeOptions& o) {
    const bool streams = std::any_of(o.sources.begin(), o.sources.end(),
                                     [](const Source& s) { return s.kind != SourceKind::file; });
    std::optional<QCoreApplication> app;
    if (streams || o.broker) app.emplace(argc, argv);
    std::variant<RequestSettings, std::string> settings;
    if (streams) settings = read_request_settings(o.header_file, o.ca_file);
    std::variant<std::unique_ptr<BrokerPublisher>, std::string> publisher;
    if (o.broker) publisher = make_publisher(o);
    for (const auto* error :
         {std::get_if<std::string>(&settings), std::get_if<std::string>(&publisher)})
        if (error) {
            std::cerr << "eew-bridge: " << *error << "\n";
            return 1;
        }
    BrokerPublisher* broker = std::get<0>(publisher).get();
    Bridge bridge(o, broker);
    if (bridge.failure()) {
        std::cerr << "eew-bridge: " << *bridge.failure() << "\n";
        return 1;
    }
    if (broker) broker->start();
    for (const Source& s : o.sources)
        if (s.kind == SourceKind::file &&
            !play_file(s, o.speed, [&bridge, label = s.label()](const TelegramPiece& p) {
                return bridge.take(p, label);
            }))
            return 1;
    if (streams) return follow_streams(*app, o, std::get<RequestSettings>(settings), bridge);
    return broker ? drain(*broker) : 0;
}

}  // namespace
}  // namespace eew::bridge

int main(int argc, char** argv) {
    using namespace eew::bridge;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = parse_bridge_command_line(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "eew-bridge: " << *error << " (see eew-bridge --help)\n";
        return 2;
    }
    const BridgeOptions& options = std::get<BridgeOptions>(parsed);
    if (options.help) {
        std::cout << bridge_usage_text();
        return 0;
    }
    return run(argc, argv, options);
}
