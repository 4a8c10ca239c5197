#include "text/date_time.hpp"

#include <cmath>
#include <cstdio>
#include <vector>

#include "text/numeric_value.hpp"

namespace eew {
namespace {

constexpr long long kSecondsPerDay = 86400;

bool is_leap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int days_in_month(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && is_leap(y) ? 29 : days[m - 1];
}

// Days from 0001-01-01 to y-m-d (Howard Hinnant's days_from_civil, shifted).
long long days_from_civil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 306;  // day 0 = 0001-01-01
}

struct Civil {
    long long y;
    unsigned m, d;
};

Civil civil_from_days(long long z) {
    z += 306;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {y + (m <= 2), m, d};
}

long long floor_div(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A calendar part given as a number: it must be a whole number.
std::optional<int> whole_part(std::string_view text) {
    double v = numeric_value(text);
    if (v != std::floor(v) || std::fabs(v) > 1e6) return std::nullopt;
    return static_cast<int>(v);
}

}  // namespace

std::optional<DateTime> DateTime::from_fields(int year, int month, int day, int hour, int minute,
                                              long long seconds) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > days_in_month(year, month)) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    // Far outside any real use; keeps the sum below from overflowing.
    if (seconds < -kSecondsPerDay * 366 * 100 || seconds > kSecondsPerDay * 366 * 100)
        return std::nullopt;
    long long s = days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) *
                      kSecondsPerDay +
                  hour * 3600LL + minute * 60LL + seconds;
    DateTime dt(s);
    if (dt.year() < 1 || dt.year() > 9999) return std::nullopt;
    return dt;
}

std::optional<DateTime> DateTime::from_feed_text(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        parts.push_back(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 6) return std::nullopt;
    int fields[5];
    for (int i = 0; i < 5; ++i) {
        auto v = whole_part(parts[i]);
        if (!v) return std::nullopt;
        fields[i] = *v;
    }
    double sec = numeric_value(parts[5]);
    if (std::fabs(sec) > 1e9) return std::nullopt;
    return from_fields(fields[0], fields[1], fields[2], fields[3], fields[4], integer_part(sec));
}

std::string DateTime::text() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", year(), month(), day(), hour(),
                  minute(), second());
    return buf;
}

std::optional<DateTime> DateTime::from_text(std::string_view text) {
    int y, mo, d, h, mi, s;
    char tail;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), " %d/%d/%d %d:%d:%d %c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        return std::nullopt;
    if (s < 0 || s > 59) return std::nullopt;
    return from_fields(y, mo, d, h, mi, s);
}

int DateTime::year() const {
    return static_cast<int>(civil_from_days(floor_div(seconds_, kSecondsPerDay)).y);
}
int DateTime::month() const {
    return static_cast<int>(civil_from_days(floor_div(seconds_, kSecondsPerDay)).m);
}
int DateTime::day() const {
    return static_cast<int>(civil_from_days(floor_div(seconds_, kSecondsPerDay)).d);
}
int DateTime::hour() const {
    return static_cast<int>(seconds_ - floor_div(seconds_, kSecondsPerDay) * kSecondsPerDay) / 3600;
}
int DateTime::minute() const {
    return static_cast<int>((seconds_ - floor_div(seconds_, 3600) * 3600) / 60);
}
int DateTime::second() const {
    return static_cast<int>(seconds_ - floor_div(seconds_, 60) * 60);
}

DateTime DateTime::plus_seconds(long long seconds) const {
    return DateTime(seconds_ + seconds);
}

long long seconds_between(const DateTime& from, const DateTime& to) {
    return to.seconds_ - from.seconds_;
}

long long minutes_between(const DateTime& from, const DateTime& to) {
    return floor_div(to.seconds_, 60) - floor_div(from.seconds_, 60);
}

}  // namespace eew
