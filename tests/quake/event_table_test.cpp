#include "quake/event_table.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "app/main_state.hpp"
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

// Only dist_min is set, so a report passes unless it is far.
struct EventTableTest : ::testing::Test {
    EventTableTest() { m.settings.dist_min = 300; }

    // Runs the table's part of the report chain; the slot taken, 0 when the report was dropped.
    int receive(const Quake& q) {
        m.report.code00 = q.code;
        m.report.origintime00 = q.origin;
        m.report.magnitude00 = q.magnitude;
        m.report.depth00 = q.depth;
        m.report.pdata00 = q.pdata;
        m.report.dist00 = q.dist;
        m.report.intensity00 = q.intensity;
        m.feed.received_data00 = "<?xml " + q.code + "?>";
        if (!find_event_slot(m)) return 0;
        store_event_report(m, at(30));
        apply_event_filter(m);
        select_event(m);
        update_map_flag(m);
        return t().i_event_now;
    }

    // The slot followed after `q`.
    int follow(const Quake& q) {
        receive(q);
        return m.events.i_event_selected;
    }

    EventTable& t() { return m.events; }

    MainState m;
};

TEST_F(EventTableTest, EachCodeKeepsItsSlotAndItsLogGrowsReportByReport) {
    EXPECT_EQ(receive({.code = "A"}), 1);
    EXPECT_EQ(receive({.code = "B"}), 2);
    EXPECT_EQ(receive({.code = "A", .magnitude = 6.1, .depth = 45}), 1);
    EXPECT_EQ(t().event_magnitude[1], 6.1);
    EXPECT_EQ(t().event_depth_class[1], 3);
    EXPECT_EQ(t().event_log_text[1],
              "<?xml A?>2024/05/01 12:00:30\n\r\n"
              "<?xml A?>2024/05/01 12:00:30\n\r\n");
}

TEST_F(EventTableTest, HighestIntensityIsFollowedAndTiesGoToTheLowerSlot) {
    EXPECT_EQ(follow({.code = "A"}), 1);
    EXPECT_EQ(follow({.code = "A", .intensity = 3.2}), 1);
    EXPECT_EQ(follow({.code = "B", .intensity = 3.2}), 1);
    EXPECT_EQ(follow({.code = "C", .dist = kFar, .intensity = 6.0}), 1);
    EXPECT_EQ(follow({.code = "B", .intensity = 3.3}), 2);
    EXPECT_EQ(follow({.code = "A", .intensity = 3.4}), 1);
}

TEST_F(EventTableTest, WithoutAPositiveIntensityTheLargestMagnitudeIsFollowed) {
    receive({.code = "A", .magnitude = 5.0});
    receive({.code = "B", .magnitude = 6.0});
    receive({.code = "C", .magnitude = 6.0});
    EXPECT_EQ(follow({.code = "D", .magnitude = 7.5, .dist = kFar}), 2);
    EXPECT_EQ(follow({.code = "E", .magnitude = 4.0, .intensity = 0.1}), 5);
}

TEST_F(EventTableTest, FilterThresholdsAreInclusiveAndALoneEventIsFollowedWhenItPasses) {
    m.settings.pdata_min = 3;
    m.settings.magnitude_min = 5;
    m.settings.dist_min = 100;
    m.lpwave.intensity_min = 3;
    const Quake edge{.magnitude = 5, .pdata = 3, .dist = 100, .intensity = 3};
    EXPECT_EQ(follow(edge), 1);
    const std::pair<double Quake::*, double> beyond[] = {{&Quake::magnitude, 4.99},
                                                         {&Quake::pdata, 2.99},
                                                         {&Quake::dist, 100.01},
                                                         {&Quake::intensity, 2.99}};
    for (const auto& [field, value] : beyond) {
        Quake q = edge;
        q.*field = value;
        EXPECT_EQ(follow(q), 0) << value;
    }
}

TEST_F(EventTableTest, HeldBackEventOfTheConfiguredMagnitudeLightsTheIndicator) {
    m.settings.magnitude_min_defalt = 3.5;
    receive({.code = "A", .magnitude = 3.4, .dist = kFar});
    receive({.code = "B", .magnitude = 9.0});
    EXPECT_EQ(m.main_view.Label19, "");

    // Pop-ups switched off raise the minimum to 10.
    m.settings.magnitude_min = 10;
    receive({.code = "C", .magnitude = 3.5});
    EXPECT_EQ(m.main_view.Label19, "地震発生");
}

TEST_F(EventTableTest, MapFlagMarksEveryChangeOfTheFollowedEvent) {
    const Quake a{.code = "A", .intensity = 1}, b{.code = "B", .intensity = 4};
    const Quake a_far{.code = "A", .dist = kFar}, b_far{.code = "B", .dist = kFar};
    // The last two follow nothing.
    const std::pair<Quake, int> steps[] = {{a, 1},     {a, 2},     {b, 1},    {a, 2},
                                           {b_far, 1}, {a_far, 1}, {a_far, 2}};
    for (const auto& [q, map_flag] : steps) {
        receive(q);
        EXPECT_EQ(t().map_flag, map_flag) << q.code << " " << q.dist;
    }
    EXPECT_EQ(t().i_event_selected, 0);
}

