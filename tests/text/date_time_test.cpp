#include "text/date_time.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, long long s) {
    return *DateTime::from_fields(y, mo, d, h, mi, s);
}

TEST(DateTime, FeedTextDropsTheFractionCarriesSixtySecondsAndRefusesWhatIsNoDate) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"2024,4,1,9,0,12.5", "2024/04/01 09:00:12"}, {"2024,4,1,9,0", ""}, {"x,4,1,9,0,0", ""},
        {"2024,12,31,23,59,61", "2025/01/01 00:00:01"}, {"2024,2,30,9,0,0", ""},
        {" 2024, 04, 01, 09, 05, 03", "2024/04/01 09:05:03"}, {"2024,4,1,9,0,1e300", ""},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        const auto t = DateTime::from_feed_text(text);
        EXPECT_EQ(t ? t->text() : "", expected) << text;
    }
    EXPECT_EQ(DateTime::from_text("  2031/1/2 3:04:05 "), at(2031, 1, 2, 3, 4, 5));
}

TEST(DateTime, CountsTheBoundariesCrossedAndKnowsTheLeapYears) {
    const DateTime a = at(2024, 4, 1, 9, 0, 59), b = at(2024, 4, 1, 9, 1, 0);
    EXPECT_EQ(std::pair(seconds_between(a, b), minutes_between(a, b)), std::pair(1LL, 1LL));
    EXPECT_EQ(minutes_between(at(2024, 4, 1, 9, 0, 0), a), 0);
    EXPECT_EQ(seconds_between(at(2023, 12, 31, 23, 59, 50), at(2024, 1, 1, 0, 0, 10)), 20);
    EXPECT_FALSE(DateTime::from_fields(1900, 2, 29, 0, 0, 0));
    EXPECT_EQ(at(2000, 3, 1, 0, 0, -1).text(), "2000/02/29 23:59:59");
}

}  // namespace
}  // namespace eew
