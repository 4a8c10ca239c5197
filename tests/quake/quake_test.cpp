// The event table, and the estimates made for the followed event: distances
// and intensities, S-wave travel times and countdowns, and the warnings.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>

#include "quake/distance_intensity.hpp"
#include "quake/estimates.hpp"
#include "quake/event_table.hpp"
#include "quake/report_fields.hpp"
#include "quake/travel_table.hpp"
#include "quake/travel_times.hpp"
#include "quake/warning_rules.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

const double kNaN = std::nan("");

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
TEST(STravelTime, IsTheFirstSecondTheFrontHasReachedTheSiteOrTheReferenceSite) {
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
    // The reference site is timed at its own distance; without one, or too
    // deep, the flag is cleared and the time kept.
    const Estimates nearest{.dist_ref_min = 80.0, .ref_site_i_min = 2};
    TravelTimes tt;
    for (const auto& [e, depth_div, flag] :
         {std::tuple(nearest, 3, 1), std::tuple(Estimates{}, 3, 0), std::tuple(nearest, 81, 0)}) {
        f.dist = 40;
        f.depth_div = depth_div;
        s_travel_time_ref(table_for(3), f, e, tt);
        EXPECT_EQ(std::pair(tt.traveltime_ref, tt.travel_s_data_ref_flag), std::pair(20LL, flag));
    }
}

