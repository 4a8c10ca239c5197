#pragma once

#include <cstddef>
#include <string_view>

namespace eew {

// The `width` characters of a fixed-layout packet at 1-based `position`, fewer
// (or none) past the end: a short packet reads as empty fields, never beyond.
inline std::string_view packet_field(std::string_view text, std::size_t position,
                                     std::size_t width) {
    if (position - 1 >= text.size()) return {};
    return text.substr(position - 1, width);
}

}  // namespace eew
