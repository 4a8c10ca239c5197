#include "quake/event_table.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "text/shift_jis.hpp"

namespace eew {
namespace {

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
