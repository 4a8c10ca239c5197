#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace eew {

struct HostPort {
    std::string host;  // a name or an address, IPv6 without its brackets
    int port = 0;
};

// "HOST", "HOST:PORT", "[IPv6]" or "[IPv6]:PORT", with `default_port` where
// none is given; a bare IPv6 address (more than one colon) is a host alone.
// Nothing for an empty host, a character no host name or address has, or a
// port outside 1..65535.
std::optional<HostPort> parse_host_port(std::string_view text, int default_port);

}  // namespace eew
