// The estimates made for the followed event: distances and intensities,
// S-wave travel times and countdowns, and the warnings drawn from them.

#include "quake/estimates.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "quake/distance_intensity.hpp"
#include "quake/report_fields.hpp"
#include "quake/travel_table.hpp"
#include "quake/travel_times.hpp"
#include "quake/warning_rules.hpp"

namespace eew {
namespace {

const double kNaN = std::nan("");
constexpr long long kMax = std::numeric_limits<long long>::max();

// Coincident or undefined points are 0.00001 km apart, never 0 (the
// intensity relation takes a logarithm of the distance).
TEST(EpicentralDistance, IsTheArcOnTheGlobeUpToAntipodalPointsAndNeverZero) {
    // clang-format off
    const std::tuple<double, double, double, double, double> cases[] = {
        {135, 35, 135, 36, 111.1957}, {0, 0, 180, 0, 20015.22}, {10, 80, 10, -60, 15567.40},
        {139.7, 35.7, 139.7, 35.7, 0.00001}, {kNaN, 35.7, 139.7, 35.7, 0.00001}};
    // clang-format on
    for (const auto& [lon1, lat1, lon2, lat2, km] : cases)
        EXPECT_NEAR(epicentral_distance(lon1, lat1, lon2, lat2), km, 0.005) << lat1 << " " << lat2;
}

// Magnitude, depth, distance, amplification: an amplification that is not
// positive counts as one; the result stays within 0 to 7.4, 0 when undefined.
TEST(EstimateIntensity, GivesTheRelationWithinZeroToSevenPointFourAndHalvesRoundUp) {
    // clang-format off
    const std::tuple<double, double, double, double, double> cases[] = {
        {6, 10, 0.00001, 1, 3.9415}, {6, 10, 30, 1, 2.8151}, {6, 10, 30, 2, 3.4171}, {6, 10, 30, 0, 2.8151},
        {6, 10, 30, -1, 2.8151}, {6, 10, 30, kNaN, 2.8151}, {8, 10, 0.00001, 1, 7.4}, {3, 10, 900, 1, 0},
        {0, 0, 1, 1, 0}, {kNaN, 10, 30, 1, 0}, {6, kNaN, 30, 1, 0}, {6, 10, kNaN, 1, 0}, {INFINITY, 10, INFINITY, 1, 0}};
    const std::pair<double, int> rounded[] = {{0.49, 0}, {0.5, 1}, {6.5, 7}, {-0.7, 0}, {kNaN, 0}};
    // clang-format on
    for (const auto& [magnitude, depth, distance, amp, expected] : cases)
        EXPECT_NEAR(estimate_intensity(magnitude, depth, distance, amp), expected, 0.0005)
            << magnitude << " " << depth << " " << distance << " " << amp;
    for (const auto& [intensity, whole] : rounded)
        EXPECT_EQ(round_intensity(intensity), whole) << intensity;
}

// An S table whose row `depth_div` (only that one, so reading another row
// shows) reaches `reach` km at second 300 at a steady pace.
TravelTable table_for(int depth_div, double reach = 1200.0) {
    TravelTable table;
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        table.set(std::max(depth_div, 1), t, reach * t / TravelTable::kSeconds);
    return table;
}

// Depth row, table reach, distance, long-period wave speed; S time, its flag,
// long-period time. 1200 km at 300 s is 4 km/s; beyond the table the front
// moves 5 km/s.
TEST(STravelTime, IsTheFirstSecondTheFrontHasReachedTheSiteDownToFourHundredKm) {
    // clang-format off
    const std::tuple<int, double, double, double, long long, int, long long> cases[] = {
        {3, 1200, 40, 3, 10, 1, 13}, {3, 1200, 40.001, 3, 11, 1, 13}, {3, 1200, 0.00001, 3, 1, 1, 0},
        {3, 1000, 1000, 3, 300, 1, 333}, {3, 1000, 1012, 3, 302, 1, 337}, {80, 1200, 40, 3, 10, 1, 13},
        {81, 1200, 40, 3, 0, 0, 13}, {0, 1200, 40, 3, 10, 1, 13}, {-1, 1200, 40, 3, 10, 1, 13},
        {3, 1200, 40, 0, 10, 1, 0}, {3, 1200, 40, -2, 10, 1, 0}, {3, 1200, 40, kNaN, 10, 1, 0}};
    // clang-format on
    FollowedEvent f;
    for (const auto& [depth_div, reach, dist, speed, traveltime, flag, lp_time] : cases) {
        TravelTimes tt;
        f.dist = dist;
        f.depth_div = depth_div;
        s_travel_time(table_for(depth_div, reach), f, speed, tt);
        EXPECT_EQ(std::tuple(tt.traveltime, tt.travel_s_data_flag, tt.lpwave_travel_time),
                  std::tuple(traveltime, flag, lp_time))
            << depth_div << " " << dist << " " << speed;
    }
}

// The reference site is timed at its own distance; without one, or too
// deep, the flag is cleared and the time kept.
TEST(STravelTimeRef, TimesOnlyTheNearestReferenceSiteWhenThereIsOne) {
    const Estimates nearest{.dist_ref_min = 80.0, .ref_site_i_min = 2};
    FollowedEvent f;
    f.dist = 40;
    TravelTimes tt;
    for (const auto& [e, depth_div, flag] :
         {std::tuple(nearest, 3, 1), std::tuple(Estimates{}, 3, 0), std::tuple(nearest, 81, 0)}) {
        f.depth_div = depth_div;
        s_travel_time_ref(table_for(3), f, e, tt);
        EXPECT_EQ(std::pair(tt.traveltime_ref, tt.travel_s_data_ref_flag), std::pair(20LL, flag));
    }
}

// Countdowns are followed through whole reports in the application's tests.
TEST(UpdateElapsedTimes, CountdownsSaturateInsteadOfOverflowing) {
    TravelTimes tt{.traveltime = 25, .lpwave_travel_time = kMax};
    update_elapsed_times(*DateTime::from_fields(2024, 1, 1, 12, 0, 55),
                         *DateTime::from_fields(2024, 1, 1, 12, 0, 52), tt);  // origin ahead
    EXPECT_EQ(std::tuple(tt.lapse, tt.countdown, tt.lpwave_countdown),
              std::tuple(-3LL, 28LL, kMax));
}

TEST(WaveFrontDistance, FollowsTheTableThenFiveKmPerSecondForSAndEightForP) {
    TravelTable table = table_for(5, 2100.0);
    for (int t = 1; t <= TravelTable::kSeconds; ++t)
        table.set(1, t, 4.0 * t);  // the row of every depth above the surface
    // clang-format off
    const std::tuple<Wave, int, long long, double> cases[] = {
        {Wave::p, 5, 0, 0}, {Wave::p, 5, 12, 84}, {Wave::p, 5, 300, 2100}, {Wave::p, 5, 310, 2180},
        {Wave::s, 5, 310, 2150}, {Wave::p, 5, -4, 0}, {Wave::s, 0, 10, 40}, {Wave::s, -2, 10, 40}};
    // clang-format on
    for (const auto& [wave, depth_div, seconds, km] : cases)
        EXPECT_EQ(wave_front_distance(table, wave, depth_div, seconds), km) << seconds;
}

// Classes from 3 up also draw the long-period line.
TEST(IntensityClass, SharedBoundsGoToTheWeakerClass) {
    // clang-format off
    const std::pair<double, std::string> cases[] = {
        {0.0, ""}, {0.1, "1"}, {1.4, "1"}, {1.5, "2"}, {2.4, "2"}, {2.5, "3+"}, {4.4, "4+"}, {4.5, "5弱+"},
        {5.0, "5弱+"}, {5.1, "5強+"}, {6.0, "6弱+"}, {6.1, "6強+"}, {6.5, "7+"}, {7.4, "7+"}};
    // clang-format on
    for (const auto& [displayed, text] : cases)
        EXPECT_EQ(
            intensity_class(displayed).text + (intensity_class(displayed).lpwave_line ? "+" : ""),
            text);
}

TEST(WarningSentence, CountsDownThenReportsArrivalAndStaysSilentAtPointOne) {
    EXPECT_EQ(warning_sentence(2.4, 3, "A", "2"), "あと\u30003 秒でAに震度2の揺れが来ます。");
    EXPECT_EQ(warning_sentence(2.5, -4, "A", "3"), "震度3の強い揺れが到達しました。");
    EXPECT_EQ(warning_sentence(0.1, 5, "A", "1"), std::nullopt);
    EXPECT_EQ(long_period_sentence(1, 0),
              "しばらくの間長周期地震動により建物が揺れ続けます。建物は安全です。");
    EXPECT_EQ(long_period_sentence(0, 25), std::nullopt);
}

// Magnitude, depth, distance, intensity magnitude; whether long-period shaking is announced.
TEST(LongPeriodRule, FirstRuleWhoseMagnitudeAndReachHoldDecides) {
    // clang-format off
    const struct { double M, h, d, Mi; int flag; } cases[] = {
        {7.6, 40, 250, 0, 0}, {7.6, 40, 180, 0, 1}, {6.0, 10, 450, 6.6, 1}, {8.5, 10, 60, 8.5, 0}, {8.0, 99, 300, 0, 1},
        {8.0, 10, 301, 0, 0}, {7.3, 26, 151, 0, 0}, {7.0, 21, 110, 0, 1}, {6.5, 15, 150, 0, 1}, {6.5, 16, 150, 0, 0},
        {6.5, 16, 110, 0, 1}, {6.0, 20, 111, 6.6, 0}, {7.6, 40, 250, 6.6, 0}};  // the last: M decides before Mi
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(long_period_rule(c.M, c.h, c.d, c.Mi), c.flag) << c.M << " " << c.h << " " << c.d;
}

}  // namespace
}  // namespace eew
