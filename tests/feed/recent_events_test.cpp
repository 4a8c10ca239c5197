#include "feed/recent_events.hpp"

#include <gtest/gtest.h>

#include "fakes/temp_folder.hpp"

namespace eew {
namespace {

DateTime at(int d, int h, int mi, int s = 0) {
    return *DateTime::from_fields(2024, 4, d, h, mi, s);
}

RecentEvents list_of(std::initializer_list<DateTime> times) {
    RecentEvents list;
    for (const DateTime& t : times) {
        const int i = ++list.total_event_number;
        list.recent_event_time[i] = t.text();
        list.recent_event_data[i] = {0, static_cast<double>(i), 35, 139, 12};
    }
    return list;
}

TEST(RecentEvents, PruningDropsEntriesOlderThan1440MinutesFromTheFront) {
    RecentEvents list = list_of({at(1, 8, 0), at(1, 8, 59, 59), at(1, 9, 0), at(2, 8, 0)});
    prune_recent_events(list, at(2, 9, 0, 30));
    // 08:59:59 of the day before is 1441 minute boundaries back; 09:00:00 is 1440.
    ASSERT_EQ(list.total_event_number, 2);
    EXPECT_EQ(list.recent_event_time[1], at(1, 9, 0).text());
    EXPECT_EQ(list.recent_event_data[1][1], 3);
    EXPECT_EQ(list.recent_event_data[2][1], 4);
    EXPECT_EQ(list.recent_event_time[3], "");
}

TEST(RecentEvents, AnEmptyListStaysEmptyAndOldOrUnreadableEntriesAllGo) {
    RecentEvents unreadable = list_of({at(2, 8, 0)});
    unreadable.recent_event_time[1] = "yesterday";
    for (RecentEvents list : {RecentEvents{}, list_of({at(1, 1, 0), at(1, 2, 0)}), unreadable}) {
        prune_recent_events(list, at(3, 0, 0));
        EXPECT_EQ(list.total_event_number, 0);
    }
}

TEST(RecentEvents, SavedListReadsBackAndKeepsLoadedTimeTexts) {
    test::TempFolder dir;
    const std::string path = dir.path() + "/24hours.dat";
    ASSERT_FALSE(save_recent_events(path, RecentEvents{}));
    EXPECT_EQ(dir.read("24hours.dat"), "0\r\n");

    dir.write("24hours.dat",
              "2\r\n2024/4/1 8:00:00\r\n5.5 35.2 139.1 12\r\n"
              "2024/04/01 08:30:00\r\n6,36,140,14\r\n");
    const RecentEvents loaded = load_recent_events(path);
    ASSERT_EQ(loaded.total_event_number, 2);
    ASSERT_FALSE(save_recent_events(path, loaded));
    EXPECT_EQ(dir.read("24hours.dat"),
              "2\r\n2024/4/1 8:00:00\r\n5.5 35.2 139.1 12\r\n"
              "2024/04/01 08:30:00\r\n6 36 140 14\r\n");
}

}  // namespace
}  // namespace eew
