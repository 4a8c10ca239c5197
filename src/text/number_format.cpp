#include "text/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace eew {

std::string plain_decimal(double value) {
    if (!std::isfinite(value) || value == 0.0) return "0";
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

std::string one_decimal(double value) {
    if (!std::isfinite(value)) return "0.0";
    // Round on the decimal text of the value, so that 5.05 shows as 5.1 the way
    // a reader of the number expects, not as the binary 5.04999... would.
    double scaled = std::round(std::stod(plain_decimal(value * 10.0)));
    if (scaled == 0.0) scaled = 0.0;  // no "-0.0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", scaled / 10.0);
    return buf;
}

}  // namespace eew
