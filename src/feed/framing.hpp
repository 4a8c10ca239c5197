#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace eew {

enum class MessageKind { ignored = 0, noise = 1, report = 2, waveform = 3, observation = 4 };

// The text of one datagram: outside LAN mode a two-byte prefix is skipped, and
// the last byte is never part of the text. Bytes are kept as they are, one
// character each. Nothing for a datagram of fewer than 13 bytes.
std::optional<std::string> frame_message(std::string_view datagram, bool lan_mode);

// The kind, found in the first ten characters (case-sensitive, first match
// wins): "noise", then "xml", then in LAN mode only "wave" and "obs".
MessageKind message_kind(std::string_view text, bool lan_mode);

}  // namespace eew
