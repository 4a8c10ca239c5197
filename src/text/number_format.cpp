#include "text/number_format.hpp"

#include <charconv>
#include <cmath>

#include "text/numeric_value.hpp"

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
    // a reader of the number expects, not as the binary 5.04999... would. The
    // rounding is done on the digits, so no value is too large to show exactly.
    const std::string text = plain_decimal(value);
    const bool negative = text.front() == '-';
    const std::size_t point = text.find('.');
    std::string digits =
        text.substr(negative ? 1 : 0,
                    point == std::string::npos ? std::string::npos : point - (negative ? 1 : 0));
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    digits += fraction.empty() ? '0' : fraction[0];
    if (fraction.size() > 1 && fraction[1] >= '5') {  // half away from zero
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    digits.insert(digits.size() - 1, ".");
    return (negative && !zero ? "-" : "") + digits;
}

double as_shown_to_one_decimal(double value) {
    return numeric_value(one_decimal(value));
}

}  // namespace eew
