#pragma once

#include <string>
#include <string_view>

namespace eew {

struct MainState;
class Platform;

// "start" and "stop" for the broker, beside the socket: nothing when no
// broker is configured.
void open_broker_feed(MainState& state, Platform& platform);
void close_broker_feed(MainState& state, Platform& platform);

// The broker's connection came up, broke, or a try failed (`reason` says
// why). The user hears of a failure, and of the connection coming back after
// one; the watchdog shows the feed stale while it is down.
void broker_status_changed(MainState& state, Platform& platform, bool connected,
                           const std::string& reason);

// One message from the broker: an exact repeat of a report taken already is
// dropped (a broker delivers at least once), the rest enters the dispatch as
// a datagram's text would.
void Broker_MessageArrival(MainState& state, Platform& platform, std::string_view text);

}  // namespace eew
