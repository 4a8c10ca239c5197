#pragma once

#include <string>

#include "observed/observation_packet.hpp"
#include "observed/waveform_packet.hpp"

namespace eew {

// What the local network's observed-data packets leave behind. Nothing
// clears it: the last packets stay until newer ones replace them.
struct ObservedData {
    std::string wdata;  // text of the last waveform packet taken
    WaveformPacket waveform;
    std::string odata;  // text of the last observation packet taken
    ObservationPacket observations;
};

}  // namespace eew
