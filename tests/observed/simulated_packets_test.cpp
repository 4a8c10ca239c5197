// The feed simulator's LAN-mode packets, decoded.
#include <gtest/gtest.h>

#include "observed/observation_packet.hpp"
#include "observed/waveform_packet.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

// The feed simulator's LAN-mode packets are read to their ends: the last
// record of each has its P time, and peaks fall with distance.
TEST(SimulatedPackets, DecodeWhole) {
    sim::Quake q;
    q.longitude = 140.1, q.latitude = 35.6, q.depth = 40, q.magnitude = 7.2, q.reports = 12,
    q.interval = 1;
    WaveformPacket w;
    ObservationPacket o;
    for (const auto& m :
         sim::plan_scenario({{q}}, *DateTime::from_fields(2024, 4, 1, 9, 0, 0), true)) {
        if (m.kind == sim::MessageKind::obs) decode_observation_packet(m.text, o);
        if (m.kind != sim::MessageKind::wave) continue;
        decode_waveform_packet(m.text, w);
        const auto last = wave_slot(w.ipkt, static_cast<long long>(w.nobsall));
        ASSERT_TRUE(last && w.wave_p_time[static_cast<std::size_t>(*last)]) << m.label;
    }
    EXPECT_GT(o.obs_peak[1], 10 * o.obs_peak[static_cast<std::size_t>(shown_records(o))]);
}

}  // namespace
}  // namespace eew
