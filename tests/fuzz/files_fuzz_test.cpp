// Damaged data files: every reader either loads or throws the error that
// names the file, and the 24-hour list loads only whole entries.
#include <gtest/gtest.h>

#include <functional>

#include "app/config_file.hpp"
#include "fakes/mutator.hpp"
#include "fakes/program_folder.hpp"
#include "feed/recent_events.hpp"
#include "quake/lpwave_settings.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"
#include "quake/travel_table.hpp"
#include "text/field_reader.hpp"

namespace eew {
namespace {

TEST(DataFileFuzz, ReadersLoadOrNameTheFile) {
    test::TempFolder folder;
    test::write_program_files(folder);
    folder.write("data/ref.dat", "2\r\n139.7,35.7,1.5,Tokyo\r\n135.5,34.7,1.2,\"Osaka, Kita\"\r\n");
    const std::pair<const char*, std::function<void(const std::string&)>> readers[] = {
        {"tavi.config", [](const std::string& p) { read_config(p); }},
        {"LPwave.in", [](const std::string& p) { read_lpwave_settings(p); }},
        {"jmargn_j.csv", [](const std::string& p) { read_region_table(p); }},
        {"traveltime300.dat", [](const std::string& p) { read_travel_table(p); }},
        {"ref.dat", [](const std::string& p) {
             const int n = read_reference_sites(p).ref_number;
             ASSERT_TRUE(n >= 0 && n <= ReferenceSites::kCapacity) << n;
         }}};
    test::Mutator mutate(4242);
    for (const auto& [file, read] : readers) {
        const std::string valid = folder.read(std::string("data/") + file);
        const std::string path = folder.path() + "/data/" + file;
        ASSERT_NO_THROW(read(path)) << file;
        for (int i = 0; i < (valid.size() > 100000 ? 10 : 100); ++i) {
            folder.write(std::string("data/") + file, mutate.mutate(valid, {",", "\r\n", "\""}));
            try {
                read(path);
            } catch (const DataFileError& e) {
                ASSERT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            }
        }
    }
}

// The entries up to the count, then "stray" for any filled one beyond it.
std::vector<std::string> entries(const RecentEvents& list) {
    std::vector<std::string> out;
    for (std::size_t i = 1; i <= RecentEvents::kCapacity; ++i) {
        const auto& data = list.recent_event_data[i];
        const bool in_list = static_cast<int>(i) <= list.total_event_number;
        if (!in_list && list.recent_event_time[i].empty() && data == decltype(data){}) continue;
        std::string entry = in_list ? list.recent_event_time[i] : "stray";
        for (double v : data)
            entry += " " + std::to_string(v);
        out.push_back(entry);
    }
    return out;
}

RecentEvents sample_list() {
    RecentEvents list;
    list.total_event_number = 5;
    for (std::size_t i = 1; i <= 5; ++i) {
        list.recent_event_time[i] = "2024/04/01 08:3" + std::to_string(i) + ":15";
        list.recent_event_data[i] = {0, 3.5 + 0.25 * static_cast<double>(i), 35.65, 139.875,
                                     static_cast<double>(10 + i)};
    }
    return list;
}

// Damaged lists load within the capacity, nothing beyond the count, and
// save and load again unchanged.
TEST(RecentEventsFuzz, DamagedListsLoadWholeEntriesAndRoundTrip) {
    test::TempFolder folder;
    const std::string path = folder.path() + "/24hours.dat";
    ASSERT_FALSE(save_recent_events(path, sample_list()));
    const std::string whole = folder.read("24hours.dat");
    test::Mutator mutate(86400);
    for (int i = 0; i < 150; ++i) {
        folder.write("24hours.dat", mutate.mutate(whole, {"\r\n", " ", "5\r\n"}));
        const RecentEvents list = load_recent_events(path);
        const std::vector<std::string> got = entries(list);
        ASSERT_TRUE(list.total_event_number >= 0 &&
                    static_cast<std::size_t>(list.total_event_number) == got.size());
        ASSERT_FALSE(save_recent_events(path, list));
        ASSERT_EQ(entries(load_recent_events(path)), got);
    }
}

}  // namespace
}  // namespace eew
