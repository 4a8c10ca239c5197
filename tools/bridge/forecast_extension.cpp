#include "bridge/forecast_extension.hpp"

#include <cstdio>

#include "bridge/jst_time.hpp"
#include "feedlib/report_text.hpp"

namespace eew::bridge {
namespace {

std::string class_text(std::optional<Intensity> i) {
    static constexpr const char* kTexts[] = {"1", "2", "3", "4", "5-", "5+", "6-", "6+", "7"};
    return i ? kTexts[static_cast<int>(*i)] : "";
}

int seconds_of_day(int hour, int minute, int second) {
    return (hour * 60 + minute) * 60 + second;
}

// The telegram gives only the time of day; the shaking comes within minutes
// of the origin, so a time of day before the origin's is on the next day.
std::string arrival_text(const Telegram& t, const std::optional<ClockTime>& arrival) {
    if (!arrival) return "";
    const JstTime& o = t.origin;
    const int from = seconds_of_day(o.hour, o.minute, o.second);
    int ahead = seconds_of_day(arrival->hour, arrival->minute, arrival->second) - from;
    if (ahead < 0) ahead += 24 * 60 * 60;
    return feedlib::feed_date_time(local_time_of(o).plus_seconds(ahead));
}

}  // namespace

std::string forecast_extension(const Telegram& t) {
    if (t.areas.empty()) return "";
    std::string out = "<jma_forecast warning=\"" + std::string(t.kind[1] == 1 ? "1" : "0") +
                      "\" max=\"" + class_text(t.max_intensity) + "\">";
    for (const AreaForecast& a : t.areas) {
        char code[8];
        std::snprintf(code, sizeof code, "%03d", a.area % 1000);
        out += "<area code=\"" + std::string(code) + "\" from=\"" + class_text(a.lower) +
               "\" to=\"" + class_text(a.upper) + "\" arrival=\"" + arrival_text(t, a.s_arrival) +
               "\" kind=\"" + std::to_string(a.warning) + std::to_string(a.arrival) + "\"/>";
    }
    return out + "</jma_forecast>";
}

}  // namespace eew::bridge
