#pragma once

#include <string>
#include <string_view>

namespace eew {

struct MainState;
class Platform;

// Handles one datagram from the feed socket, in arrival order: framing, kind,
// the last-message box, and the chain of its kind.
void Winsock1_DataArrival(MainState& state, Platform& platform, std::string_view datagram);

// A message's text, framed already or as a broker delivers it, from the kind
// check on: LAN-only kinds are taken in LAN mode alone.
void take_feed_text(MainState& state, Platform& platform, std::string text);

}  // namespace eew
