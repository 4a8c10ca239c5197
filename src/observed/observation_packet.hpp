#pragma once

#include <array>
#include <string>
#include <string_view>

namespace eew {

inline constexpr int kObsRecords = 300;

// The records of the last observation packet. A packet overwrites records
// 1..nobs; records above keep their old values but are not shown. Index 0 is
// unused.
struct ObservationPacket {
    double nobs = 0;  // count announced by the last packet
    // Station positions as the packet wrote them; converted when projected.
    std::array<std::string, kObsRecords + 1> obs_latitude;
    std::array<std::string, kObsRecords + 1> obs_longitude;
    std::array<double, kObsRecords + 1> obs_peak{};  // thousandths of a kine
};

// The records of `o` to show: nobs, at most 300, at least 0.
int shown_records(const ObservationPacket& o);

// Decodes the packet text `odata` into `o`. Fields past the end of a short
// text are empty (an empty peak reads as 0); records beyond 300 are ignored.
void decode_observation_packet(std::string_view odata, ObservationPacket& o);

}  // namespace eew
