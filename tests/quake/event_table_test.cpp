#include "quake/event_table.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "app/main_state.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

DateTime at(int second) {
    return *DateTime::from_fields(2024, 5, 1, 12, 0, second);
}

// One decoded report; the defaults pass the thresholds set up below.
struct Quake {
    std::string code;
    double magnitude = 5.0;
    double intensity = 3.0;
    double dist = 100;
    double depth = 10;
    int origin_second = 0;
};

struct EventTableTest : ::testing::Test {
    EventTableTest() {
        m.settings.pdata_min = 2;
        m.settings.magnitude_min = 3.5;
        m.settings.magnitude_min_defalt = 3.5;
        m.settings.dist_min = 300;
        m.lpwave.intensity_min = 0;
    }

    // Runs the table's part of the report chain; false when the report was dropped.
    bool receive(const Quake& q) {
        m.report.code00 = q.code;
        m.report.magnitude00 = q.magnitude;
        m.report.intensity00 = q.intensity;
        m.report.dist00 = q.dist;
        m.report.depth00 = q.depth;
        m.report.pdata00 = 3;
        m.report.origintime00 = at(q.origin_second);
        m.feed.received_data00 = "<?xml " + q.code + "?>";
        if (!find_event_slot(m)) return false;
        store_event_report(m, at(30));
        apply_event_filter(m);
        select_event(m);
        update_map_flag(m);
        return true;
    }

    bool passes(const Quake& q) {
        receive(q);
        return t().filter_flag[t().i_event_now] == 1;
    }

    EventTable& t() { return m.events; }

    MainState m;
};

constexpr double kFar = 900;  // beyond dist_min: fails the filter

TEST_F(EventTableTest, NewCodeTakesTheNextSlotAndAKnownCodeUpdatesItsOwn) {
    receive({.code = "A"});
    EXPECT_EQ(t().i_event_now, 1);
    receive({.code = "B"});
    EXPECT_EQ(t().i_event_now, 2);
    receive({.code = "A", .magnitude = 6.1, .depth = 45});
    EXPECT_EQ(t().i_event_now, 1);
    EXPECT_EQ(t().n_event, 2);
    EXPECT_EQ(t().event_magnitude[1], 6.1);
    EXPECT_EQ(t().event_depth_class[1], 3);
    EXPECT_EQ(t().event_magnitude[2], 5.0);
}

TEST_F(EventTableTest, LogTextAppendsEachReportWithItsReceptionTime) {
    receive({.code = "A"});
    receive({.code = "A"});
    EXPECT_EQ(t().event_log_text[1],
              "<?xml A?>2024/05/01 12:00:30\n\r\n"
              "<?xml A?>2024/05/01 12:00:30\n\r\n");
}

TEST_F(EventTableTest, ASingleEventIsFollowedExactlyWhenItPasses) {
    receive({.code = "A", .intensity = 0});
    EXPECT_EQ(t().i_event_selected, 1);
    receive({.code = "A", .intensity = 6.5, .dist = kFar});
    EXPECT_EQ(t().i_event_selected, 0);
}

TEST_F(EventTableTest, HighestIntensityIsFollowedAndTiesGoToTheLowerSlot) {
    receive({.code = "A", .intensity = 3.2});
    receive({.code = "B", .intensity = 3.2});
    EXPECT_EQ(t().i_event_selected, 1);
    receive({.code = "C", .intensity = 6.0, .dist = kFar});
    EXPECT_EQ(t().i_event_selected, 1);
    receive({.code = "B", .intensity = 3.3});
    EXPECT_EQ(t().i_event_selected, 2);
    receive({.code = "A", .intensity = 3.4});
    EXPECT_EQ(t().i_event_selected, 1);
}

TEST_F(EventTableTest, WithoutAPositiveIntensityTheLargestMagnitudeIsFollowed) {
    receive({.code = "A", .magnitude = 5.0, .intensity = 0});
    receive({.code = "B", .magnitude = 6.0, .intensity = 0});
    receive({.code = "C", .magnitude = 6.0, .intensity = 0});
    receive({.code = "D", .magnitude = 7.5, .intensity = 0, .dist = kFar});
    EXPECT_EQ(t().i_event_selected, 2);
    receive({.code = "E", .magnitude = 4.0, .intensity = 0.1});
    EXPECT_EQ(t().i_event_selected, 5);
}

