#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "feedlib/feed_framing.hpp"

namespace eew::sim {

struct Options {
    bool help = false;
    int port = 0;
    feedlib::Framing framing = feedlib::Framing::relay;
    double speed = 1;
    std::string file;                // a scenario or a log file
    std::optional<std::string> raw;  // one message given on the command line
};

// A port number 1 to 65535, written whole; nothing otherwise.
std::optional<int> port_number(std::string_view text);
// A speed factor of 0.01 or more, written whole; nothing otherwise.
std::optional<double> speed_factor(std::string_view text);

// Reads the arguments after the program name; a text says what is wrong.
std::variant<Options, std::string> parse_command_line(const std::vector<std::string_view>& args);

// The --help text: usage, framing and the scenario format.
std::string_view usage_text();

}  // namespace eew::sim
