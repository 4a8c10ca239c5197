// Any bytes as a log file to replay: a result is whole or empty, never lines
// without their pacing, and always within the bounds of a log.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_check.hpp"
#include "replay/replay_file.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const eew::ReplayFile f = eew::read_replay_file(in);
    check((f.outcome == eew::ReplayLoad::ok) == !f.lines.empty(), "lines only when ok");
    check(f.offsets.size() == f.lines.size(), "one offset a line");
    check(f.offsets.empty() || f.offsets[0] == 0, "paced from the first line");
    check(f.lines.size() < eew::ReplayState::kMaxLines, "fewer than 100 reports");
    for (const std::string& line : f.lines)
        check(line.size() <= eew::kMaxReplayLineBytes, "lines within their bound");
    return 0;
}
