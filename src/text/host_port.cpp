#include "text/host_port.hpp"

namespace eew {
namespace {

bool is_host(std::string_view h) {
    if (h.empty() || h.size() > 253) return false;
    for (char c : h) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
        if (!ok) return false;
    }
    return true;
}

std::optional<int> port_of(std::string_view p) {
    if (p.empty() || p.size() > 5 || p.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int port = 0;
    for (char c : p)
        port = port * 10 + (c - '0');
    return port >= 1 && port <= 65535 ? std::optional(port) : std::nullopt;
}

}  // namespace

std::optional<HostPort> parse_host_port(std::string_view text, int default_port) {
    std::string_view host = text;
    std::optional<int> port = default_port;
    if (text.starts_with('[')) {
        const std::size_t end = text.find(']');
        if (end == std::string_view::npos) return std::nullopt;
        host = text.substr(1, end - 1);
        if (end + 1 < text.size()) {
            if (text[end + 1] != ':') return std::nullopt;
            port = port_of(text.substr(end + 2));
        }
    } else if (const std::size_t colon = text.find(':');
               colon != std::string_view::npos &&
               text.find(':', colon + 1) == std::string_view::npos) {
        host = text.substr(0, colon);
        port = port_of(text.substr(colon + 1));
    }
    if (!is_host(host) || !port) return std::nullopt;
    return HostPort{std::string(host), *port};
}

}  // namespace eew
