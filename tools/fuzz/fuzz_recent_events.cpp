// Any bytes as the 24-hour list: it loads within its capacity with nothing
// beyond its count, and saves and loads again unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "feed/recent_events.hpp"
#include "fuzz_check.hpp"
#include "fuzz_input_file.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = eew::fuzz::input_file(data, size);
    const eew::RecentEvents list = eew::load_recent_events(path);
    const int n = list.total_event_number;
    check(n >= 0 && n <= eew::RecentEvents::kCapacity, "the count is within the capacity");
    for (std::size_t i = static_cast<std::size_t>(n) + 1; i <= eew::RecentEvents::kCapacity; ++i)
        check(list.recent_event_time[i].empty() &&
                  list.recent_event_data[i] == decltype(list.recent_event_data[i]){},
              "nothing beyond the count");
    check(!eew::save_recent_events(path, list), "the list saves");
    const eew::RecentEvents again = eew::load_recent_events(path);
    check(again.total_event_number == n && again.recent_event_time == list.recent_event_time &&
              again.recent_event_data == list.recent_event_data,
          "a saved list loads unchanged");
    return 0;
}
