#pragma once

#include <optional>
#include <string>

namespace eew {

// The time server the clock is compared with.
struct TimeServer {
    std::string host;
    int port = 123;
    bool operator==(const TimeServer&) const = default;
};

struct TimeServerFile {
    std::optional<TimeServer> server;
    std::optional<std::string> fault;  // a line that cannot be used, for a notice
};

// Reads the file's first line: HOST, HOST:PORT or [IPv6]:PORT (a bare IPv6
// address is a host). A missing file means no server, as shipped.
TimeServerFile read_time_server(const std::string& path);

}  // namespace eew
