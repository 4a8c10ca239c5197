#include "feedsim/command_line.hpp"

#include <charconv>
#include <cmath>

namespace eew::sim {
namespace {

// Slower than a hundredth would stretch waits beyond what anyone plays.
constexpr double kSlowestSpeed = 0.01;

}  // namespace

std::optional<int> port_number(std::string_view text) {
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<double> speed_factor(std::string_view text) {
    double speed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), speed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(speed) ||
        speed < kSlowestSpeed)
        return std::nullopt;
    return speed;
}

std::variant<Options, std::string> parse_command_line(const std::vector<std::string_view>& args) {
    Options o;
    bool have_port = false;
    bool have_speed = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool takes_value = a == "--port" || a == "--speed" || a == "--raw";
        if (takes_value && i + 1 == args.size()) return std::string(a) + " needs a value";
        if (a == "--help") {
            o.help = true;
            return o;
        } else if (a == "--lan") {
            o.framing = feedlib::Framing::lan;
        } else if (a == "--port") {
            const auto port = port_number(args[++i]);
            if (!port) return "bad port '" + std::string(args[i]) + "' (1 to 65535)";
            o.port = *port;
            have_port = true;
        } else if (a == "--speed") {
            const auto speed = speed_factor(args[++i]);
            if (!speed) return "bad speed '" + std::string(args[i]) + "' (a number from 0.01 up)";
            o.speed = *speed;
            have_speed = true;
        } else if (a == "--raw") {
            if (o.raw) return "--raw given twice";
            o.raw = std::string(args[++i]);
        } else if (a.starts_with("-")) {
            return "unknown option '" + std::string(a) + "'";
        } else {
            if (!o.file.empty()) return "more than one file given";
            o.file = std::string(a);
        }
    }
    if (!have_port) return "--port is required";
    if (o.raw && !o.file.empty()) return "give either a FILE or --raw, not both";
    if (!o.raw && o.file.empty()) return "give a FILE or --raw TEXT";
    if (o.raw && have_speed) return "--speed applies to files only";
    return o;
}

std::string_view usage_text() {
    return R"(Usage:
  eew-feed-sim --port N [--lan] [--speed F] FILE
  eew-feed-sim --port N [--lan] --raw TEXT
  eew-feed-sim --help

Sends EEW feed messages as UDP datagrams to 127.0.0.1:N, one message per
datagram, and prints one line per message sent: seconds after the start,
kind, and code/sequence.

  --port N    UDP port of the receiver (1 to 65535)
  --lan       LAN framing: the text and one trailing byte. Without it, relay
              framing: a two-byte prefix (two blanks), the text and one
              trailing byte. The trailing byte is a line feed. With a
              scenario, LAN mode also sends after each report its waveform
              packets and a station observation packet.
  --speed F   divide every wait by F (F > 1 plays faster, 0.01 at least); the
              times written in the reports do not change
  --raw TEXT  send TEXT once, at once
  FILE        a scenario file, or a log file written by the receiver (told
              apart by content: a log begins with "<?xml")

Log files: each record is a report, its arrival time, LF, CR, LF. The arrival
time is dropped (a report ends at its last '>') and the reports are paced by
the differences of their send_time values.

Scenario files: one keyword and its values per line; '#' starts a comment.
"quake" begins a quake; the lines after it describe it:
  origin SECONDS            origin time, whole seconds after the start (>= 0)
  epicentre LON LAT         final epicentre, degrees east and north
  depth KM                  final depth (0 to 800)
  magnitude M               final magnitude (0 to 10)
  reports COUNT INTERVAL    1 to 99 reports, INTERVAL whole seconds apart
  region KEY                region key as the reports carry it
  code CODE                 optional; default: the origin time yyyymmddhhmmss
  mechanism AZP THP AZT THT NOBS_POL NMIN_POL_ERR      optional
  noise DELAY               optional: a noise message DELAY seconds after the
                            last report
The origin time is the local time at the start plus SECONDS. The first report
follows it by 3 s plus depth / 8 km/s; the magnitude, mip, P-station count and
polarity count grow to their final values and the epicentre and depth settle
on theirs, the same way on every run. Reports of overlapping quakes interleave
in send order.

Example:
  quake
  origin 0
  epicentre 140.1 35.6
  depth 40
  magnitude 7.2
  reports 12 1
  region chiba_northwest
  noise 10

Exit status: 0 when every message was sent, 1 on an unreadable or malformed
file or a send failure, 2 on a bad command line.
)";
}

}  // namespace eew::sim
