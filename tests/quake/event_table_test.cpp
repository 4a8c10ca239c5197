#include "quake/event_table.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "text/shift_jis.hpp"

namespace eew {
namespace {

DateTime at(int second) {
    return *DateTime::from_fields(2024, 5, 1, 12, 0, second);
}

constexpr double kFar = 900;  // beyond dist_min: fails the filter

// What the log keeps of the report "<?xml `name`?>" received at 12:00:30.
std::string record(const std::string& name) {
    return "<?xml " + name + "?>2024/05/01 12:00:30\n\r\n";
}

// The fields of a report the table reads.
struct Quake {
    std::string code = "A";
    DateTime origin{};
    double magnitude = 0, depth = 0, pdata = 0, dist = 0, intensity = 0, azt = 0;
};

struct EventTableTest : ::testing::Test {
    // Runs the table's part of the report chain; the slot taken, 0 when the report was dropped.
    int receive(const Quake& q) {
        report.code = q.code;
        report.origin = q.origin;
        report.magnitude = q.magnitude;
        report.depth = q.depth;
        report.pdata = q.pdata;
        report.dist = q.dist;
        report.intensity = q.intensity;
        report.azt = q.azt;
        if (!find_event_slot(t, q.code)) return 0;
        store_event_report(t, report, "<?xml " + q.code + "?>", at(30));
        lit = apply_event_filter(t, report, filter);
        select_event(t);
        update_map_flag(t);
        return t.i_event_now;
    }
    // The slot followed after `r`.
    int follow(const Quake& q) {
        receive(q);
        return t.i_event_selected;
    }

