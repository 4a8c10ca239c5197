// The writers of the configuration, the 24-hour list and the event logs all
// replace their file through one routine; a fault injected at each of its
// steps must leave the file as it was, never cut, and no temporary behind.
#include "text/whole_file.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "app/config_file.hpp"
#include "fakes/temp_folder.hpp"
#include "feed/event_logs.hpp"

namespace eew {
namespace {

WriteStep g_failing;

struct Writer {
    const char* file;
    std::function<bool(const test::TempFolder&, int)> write;  // true on success
};

TEST(WholeFile, AFailureAtAnyStepOfAnyWriterLeavesTheOldFileWholeAndNoTemporary) {
    const Writer writers[] = {
        {"tavi.config",
         [](const test::TempFolder& d, int n) {
             Settings s;
             s.sitename1 = std::string(n * 50, 'x');
             return !write_config(d.path() + "/tavi.config", s);
         }},
        {"24hours.dat",
         [](const test::TempFolder& d, int n) {
             RecentEvents list;
             list.total_event_number = n;
             return !save_recent_events(d.path() + "/24hours.dat", list);
         }},
        {"20240403.0905_7_M50_2",  // the second event of that name
         [](const test::TempFolder& d, int n) {
             const EventSlot e{"20240403090500017",
                               *DateTime::from_fields(2024, 4, 3, 9, 5, 42),
                               5,
                               35.5,
                               139.25,
                               3,
                               std::string(n * 50, 'r')};
             RecentEvents list;
             return log_event(e, {d.path() + "/", d.path() + "/", 9, {}}, list).empty();
         }},
    };
    for (const Writer& w : writers) {
        for (WriteStep step : {WriteStep::create, WriteStep::write, WriteStep::sync,
                               WriteStep::close, WriteStep::rename}) {
            test::TempFolder dir;
            ASSERT_TRUE(w.write(dir, 1)) << w.file;
            const std::string old = dir.read(w.file);
            const bool existed = dir.exists(w.file);
            g_failing = step;
            set_write_fault([](WriteStep s) { return s == g_failing; });
            EXPECT_FALSE(w.write(dir, 2)) << w.file << " step " << int(step);
            set_write_fault(nullptr);
            EXPECT_TRUE(dir.read(w.file) == old && dir.exists(w.file) == existed)
                << w.file << " step " << int(step);
            EXPECT_FALSE(dir.exists(std::string(w.file) + ".new"));
            ASSERT_TRUE(w.write(dir, 2));
            EXPECT_TRUE(dir.read(w.file) != old) << w.file;
        }
    }
}

}  // namespace
}  // namespace eew
