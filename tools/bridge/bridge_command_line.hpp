#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bridge/bridge_rules.hpp"
#include "config/broker_config.hpp"
#include "feedlib/feed_framing.hpp"

namespace eew::bridge {

enum class SourceKind { file, tcp, http, ws };

// One place telegrams come from.
struct Source {
    SourceKind kind = SourceKind::file;
    std::string address;  // the file ("-" standard input), the TCP host or the URL
    int port = 0;         // TCP only
    std::string field;    // the JSON member holding the telegram (HTTP, WebSocket)

    // How the output names it: "file x", "tcp host:port", "http URL", "ws URL".
    std::string label() const;
    bool operator==(const Source&) const = default;
};

struct BridgeOptions {
    bool help = false;
    int port = 0;
    feedlib::Framing framing = feedlib::Framing::relay;
    std::optional<double> speed;  // pace the files by their issue times
    RuleOptions rules;
    std::vector<Source> sources;  // in the order given
    std::string ca_file;          // a certificate trusted besides the system's
    std::string header_file;      // request headers, "Name: value" a line
    // The broker each message is published to besides (or instead of) the port.
    std::optional<BrokerAddress> broker;
    std::string topic;
    std::string auth_file;  // the broker's user name and password, a line each
    int expiry_s = 120;     // how long the broker keeps a message for a display away
};

// Reads the arguments after the program name; a text says what is wrong.
std::variant<BridgeOptions, std::string> parse_bridge_command_line(
    const std::vector<std::string_view>& args);

std::string_view bridge_usage_text();

}  // namespace eew::bridge
