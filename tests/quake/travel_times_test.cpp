#include "quake/travel_times.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "quake/estimates.hpp"
#include "quake/report_fields.hpp"
#include "quake/travel_table.hpp"

namespace eew {
namespace {

constexpr long long kMax = std::numeric_limits<long long>::max();

// Row `row` of a table whose front has reached `reach` km at second 300, at a steady pace.
void fill_row(TravelTable& table, int row, double reach) {
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        table.set(row, t, reach * t / TravelTable::kSeconds);
}

// The S table (only the row of `depth_div` holds data, so reading another
// row shows) and the followed event at `dist` km.
struct Site {
    Site(int depth_div, double dist, double reach = 1200.0) {
        fill_row(table, std::max(depth_div, 1), reach);
        f.depth_div = depth_div;
        f.dist = dist;
    }
    TravelTable table;
    FollowedEvent f;
    TravelTimes tt;
};

TEST(STravelTime, IsTheFirstSecondTheFrontHasReachedTheSiteDownToFourHundredKm) {
    // 1200 km at 300 s is 4 km/s; beyond the table the front moves 5 km/s.
    const std::tuple<int, double, double, long long, int> cases[] = {
        {3, 1200, 40, 10, 1},    {3, 1200, 40.001, 11, 1}, {3, 1200, 0.00001, 1, 1},
        {3, 1000, 1000, 300, 1}, {3, 1000, 1012, 302, 1},  {80, 1200, 40, 10, 1},
        {81, 1200, 40, 0, 0},    {0, 1200, 40, 10, 1},     {-1, 1200, 40, 10, 1},
    };
    for (const auto& [depth_div, reach, dist, traveltime, flag] : cases) {
        Site s(depth_div, dist, reach);
        s_travel_time(s.table, s.f, 3.0, s.tt);
        EXPECT_EQ(s.tt.traveltime, traveltime) << depth_div << " " << dist;
        EXPECT_EQ(s.tt.travel_s_data_flag, flag) << depth_div;
    }
}

TEST(STravelTime, ABrokenTableWithNaNStopsAtSecondThreeHundred) {
    Site s(3, 50.0, 0.0);
    s.table.set(3, TravelTable::kSeconds, std::nan(""));
    s_travel_time(s.table, s.f, 3.0, s.tt);
    EXPECT_EQ(s.tt.traveltime, 300);
}

TEST(STravelTime, LongPeriodTimeIsTheWholeSecondsAtAPositiveSpeed) {
    const std::pair<double, long long> cases[] = {{3, 33}, {0, 0}, {-2, 0}, {std::nan(""), 0}};
    for (const auto& [velocity, seconds] : cases) {
        Site s(3, 100.0);
        s_travel_time(s.table, s.f, velocity, s.tt);
        EXPECT_EQ(s.tt.lpwave_travel_time, seconds) << velocity;
    }
}

TEST(STravelTimeRef, TimesOnlyTheNearestReferenceSiteWhenThereIsOne) {
    Site s(3, 40.0);
    s.tt.travel_s_data_ref_flag = 1;
    s_travel_time_ref(s.table, s.f, Estimates{}, s.tt);
    EXPECT_EQ(s.tt.travel_s_data_ref_flag, 0);

    const Estimates nearest{.dist_ref_min = 80.0, .ref_site_i_min = 2};
    s_travel_time_ref(s.table, s.f, nearest, s.tt);
    EXPECT_EQ(s.tt.traveltime_ref, 20);
    EXPECT_EQ(s.tt.travel_s_data_ref_flag, 1);

    // Too deep: the flag is cleared and the time kept.
    s.f.depth_div = 81;
    s_travel_time_ref(s.table, s.f, nearest, s.tt);
    EXPECT_EQ(s.tt.traveltime_ref, 20);
    EXPECT_EQ(s.tt.travel_s_data_ref_flag, 0);
}

TEST(UpdateElapsedTimes, CountdownsFallAsTheSecondsPassAndSaturate) {
    const DateTime origin = *DateTime::from_fields(2024, 1, 1, 12, 0, 55);
    TravelTimes tt{.traveltime = 25, .traveltime_ref = 40, .lpwave_travel_time = kMax};
    update_elapsed_times(origin, *DateTime::from_fields(2024, 1, 1, 12, 1, 5), tt);
    EXPECT_EQ(tt.lapse, 10);
    EXPECT_EQ(tt.countdown, 15);
    EXPECT_EQ(tt.countdown_ref, 30);
    EXPECT_EQ(tt.lpwave_countdown, kMax - 10);

    // An origin ahead of the clock.
    update_elapsed_times(origin, *DateTime::from_fields(2024, 1, 1, 12, 0, 52), tt);
    EXPECT_EQ(tt.lapse, -3);
    EXPECT_EQ(tt.countdown, 28);
    EXPECT_EQ(tt.lpwave_countdown, kMax);
}

TEST(WaveFrontDistance, FollowsTheTableThenFiveKmPerSecondForSAndEightForP) {
    TravelTable table;
    fill_row(table, 1, 1200.0);
    fill_row(table, 5, 2100.0);
    const std::tuple<Wave, int, long long, double> cases[] = {
        {Wave::p, 5, 0, 0},      {Wave::p, 5, 12, 84},    {Wave::p, 5, 300, 2100},
        {Wave::p, 5, 310, 2180}, {Wave::s, 5, 310, 2150}, {Wave::p, 5, -4, 0},
        {Wave::s, 0, 10, 40},    {Wave::s, -2, 10, 40},
    };
    for (const auto& [wave, depth_div, seconds, km] : cases)
        EXPECT_EQ(wave_front_distance(table, wave, depth_div, seconds), km) << seconds;
}

}  // namespace
}  // namespace eew
