#include "quake/travel_times.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/main_state.hpp"

namespace eew {
namespace {

// Row `row` of a table whose front moves `km_per_second` every second.
void fill_row(TravelTable& table, int row, double km_per_second) {
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        table.set(row, t, km_per_second * t);
}

MainState site_at(int depth_div, double dist) {
    MainState s;
    fill_row(s.traveltime_table_s, depth_div < 1 ? 1 : depth_div, 4.0);
    s.followed.depth_div = depth_div;
    s.followed.dist = dist;
    s.lpwave.lpwave_velocity = 3.0;
    return s;
}

TEST(STravelTime, IsTheFirstSecondAtWhichTheFrontHasReachedTheSite) {
    MainState s = site_at(3, 40.0);
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 10);
    EXPECT_EQ(s.travel.travel_s_data_flag, 1);

    s.followed.dist = 40.001;
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 11);

    s.followed.dist = 0.00001;
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 1);
}

TEST(STravelTime, BeyondThreeHundredSecondsTheFrontMovesFiveKmPerSecond) {
    MainState s = site_at(3, 1012.0);
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        s.traveltime_table_s.set(3, t, 1000.0 * t / 300);
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 302);
    s.followed.dist = 1000.0;
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 300);
}

TEST(STravelTime, SourcesFourHundredKmDeepClearTheFlagAndKeepThePreviousTime) {
    MainState s = site_at(80, 40.0);
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 10);
    EXPECT_EQ(s.travel.travel_s_data_flag, 1);

    s.followed.depth_div = 81;
    s.followed.dist = 90.0;
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 10);
    EXPECT_EQ(s.travel.travel_s_data_flag, 0);
    EXPECT_EQ(s.travel.lpwave_travel_time, 30);
}

TEST(STravelTime, ANegativeDepthUsesTheShallowestRow) {
    for (int depth_div : {0, -1}) {
        MainState s = site_at(depth_div, 40.0);
        s_travel_time(s);
        EXPECT_EQ(s.travel.traveltime, 10) << depth_div;
        EXPECT_EQ(s.travel.travel_s_data_flag, 1);
    }
}

TEST(STravelTime, ABrokenTableNeverSearchesPastSecondThreeHundred) {
    MainState s = site_at(3, 50.0);
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        s.traveltime_table_s.set(3, t, 0.0);
    s.traveltime_table_s.set(3, TravelTable::kSeconds, std::nan(""));
    s_travel_time(s);
    EXPECT_EQ(s.travel.traveltime, 300);
    EXPECT_EQ(s.travel.travel_s_data_flag, 1);
}

TEST(STravelTime, LongPeriodTimeIsTheWholeSecondsAtTheConfiguredSpeed) {
    MainState s = site_at(3, 100.0);
    s_travel_time(s);
    EXPECT_EQ(s.travel.lpwave_travel_time, 33);
    for (double v : {0.0, -2.0, std::nan("")}) {
        s.lpwave.lpwave_velocity = v;
        s_travel_time(s);
        EXPECT_EQ(s.travel.lpwave_travel_time, 0) << v;
    }
}

TEST(STravelTimeRef, TimesTheNearestReferenceSiteOnly) {
    MainState s = site_at(3, 40.0);
    s.estimates.dist_ref_min = 80.0;
    s.estimates.ref_site_i_min = 2;
    s_travel_time_ref(s);
    EXPECT_EQ(s.travel.traveltime_ref, 20);
    EXPECT_EQ(s.travel.travel_s_data_ref_flag, 1);
    EXPECT_EQ(s.travel.traveltime, 0);
    EXPECT_EQ(s.travel.lpwave_travel_time, 0);

    s.followed.depth_div = 81;
    s_travel_time_ref(s);
    EXPECT_EQ(s.travel.traveltime_ref, 20);
    EXPECT_EQ(s.travel.travel_s_data_ref_flag, 0);
}

TEST(STravelTimeRef, WithoutANearestSiteThereIsNothingToCountDown) {
    MainState s = site_at(3, 40.0);
    s.travel.travel_s_data_ref_flag = 1;
    s.estimates.ref_site_i_min = 0;
    s_travel_time_ref(s);
    EXPECT_EQ(s.travel.travel_s_data_ref_flag, 0);
}

TEST(UpdateElapsedTimes, CountdownsFallAsTheSecondsPass) {
    MainState s;
    s.followed.origintime = *DateTime::from_fields(2024, 1, 1, 12, 0, 55);
    s.travel.traveltime = 25;
    s.travel.traveltime_ref = 40;
    s.travel.lpwave_travel_time = 100;
    const DateTime now = *DateTime::from_fields(2024, 1, 1, 12, 1, 5);

    update_elapsed_times(s, now);
    EXPECT_EQ(s.travel.lapse, 10);
    EXPECT_EQ(s.travel.countdown, 15);
    EXPECT_EQ(s.travel.countdown_ref, 30);
    EXPECT_EQ(s.travel.lpwave_countdown, 90);

    update_elapsed_times(s, now.plus_seconds(10));
    EXPECT_EQ(s.travel.countdown, 5);

    update_elapsed_times(s, now.plus_seconds(40));
    EXPECT_EQ(s.travel.countdown, -25);
}

TEST(UpdateElapsedTimes, AnOriginAheadOfTheClockGivesANegativeLapse) {
    MainState s;
    s.followed.origintime = *DateTime::from_fields(2024, 1, 1, 12, 0, 3);
    s.travel.traveltime = 20;
    s.travel.lpwave_travel_time = std::numeric_limits<long long>::max();
    update_elapsed_times(s, *DateTime::from_fields(2024, 1, 1, 12, 0, 0));
    EXPECT_EQ(s.travel.lapse, -3);
    EXPECT_EQ(s.travel.countdown, 23);
    EXPECT_EQ(s.travel.lpwave_countdown, std::numeric_limits<long long>::max());
}

TEST(WaveFrontDistance, FollowsTheTableThenAConstantSpeed) {
    TravelTable p;
    fill_row(p, 5, 7.0);
    EXPECT_EQ(wave_front_distance(p, Wave::p, 5, 0), 0.0);
    EXPECT_EQ(wave_front_distance(p, Wave::p, 5, 12), 84.0);
    EXPECT_EQ(wave_front_distance(p, Wave::p, 5, 300), 2100.0);
    EXPECT_EQ(wave_front_distance(p, Wave::p, 5, 310), 2100.0 + 80.0);
    EXPECT_EQ(wave_front_distance(p, Wave::s, 5, 310), 2100.0 + 50.0);
    EXPECT_EQ(wave_front_distance(p, Wave::p, 5, -4), 0.0);
}

TEST(WaveFrontDistance, ANegativeDepthUsesTheShallowestRow) {
    TravelTable s;
    fill_row(s, 1, 4.0);
    EXPECT_EQ(wave_front_distance(s, Wave::s, 0, 10), 40.0);
    EXPECT_EQ(wave_front_distance(s, Wave::s, -2, 10), 40.0);
}

}  // namespace
}  // namespace eew
