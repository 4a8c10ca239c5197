#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "feedsim/feed_message.hpp"

namespace eew::sim {

// A log file, unlike a scenario, begins with a report's XML declaration.
bool is_log_text(std::string_view text);

// The report texts of a log file, in file order. Each record is a report, its
// arrival date-time, LF, CR, LF; a report ends at its last '>', so the arrival
// time is dropped while line feeds inside the report stay. Blank records (the
// file's final empty line) are skipped; a record without any '>' is kept whole.
std::vector<std::string> split_log_records(std::string_view text);

// What is wrong with a log file; records are counted from 1.
struct LogError {
    int record = 0;
    std::string what;
};

// The reports of a log file, each at the seconds from the first report's send
// time to its own. A report sent earlier than the one before it goes out right
// after it: the order of the file is kept. Every record needs a send time no
// more than a day after the first one's.
std::variant<std::vector<FeedMessage>, LogError> plan_log(std::string_view text);

}  // namespace eew::sim
