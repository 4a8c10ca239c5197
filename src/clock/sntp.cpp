#include "clock/sntp.hpp"

#include <cmath>

namespace eew {
namespace {

// NTP counts from 1900; 70 years, 17 of them leap.
constexpr double kUnixToNtp = 2'208'988'800.0;

void put_time(unsigned char* at, double unix_seconds) {
    const double ntp = unix_seconds + kUnixToNtp;
    const auto seconds = static_cast<std::uint64_t>(std::floor(ntp));
    const auto fraction = static_cast<std::uint64_t>((ntp - std::floor(ntp)) * 4294967296.0);
    const std::uint64_t v = seconds << 32 | (fraction & 0xffffffffu);
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<unsigned char>(v >> (56 - 8 * i));
}

std::uint64_t raw_time(const unsigned char* at) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = v << 8 | at[i];
    return v;
}

double unix_time(std::uint64_t raw) {
    return static_cast<double>(raw >> 32) + static_cast<double>(raw & 0xffffffffu) / 4294967296.0 -
           kUnixToNtp;
}

constexpr int kOriginate = 24, kReceive = 32, kTransmit = 40;

}  // namespace

SntpRequest sntp_request(double t1) {
    SntpRequest r{};
    r[0] = 0x23;  // no leap warning, version 4, client
    put_time(r.data() + kTransmit, t1);
    return r;
}

SntpRequest sntp_reply(double originate, double receive, double transmit, int stratum) {
    SntpRequest r{};
    r[0] = 0x24;  // no leap warning, version 4, server
    r[1] = static_cast<unsigned char>(stratum);
    put_time(r.data() + kOriginate, originate);
    put_time(r.data() + kReceive, receive);
    put_time(r.data() + kTransmit, transmit);
    return r;
}

std::variant<SntpMeasure, std::string> read_sntp_reply(std::span<const unsigned char> reply,
                                                       double t1, double t4) {
    if (reply.size() < 48) return std::string("a reply shorter than 48 bytes");
    const int leap = reply[0] >> 6, mode = reply[0] & 7, stratum = reply[1];
    if (mode != 4 && mode != 5) return std::string("not a server's reply");
    if (stratum == 0) return std::string("the server refused (kiss-of-death)");
    if (leap == 3) return std::string("the server is not synchronised");
    // The request's own transmit field, as sent, must come back unchanged.
    SntpRequest sent = sntp_request(t1);
    if (raw_time(reply.data() + kOriginate) != raw_time(sent.data() + kTransmit))
        return std::string("a reply to another request");
    const std::uint64_t transmit = raw_time(reply.data() + kTransmit);
    if (transmit == 0) return std::string("a reply without the server's time");
    const double t2 = unix_time(raw_time(reply.data() + kReceive)), t3 = unix_time(transmit);
    SntpMeasure m;
    m.offset_s = ((t2 - t1) + (t3 - t4)) / 2;
    m.round_trip_s = (t4 - t1) - (t3 - t2);
    if (m.round_trip_s < 0) return std::string("times that contradict each other");
    if (m.round_trip_s > 1.0) return std::string("a round trip over 1 s");
    return m;
}

}  // namespace eew
