#include "config/lan_senders.hpp"

#include <arpa/inet.h>

#include <cstring>
#include <fstream>

#include "text/trimmed.hpp"

namespace eew {
namespace {

// The twelve bytes before an IPv4 address in its IPv6 form.
constexpr std::array<std::uint8_t, 12> kMappedPrefix = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};

bool is_mapped(const SenderAddress& a) {
    return std::memcmp(a.data(), kMappedPrefix.data(), kMappedPrefix.size()) == 0;
}

}  // namespace

std::optional<SenderAddress> parse_sender_address(std::string_view text) {
    if (text.empty() || text.size() > INET6_ADDRSTRLEN) return std::nullopt;
    const std::string s(text);
    SenderAddress a{};
    in_addr v4{};
    if (inet_pton(AF_INET, s.c_str(), &v4) == 1) {
        std::memcpy(a.data(), kMappedPrefix.data(), kMappedPrefix.size());
        std::memcpy(a.data() + 12, &v4, 4);
        return a;
    }
    if (inet_pton(AF_INET6, s.c_str(), a.data()) == 1) return a;
    return std::nullopt;
}

std::string sender_text(const SenderAddress& a) {
    char text[INET6_ADDRSTRLEN] = {};
    if (is_mapped(a)) {
        inet_ntop(AF_INET, a.data() + 12, text, sizeof text);
    } else {
        inet_ntop(AF_INET6, a.data(), text, sizeof text);
    }
    return text;
}

void LanSenders::add(const SenderAddress& network, int prefix_bits) {
    networks_.push_back({network, prefix_bits});
}

bool LanSenders::allows(const SenderAddress& sender) const {
    for (const Network& n : networks_) {
        const int whole = n.prefix_bits / 8;
        const int rest = n.prefix_bits % 8;
        if (std::memcmp(sender.data(), n.bytes.data(), whole) != 0) continue;
        const std::uint8_t mask = static_cast<std::uint8_t>(0xff << (8 - rest));
        if (rest == 0 || ((sender[whole] ^ n.bytes[whole]) & mask) == 0) return true;
    }
    return false;
}

LanSendersFile read_lan_senders(const std::string& path) {
    LanSendersFile result;
    std::ifstream in(path, std::ios::binary);
    if (!in) return result;
    result.senders.emplace();
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        const std::string text(trimmed(line));
        if (text.empty() || text.starts_with('#')) continue;
        const std::size_t slash = text.find('/');
        const auto address = parse_sender_address(text.substr(0, slash));
        const int most = address && is_mapped(*address) ? 32 : 128;
        int bits = most;
        bool usable = address.has_value();
        if (usable && slash != std::string::npos) {
            const std::string digits = text.substr(slash + 1);
            usable = !digits.empty() && digits.size() <= 3 &&
                     digits.find_first_not_of("0123456789") == std::string::npos &&
                     std::stoi(digits) <= most;
            if (usable) bits = std::stoi(digits);
        }
        if (!usable) {
            result.faults.push_back("The file \"" + path + "\": line " + std::to_string(n) +
                                    " is not an address or network (192.168.1.0/24, fd00::/8).");
            continue;
        }
        result.senders->add(*address, most == 32 ? 96 + bits : bits);
    }
    return result;
}

}  // namespace eew
