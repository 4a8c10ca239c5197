#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bridge/bridge_rules.hpp"
#include "feedlib/feed_framing.hpp"

namespace eew::bridge {

struct BridgeOptions {
    bool help = false;
    int port = 0;
    feedlib::Framing framing = feedlib::Framing::relay;
    std::optional<double> speed;  // pace a file by its issue times
    RuleOptions rules;
    std::string file;  // a file of telegrams, "-" for standard input
    std::string tcp_host;
    int tcp_port = 0;
    std::string http_url;
    std::string http_field;
};

// Reads the arguments after the program name; a text says what is wrong.
std::variant<BridgeOptions, std::string> parse_bridge_command_line(
    const std::vector<std::string_view>& args);

std::string_view bridge_usage_text();

}  // namespace eew::bridge
