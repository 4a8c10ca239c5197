// The feed: datagram framing, the 24-hour list and the event logs.
#include <gtest/gtest.h>

#include "fakes/temp_folder.hpp"
#include "feed/event_logs.hpp"
#include "feed/framing.hpp"
#include "feed/recent_events.hpp"

namespace eew {
namespace {

TEST(Framing, RelayModeSkipsTheTwoBytePrefixAndTheLastByteShorterThan13BytesIsIgnored) {
    EXPECT_EQ(frame_message("PPabcdefghijZ", false), "abcdefghij");   // 13 bytes -> 10
    EXPECT_EQ(frame_message("PPabcdefghijZ", true), "PPabcdefghij");  // LAN: 13 -> 12
    EXPECT_EQ(frame_message(std::string("PP\0\x82\xFF end\nxyzZ", 13), false),
              std::string("\0\x82\xFF end\nxyz", 10));  // bytes kept as they are
    EXPECT_FALSE(frame_message(std::string(12, 'x'), true));
}

TEST(Framing, KindIsFoundInTheFirstTenCharactersFirstMatchWinsWaveAndObsOnlyOnTheLan) {
    using enum MessageKind;
    // clang-format off
    const std::tuple<const char*, bool, MessageKind> cases[] = {
        {"noise xml!", false, noise}, {"xml  noise", false, noise}, {"0123456xml", false, report},
        {"012345678xml", false, ignored}, {"waveobsxml", true, report},  // straddles 10; xml first
        {"wave 12345", false, ignored}, {"obs 123456", false, ignored},
        {"wave 12345", true, waveform}, {"obs 123456", true, observation},
    };
    // clang-format on
    for (const auto& [text, lan, kind] : cases)
        EXPECT_EQ(message_kind(text, lan), kind) << text << lan;
}

// Entries more than 1440 minute boundaries old, or whose time cannot be read,
// go from the front; the others are saved with their time texts as loaded.
TEST(RecentEvents, LoadPruneAndSaveKeepTheLast1440MinutesAsWritten) {
    test::TempFolder dir;
    dir.write("24hours.dat",
              "5\r\n2024/04/01 08:00:00\r\n1 2 3 4\r\nyesterday\r\n1 2 3 4\r\n"
              "2024/04/01 08:59:59\r\n1 2 3 4\r\n2024/4/1 9:00:00\r\n5.5 35.2 139.1 12\r\n"
              "2024/04/02 08:00:00\r\n6,36,140,14\r\n");
    RecentEvents list = load_recent_events(dir.path() + "/24hours.dat");
    prune_recent_events(list, *DateTime::from_text("2024/04/02 09:00:30"));
    ASSERT_FALSE(save_recent_events(dir.path() + "/24hours.dat", list));
    EXPECT_EQ(dir.read("24hours.dat"),
              "2\r\n2024/4/1 9:00:00\r\n5.5 35.2 139.1 12\r\n"
              "2024/04/02 08:00:00\r\n6 36 140 14\r\n");
}

EventSlot quake(double magnitude, std::string code = "20240403090500017") {
    const DateTime origin = *DateTime::from_fields(2024, 4, 3, 9, 5, 42);
    return {std::move(code), origin, magnitude, 35.5, 139.25, 3, "<r1/>2024/04/03 09:05:50\n\r\n"};
}

TEST(LogFileName, OriginMinuteLastCodeCharacterAndMagnitudeInTenthsRoundedHalfAway) {
    // clang-format off
    const std::tuple<double, const char*, const char*> cases[] = {
        {6.45, "20240403090500017", "20240403.0905_7_M65"}, {4.96, "12/", "20240403.0905___M50"},
        {-1.2, "", "20240403.0905__M00"}, {10.25, "A", "20240403.0905_A_M103"},
    };
    // clang-format on
    for (const auto& [magnitude, code, name] : cases)
        EXPECT_EQ(log_file_name(quake(magnitude, code)), name);
}

struct EventLogs : ::testing::Test {
    std::vector<std::string> log(const EventSlot& e) { return log_event(e, settings, list); }

    test::TempFolder dir;
    LogSettings settings{
        dir.path() + "/log/", dir.path() + "/log/large_events/", 5.0, {0, 12, 14, 10, 2, 9, 1}};
    RecentEvents list;
};

// The folders do not exist yet: they are made.
TEST_F(EventLogs, EveryEventIsListedAndLoggedLargeOnesTwiceAClashingNameGetsASuffix) {
    list.total_event_number = 498;
    EXPECT_TRUE(log(quake(4.99)).empty());
    EXPECT_EQ(dir.read("log/20240403.0905_7_M50"), "<r1/>2024/04/03 09:05:50\n\r\n\r\n");
    EXPECT_EQ(list.recent_event_time[499], "2024/04/03 09:05:42");
    EXPECT_EQ(list.recent_event_data[499], (std::array<double, 5>{0, 4.99, 35.5, 139.25, 10}));
    // The name is taken in one folder only: both files move on together.
    EXPECT_TRUE(log(quake(5.0)).empty());
    EXPECT_TRUE(log(quake(5.0)).empty());  // the list is full: logged, not listed
    EXPECT_TRUE(dir.exists("log/20240403.0905_7_M50_3"));
    EXPECT_TRUE(dir.exists("log/large_events/20240403.0905_7_M50_3"));
    EXPECT_FALSE(dir.exists("log/large_events/20240403.0905_7_M50"));
    EXPECT_EQ(list.total_event_number, 500);
}

TEST_F(EventLogs, AFolderThatCannotBeMadeIsNamedAndTheOtherCopyWritten) {
    dir.write("blocked", "a file where the folder should be");
    settings.logp = dir.path() + "/blocked/";
    const auto failures = log(quake(7.0));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(dir.path() + "/blocked/20240403.0905_7_M70"), std::string::npos);
    EXPECT_TRUE(dir.exists("log/large_events/20240403.0905_7_M70"));
}

}  // namespace
}  // namespace eew
