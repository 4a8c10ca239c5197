#pragma once

#include <vector>

#include "feedsim/feed_message.hpp"
#include "feedsim/scenario.hpp"
#include "text/date_time.hpp"

namespace eew::sim {

// Seconds from the origin to a quake's first report: the P wave's way up to
// the surface (about 8 km/s) plus 3 seconds of detection.
long long first_report_delay(double depth);

// The messages of a scenario started at `start` (local time), in send order;
// reports sent at the same second keep the order of the file. Each report's
// send time is `start` plus its offset. The same scenario and start always
// give the same texts. With `observed_packets` (LAN mode) each report is
// followed, within the same second, by its waveform packets and one station
// observation packet.
std::vector<FeedMessage> plan_scenario(const Scenario& scenario, const DateTime& start,
                                       bool observed_packets = false);

}  // namespace eew::sim
