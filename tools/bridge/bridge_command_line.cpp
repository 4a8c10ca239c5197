#include "bridge/bridge_command_line.hpp"

#include <charconv>

#include "feedsim/command_line.hpp"

namespace eew::bridge {
namespace {

// HOST:PORT, the port after the last colon.
std::optional<Source> tcp_source(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    const auto port = sim::port_number(text.substr(colon + 1));
    if (!port) return std::nullopt;
    return Source{SourceKind::tcp, std::string(text.substr(0, colon)), *port, {}};
}

// Whole seconds, 1 to a day.
std::optional<int> seconds(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 86400)
        return std::nullopt;
    return value;
}

std::optional<std::string> check_outputs(const BridgeOptions& o, bool have_port) {
    if (!have_port && !o.broker) return "--port or --mqtt is required";
    if (o.broker && o.topic.empty()) return "--mqtt needs its --topic";
    if (!o.broker && (!o.topic.empty() || !o.auth_file.empty()))
        return "--topic and --auth-file apply to --mqtt only";
    if (o.topic.find_first_of("+#") != std::string::npos)
        return "bad --topic '" + o.topic + "' (a topic to publish to has no + or #)";
    return std::nullopt;
}

std::optional<std::string> check_sources(const BridgeOptions& o) {
    if (o.sources.empty()) return "give a FILE, -, --tcp HOST:PORT, --http URL or --ws URL";
    int stdin_count = 0;
    bool files = false;
    for (const Source& s : o.sources) {
        stdin_count += s.kind == SourceKind::file && s.address == "-";
        files = files || s.kind == SourceKind::file;
        if (s.kind == SourceKind::http && s.field.empty()) return "--http needs its --field";
    }
    if (stdin_count > 1) return "standard input (-) given more than once";
    if (o.speed && !files) return "--speed applies to a FILE or - only";
    return std::nullopt;
}

}  // namespace

std::string Source::label() const {
    switch (kind) {
        case SourceKind::file:
            return address == "-" ? "standard input" : "file " + address;
        case SourceKind::tcp:
            return "tcp " + address + ":" + std::to_string(port);
        case SourceKind::http:
            return "http " + address;
        case SourceKind::ws:
            return "ws " + address;
    }
    return address;
}

std::variant<BridgeOptions, std::string> parse_bridge_command_line(
    const std::vector<std::string_view>& args) {
    BridgeOptions o;
    bool have_port = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool takes_value = a == "--port" || a == "--speed" || a == "--tcp" || a == "--http" ||
                                 a == "--ws" || a == "--field" || a == "--ca" ||
                                 a == "--header-file" || a == "--mqtt" || a == "--topic" ||
                                 a == "--auth-file" || a == "--expiry";
        if (takes_value && i + 1 == args.size()) return std::string(a) + " needs a value";
        const std::string value = takes_value ? std::string(args[i + 1]) : std::string();
        i += takes_value;
        if (a == "--help") {
            o.help = true;
            return o;
        } else if (a == "--lan") {
            o.framing = feedlib::Framing::lan;
        } else if (a == "--training") {
            o.rules.training = true;
        } else if (a == "--assumed") {
            o.rules.assumed = true;
        } else if (a == "--port") {
            const auto port = sim::port_number(value);
            if (!port) return "bad port '" + value + "' (1 to 65535)";
            o.port = *port;
            have_port = true;
        } else if (a == "--speed") {
            o.speed = sim::speed_factor(value);
            if (!o.speed) return "bad speed '" + value + "' (a number from 0.01 up)";
        } else if (a == "--tcp") {
            const auto source = tcp_source(value);
            if (!source) return "bad --tcp '" + value + "' (HOST:PORT)";
            o.sources.push_back(*source);
        } else if (a == "--http") {
            o.sources.push_back({SourceKind::http, value, 0, {}});
        } else if (a == "--ws") {
            if (!value.starts_with("ws://") && !value.starts_with("wss://"))
                return "bad --ws '" + value + "' (a ws:// or wss:// URL)";
            o.sources.push_back({SourceKind::ws, value, 0, {}});
        } else if (a == "--field") {
            // The member belongs to the --http or --ws just before it.
            const bool follows = !o.sources.empty() && o.sources.back().field.empty() &&
                                 (o.sources.back().kind == SourceKind::http ||
                                  o.sources.back().kind == SourceKind::ws);
            if (!follows) return "--field NAME follows its --http URL or --ws URL";
            o.sources.back().field = value;
        } else if (a == "--ca") {
            o.ca_file = value;
        } else if (a == "--header-file") {
            o.header_file = value;
        } else if (a == "--mqtt") {
            o.broker = parse_broker_url(value);
            if (!o.broker)
                return "bad --mqtt '" + value + "' (mqtt://HOST[:PORT] or mqtts://HOST[:PORT])";
        } else if (a == "--topic") {
            o.topic = value;
        } else if (a == "--auth-file") {
            o.auth_file = value;
        } else if (a == "--expiry") {
            const auto s = seconds(value);
            if (!s) return "bad --expiry '" + value + "' (seconds, 1 to 86400)";
            o.expiry_s = *s;
        } else if (a.starts_with("-") && a != "-") {
            return "unknown option '" + std::string(a) + "'";
        } else {
            o.sources.push_back({SourceKind::file, std::string(a), 0, {}});
        }
    }
    if (auto error = check_outputs(o, have_port)) return *error;
    if (auto error = check_sources(o)) return *error;
    return o;
}

