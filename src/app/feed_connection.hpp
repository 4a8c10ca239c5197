#pragma once

namespace eew {

struct MainState;
class Platform;

// "start": binds the feed socket to `localhost_port`. Outside LAN mode only
// the loopback addresses are bound, since the relay runs on this computer and
// nobody else on the network may raise an alarm here. A failure is shown to
// the user; the socket then stays closed and "start" enabled.
void start_reception(MainState& state, Platform& platform);

// "stop": closes the socket; nothing else changes.
void stop_reception(MainState& state, Platform& platform);

// The sixty-second watchdog: while no event or replay runs, marks a feed
// whose last-message box did not change since the previous tick (red), prunes
// the 24-hour list and redraws the main map.
void feed_watchdog(MainState& state, Platform& platform);

}  // namespace eew
