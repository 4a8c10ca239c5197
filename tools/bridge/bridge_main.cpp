// eew-bridge: the agency's code-format EEW telegrams into the receiver's feed.

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "bridge/bridge_command_line.hpp"
#include "bridge/bridge_rules.hpp"
#include "bridge/jst_time.hpp"
#include "bridge/request_settings.hpp"
#include "bridge/stream_sources.hpp"
#include "bridge/telegram_decoder.hpp"
#include "bridge/websocket_source.hpp"
#include "feedlib/udp_sender.hpp"

namespace eew::bridge {
namespace {

// Datagrams read from a file go out this far apart, so that the receiver takes
// them one by one, in order.
constexpr auto kGap = std::chrono::milliseconds(5);

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

// Decides on each piece, sends what is to be sent and prints the decision.
class Bridge {
  public:
    explicit Bridge(const BridgeOptions& o) : options_(o), rules_(o.rules), sender_(o.port) {}

    const std::optional<std::string>& failure() const { return sender_.failure(); }

    // Returns false when a datagram could not be sent.
    bool take(const TelegramPiece& piece, const std::string& source) {
        const Decision d = rules_.decide(piece, source);
        std::optional<std::string> error;
        if (d.action != Action::dropped)
            error = sender_.send(feedlib::make_datagram(d.text, options_.framing));
        std::printf("%s  %-14s  #%-3s  %s\n", clock_now().c_str(), d.id.c_str(), d.number.c_str(),
                    d.what.c_str());
        std::fflush(stdout);
        if (error) std::fprintf(stderr, "eew-bridge: %s\n", error->c_str());
        return !error;
    }

  private:
    BridgeOptions options_;
    BridgeRules rules_;
    feedlib::UdpSender sender_;
};

// Sends telegram after telegram as the lines come, a few milliseconds apart.
bool play_as_read(std::istream& in, const std::string& source, Bridge& bridge) {
    TelegramSplitter splitter;
    std::string line;
    const auto take_all = [&](const std::vector<TelegramPiece>& pieces) {
        for (const TelegramPiece& p : pieces) {
            if (!bridge.take(p, source)) return false;
            std::this_thread::sleep_for(kGap);
        }
        return true;
    };
    while (std::getline(in, line))
        if (!take_all(splitter.feed(line + "\n"))) return false;
    return take_all(splitter.finish());
}

// Between the issue times of two telegrams, a longer gap than this counts as
// this: it lies between two quakes, and a file of past quakes would otherwise
// wait years.
constexpr long long kLongestGapS = 60;

// Sends each telegram at the seconds from the issue time of the one before to
// its own (at most a minute), divided by the speed; one that does not decode,
// or was issued before the one before it, goes right after that one.
bool play_paced(std::istream& in, double speed, const std::string& source, Bridge& bridge) {
    TelegramSplitter splitter;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<TelegramPiece> pieces = splitter.feed(text);
    for (TelegramPiece& p : splitter.finish())
        pieces.push_back(std::move(p));
    const auto start = std::chrono::steady_clock::now();
    std::optional<DateTime> previous;
    double offset = 0;
    for (const TelegramPiece& p : pieces) {
        const auto decoded = decode_telegram(p.tokens);
        if (const Telegram* t = std::get_if<Telegram>(&decoded); t && p.error.empty()) {
            const DateTime issued = local_time_of(t->issued);
            if (previous)
                offset += std::clamp(seconds_between(*previous, issued), 0LL, kLongestGapS) / speed;
            previous = std::max(previous.value_or(issued), issued);
        }
        std::this_thread::sleep_until(start + std::chrono::duration<double>(offset));
        if (!bridge.take(p, source)) return false;
        std::this_thread::sleep_for(kGap);
    }
    return true;
}

bool play_file(const Source& source, std::optional<double> speed, Bridge& bridge) {
    std::ifstream file;
    if (source.address != "-") {
        file.open(source.address, std::ios::binary);
        if (!file) {
            std::cerr << "eew-bridge: cannot read " << source.address << "\n";
            return false;
        }
    }
    std::istream& in = source.address == "-" ? std::cin : file;
    return speed ? play_paced(in, *speed, source.label(), bridge)
                 : play_as_read(in, source.label(), bridge);
}

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

// The files first, in order, then the streams; a header or certificate file
// that cannot be used stops the bridge before anything is sent.
int run(int argc, char** argv, const BridgeOptions& o, Bridge& bridge) {
    const bool streams = std::any_of(o.sources.begin(), o.sources.end(),
                                     [](const Source& s) { return s.kind != SourceKind::file; });
    std::optional<QCoreApplication> app;
    std::variant<RequestSettings, std::string> settings;
    if (streams) {
        app.emplace(argc, argv);
        settings = read_request_settings(o.header_file, o.ca_file);
        if (const auto* error = std::get_if<std::string>(&settings)) {
            std::cerr << "eew-bridge: " << *error << "\n";
            return 1;
        }
    }
    for (const Source& s : o.sources)
        if (s.kind == SourceKind::file && !play_file(s, o.speed, bridge)) return 1;
    return streams ? follow_streams(*app, o, std::get<RequestSettings>(settings), bridge) : 0;
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
    Bridge bridge(options);
    if (bridge.failure()) {
        std::cerr << "eew-bridge: " << *bridge.failure() << "\n";
        return 1;
    }
    return run(argc, argv, options, bridge);
}
