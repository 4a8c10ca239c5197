#pragma once

#include <optional>
#include <string>

namespace eew {

struct MainState;
class Platform;

// "start": binds the feed socket to `localhost_port`. Outside LAN mode only
// the loopback addresses are bound, since the relay runs on this computer and
// nobody else on the network may raise an alarm here. On failure the socket
// stays closed, "start" enabled, and the message for the user is returned.
std::optional<std::string> start_reception(MainState& state, Platform& platform);

// LAN mode was switched in the settings: a socket that is receiving is bound
// again at once, on the port it has, to the addresses of the new mode, so
// that the socket and the framing agree. A port typed since takes effect at
// the next "start". Returns the message for the user when binding failed.
std::optional<std::string> rebind_for_lan_mode(MainState& state, Platform& platform);

// "stop": closes the socket; nothing else changes.
void stop_reception(MainState& state, Platform& platform);

// The sixty-second watchdog: while no event or replay runs, marks a feed
// whose last-message box did not change since the previous tick (red), prunes
// the 24-hour list and redraws the main map.
void feed_watchdog(MainState& state, Platform& platform);

}  // namespace eew
