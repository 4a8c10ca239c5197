#include "feedsim/log_playback.hpp"

#include <algorithm>

#include "feed/report_decoder.hpp"
#include "text/report_elements.hpp"

namespace eew::sim {
namespace {

constexpr std::string_view kRecordEnd = "\n\r\n";
// An event log spans minutes; a report days after the first is a broken send time.
constexpr long long kLongestSpan = 86400;

// "code/sequence" of a report as the receiver decodes it, "?" for a missing part.
std::string report_label(std::string_view report) {
    CurrentReport r;
    parse_report(report, r);
    auto part = [](const std::string& s) { return s.empty() ? std::string("?") : s; };
    return part(r.code00) + "/" + part(r.sequence00);
}

bool is_blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

bool is_log_text(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text.substr(first).starts_with("<?xml");
}

std::vector<std::string> split_log_records(std::string_view text) {
    std::vector<std::string> records;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(kRecordEnd, start), text.size());
        std::string_view record = text.substr(start, end - start);
        start = end + kRecordEnd.size();
        if (is_blank(record)) continue;
        if (const std::size_t last = record.rfind('>'); last != std::string_view::npos)
            record = record.substr(0, last + 1);
        records.emplace_back(record);
    }
    return records;
}

std::variant<std::vector<FeedMessage>, LogError> plan_log(std::string_view text) {
    const std::vector<std::string> records = split_log_records(text);
    if (records.empty()) return LogError{0, "no report in the file"};
    std::vector<FeedMessage> messages;
    DateTime first;
    double offset = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        DateTime sent;
        if (!extract_send_time(records[i], sent)) return LogError{number, "no valid send_time"};
        if (i == 0) first = sent;
        if (seconds_between(first, sent) > kLongestSpan)
            return LogError{number, "send_time more than a day after the first report's"};
        offset = std::max(offset, static_cast<double>(seconds_between(first, sent)));
        messages.push_back({offset, MessageKind::report, report_label(records[i]), records[i]});
    }
    return messages;
}

}  // namespace eew::sim
