#pragma once

#include <string_view>

namespace eew {

// `s` without the `blanks` at either end (a line of a configuration file,
// its carriage return included); empty when nothing else is there.
inline std::string_view trimmed(std::string_view s, std::string_view blanks = " \t\r") {
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace eew
