#include "packet_text.hpp"

#include <cstdio>

namespace eew::test {
namespace {

std::string field(double value, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*g", width, value);
    return buffer;
}

std::string text(std::string value, std::size_t width) {
    value.resize(width, ' ');
    return value;
}

}  // namespace

std::string wave_header(int eqnum, int iseq, int ipkt, double pmin, int nobsall) {
    return "wave     " + field(eqnum, 4) + field(iseq, 2) + field(ipkt, 2) + field(pmin, 6) +
           field(nobsall, 2);
}

std::string wave_record(const std::string& code, const std::string& polarity, double distance,
                        double peak, double p_time, const std::string& samples, int n) {
    if (n < 0) n = static_cast<int>(samples.size() / 2);
    return text(code, 4) + text(polarity, 2) + field(distance, 3) + field(1, 6) + field(2, 6) +
           field(peak, 7) + field(p_time, 6) + field(n, 3) + samples;
}

std::string obs_header(int nobs) {
    return "obs     " + field(nobs, 3);
}

std::string obs_record(const std::string& latitude, const std::string& longitude, double peak) {
    return text(latitude, 5) + text(longitude, 6) + field(peak, 7);
}

}  // namespace eew::test
