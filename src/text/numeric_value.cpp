#include "text/numeric_value.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace eew {
namespace {

bool is_skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of `s` that forms a decimal number.
std::size_t number_prefix(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && is_digit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && is_digit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0) return 0;
    std::size_t mantissa_end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exp_digits = 0;
        while (i < s.size() && is_digit(s[i]))
            ++i, ++exp_digits;
        if (exp_digits == 0) return mantissa_end;
    }
    return i;
}

std::string without_skipped(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!is_skipped(c)) compact.push_back(c);
    }
    return compact;
}

}  // namespace

bool starts_with_number(std::string_view text) {
    return number_prefix(without_skipped(text)) > 0;
}

double numeric_value(std::string_view text) {
    const std::string compact = without_skipped(text);
    std::size_t len = number_prefix(compact);
    if (len == 0) return 0.0;
    const char* first = compact.data();
    const char* last = first + len;
    // from_chars rejects a leading '+'.
    if (*first == '+') ++first;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return 0.0;
    return value;
}

long long integer_part(double value) {
    if (std::isnan(value)) return 0;
    double f = std::floor(value);
    constexpr double lo = static_cast<double>(std::numeric_limits<long long>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<long long>::max());
    if (f <= lo) return std::numeric_limits<long long>::min();
    if (f >= hi) return std::numeric_limits<long long>::max();
    return static_cast<long long>(f);
}

}  // namespace eew
