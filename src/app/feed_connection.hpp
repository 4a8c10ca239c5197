#pragma once

#include <optional>
#include <string>

#include "config/lan_senders.hpp"
#include "text/date_time.hpp"

namespace eew {

struct FeedState;
struct MainState;
class Platform;

// "start": binds the feed socket to `localhost_port`. Outside LAN mode only
// the loopback addresses are bound, since the relay runs on this computer and
// nobody else on the network may raise an alarm here. On failure the socket
// stays closed, "start" enabled, and the message for the user is returned.
// Once the socket is bound the broker, when one is configured, is connected.
std::optional<std::string> start_reception(MainState& state, Platform& platform);

// LAN mode was switched in the settings: a socket that is receiving is bound
// again at once, on the port it has, to the addresses of the new mode, so
// that the socket and the framing agree. A port typed since takes effect at
// the next "start". Returns the message for the user when binding failed.
std::optional<std::string> rebind_for_lan_mode(MainState& state, Platform& platform);

// "stop": closes the socket and disconnects the broker; nothing else changes.
void stop_reception(MainState& state, Platform& platform);

// The sixty-second watchdog: while no event or replay runs, marks a feed
// whose last-message box did not change since the previous tick, or whose
// broker is not connected (red), prunes
// the 24-hour list and redraws the main map.
void feed_watchdog(MainState& state, Platform& platform);

// With a list of LAN senders, a datagram from anyone else is refused before
// its framing and counted; false for such a datagram.
bool take_from_sender(FeedState& feed, const SenderAddress& sender);
// Tells of the datagrams refused since the last notice, at most once a
// minute so that a flood of them cannot hide every other notice.
void tell_refused_senders(MainState& state, const DateTime& now);

}  // namespace eew
