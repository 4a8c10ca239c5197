#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace eew {

// A datagram's sender in IPv6 form, an IPv4 address mapped (::ffff:a.b.c.d),
// as a dual-stack socket reports it.
using SenderAddress = std::array<std::uint8_t, 16>;

// "192.0.2.7", "2001:db8::1", "::ffff:192.0.2.7"; nothing for anything else.
std::optional<SenderAddress> parse_sender_address(std::string_view text);
// The address as people write it: IPv4 dotted for a mapped address.
std::string sender_text(const SenderAddress& address);

// The senders a LAN display takes datagrams from: addresses and networks
// (CIDR), IPv4 or IPv6. Anyone on the network can reach a socket bound to all
// addresses, and a forged report would make every display announce a quake.
class LanSenders {
  public:
    bool allows(const SenderAddress& sender) const;
    void add(const SenderAddress& network, int prefix_bits);

  private:
    struct Network {
        SenderAddress bytes;
        int prefix_bits;  // of the IPv6 form: an IPv4 /24 is 96 + 24
    };
    std::vector<Network> networks_;
};

struct LanSendersFile {
    std::optional<LanSenders> senders;  // nothing: no file, every sender is taken
    std::vector<std::string> faults;    // one per line that could not be used, naming it
};

// One address or network a line ("192.168.1.0/24", "fd00::/8", "10.0.0.5");
// blank lines and lines starting with '#' are skipped. A line that is neither
// is named in a fault and allows nobody.
LanSendersFile read_lan_senders(const std::string& path);

}  // namespace eew
