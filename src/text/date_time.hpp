#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace eew {

// A local calendar date-time with a resolution of one second. There is no
// time zone: the feed, the logs and the clock all speak local time.
class DateTime {
  public:
    DateTime() = default;

    // Builds a date-time from calendar fields. Month, day, hour and minute must
    // be in range; seconds may be any count and carry into the minutes.
    // Years 1..9999 only.
    static std::optional<DateTime> from_fields(int year, int month, int day, int hour, int minute,
                                               long long seconds);

    // The feed's form: six comma-separated numbers year,month,day,hour,minute,
    // second; the second may carry a fraction, which is dropped, and 60 or more
    // carries into the minutes. Nothing when fewer than six parts are given or
    // they do not form a valid date and time.
    static std::optional<DateTime> from_feed_text(std::string_view text);

    // The one text form the program writes: "yyyy/mm/dd hh:mm:ss".
    std::string text() const;
    // Reads text() back; surrounding blanks are allowed.
    static std::optional<DateTime> from_text(std::string_view text);

    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;

    DateTime plus_seconds(long long seconds) const;

    auto operator<=>(const DateTime&) const = default;

  private:
    explicit DateTime(long long s) : seconds_(s) {}
    // Seconds since 0001-01-01 00:00:00 in the proleptic Gregorian calendar.
    long long seconds_ = 0;

    friend long long seconds_between(const DateTime&, const DateTime&);
    friend long long minutes_between(const DateTime&, const DateTime&);
};

// Whole seconds (or minute boundaries) crossed from `from` to `to`; negative
// when `to` lies earlier.
long long seconds_between(const DateTime& from, const DateTime& to);
long long minutes_between(const DateTime& from, const DateTime& to);

}  // namespace eew
