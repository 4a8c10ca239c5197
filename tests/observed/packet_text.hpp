#pragma once

#include <cstdio>
#include <string>

namespace eew::test {

// Texts of the local network's fixed-layout packets, numbers right-aligned
// in their fields.
inline std::string packet_field(double value, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*g", width, value);
    return buffer;
}

inline std::string packet_text(std::string value, std::size_t width) {
    value.resize(width, ' ');
    return value;
}

inline std::string wave_header(int eqnum, int iseq, int ipkt, double pmin, int nobsall) {
    return "wave     " + packet_field(eqnum, 4) + packet_field(iseq, 2) + packet_field(ipkt, 2) +
           packet_field(pmin, 6) + packet_field(nobsall, 2);
}

// A station record of a waveform packet; `samples` is the hexadecimal run,
// `n` the announced sample count (-1: as many as `samples` holds).
inline std::string wave_record(const std::string& code, const std::string& polarity,
                               double distance, double peak, double p_time,
                               const std::string& samples, int n = -1) {
    if (n < 0) n = static_cast<int>(samples.size() / 2);
    return packet_text(code, 4) + packet_text(polarity, 2) + packet_field(distance, 3) +
           packet_field(1, 6) + packet_field(2, 6) + packet_field(peak, 7) +
           packet_field(p_time, 6) + packet_field(n, 3) + samples;
}

inline std::string obs_header(int nobs) {
    return "obs     " + packet_field(nobs, 3);
}

inline std::string obs_record(const std::string& latitude, const std::string& longitude,
                              double peak) {
    return packet_text(latitude, 5) + packet_text(longitude, 6) + packet_field(peak, 7);
}

}  // namespace eew::test