std::string_view bridge_usage_text() {
    return R"(Usage:
  eew-bridge --port N [--lan] [--training] [--assumed] [--speed F] SOURCE...
  eew-bridge --mqtt URL --topic T [--auth-file F] [--expiry S] [...] SOURCE...
  eew-bridge --help

Reads the agency's code-format EEW telegrams and sends each as one report
datagram to the receiver on 127.0.0.1:N, or publishes it to a message broker
for every display that subscribes, or both. Prints one line per telegram: the
local time, the earthquake ID, the report number and what was sent or why
nothing was. Connection trouble goes to standard error.

  --port N          UDP port of the receiver (1 to 65535)
  --lan             LAN framing (the text and a line feed); without it, relay
                    framing (two blanks, the text and a line feed)
  --training        forward training, reference and test telegrams too
  --assumed         forward assumed hypocentres (M1.0 at 10 km) too
  --speed F         play the files at the pace of their issue times, every
                    wait divided by F (0.01 at least); a gap of more than a
                    minute between two telegrams counts as a minute

Sources, each as often as wanted; the files are played first, in order, then
the streams are followed together until the bridge is stopped. A report comes
once, from whichever source brings it first: the same report from another
source is dropped as a duplicate.
  FILE, -           telegrams from a file or standard input, one after
                    another; sent as they are read, a few milliseconds apart
  --tcp HOST:PORT   telegrams from a TCP stream, read as they come
  --ws URL          a WebSocket (ws:// or wss://): each text message is one
                    telegram, or with --field the JSON object holding it;
                    other messages are skipped with a line on standard error.
                    A ping every 30 s; 60 s without an answer is a break
  --http URL        poll URL once a second for a JSON object whose member
  --field NAME      NAME (a dotted path for nested objects) holds the text of
                    one telegram; a text is taken when it changes. --field
                    follows its --http (required) or --ws (optional)
  --ca FILE         trust this certificate (PEM) besides the system's for
                    wss:// and https://; verification is never switched off
  --header-file F   request headers for --ws and --http, "Name: value" a
                    line (a service's token), so none stands on the command
                    line
A stream that breaks or cannot connect is tried again after 1, 2, 4 ... up to
30 s, back to 1 s once data has come. Public WebSocket and JSON services are
unofficial: they may change, lag or stop without notice.

The broker (MQTT 5):
  --mqtt URL        mqtt://HOST[:PORT] (1883) or mqtts://HOST[:PORT] (TLS,
                    8883); with mqtts the broker's certificate and name are
                    verified against the system's store, or with --ca against
                    that certificate only
  --topic T         the topic each message is published to (no + or #)
  --auth-file F     the broker's user name on the first line of F and its
                    password on the second, so none stands on the command line
  --expiry S        seconds the broker keeps a message for a display that is
                    away (default 120), so none gets an old quake
Each message is published with QoS 1, not retained: the text the receiver
reads, without the datagram's framing. While the broker cannot be reached the
messages wait, up to 1,000 and 2 minutes each, and go out in order once it
can; older ones are dropped with a line on standard error. A broker that is
down or refuses is tried again after 1, 2, 4 ... up to 30 s. Playing files,
the bridge ends once the broker has taken every message.

Sent: a report for each telegram whose hypocentre and magnitude are known,
with every element the receiver reads, then the agency's forecast per area;
its origin and issue times converted from Japan Standard Time to this
computer's local time. A cancellation sends a noise message, which ends the
receiver's display, and later reports of its ID are dropped. Dropped:
malformed telegrams (with the reason), unknown hypocentre or magnitude,
reports older than or repeating one already seen of the same ID.

Exit status: 0 at the end of the files, 1 for an unreadable file, a bad
certificate, header or login file, a failed send or a message the broker never
took, 2 for a bad command line.
)";
}

}  // namespace eew::bridge
