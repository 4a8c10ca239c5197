#include "clock/time_server.hpp"

#include <fstream>

#include "text/host_port.hpp"

namespace eew {
namespace {

std::optional<TimeServer> parse(const std::string& line) {
    const auto address = parse_host_port(line, 123);
    if (!address) return std::nullopt;
    return TimeServer{address->host, address->port};
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
