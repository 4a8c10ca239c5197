#include "replay/replay_file.hpp"

#include <array>
#include <fstream>
#include <optional>

#include "text/report_elements.hpp"

namespace eew {
namespace {

// Lines as read, before the last one is dropped: one more than the reports.
constexpr std::size_t kMaxLinesRead = ReplayState::kMaxLines;

// Reads the lines of `in` within the bounds; nothing when a bound is passed
// or the stream fails.
std::optional<std::vector<std::string>> split_lines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    bool line_open = false;  // characters were read since the last line end
    bool after_cr = false;   // the previous character ended a line at a CR
    std::size_t total = 0;
    std::array<char, 64 * 1024> chunk;
    while (in) {
        in.read(chunk.data(), chunk.size());
        const std::size_t got = static_cast<std::size_t>(in.gcount());
        total += got;
        if (total > kMaxReplayFileBytes) return std::nullopt;
        for (std::size_t i = 0; i < got; ++i) {
            const char c = chunk[i];
            if (after_cr) {
                after_cr = false;
                if (c == '\n') continue;
            }
            if (c == '\r') {
                if (lines.size() == kMaxLinesRead) return std::nullopt;
                lines.push_back(std::move(line));
                line.clear();
                line_open = false;
                after_cr = true;
                continue;
            }
            if (line.size() == kMaxReplayLineBytes) return std::nullopt;
            line.push_back(c);
            line_open = true;
        }
    }
    if (in.bad()) return std::nullopt;
    if (line_open) {
        if (lines.size() == kMaxLinesRead) return std::nullopt;
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

ReplayFile read_replay_file(std::istream& in) {
    ReplayFile file;
    auto lines = split_lines(in);
    if (!lines) return file;
    if (lines->size() <= 1) {
        file.outcome = ReplayLoad::empty;
        return file;
    }
    lines->pop_back();

    std::vector<DateTime> send_times(lines->size());
    for (std::size_t k = 0; k < lines->size(); ++k) {
        // A lone line needs no send time: it has nothing to be paced against.
        if (!extract_send_time((*lines)[k], send_times[k]) && lines->size() > 1) return file;
    }
    for (const DateTime& t : send_times)
        file.offsets.push_back(seconds_between(send_times.front(), t));
    file.first_send_time = send_times.front();
    file.lines = std::move(*lines);
    file.outcome = ReplayLoad::ok;
    return file;
}

ReplayFile load_replay_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return read_replay_file(in);
}

}  // namespace eew
