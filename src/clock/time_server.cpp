#include "clock/time_server.hpp"

#include <fstream>

namespace eew {
namespace {

bool is_host(const std::string& h) {
    if (h.empty() || h.size() > 253) return false;
    for (char c : h) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
        if (!ok) return false;
    }
    return true;
}

std::optional<int> port_of(const std::string& p) {
    if (p.empty() || p.size() > 5 || p.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int port = std::stoi(p);
    return port >= 1 && port <= 65535 ? std::optional(port) : std::nullopt;
}

std::optional<TimeServer> parse(const std::string& line) {
    std::string host = line, port = "123";
    if (line.starts_with('[')) {
        const std::size_t end = line.find(']');
        if (end == std::string::npos) return std::nullopt;
        host = line.substr(1, end - 1);
        if (end + 1 < line.size()) {
            if (line[end + 1] != ':') return std::nullopt;
            port = line.substr(end + 2);
        }
    } else if (const std::size_t colon = line.find(':');
               colon != std::string::npos && line.find(':', colon + 1) == std::string::npos) {
        host = line.substr(0, colon);
        port = line.substr(colon + 1);
    }
    const auto number = port_of(port);
    if (!is_host(host) || !number) return std::nullopt;
    return TimeServer{host, *number};
}

}  // namespace

TimeServerFile read_time_server(const std::string& path) {
    TimeServerFile result;
    std::ifstream in(path, std::ios::binary);
    if (!in) return result;
    std::string line;
    std::getline(in, line);
    const std::size_t first = line.find_first_not_of(" \t\r");
    const std::size_t last = line.find_last_not_of(" \t\r");
    line = first == std::string::npos ? "" : line.substr(first, last - first + 1);
    result.server = parse(line);
    if (!result.server)
        result.fault = "The file \"" + path +
                       "\": line 1 is not HOST or HOST:PORT. The clock is "
                       "not compared with a time server.";
    return result;
}

}  // namespace eew
