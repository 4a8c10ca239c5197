#include "feed/recent_events.hpp"

#include <algorithm>
#include <filesystem>

#include "text/field_reader.hpp"
#include "text/number_format.hpp"
#include "text/numeric_value.hpp"
#include "text/whole_file.hpp"

namespace eew {

RecentEvents load_recent_events(const std::string& path) {
    RecentEvents list;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return list;
    try {
        FieldReader in = FieldReader::open(path);
        const long long announced = integer_part(in.number("the number of entries"));
        const int count =
            static_cast<int>(std::clamp<long long>(announced, 0, RecentEvents::kCapacity));
        for (int i = 1; i <= count; ++i) {
            std::string time = in.line("an entry's time");
            std::array<double, 5> data{};
            for (int c = 1; c <= 4; ++c)
                data[c] = in.number("an entry's values");
            list.recent_event_time[i] = std::move(time);
            list.recent_event_data[i] = data;
            list.total_event_number = i;
        }
    } catch (const DataFileError&) {
        // A short file keeps the entries read completely before the end.
    }
    return list;
}

void prune_recent_events(RecentEvents& list, const DateTime& now) {
    const int n = std::clamp(list.total_event_number, 0, RecentEvents::kCapacity);
    int k = 0;
    for (int i = 1; i <= n; ++i) {
        auto time = DateTime::from_text(list.recent_event_time[i]);
        if (!time || minutes_between(*time, now) > 1440) ++k;
    }
    if (k == 0) return;
    for (int i = k + 1; i <= n; ++i) {
        list.recent_event_time[i - k] = std::move(list.recent_event_time[i]);
        list.recent_event_data[i - k] = list.recent_event_data[i];
    }
    for (int i = n - k + 1; i <= n; ++i) {
        list.recent_event_time[i].clear();
        list.recent_event_data[i] = {};
    }
    list.total_event_number = n - k;
}

std::optional<std::string> save_recent_events(const std::string& path, const RecentEvents& list) {
    const int n = std::clamp(list.total_event_number, 0, RecentEvents::kCapacity);
    std::string out = std::to_string(n) + "\r\n";
    for (int i = 1; i <= n; ++i) {
        const auto& d = list.recent_event_data[i];
        out += list.recent_event_time[i] + "\r\n";
        out += plain_decimal(d[1]) + " " + plain_decimal(d[2]) + " " + plain_decimal(d[3]) + " " +
               plain_decimal(d[4]) + "\r\n";
    }
    return write_file_replacing(path, out);
}

}  // namespace eew
