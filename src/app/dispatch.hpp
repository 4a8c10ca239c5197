#pragma once

#include <string_view>

namespace eew {

struct MainState;
class Platform;

// Handles one datagram from the feed socket, in arrival order: framing, kind,
// the last-message box, and the chain of its kind.
void Winsock1_DataArrival(MainState& state, Platform& platform, std::string_view datagram);

}  // namespace eew
