#include "clock/time_server.hpp"

#include <fstream>

#include "text/host_port.hpp"
#include "text/trimmed.hpp"

namespace eew {
namespace {

std::optional<TimeServer> parse(std::string_view line) {
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
    result.server = parse(trimmed(line));
    if (!result.server)
        result.fault = "The file \"" + path +
                       "\": line 1 is not HOST or HOST:PORT. The clock is "
                       "not compared with a time server.";
    return result;
}

}  // namespace eew
