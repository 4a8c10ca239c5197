#include "bridge/jst_time.hpp"

#include <ctime>

namespace eew::bridge {
namespace {

constexpr int kJstHoursAheadOfUtc = 9;

}  // namespace

DateTime local_time_of(const JstTime& t) {
    std::tm utc{};
    utc.tm_year = t.year - 1900;
    utc.tm_mon = t.month - 1;
    utc.tm_mday = t.day;
    utc.tm_hour = t.hour - kJstHoursAheadOfUtc;  // timegm carries it into the day before
    utc.tm_min = t.minute;
    utc.tm_sec = t.second;
    const std::time_t instant = timegm(&utc);
    std::tm local{};
    localtime_r(&instant, &local);
    return *DateTime::from_fields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace eew::bridge
