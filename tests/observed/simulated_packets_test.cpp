// The feed simulator's LAN-mode packets, read back by the receiver's decoders.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "observed/observation_packet.hpp"
#include "observed/waveform_packet.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

TEST(SimulatedPackets, LanModeAddsPacketsThatDecodeWhole) {
    sim::Quake q;
    q.longitude = 140.1;
    q.latitude = 35.6;
    q.depth = 40;
    q.magnitude = 7.2;
    q.reports = 12;
    q.interval = 1;
    const sim::Scenario scenario{{q}};
    const DateTime start = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);
    EXPECT_EQ(sim::plan_scenario(scenario, start).size(), 12u);

    WaveformPacket w;
    ObservationPacket o;
    double nobs = 0;
    for (const auto& m : sim::plan_scenario(scenario, start, true)) {
        if (m.kind == sim::MessageKind::obs) {
            decode_observation_packet(m.text, o);
            EXPECT_GE(o.nobs, nobs) << "stations are only added";
            nobs = o.nobs;
        }
        if (m.kind != sim::MessageKind::wave) continue;
        decode_waveform_packet(m.text, w);
        ASSERT_LE(w.nobsall, 10);
        // Every record was read to its end: the last one has its P time.
        const auto last = wave_slot(w.ipkt, static_cast<long long>(w.nobsall));
        ASSERT_TRUE(last && w.wave_p_time[static_cast<std::size_t>(*last)]) << m.label;
    }
    EXPECT_EQ(w.ipkt, 3);
    // The nearest station is quiet before its P onset and swings after it.
    const auto& trace = w.wave_samples[1];
    const auto ip = static_cast<std::size_t>(20 * (*w.wave_p_time[1] - w.pmin));
    EXPECT_LE(std::abs(trace[ip - 5] - 128), 5);
    EXPECT_GE(*std::max_element(&trace[ip + 1], &trace[ip + 20]), 140);
    // Peaks fall with distance.
    EXPECT_GT(o.obs_peak[1], 10 * o.obs_peak[static_cast<std::size_t>(shown_records(o))]);
}

}  // namespace
}  // namespace eew
