#include "feed/recent_events.hpp"

#include <gtest/gtest.h>

#include "fakes/temp_folder.hpp"

namespace eew {
namespace {

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

}  // namespace
}  // namespace eew
