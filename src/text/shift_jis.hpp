#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace eew {

// Texts are UTF-8 inside the program and Shift-JIS (code page 932, with the
// NEC and IBM extensions that files made on Windows carry) in data files.

// Nothing when `sjis` is not valid code page 932.
std::optional<std::string> sjis_to_utf8(std::string_view sjis);
// Nothing when `utf8` is not valid UTF-8 or holds a character that code page
// 932 cannot carry.
std::optional<std::string> utf8_to_sjis(std::string_view utf8);

bool is_valid_utf8(std::string_view text);

// A Japanese text read from a data file or the feed, for display: taken as
// UTF-8 when it is valid UTF-8 (files edited on a modern desktop), otherwise
// as Shift-JIS; bytes that are neither become U+FFFD.
std::string decode_for_display(std::string_view bytes);

}  // namespace eew
