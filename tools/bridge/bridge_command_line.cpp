#include "bridge/bridge_command_line.hpp"

#include "feedsim/command_line.hpp"

namespace eew::bridge {
namespace {

// HOST:PORT, the port after the last colon.
bool read_host_port(std::string_view text, BridgeOptions& o) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    const auto port = sim::port_number(text.substr(colon + 1));
    if (!port) return false;
    o.tcp_host = std::string(text.substr(0, colon));
    o.tcp_port = *port;
    return true;
}

std::optional<std::string> check_sources(const BridgeOptions& o, bool have_port) {
    if (!have_port) return "--port is required";
    const int sources = !o.file.empty() + !o.tcp_host.empty() + !o.http_url.empty();
    if (sources != 1) return "give exactly one of FILE, -, --tcp HOST:PORT or --http URL";
    if (o.http_url.empty() != o.http_field.empty()) return "--http and --field go together";
    if (o.speed && o.file.empty()) return "--speed applies to a FILE or - only";
    return std::nullopt;
}

}  // namespace

std::variant<BridgeOptions, std::string> parse_bridge_command_line(
    const std::vector<std::string_view>& args) {
    BridgeOptions o;
    bool have_port = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool takes_value =
            a == "--port" || a == "--speed" || a == "--tcp" || a == "--http" || a == "--field";
        if (takes_value && i + 1 == args.size()) return std::string(a) + " needs a value";
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
            const auto port = sim::port_number(args[++i]);
            if (!port) return "bad port '" + std::string(args[i]) + "' (1 to 65535)";
            o.port = *port;
            have_port = true;
        } else if (a == "--speed") {
            o.speed = sim::speed_factor(args[++i]);
            if (!o.speed) return "bad speed '" + std::string(args[i]) + "' (a number from 0.01 up)";
        } else if (a == "--tcp") {
            if (!read_host_port(args[++i], o))
                return "bad --tcp '" + std::string(args[i]) + "' (HOST:PORT)";
        } else if (a == "--http") {
            o.http_url = std::string(args[++i]);
        } else if (a == "--field") {
            o.http_field = std::string(args[++i]);
        } else if (a.starts_with("-") && a != "-") {
            return "unknown option '" + std::string(a) + "'";
        } else {
            if (!o.file.empty()) return "more than one file given";
            o.file = std::string(a);
        }
    }
    if (auto error = check_sources(o, have_port)) return *error;
    return o;
}

std::string_view bridge_usage_text() {
    return R"(Usage:
  eew-bridge --port N [--lan] [--speed F] [--training] [--assumed] FILE|-
  eew-bridge --port N [--lan] [--training] [--assumed] --tcp HOST:PORT
  eew-bridge --port N [--lan] [--training] [--assumed] --http URL --field NAME
  eew-bridge --help

Reads the agency's code-format EEW telegrams and sends each as one report
datagram to the receiver on 127.0.0.1:N. Prints one line per telegram: the
local time, the earthquake ID, the report number and what was sent or why
nothing was. Connection trouble goes to standard error.

  --port N          UDP port of the receiver (1 to 65535)
  --lan             LAN framing (the text and a line feed); without it, relay
                    framing (two blanks, the text and a line feed)
  FILE, -           telegrams from a file or standard input, one after
                    another; sent as they are read, a few milliseconds apart
  --speed F         play the FILE at the pace of its issue times, every wait
                    divided by F (0.01 at least); a gap of more than a minute
                    between two telegrams counts as a minute
  --tcp HOST:PORT   telegrams from a TCP stream, read as they come; the
                    connection is made again after a break, waiting 1, 2, 4 …
                    up to 30 s
  --http URL        poll URL once a second for a JSON object whose member
  --field NAME      NAME (a dotted path for nested objects) holds the text of
                    one telegram; a text is taken when it changes. Such
                    services are unofficial and may change or stop.
  --training        forward training, reference and test telegrams too
  --assumed         forward assumed hypocentres (M1.0 at 10 km) too

Sent: a report for each telegram whose hypocentre and magnitude are known,
with every element the receiver reads; its origin and issue times converted
from Japan Standard Time to this computer's local time. A cancellation sends
a noise message, which ends the receiver's display, and later reports of its
ID are dropped. Dropped: malformed telegrams (with the reason), unknown
hypocentre or magnitude, reports older than or repeating one already seen of
the same ID.

Exit status: 0 at the end of the input, 1 for an unreadable file or a failed
send, 2 for a bad command line.
)";
}

}  // namespace eew::bridge
