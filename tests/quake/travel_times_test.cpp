#include "quake/travel_times.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "app/main_state.hpp"

namespace eew {
namespace {

constexpr long long kMax = std::numeric_limits<long long>::max();

// Row `row` of a table whose front has reached `reach` km at second 300, at a steady pace.
void fill_row(TravelTable& table, int row, double reach) {
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        table.set(row, t, reach * t / TravelTable::kSeconds);
}

// Only the row of `depth_div` holds data, so reading another row shows.
MainState site_at(int depth_div, double dist, double reach = 1200.0) {
    MainState s;
    fill_row(s.traveltime_table_s, std::max(depth_div, 1), reach);
    s.followed.depth_div = depth_div;
    s.followed.dist = dist;
    return s;
}

TEST(STravelTime, IsTheFirstSecondTheFrontHasReachedTheSiteDownToFourHundredKm) {
    // 1200 km at 300 s is 4 km/s; beyond the table the front moves 5 km/s.
    const std::tuple<int, double, double, long long, int> cases[] = {
        {3, 1200, 40, 10, 1},    {3, 1200, 40.001, 11, 1}, {3, 1200, 0.00001, 1, 1},
        {3, 1000, 1000, 300, 1}, {3, 1000, 1012, 302, 1},  {80, 1200, 40, 10, 1},
        {81, 1200, 40, 0, 0},    {0, 1200, 40, 10, 1},     {-1, 1200, 40, 10, 1},
    };
    for (const auto& [depth_div, reach, dist, traveltime, flag] : cases) {
        MainState s = site_at(depth_div, dist, reach);
        s_travel_time(s);
        EXPECT_EQ(s.travel.traveltime, traveltime) << depth_div << " " << dist;
        EXPECT_EQ(s.travel.travel_s_data_flag, flag) << depth_div;
    }
}

TEST(STravelTime, ABrokenTableWithNaNStopsAtSecondThreeHundred) {
    MainState s = site_at(3, 50.0, 0.0);
    s.traveltime_table_s.set(3, TravelTable::kSeconds, std::nan(""));
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 300);
}

TEST(STravelTime, LongPeriodTimeIsTheWholeSecondsAtAPositiveSpeed) {
    const std::pair<double, long long> cases[] = {{3, 33}, {0, 0}, {-2, 0}, {std::nan(""), 0}};
    for (const auto& [velocity, seconds] : cases) {
        MainState s = site_at(3, 100.0);
        s.lpwave.lpwave_velocity = velocity;
        s_travel_time(s);
        EXPECT_EQ(s.travel.lpwave_travel_time, seconds) << velocity;
    }
}

TEST(STravelTimeRef, TimesOnlyTheNearestReferenceSiteWhenThereIsOne) {
    MainState s = site_at(3, 40.0);
    s.travel.travel_s_data_ref_flag = 1;
    s_travel_time_ref(s);
    EXPECT_EQ(s.travel.travel_s_data_ref_flag, 0);

    s.estimates = {.dist_ref_min = 80.0, .ref_site_i_min = 2};
    s_travel_time_ref(s);
    EXPECT_EQ(s.travel.traveltime_ref, 20);
    EXPECT_EQ(s.travel.travel_s_data_ref_flag, 1);

    // Too deep: the flag is cleared and the time kept.
    s.followed.depth_div = 81;
    s_travel_time_ref(s);
    EXPECT_EQ(s.travel.traveltime_ref, 20);
    EXPECT_EQ(s.travel.travel_s_data_ref_flag, 0);
}

TEST(UpdateElapsedTimes, CountdownsFallAsTheSecondsPassAndSaturate) {
    MainState s;
    s.followed.origintime = *DateTime::from_fields(2024, 1, 1, 12, 0, 55);
    s.travel = {.traveltime = 25, .traveltime_ref = 40, .lpwave_travel_time = kMax};
    update_elapsed_times(s, *DateTime::from_fields(2024, 1, 1, 12, 1, 5));
    EXPECT_EQ(s.travel.lapse, 10);
    EXPECT_EQ(s.travel.countdown, 15);
    EXPECT_EQ(s.travel.countdown_ref, 30);
    EXPECT_EQ(s.travel.lpwave_countdown, kMax - 10);

    update_elapsed_times(s, *DateTime::from_fields(2024, 1, 1, 12, 1, 45));
    EXPECT_EQ(s.travel.countdown, -25);

    // An origin ahead of the clock.
    update_elapsed_times(s, *DateTime::from_fields(2024, 1, 1, 12, 0, 52));
    EXPECT_EQ(s.travel.lapse, -3);
    EXPECT_EQ(s.travel.countdown, 28);
    EXPECT_EQ(s.travel.lpwave_countdown, kMax);
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
