#include "feed/event_logs.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "text/whole_file.hpp"

namespace eew {
namespace {

char file_name_character(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return '_';
    for (char reserved : std::string_view("/\\:*?\"<>|"))
        if (c == reserved) return '_';
    return c;
}

bool taken(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The first of `name`, `name_2`, `name_3`, ... free in every folder given.
std::string free_name(const std::string& name, const std::vector<std::string>& folders) {
    std::string candidate = name;
    for (int n = 2;; ++n) {
        const bool free = std::none_of(folders.begin(), folders.end(),
                                       [&](const std::string& f) { return taken(f + candidate); });
        if (free) return candidate;
        candidate = name + "_" + std::to_string(n);
    }
}

void list_event(const EventSlot& e, const LogSettings& s, RecentEvents& list) {
    if (list.total_event_number >= RecentEvents::kCapacity) return;
    const int n = ++list.total_event_number;
    const int depth_class = std::clamp(e.event_depth_class, 0, 6);
    list.recent_event_time[n] = e.event_origin_time.text();
    list.recent_event_data[n] = {0, e.event_magnitude, e.event_latitude, e.event_longitude,
                                 static_cast<double>(s.depth_color_table[depth_class])};
}

}  // namespace

std::string magnitude_tag(double magnitude) {
    if (!(magnitude > 0)) return "_M00";
    // Beyond any real magnitude, but keeps the rounding defined for garbage.
    const long long tenths = std::llround(std::min(magnitude, 1e12) * 10);
    char digits[24];
    std::snprintf(digits, sizeof digits, "%02lld", tenths);
    return std::string("_M") + digits;
}

std::string log_file_name(const EventSlot& e) {
    const DateTime& t = e.event_origin_time;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d.%02d%02d_", t.year(), t.month(), t.day(),
                  t.hour(), t.minute());
    std::string name = stamp;
    if (!e.event_code.empty()) name += file_name_character(e.event_code.back());
    return name + magnitude_tag(e.event_magnitude);
}

std::string log_file_content(const EventSlot& e) {
    return e.event_log_text + "\r\n";
}

std::vector<std::string> log_event(const EventSlot& e, const LogSettings& s, RecentEvents& list) {
    list_event(e, s, list);
    std::vector<std::string> folders{s.logp};
    if (e.event_magnitude >= s.large_m) folders.push_back(s.logp2);
    const std::string name = free_name(log_file_name(e), folders);
    const std::string content = log_file_content(e);
    std::vector<std::string> failures;
    for (const std::string& folder : folders) {
        // A folder deleted while the program runs comes back; one that cannot
        // is reported by the write below, naming the file.
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (auto error = write_file_replacing(folder + name, content))
            failures.push_back(std::move(*error));
    }
    return failures;
}

}  // namespace eew
