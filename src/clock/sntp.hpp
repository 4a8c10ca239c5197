#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace eew {

// One SNTP exchange (RFC 4330): the client's request carries its send time
// t1; the server's reply its receive time t2, its send time t3 and t1 back as
// the originate time; the client notes the reply's arrival t4. Times are
// seconds since 1970 on each side's own clock.
using SntpRequest = std::array<unsigned char, 48>;

SntpRequest sntp_request(double t1);

struct SntpMeasure {
    double offset_s = 0;      // how far the server's clock is ahead of this one
    double round_trip_s = 0;  // the exchange's time on the network
};

// The offset and round trip of a reply, or why it is discarded: not a
// server's reply of 48 bytes or more, a kiss-of-death or stratum 0, an
// unsynchronised server, an originate time that is not t1 (a reply to
// another request, or forged), or a round trip over one second, whose offset
// could be half a second wrong.
std::variant<SntpMeasure, std::string> read_sntp_reply(std::span<const unsigned char> reply,
                                                       double t1, double t4);

// A reply as a server writes it, for tests and tools: stratum 2, the given
// times.
SntpRequest sntp_reply(double originate, double receive, double transmit, int stratum = 2);

}  // namespace eew