TEST_F(EventTableTest, FilterThresholdsAreInclusive) {
    m.lpwave.intensity_min = 1.0;
    const Quake edge{.code = "A", .magnitude = 3.5, .intensity = 1.0, .dist = 300};
    EXPECT_TRUE(passes(edge));

    Quake q = edge;
    q.magnitude = 3.49;
    EXPECT_FALSE(passes(q));
    q = edge;
    q.dist = 300.01;
    EXPECT_FALSE(passes(q));
    q = edge;
    q.intensity = 0.99;
    EXPECT_FALSE(passes(q));

    m.settings.pdata_min = 3;
    EXPECT_TRUE(passes(edge));
    m.settings.pdata_min = 3.01;
    EXPECT_FALSE(passes(edge));
}

TEST_F(EventTableTest, HeldBackEventOfTheConfiguredMagnitudeLightsTheIndicator) {
    receive({.code = "A", .magnitude = 3.4, .dist = kFar});
    EXPECT_EQ(m.main_view.Label19, "");
    receive({.code = "B", .magnitude = 9.0});
    EXPECT_EQ(m.main_view.Label19, "");

    // Pop-ups switched off raise the minimum to 10.
    m.settings.magnitude_min = 10;
    receive({.code = "C", .magnitude = 3.5});
    EXPECT_EQ(t().filter_flag[3], 0);
    EXPECT_EQ(m.main_view.Label19, "地震発生");
}

TEST_F(EventTableTest, MapFlagMarksEveryChangeOfTheFollowedEvent) {
    receive({.code = "A"});
    EXPECT_EQ(t().map_flag, 1);
    receive({.code = "A"});
    EXPECT_EQ(t().map_flag, 2);
    receive({.code = "B", .intensity = 4.0});
    EXPECT_EQ(t().map_flag, 1);
    receive({.code = "A"});
    EXPECT_EQ(t().map_flag, 2);
    receive({.code = "B", .dist = kFar});
    receive({.code = "A", .dist = kFar});
    EXPECT_EQ(t().i_event_selected, 0);
    EXPECT_EQ(t().map_flag, 1);
    receive({.code = "A", .dist = kFar});
    EXPECT_EQ(t().map_flag, 2);
}

TEST_F(EventTableTest, DepthGivesTheClassAndTheTravelTableRow) {
    struct Case {
        double depth;
        int depth_class;
        int depth_div;
    };
    for (const Case c : {Case{19.9, 1, 4}, Case{20, 2, 5}, Case{99.9, 5, 20}, Case{100, 6, 21},
                         Case{250, 6, 51}, Case{-5, 1, 1}, Case{1e300, 6, INT_MAX}}) {
        receive({.code = "A", .depth = c.depth});
        copy_selected_report(m, CopyForm::live);
        EXPECT_EQ(t().event_depth_class[1], c.depth_class) << c.depth;
        EXPECT_EQ(m.followed.depth_color, c.depth_class) << c.depth;
        EXPECT_EQ(m.followed.depth_div, c.depth_div) << c.depth;
    }
}

struct RegionNames : EventTableTest {
    RegionNames() {
        key = *utf8_to_sjis("茨城県南部");
        auto& rows = m.regions.region_table;
        rows[1] = {"", "北海道", "北海道地方"};
        rows[2] = {"", key, "茨城県南部"};
        rows[3] = {"", "no name", ""};
        rows[5] = {"", "unreachable", "後ろの行"};
        receive({.code = "A"});
    }

    std::string shown(const std::string& received, CopyForm form) {
        m.report.region_name00 = received;
        copy_selected_report(m, form);
        return m.followed.region_name;
    }

    std::string key;
};

TEST_F(RegionNames, KnownKeyShowsItsDisplayName) {
    EXPECT_EQ(shown(key, CopyForm::live), "茨城県南部");
    EXPECT_EQ(m.followed.region_name_en, key);
    EXPECT_EQ(shown("北海道", CopyForm::live), "北海道地方");
}

TEST_F(RegionNames, RowWithoutADisplayNameShowsTheKey) {
    EXPECT_EQ(shown("no name", CopyForm::live), "no name");
    EXPECT_EQ(shown("no name", CopyForm::replay), "no name");
}

TEST_F(RegionNames, UnknownKeyIsShownAsReceived) {
    EXPECT_EQ(shown("千葉県北西部", CopyForm::live), "千葉県北西部");
    EXPECT_EQ(shown(*utf8_to_sjis("千葉県北西部"), CopyForm::live), "千葉県北西部");
    EXPECT_EQ(shown("unreachable", CopyForm::live), "unreachable");

    m.regions = RegionTable();
    EXPECT_EQ(shown(key, CopyForm::live), "茨城県南部");
}

