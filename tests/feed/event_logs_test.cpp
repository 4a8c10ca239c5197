#include "feed/event_logs.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/temp_folder.hpp"

namespace eew {
namespace {

EventSlot quake(double magnitude, std::string code = "20240403090500017") {
    EventSlot e;
    e.event_code = std::move(code);
    e.event_origin_time = *DateTime::from_fields(2024, 4, 3, 9, 5, 42);
    e.event_magnitude = magnitude;
    e.event_latitude = 35.5;
    e.event_longitude = 139.25;
    e.event_depth_class = 3;
    e.event_log_text = "<r1/>2024/04/03 09:05:50\n\r\n<r2/>2024/04/03 09:05:51\n\r\n";
    return e;
}

struct EventLogs : ::testing::Test {
    std::vector<std::string> log(const EventSlot& e) { return log_event(e, settings, list); }

    test::TempFolder dir;
    LogSettings settings{
        dir.path() + "/log/", dir.path() + "/log/large_events/", 5.0, {0, 12, 14, 10, 2, 9, 1}};
    RecentEvents list;
    void SetUp() override { dir.write("log/large_events/.keep", ""); }
};

TEST(LogFileName, MagnitudeTagIsTenthsRoundedHalfAwayWithTwoDigits) {
    const std::pair<double, const char*> cases[] = {
        {0, "_M00"},    {-1.2, "_M00"}, {0.04, "_M00"}, {0.5, "_M05"}, {4.96, "_M50"},
        {4.99, "_M50"}, {5.0, "_M50"},  {6.45, "_M65"}, {9.0, "_M90"}, {10.25, "_M103"}};
    for (auto [magnitude, tag] : cases)
        EXPECT_EQ(magnitude_tag(magnitude), tag) << magnitude;
    EXPECT_EQ(magnitude_tag(std::nan("")), "_M00");
}

TEST(LogFileName, OriginMinuteLastCodeCharacterAndTag) {
    EXPECT_EQ(log_file_name(quake(6.5)), "20240403.0905_7_M65");
    EXPECT_EQ(log_file_name(quake(6.5, "12/")), "20240403.0905___M65");
    EXPECT_EQ(log_file_name(quake(0, "")), "20240403.0905__M00");
}

TEST_F(EventLogs, FileHoldsEveryRecordThenOneEmptyLineAndIsListed) {
    EXPECT_TRUE(log(quake(4.99)).empty());
    EXPECT_EQ(dir.read("log/20240403.0905_7_M50"),
              "<r1/>2024/04/03 09:05:50\n\r\n<r2/>2024/04/03 09:05:51\n\r\n\r\n");
    EXPECT_FALSE(dir.exists("log/large_events/20240403.0905_7_M50"));
    ASSERT_EQ(list.total_event_number, 1);
    EXPECT_EQ(list.recent_event_time[1], "2024/04/03 09:05:42");
    EXPECT_EQ(list.recent_event_data[1], (std::array<double, 5>{0, 4.99, 35.5, 139.25, 10}));
}

TEST_F(EventLogs, LargeEventsAreCopiedAndAClashingNameGetsASuffixInBothFolders) {
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(log(quake(5.0)).empty());
    for (const char* name :
         {"20240403.0905_7_M50", "20240403.0905_7_M50_2", "20240403.0905_7_M50_3"}) {
        EXPECT_TRUE(dir.exists(std::string("log/") + name)) << name;
        EXPECT_TRUE(dir.exists(std::string("log/large_events/") + name)) << name;
    }
    // Only the large copy of a name taken: both files move on together.
    dir.write("log/large_events/20240403.0905_7_M60", "older");
    EXPECT_TRUE(log(quake(6.0)).empty());
    EXPECT_TRUE(dir.exists("log/20240403.0905_7_M60_2"));
    EXPECT_FALSE(dir.exists("log/20240403.0905_7_M60"));
    EXPECT_EQ(dir.read("log/large_events/20240403.0905_7_M60"), "older");
}

TEST_F(EventLogs, AFullListStopsListingButNotLogging) {
    list.total_event_number = 499;
    EXPECT_TRUE(log(quake(3.0, "A1")).empty());
    EXPECT_TRUE(log(quake(3.0, "A2")).empty());
    EXPECT_EQ(list.total_event_number, 500);
    EXPECT_EQ(list.recent_event_data[500][1], 3.0);
    EXPECT_TRUE(dir.exists("log/20240403.0905_1_M30"));
    EXPECT_TRUE(dir.exists("log/20240403.0905_2_M30"));
}

TEST_F(EventLogs, AFolderDeletedMeanwhileComesBackOneThatCannotIsNamed) {
    settings.logp = dir.path() + "/gone/";
    EXPECT_TRUE(log(quake(3.0)).empty());
    EXPECT_TRUE(dir.exists("gone/20240403.0905_7_M30"));

    dir.write("blocked", "a file where the folder should be");
    settings.logp = dir.path() + "/blocked/";
    const auto failures = log(quake(7.0));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(dir.path() + "/blocked/20240403.0905_7_M70"), std::string::npos);
    EXPECT_TRUE(dir.exists("log/large_events/20240403.0905_7_M70"));
    EXPECT_FALSE(dir.exists("log/large_events/20240403.0905_7_M70.new"));
    EXPECT_EQ(list.total_event_number, 2);
}

}  // namespace
}  // namespace eew
