#include "text/date_time.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, long long s) {
    return *DateTime::from_fields(y, mo, d, h, mi, s);
}

TEST(DateTime, FeedTextDropsTheFractionCarriesSixtySecondsAndRefusesWhatIsNoDate) {
    const std::pair<const char*, const char*> cases[] = {
        {"2024,4,1,9,0,12.5", "2024/04/01 09:00:12"},
        {"2024,4,1,9,0,60", "2024/04/01 09:01:00"},
        {"2024,12,31,23,59,61", "2025/01/01 00:00:01"},
        {" 2024, 04, 01, 09, 05, 03", "2024/04/01 09:05:03"},
        {"2024,2,29,9,0,0,extra", "2024/02/29 09:00:00"},
        {"2024,4,1,9,0", ""},  // five parts
        {"", ""},
        {"2024,2,30,9,0,0", ""},
        {"2024,13,1,9,0,0", ""},
        {"2024,4,1,24,0,0", ""},
        {"2024,4,1,9,60,0", ""},
        {"x,4,1,9,0,0", ""},
        {"2024,4.5,1,9,0,0", ""},
        {"2024,4,1,9,0,1e300", ""},
    };
    for (const auto& [text, expected] : cases) {
        const auto t = DateTime::from_feed_text(text);
        EXPECT_EQ(t ? t->text() : "", expected) << text;
    }
}

TEST(DateTime, TextFormReadsBack) {
    const DateTime t = at(2031, 1, 2, 3, 4, 5);
    EXPECT_EQ(t.text(), "2031/01/02 03:04:05");
    EXPECT_EQ(DateTime::from_text("  2031/1/2 3:04:05 "), t);
    for (const char* bad : {"2031/01/02 03:04", "2031/01/02 03:04:05 x", "2031/01/02 03:04:60"})
        EXPECT_FALSE(DateTime::from_text(bad)) << bad;
}

TEST(DateTime, SecondsAndMinutesCountTheBoundariesCrossed) {
    const DateTime a = at(2024, 4, 1, 9, 0, 59), b = at(2024, 4, 1, 9, 1, 0);
    EXPECT_EQ(seconds_between(a, b), 1);
    EXPECT_EQ(minutes_between(a, b), 1);  // one second, but a minute boundary
    EXPECT_EQ(minutes_between(b, a), -1);
    EXPECT_EQ(minutes_between(at(2024, 4, 1, 9, 0, 0), a), 0);
    EXPECT_EQ(seconds_between(at(2023, 12, 31, 23, 59, 50), at(2024, 1, 1, 0, 0, 10)), 20);
    EXPECT_EQ(minutes_between(at(2024, 4, 2, 9, 0, 0), at(2024, 4, 1, 9, 0, 0)), -1440);
}

TEST(DateTime, CalendarFieldsSurviveLeapYearsAndCenturies) {
    for (auto [y, m, d] : {std::tuple{2000, 2, 29}, {1900, 3, 1}, {2100, 12, 31}, {1, 1, 1}}) {
        const DateTime t = at(y, m, d, 23, 59, 59);
        EXPECT_EQ(std::tuple(t.year(), t.month(), t.day(), t.second()), std::tuple(y, m, d, 59));
    }
    EXPECT_FALSE(DateTime::from_fields(1900, 2, 29, 0, 0, 0));
    EXPECT_EQ(at(2024, 3, 1, 0, 0, -1).text(), "2024/02/29 23:59:59");
}

}  // namespace
}  // namespace eew
