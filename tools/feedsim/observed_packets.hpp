#pragma once

#include <string>
#include <vector>

#include "feedsim/scenario.hpp"

namespace eew::sim {

// A made-up seismic station near a quake.
struct Station {
    std::string code;  // 4 characters
    double longitude = 0;
    double latitude = 0;
    double epicentral_km = 0;
    double hypocentral_km = 0;
    double p_time = 0;     // s after the origin
    double peak_kine = 0;  // peak ground velocity, cm/s
    bool up = true;        // first-motion polarity
};

// Eighty stations scattered 5 to 300 km around the final epicentre, nearest
// first, with peaks that fall with distance. `index` picks the quake's own
// fixed random stream, so every run places them alike.
std::vector<Station> stations_around(const Quake& q, unsigned index);

// The waveform packets of one report, `elapsed` seconds after the origin:
// the thirty nearest stations whose P wave has arrived, ten per packet (so
// up to three), each with the trace recorded so far (a P onset, then a
// larger S phase). Event number `eqnum`, sequence `iseq` (both 1..99).
std::vector<std::string> waveform_packets(const std::vector<Station>& stations, double elapsed,
                                          int eqnum, int iseq);

// The observation packet of one report: every station the P wave has
// reached by `elapsed`, with its peak so far.
std::string observation_packet(const std::vector<Station>& stations, double elapsed);

}  // namespace eew::sim
