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

// One decoded report.
struct Quake {
    std::string code = "A";
    DateTime origin{};
    double magnitude = 0;
    double depth = 0;
    double pdata = 0;
    double dist = 0;
    double intensity = 0;
};

struct EventTableTest : ::testing::Test {
    // Runs the table's part of the report chain; the slot taken, 0 when the report was dropped.
    int receive(const Quake& q) {
        report.code00 = q.code;
        report.origintime00 = q.origin;
        report.magnitude00 = q.magnitude;
        report.depth00 = q.depth;
        report.pdata00 = q.pdata;
        report.dist00 = q.dist;
        report.intensity00 = q.intensity;
        if (!find_event_slot(t, q.code)) return 0;
        store_event_report(t, report, "<?xml " + q.code + "?>", at(30));
        lit = apply_event_filter(t, report, filter);
        select_event(t);
        update_map_flag(t);
        return t.i_event_now;
    }
    // The slot followed after `q`.
    int follow(const Quake& q) {
        receive(q);
        return t.i_event_selected;
    }

    EventTable t;
    CurrentReport report;
    EventFilter filter{.dist_min = 300};  // a report passes unless it is far
    bool lit = false;
};

TEST_F(EventTableTest, EachCodeKeepsItsSlotAndItsLogGrowsReportByReport) {
    EXPECT_EQ(receive({.code = "A"}), 1);
    EXPECT_EQ(receive({.code = "B"}), 2);
    EXPECT_EQ(receive({.code = "A", .magnitude = 6.1, .depth = 45}), 1);
    EXPECT_EQ(t.event_magnitude[1], 6.1);
    EXPECT_EQ(t.event_depth_class[1], 3);
    EXPECT_EQ(t.event_log_text[1],
              "<?xml A?>2024/05/01 12:00:30\n\r\n<?xml A?>2024/05/01 12:00:30\n\r\n");
}

TEST_F(EventTableTest, HighestIntensityIsFollowedThenTheLargestMagnitudeTiesToTheLowerSlot) {
    const std::pair<Quake, int> steps[] = {
        {{.code = "A"}, 1},
        {{.code = "A", .intensity = 3.2}, 1},
        {{.code = "B", .intensity = 3.2}, 1},
        {{.code = "C", .dist = kFar, .intensity = 6.0}, 1},
        {{.code = "B", .intensity = 3.3}, 2},
        {{.code = "A", .intensity = 3.4}, 1},
    };
    for (const auto& [q, followed] : steps)
        EXPECT_EQ(follow(q), followed) << q.code << " " << q.intensity;

    EventTable fresh;
    t = fresh;
    receive({.code = "A", .magnitude = 5.0});
    receive({.code = "B", .magnitude = 6.0});
    receive({.code = "C", .magnitude = 6.0});
    EXPECT_EQ(follow({.code = "D", .magnitude = 7.5, .dist = kFar}), 2);
    EXPECT_EQ(follow({.code = "E", .magnitude = 4.0, .intensity = 0.1}), 5);
}

TEST_F(EventTableTest,
       FilterThresholdsAreInclusiveAndAHeldBackEventOfTheConfiguredMagnitudeLights) {
    filter = {.pdata_min = 3,
              .magnitude_min = 5,
              .dist_min = 100,
              .intensity_min = 3,
              .magnitude_min_defalt = 4.5};
    const Quake edge{.magnitude = 5, .pdata = 3, .dist = 100, .intensity = 3};
    EXPECT_EQ(follow(edge), 1);
    EXPECT_FALSE(lit);
    const std::tuple<double Quake::*, double, bool> beyond[] = {{&Quake::magnitude, 4.99, true},
                                                                {&Quake::magnitude, 4.49, false},
                                                                {&Quake::pdata, 2.99, true},
                                                                {&Quake::dist, 100.01, true},
                                                                {&Quake::intensity, 2.99, true}};
    for (const auto& [field, value, lights] : beyond) {
        Quake q = edge;
        q.*field = value;
        EXPECT_EQ(follow(q), 0) << value;
        EXPECT_EQ(t.filter_flag[1], 0) << value;
        EXPECT_EQ(lit, lights) << value;
    }
}

TEST_F(EventTableTest, MapFlagMarksEveryChangeOfTheFollowedEvent) {
    const Quake a{.code = "A", .intensity = 1}, b{.code = "B", .intensity = 4};
    const Quake a_far{.code = "A", .dist = kFar}, b_far{.code = "B", .dist = kFar};
    // The last two follow nothing.
    const std::pair<Quake, int> steps[] = {{a, 1},     {a, 2},     {b, 1},    {a, 2},
                                           {b_far, 1}, {a_far, 1}, {a_far, 2}};
    for (const auto& [q, map_flag] : steps) {
        receive(q);
        EXPECT_EQ(t.map_flag, map_flag) << q.code << " " << q.dist;
    }
}

TEST_F(EventTableTest, DepthGivesTheClassAndTheTravelTableRow) {
    const std::tuple<double, int, int> cases[] = {
        {19.9, 1, 4}, {20, 2, 5}, {99.9, 5, 20},       {100, 6, 21},
        {250, 6, 51}, {-5, 1, 1}, {1e300, 6, INT_MAX},
    };
    FollowedEvent f;
    for (const auto& [depth, depth_class, depth_div] : cases) {
        receive({.code = "A", .depth = depth});
        copy_selected_report(report, t, RegionTable{}, CopyForm::live, f);
        EXPECT_EQ(f.depth_color, depth_class) << depth;
        EXPECT_EQ(f.depth_div, depth_div) << depth;
    }
}