TEST_F(RegionNames, ReplayKeepsTheNameShownBeforeForAnUnknownKey) {
    EXPECT_EQ(shown("千葉県北西部", CopyForm::replay), "千葉県北西部");
    EXPECT_EQ(shown("北海道", CopyForm::replay), "北海道地方");
    EXPECT_EQ(shown("千葉県北西部", CopyForm::replay), "北海道地方");
    EXPECT_EQ(m.followed.region_name_en, "千葉県北西部");
    EXPECT_EQ(shown("千葉県北西部", CopyForm::live), "千葉県北西部");
}

TEST_F(EventTableTest, SixthCodeTakesOverTheOldestSlotNeitherFollowedNorPassing) {
    receive({.code = "A", .intensity = 5.0, .origin_second = 0});
    receive({.code = "B", .dist = kFar, .origin_second = 3});
    receive({.code = "C", .dist = kFar, .origin_second = 1});
    receive({.code = "D", .origin_second = 0});
    receive({.code = "E", .dist = kFar, .origin_second = 1});
    ASSERT_EQ(t().i_event_selected, 1);

    ASSERT_TRUE(receive({.code = "F", .magnitude = 4.2, .dist = kFar, .origin_second = 9}));
    EXPECT_EQ(t().i_event_now, 3);
    EXPECT_EQ(t().n_event, 5);
    EXPECT_EQ(t().event_code[3], "F");
    EXPECT_EQ(t().event_magnitude[3], 4.2);
    EXPECT_EQ(t().event_log_text[3], "<?xml F?>2024/05/01 12:00:30\n\r\n");

    ASSERT_TRUE(receive({.code = "G", .dist = kFar, .origin_second = 9}));
    EXPECT_EQ(t().i_event_now, 5);
    EXPECT_EQ(t().event_code[2], "B");
    EXPECT_EQ(t().i_event_selected, 1);
}

TEST_F(EventTableTest, SixthCodeNeverTakesTheFollowedSlot) {
    for (const char* code : {"A", "B", "C", "D", "E"})
        receive({.code = code});
    for (int i = 1; i <= 5; ++i)
        t().filter_flag[i] = 0;
    t().i_event_selected = 1;
    m.report.code00 = "F";
    ASSERT_TRUE(find_event_slot(m));
    EXPECT_EQ(t().i_event_now, 2);
    EXPECT_EQ(t().event_code[1], "A");
}

TEST_F(EventTableTest, SixthCodeIsDroppedWhenEverySlotPassesOrIsFollowed) {
    for (const char* code : {"A", "B", "C", "D", "E"})
        receive({.code = code});
    EXPECT_FALSE(receive({.code = "F", .magnitude = 8.0, .intensity = 6.5}));
    EXPECT_EQ(t().i_event_now, 0);
    EXPECT_EQ(t().n_event, 5);
    EXPECT_EQ(t().event_code[5], "E");
    EXPECT_EQ(t().event_magnitude[5], 5.0);
}

TEST_F(EventTableTest, ResetEmptiesEverything) {
    receive({.code = "A"});
    receive({.code = "B", .magnitude = 9.0, .dist = kFar});
    t().event_flag = 2;
    t().last_alarm_class = "5弱";
    m.travel.travel_s_data_flag = 1;
    m.travel.travel_s_data_ref_flag = 1;
    ASSERT_EQ(m.main_view.Label19, "地震発生");

    reset_event_table(m);
    EXPECT_EQ(t().n_event, 0);
    EXPECT_EQ(t().i_event_now, 0);
    EXPECT_EQ(t().i_event_selected, 0);
    EXPECT_EQ(t().i_event_selected_old, 0);
    EXPECT_EQ(t().map_flag, 0);
    EXPECT_EQ(t().event_flag, 0);
    EXPECT_EQ(t().last_alarm_class, "");
    EXPECT_EQ(m.main_view.Label19, "");
    EXPECT_EQ(m.travel.travel_s_data_flag, 0);
    EXPECT_EQ(m.travel.travel_s_data_ref_flag, 0);
    for (int i = 1; i <= EventTable::kSlots; ++i) {
        EXPECT_EQ(t().event_code[i], "");
        EXPECT_EQ(t().event_origin_time[i], DateTime());
        EXPECT_EQ(t().event_magnitude[i], 0);
        EXPECT_EQ(t().event_intensity[i], 0);
        EXPECT_EQ(t().filter_flag[i], 0);
        EXPECT_EQ(t().event_depth_class[i], 0);
        EXPECT_EQ(t().event_log_text[i], "");
    }

    receive({.code = "B"});
    EXPECT_EQ(t().i_event_now, 1);
    EXPECT_EQ(t().map_flag, 1);
}

}  // namespace
}  // namespace eew
