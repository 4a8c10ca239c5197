#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace eew {

// How much of one feed message the last-message box shows. A report is well
// under this; a longer datagram is damaged or hostile, and laying out tens of
// kilobytes of unbroken text would hold the window for seconds.
inline constexpr std::size_t kShownMessageBytes = 4000;

// The text of the last-message box for the message `bytes`, decoded for
// display (UTF-8 when valid, else Shift-JIS). A message of more than
// kShownMessageBytes bytes is cut at the last whole character within that
// many bytes, and a last line tells the user so:
//   "… (cut: 65,000 bytes received, the first 4,000 shown)"
// Time and memory are linear in the shown part, whatever the message's size.
std::string message_box_text(std::string_view bytes);

// `bytes` decoded for display, or, when longer than `limit` bytes, its first
// whole characters within `limit` bytes followed by "…". For short fields
// such as a region name, whose full length only a damaged report reaches.
std::string display_prefix(std::string_view bytes, std::size_t limit);

}  // namespace eew
