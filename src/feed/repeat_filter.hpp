#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>

namespace eew {

// Remembers the last texts taken so that an exact repeat is known. A broker
// delivers a message at least once: after a broken connection it may send
// again what the display had already taken, and a report taken twice would
// be announced twice.
class RepeatFilter {
  public:
    static constexpr std::size_t kRemembered = 1000;

    // True when `text` is one of the last kRemembered texts; otherwise it is
    // remembered, the oldest forgotten.
    bool repeats(std::string_view text);

  private:
    std::deque<std::string> order_;  // oldest first
    std::unordered_set<std::string_view>
        seen_;  // views into order_, which keeps its elements in place
};

}  // namespace eew