    EventTable t;
    CurrentReport report;
    EventFilter filter{.dist_min = 300};  // a report passes unless it is far
    bool lit = false;
};

// map_flag is 1 when the followed slot changed, else 2.
TEST_F(EventTableTest, HighestIntensityIsFollowedThenTheLargestMagnitudeTiesToTheLowerSlot) {
    // clang-format off
    const std::tuple<Quake, int, int> steps[] = {
        {{.code = "A"}, 1, 1}, {{.code = "A", .intensity = 3.2}, 1, 2}, {{.code = "B", .intensity = 3.2}, 1, 2},
        {{.code = "C", .dist = kFar, .intensity = 6}, 1, 2}, {{.code = "B", .intensity = 3.3}, 2, 1},
        {{.code = "A", .intensity = 3.4}, 1, 1},
        // Without an intensity the largest magnitude is followed.
        {{.code = "C", .magnitude = 5}, 1, 2}, {{.code = "D", .magnitude = 6}, 1, 2},
        {{.code = "E", .magnitude = 6}, 1, 2}, {{.code = "B", .magnitude = 7.5, .dist = kFar}, 1, 2},
        {{.code = "A"}, 4, 1}, {{.code = "A", .intensity = 0.1}, 1, 1}};
    // clang-format on
    for (const auto& [r, followed, map_flag] : steps) {
        EXPECT_EQ((std::pair{follow(r), t.map_flag}), std::pair(followed, map_flag))
            << r.code << " " << r.intensity << " " << r.magnitude;
    }
}

TEST_F(EventTableTest,
       FilterThresholdsAreInclusiveAndAHeldBackEventOfTheConfiguredMagnitudeLights) {
    // clang-format off
    filter = {.pdata_min = 3, .magnitude_min = 5, .dist_min = 100, .intensity_min = 3, .magnitude_min_defalt = 4.5};
    const Quake edge{.magnitude = 5, .pdata = 3, .dist = 100, .intensity = 3};
    EXPECT_EQ((std::pair{follow(edge), lit}), std::pair(1, false));
    const std::tuple<double Quake::*, double, bool> beyond[] = {
        {&Quake::magnitude, 4.99, true}, {&Quake::magnitude, 4.49, false}, {&Quake::pdata, 2.99, true},
        {&Quake::dist, 100.01, true}, {&Quake::intensity, 2.99, true}};
    // clang-format on
    for (const auto& [field, value, lights] : beyond) {
        Quake r = edge;
        r.*field = value;
        EXPECT_EQ((std::tuple{follow(r), t.filter_flag[1], lit}), std::tuple(0, 0, lights))
            << value;
    }
}

// The class (1 to 6) goes in 20 km steps, the travel-table row in 5 km steps.
TEST_F(EventTableTest, DepthGivesTheClassAndTheTravelTableRowAndTheMechanismIsCopied) {
    const std::tuple<double, int, int> cases[] = {{19.9, 1, 4},       {20, 2, 5},   {99.9, 5, 20},
                                                  {100, 6, 21},       {250, 6, 51}, {-5, 1, 1},
                                                  {1e300, 6, INT_MAX}};
    FollowedEvent f;
    for (const auto& [depth, depth_class, depth_div] : cases) {
        receive({.depth = depth, .azt = 300});
        copy_selected_report(report, t, RegionTable{}, CopyForm::live, f);
        EXPECT_EQ(std::tuple(f.depth_color, f.depth_div, f.azt),
                  std::tuple(depth_class, depth_div, 300.0))
            << depth;
    }
}

// A replay's key is already a display name; an unknown one keeps the name shown.
TEST_F(EventTableTest, RegionKeyShowsItsDisplayNameLiveAndReplayKeepsTheNameForAnUnknownKey) {
    const std::string key = *utf8_to_sjis("茨城県南部");
    RegionTable regions;
    regions.region_table[1] = {"", "北海道", "北海道地方"};
    regions.region_table[2] = {"", key, "茨城県南部"};
    receive({.code = "A"});
    // A damaged report's key as long as a datagram shows only its beginning.
    const std::string long_key(65000, 'k'), long_shown = std::string(200, 'k') + "…";
    // clang-format off
    const std::tuple<std::string, CopyForm, std::string> steps[] = {
        {key, CopyForm::live, "茨城県南部"}, {*utf8_to_sjis("千葉県北西部"), CopyForm::live, "千葉県北西部"},
        {long_key, CopyForm::live, long_shown}, {"北海道", CopyForm::replay, "北海道地方"},
        {"千葉県北西部", CopyForm::replay, "北海道地方"}};
    // clang-format on
    FollowedEvent f;
    for (const auto& [received, form, shown] : steps) {
        report.region_name00 = received;
        copy_selected_report(report, t, regions, form, f);
        EXPECT_EQ(f.region_name + "|" + f.region_name_en, shown + "|" + received);
    }
}

// Which slot a new code takes is known beforehand, so its log can be saved.
TEST_F(EventTableTest, SixthCodeTakesOverTheOldestSlotNeitherFollowedNorPassingOrIsDropped) {
    receive({.code = "A", .origin = at(0), .intensity = 5.0});
    receive({.code = "B", .origin = at(3), .dist = kFar});
    receive({.code = "C", .origin = at(1), .dist = kFar});
    receive({.code = "D", .origin = at(0)});
    EXPECT_EQ(slot_replaced_by(t, "E"), 0);  // a free slot is left
    receive({.code = "E", .origin = at(1), .dist = kFar});
    EXPECT_EQ(slot_replaced_by(t, "C"), 0);  // a known code keeps its slot
    ASSERT_EQ(slot_replaced_by(t, "F"), 3);
    EXPECT_EQ(event_slot(t, 3).event_code + event_slot(t, 3).event_log_text, "C" + record("C"));
    EXPECT_EQ(receive({.code = "F", .origin = at(9), .dist = kFar}), 3);
    EXPECT_EQ(t.event_log_text[3], record("F"));
    EXPECT_EQ(receive({.code = "G", .origin = at(9), .dist = kFar}), 5);
    EXPECT_EQ(receive({.code = "H", .origin = at(9)}), 2);
    // The followed slot is never taken, even when it no longer passes; with
    // every other slot passing, the report is dropped.
    t.filter_flag.fill(0);
    ASSERT_TRUE(find_event_slot(t, "I"));
    EXPECT_EQ(t.i_event_now, 4);
    t.filter_flag.fill(1);
    EXPECT_FALSE(find_event_slot(t, "J"));
    EXPECT_EQ(t.event_code[4], "I");
}

TEST_F(EventTableTest, LogKeepsTheFirstReportsAndAlwaysTheLatestAndAResetEmptiesTheTable) {
    std::string first;
    find_event_slot(t, "A");
    for (int n = 1; n <= 250; ++n) {
        store_event_report(t, report, "<?xml " + std::to_string(n) + "?>", at(30));
        if (n <= 98) first += record(std::to_string(n));
        ASSERT_EQ(t.event_log_text[1], n <= 98 ? first : first + record(std::to_string(n))) << n;
    }
    receive({.code = "B", .intensity = 1});
    t.event_flag = 2;
    t.last_alarm_class = "5弱";
    reset_event_table(t);
    EXPECT_EQ(std::tuple(t.i_event_selected, t.map_flag, t.event_flag, t.last_alarm_class),
              std::tuple(0, 0, 0, ""));
    EXPECT_EQ(receive({.code = "A"}), 1);
    EXPECT_EQ(t.map_flag, 1);
    EXPECT_EQ(t.event_log_text[1], record("A"));
}

}  // namespace
}  // namespace eew
