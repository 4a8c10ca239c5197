#pragma once

#include <functional>
#include <optional>

#include "bridge/bridge_command_line.hpp"
#include "bridge/telegram_splitter.hpp"

namespace eew::bridge {

// Takes one piece of a file; false (a failed send) stops the playing.
using PieceTaker = std::function<bool(const TelegramPiece&)>;

// Plays a file or standard input: telegram after telegram as read, a few
// milliseconds apart, or with `speed` at the pace of their issue times.
// False when the file cannot be read or a piece was not taken. With an event
// loop (the broker's connection lives on it), the loop runs while it waits,
// and standard input is read as it comes.
bool play_file(const Source& source, std::optional<double> speed, const PieceTaker& take);

}  // namespace eew::bridge