TEST_F(EventTableTest, DepthGivesTheClassAndTheTravelTableRow) {
    const std::tuple<double, int, int> cases[] = {
        {19.9, 1, 4}, {20, 2, 5}, {99.9, 5, 20},       {100, 6, 21},
        {250, 6, 51}, {-5, 1, 1}, {1e300, 6, INT_MAX},
    };
    for (const auto& [depth, depth_class, depth_div] : cases) {
        receive({.code = "A", .depth = depth});
        copy_selected_report(m, CopyForm::live);
        EXPECT_EQ(m.followed.depth_color, depth_class) << depth;
        EXPECT_EQ(m.followed.depth_div, depth_div) << depth;
    }
}

TEST_F(EventTableTest, RegionKeyShowsItsDisplayNameLiveAndReplayKeepsTheNameForAnUnknownKey) {
    const std::string key = *utf8_to_sjis("茨城県南部");
    auto& rows = m.regions.region_table;
    rows[1] = {"", "北海道", "北海道地方"};
    rows[2] = {"", key, "茨城県南部"};
    rows[3] = {"", "no name", ""};
    rows[5] = {"", "unreachable", "後ろの行"};
    receive({.code = "A"});

    const std::tuple<std::string, CopyForm, std::string> steps[] = {
        {key, CopyForm::live, "茨城県南部"},
        {"北海道", CopyForm::live, "北海道地方"},
        {*utf8_to_sjis("千葉県北西部"), CopyForm::live, "千葉県北西部"},
        {"unreachable", CopyForm::live, "unreachable"},  // rows end at the first empty key
        {"北海道", CopyForm::replay, "北海道地方"},
        {"千葉県北西部", CopyForm::replay, "北海道地方"},
        {"no name", CopyForm::replay, "no name"},
    };
    for (const auto& [received, form, shown] : steps) {
        m.report.region_name00 = received;
        copy_selected_report(m, form);
        EXPECT_EQ(m.followed.region_name, shown) << received;
        EXPECT_EQ(m.followed.region_name_en, received);
    }
}

TEST_F(EventTableTest, SixthCodeTakesOverTheOldestSlotNeitherFollowedNorPassing) {
    receive({.code = "A", .origin = at(0), .intensity = 5.0});
    receive({.code = "B", .origin = at(3), .dist = kFar});
    receive({.code = "C", .origin = at(1), .dist = kFar});
    receive({.code = "D", .origin = at(0)});
    receive({.code = "E", .origin = at(1), .dist = kFar});
    ASSERT_EQ(t().i_event_selected, 1);

    EXPECT_EQ(receive({.code = "F", .origin = at(9), .dist = kFar}), 3);
    EXPECT_EQ(t().event_code[3], "F");
    EXPECT_EQ(t().event_log_text[3], "<?xml F?>2024/05/01 12:00:30\n\r\n");
    EXPECT_EQ(receive({.code = "G", .origin = at(9), .dist = kFar}), 5);

    // The followed slot is never taken, even when it no longer passes.
    t().filter_flag.fill(0);
    m.report.code00 = "H";
    ASSERT_TRUE(find_event_slot(m));
    EXPECT_EQ(t().i_event_now, 4);
}

TEST_F(EventTableTest, SixthCodeIsDroppedWhenEverySlotPassesOrIsFollowed) {
    for (const char* code : {"A", "B", "C", "D", "E"})
        receive({.code = code});
    m.report.code00 = "F";
    EXPECT_FALSE(find_event_slot(m));
    EXPECT_EQ(t().i_event_now, 0);
    EXPECT_EQ(t().event_code[5], "E");
}

TEST_F(EventTableTest, ResetEmptiesTheTableAndTheEventState) {
    receive({.code = "A", .intensity = 1});
    receive({.code = "B", .dist = kFar});
    t().event_flag = 2;
    t().last_alarm_class = "5弱";
    m.travel.travel_s_data_flag = 1;
    m.travel.travel_s_data_ref_flag = 1;

    reset_event_table(m);
    EXPECT_EQ(t().i_event_selected, 0);
    EXPECT_EQ(t().map_flag, 0);
    EXPECT_EQ(t().event_flag, 0);
    EXPECT_EQ(t().last_alarm_class, "");
    EXPECT_EQ(m.main_view.Label19, "");
    EXPECT_EQ(m.travel.travel_s_data_flag, 0);
    EXPECT_EQ(m.travel.travel_s_data_ref_flag, 0);

    EXPECT_EQ(receive({.code = "B"}), 1);
    EXPECT_EQ(t().map_flag, 1);
    EXPECT_EQ(t().event_log_text[1], "<?xml B?>2024/05/01 12:00:30\n\r\n");
}

}  // namespace
}  // namespace eew