// An origin time ahead of the clock gives a negative lapse; an unknown
// long-period time stays unknown instead of wrapping round.
TEST(UpdateElapsedTimes, CountdownsSaturateInsteadOfOverflowing) {
    constexpr long long kMax = LLONG_MAX;
    TravelTimes tt{.traveltime = 25, .lpwave_travel_time = kMax};
    update_elapsed_times(*DateTime::from_fields(2024, 1, 1, 12, 0, 55),
                         *DateTime::from_fields(2024, 1, 1, 12, 0, 52), tt);
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

// A shared bound goes to the weaker class; from 3 up the long-period line is drawn too.
TEST(IntensityClass, SharedBoundsGoToTheWeakerClass) {
    // clang-format off
    const std::pair<double, std::string> cases[] = {
        {0.0, ""}, {0.1, "1"}, {1.4, "1"}, {1.5, "2"}, {2.4, "2"}, {2.5, "3+"}, {4.4, "4+"}, {4.5, "5弱+"},
        {5.0, "5弱+"}, {5.1, "5強+"}, {6.0, "6弱+"}, {6.1, "6強+"}, {6.5, "7+"}, {7.4, "7+"}};
    // clang-format on
    for (const auto& [displayed, text] : cases) {
        const auto c = intensity_class(displayed);
        EXPECT_EQ(c.text + (c.lpwave_line ? "+" : ""), text) << displayed;
    }
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

const auto at = [](int second) { return *DateTime::from_fields(2024, 5, 1, 12, 0, second); };

constexpr double kFar = 900;  // beyond dist_min: fails the filter

// A report of `code` with the fields the table reads.
CurrentReport quake(const std::string& code, double intensity = 0, double dist = 0,
                    double magnitude = 0, int origin_second = 0) {
    CurrentReport r;
    r.code00 = code;
    r.intensity00 = intensity;
    r.dist00 = dist;
    r.magnitude00 = magnitude;
    r.origintime00 = at(origin_second);
    return r;
}

// What the log keeps of the report "<?xml `name`?>" received at 12:00:30.
const auto record = [](const std::string& name) {
    return "<?xml " + name + "?>2024/05/01 12:00:30\n\r\n";
};

struct EventTableTest : ::testing::Test {
    // Runs the table's part of the report chain; the slot taken, 0 when the report was dropped.
    int receive(const CurrentReport& r) {
        report = r;
        if (!find_event_slot(t, r.code00)) return 0;
        store_event_report(t, r, "<?xml " + r.code00 + "?>", at(30));
        lit = apply_event_filter(t, r, filter);
        select_event(t);
        update_map_flag(t);
        return t.i_event_now;
    }

    EventTable t;
    CurrentReport report;
    EventFilter filter{.dist_min = 300};  // a report passes unless it is far
    bool lit = false;
};

// The report (code, intensity, distance, magnitude), the slot followed and
// map_flag: 1 when the followed slot changed, else 2.
TEST_F(EventTableTest, HighestIntensityIsFollowedThenTheLargestMagnitudeTiesToTheLowerSlot) {
    // clang-format off
    const std::tuple<CurrentReport, int, int> steps[] = {
        {quake("A"), 1, 1}, {quake("A", 3.2), 1, 2}, {quake("B", 3.2), 1, 2}, {quake("C", 6, kFar), 1, 2},
        {quake("B", 3.3), 2, 1}, {quake("A", 3.4), 1, 1},
        // Without an intensity the largest magnitude is followed.
        {quake("C", 0, 0, 5), 1, 2}, {quake("D", 0, 0, 6), 1, 2}, {quake("E", 0, 0, 6), 1, 2},
        {quake("B", 0, kFar, 7.5), 1, 2}, {quake("A"), 4, 1}, {quake("A", 0.1), 1, 1}};
    // clang-format on
    for (const auto& [r, followed, map_flag] : steps) {
        receive(r);
        EXPECT_EQ(std::pair(t.i_event_selected, t.map_flag), std::pair(followed, map_flag))
            << r.code00 << " " << r.intensity00 << " " << r.magnitude00;
    }
}

TEST_F(EventTableTest,
       FilterThresholdsAreInclusiveAndAHeldBackEventOfTheConfiguredMagnitudeLights) {
    // clang-format off
    filter = {.pdata_min = 3, .magnitude_min = 5, .dist_min = 100, .intensity_min = 3, .magnitude_min_defalt = 4.5};
    CurrentReport edge = quake("A", 3, 100, 5);
    edge.pdata00 = 3;
    receive(edge);
    EXPECT_EQ(std::pair(t.i_event_selected, lit), std::pair(1, false));
    const std::tuple<double CurrentReport::*, double, bool> beyond[] = {
        {&CurrentReport::magnitude00, 4.99, true}, {&CurrentReport::magnitude00, 4.49, false},
        {&CurrentReport::pdata00, 2.99, true}, {&CurrentReport::dist00, 100.01, true}, {&CurrentReport::intensity00, 2.99, true}};
    // clang-format on
    for (const auto& [field, value, lights] : beyond) {
        CurrentReport r = edge;
        r.*field = value;
        receive(r);
        EXPECT_EQ(std::tuple(t.i_event_selected, t.filter_flag[1], lit), std::tuple(0, 0, lights))
            << value;
    }
}

// The class (1 to 6) goes in 20 km steps, the travel-table row in 5 km steps.
// A replay's region key is already a display name; an unknown one keeps the
// name shown.
TEST_F(EventTableTest, CopyGivesTheDepthClassAndRowTheMechanismAndTheRegionName) {
    // clang-format off
    const std::tuple<double, int, int> depths[] = {
        {19.9, 1, 4}, {20, 2, 5}, {99.9, 5, 20}, {100, 6, 21}, {250, 6, 51}, {-5, 1, 1}, {1e300, 6, INT_MAX}};
    // clang-format on
    FollowedEvent f;
    receive(quake("A"));
    report.azt00 = 300;
    for (const auto& [depth, depth_class, depth_div] : depths) {
        report.depth00 = depth;
        store_event_report(t, report, "", at(30));
        copy_selected_report(report, t, RegionTable{}, CopyForm::live, f);
        EXPECT_EQ(std::tuple(f.depth_color, f.depth_div, f.azt),
                  std::tuple(depth_class, depth_div, 300.0))
            << depth;
    }
    RegionTable regions;
    regions.region_table[1] = {"", "北海道", "北海道地方"};
    regions.region_table[2] = {"", *utf8_to_sjis("茨城県南部"), "茨城県南部"};
    // A damaged report's key as long as a datagram shows only its beginning.
    const std::string long_key(65000, 'k'), long_shown = std::string(200, 'k') + "…";
    // clang-format off
    const std::tuple<std::string, CopyForm, std::string> keys[] = {
        {*utf8_to_sjis("茨城県南部"), CopyForm::live, "茨城県南部"}, {*utf8_to_sjis("千葉県北西部"), CopyForm::live, "千葉県北西部"},
        {long_key, CopyForm::live, long_shown}, {"北海道", CopyForm::replay, "北海道地方"}, {"千葉県北西部", CopyForm::replay, "北海道地方"}};
    // clang-format on
    for (const auto& [received, form, shown] : keys) {
        report.region_name00 = received;
        copy_selected_report(report, t, regions, form, f);
        EXPECT_EQ(f.region_name + "|" + f.region_name_en, shown + "|" + received);
    }
}

// Which slot a new code takes is known beforehand, so its log can be saved.
TEST_F(EventTableTest, SixthCodeTakesOverTheOldestSlotNeitherFollowedNorPassingOrIsDropped) {
    for (const CurrentReport& r : {quake("A", 5, 0, 0, 0), quake("B", 0, kFar, 0, 3),
                                   quake("C", 0, kFar, 0, 1), quake("D", 0, 0, 0, 0)})
        receive(r);
    EXPECT_EQ(slot_replaced_by(t, "E"), 0);  // a free slot is left
    receive(quake("E", 0, kFar, 0, 1));
    EXPECT_EQ(slot_replaced_by(t, "C"), 0);  // a known code keeps its slot
    EXPECT_EQ(slot_replaced_by(t, "F"), 3);
    EXPECT_EQ(receive(quake("F", 0, kFar, 0, 9)), 3);
    EXPECT_EQ(t.event_log_text[3], record("F"));
    EXPECT_EQ(receive(quake("G", 0, kFar, 0, 9)), 5);
    EXPECT_EQ(receive(quake("H", 0, 0, 0, 9)), 2);
    // The followed slot is never taken, even when it no longer passes.
    t.filter_flag.fill(0);
    EXPECT_EQ(receive(quake("I", 0, kFar)), 4);
}

TEST_F(EventTableTest, LogKeepsTheFirstReportsAndAlwaysTheLatestAndAResetEmptiesTheTable) {
    std::string first;
    find_event_slot(t, "A");
    for (int n = 1; n <= 250; ++n) {
        store_event_report(t, report, "<?xml " + std::to_string(n) + "?>", at(30));
        if (n <= 98) first += record(std::to_string(n));
        ASSERT_EQ(t.event_log_text[1], n <= 98 ? first : first + record(std::to_string(n))) << n;
    }
    receive(quake("B", 1));
    t.last_alarm_class = "5弱";
    reset_event_table(t);
    EXPECT_EQ(std::tuple(t.i_event_selected, t.map_flag, t.last_alarm_class), std::tuple(0, 0, ""));
    EXPECT_EQ(receive(quake("A")), 1);
    EXPECT_EQ(t.map_flag, 1);
    EXPECT_EQ(t.event_log_text[1], record("A"));
}

}  // namespace
}  // namespace eew