TEST_F(EventTableTest, RegionKeyShowsItsDisplayNameLiveAndReplayKeepsTheNameForAnUnknownKey) {
    const std::string key = *utf8_to_sjis("茨城県南部");
    RegionTable regions;
    auto& rows = regions.region_table;
    rows[1] = {"", "北海道", "北海道地方"};
    rows[2] = {"", key, "茨城県南部"};
    rows[3] = {"", "no name", ""};
    rows[5] = {"", "unreachable", "後ろの行"};
    receive({.code = "A"});
    // A damaged report's key as long as a datagram shows only its beginning.
    std::string long_key, long_shown;
    for (int i = 0; i < 32500; ++i)
        long_key += *utf8_to_sjis("千");
    for (int i = 0; i < 100; ++i)
        long_shown += "千";

    const std::tuple<std::string, CopyForm, std::string> steps[] = {
        {key, CopyForm::live, "茨城県南部"},
        {"北海道", CopyForm::live, "北海道地方"},
        {*utf8_to_sjis("千葉県北西部"), CopyForm::live, "千葉県北西部"},
        {"unreachable", CopyForm::live, "unreachable"},  // rows end at the first empty key
        {long_key, CopyForm::live, long_shown + "…"},
        {"北海道", CopyForm::replay, "北海道地方"},
        {"千葉県北西部", CopyForm::replay, "北海道地方"},
        {"no name", CopyForm::replay, "no name"},
    };
    FollowedEvent f;
    for (const auto& [received, form, shown] : steps) {
        report.region_name00 = received;
        copy_selected_report(report, t, regions, form, f);
        EXPECT_EQ(f.region_name, shown) << received;
        EXPECT_EQ(f.region_name_en, received);
    }
}

TEST_F(EventTableTest, SixthCodeTakesOverTheOldestSlotNeitherFollowedNorPassingOrIsDropped) {
    receive({.code = "A", .origin = at(0), .intensity = 5.0});
    receive({.code = "B", .origin = at(3), .dist = kFar});
    receive({.code = "C", .origin = at(1), .dist = kFar});
    receive({.code = "D", .origin = at(0)});
    receive({.code = "E", .origin = at(1), .dist = kFar});
    ASSERT_EQ(t.i_event_selected, 1);

    EXPECT_EQ(receive({.code = "F", .origin = at(9), .dist = kFar}), 3);
    EXPECT_EQ(t.event_log_text[3], "<?xml F?>2024/05/01 12:00:30\n\r\n");
    EXPECT_EQ(receive({.code = "G", .origin = at(9), .dist = kFar}), 5);
    EXPECT_EQ(receive({.code = "H", .origin = at(9)}), 2);
    // The followed slot is never taken, even when it no longer passes.
    t.filter_flag.fill(0);
    ASSERT_TRUE(find_event_slot(t, "I"));
    EXPECT_EQ(t.i_event_now, 4);

    EventTable full;
    t = full;
    for (const char* code : {"A", "B", "C", "D", "E"})
        receive({.code = code});
    EXPECT_EQ(receive({.code = "F"}), 0);
    EXPECT_EQ(t.event_code[5], "E");
}

TEST_F(EventTableTest, TheSlotToBeTakenOverIsKnownBeforehandWithItsLog) {
    for (const char* code : {"A", "B", "C", "D"})
        receive({.code = code, .origin = at(code[0] == 'B' ? 0 : 5), .dist = kFar});
    EXPECT_EQ(slot_replaced_by(t, "E"), 0);  // a free slot is left
    receive({.code = "E", .origin = at(5), .dist = kFar});
    EXPECT_EQ(slot_replaced_by(t, "C"), 0);  // a known code keeps its slot
    ASSERT_EQ(slot_replaced_by(t, "F"), 2);
    const EventSlot old = event_slot(t, 2);
    EXPECT_EQ(old.event_code, "B");
    EXPECT_EQ(old.event_log_text, "<?xml B?>2024/05/01 12:00:30\n\r\n");
    EXPECT_EQ(receive({.code = "F", .dist = kFar}), 2);
}

TEST_F(EventTableTest, LogKeepsTheFirstReportsAndAlwaysTheLatestWithinReplayLength) {
    const auto record = [](int n) {
        return "<?xml " + std::to_string(n) + "?>2024/05/01 12:00:30\n\r\n";
    };
    find_event_slot(t, "A");
    for (int n = 1; n <= 250; ++n) {
        store_event_report(t, report, "<?xml " + std::to_string(n) + "?>", at(30));
        if (n != 98 && n != 99 && n != 100 && n != 250) continue;
        std::string expected;
        for (int k = 1; k <= std::min(n, 98); ++k)
            expected += record(k);
        if (n >= 99) expected += record(n);
        EXPECT_EQ(t.event_log_text[1], expected) << n;
    }
    // A reset starts the count again.
    reset_event_table(t);
    find_event_slot(t, "A");
    store_event_report(t, report, "<?xml 1?>", at(30));
    EXPECT_EQ(t.event_log_text[1], record(1));
}

TEST_F(EventTableTest, ResetEmptiesTheTableAndTheEventState) {
    receive({.code = "A", .intensity = 1});
    receive({.code = "B", .dist = kFar});
    t.event_flag = 2;
    t.last_alarm_class = "5弱";
    reset_event_table(t);
    EXPECT_EQ(t.i_event_selected, 0);
    EXPECT_EQ(t.map_flag, 0);
    EXPECT_EQ(t.event_flag, 0);
    EXPECT_EQ(t.last_alarm_class, "");
    EXPECT_EQ(receive({.code = "B"}), 1);
    EXPECT_EQ(t.map_flag, 1);
    EXPECT_EQ(t.event_log_text[1], "<?xml B?>2024/05/01 12:00:30\n\r\n");
}

}  // namespace
}  // namespace eew
