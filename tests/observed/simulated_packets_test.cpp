// The feed simulator's LAN-mode packets, read back by the receiver's decoders.

#include <gtest/gtest.h>

#include <cstdlib>

#include "observed/observation_packet.hpp"
#include "observed/waveform_packet.hpp"
#include "text/numeric_value.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

sim::Scenario chiba() {
    sim::Quake q;
    q.longitude = 140.1;
    q.latitude = 35.6;
    q.depth = 40;
    q.magnitude = 7.2;
    q.reports = 12;
    q.interval = 1;
    q.region = "chiba_northwest";
    return {{q}};
}

const DateTime kStart = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);

TEST(SimulatedPackets, OnlyLanModeSendsPacketsAndTheyFollowTheirReport) {
    for (const auto& m : sim::plan_scenario(chiba(), kStart))
        EXPECT_EQ(m.kind, sim::MessageKind::report);

    const auto messages = sim::plan_scenario(chiba(), kStart, true);
    int reports = 0;
    double previous_nobs = 0;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const sim::FeedMessage& m = messages[i];
        if (m.kind == sim::MessageKind::report) ++reports;
        if (m.kind != sim::MessageKind::obs) continue;
        // Report, its waveform packets 1, 2, ..., then the observations.
        int packets = 0;
        for (std::size_t k = i - 1; messages[k].kind == sim::MessageKind::wave; --k)
            ++packets;
        EXPECT_LE(packets, 3);
        EXPECT_EQ(messages[i - 1 - static_cast<std::size_t>(packets)].kind,
                  sim::MessageKind::report);
        ObservationPacket o;
        decode_observation_packet(m.text, o);
        EXPECT_GE(o.nobs, previous_nobs) << "stations are only added";
        previous_nobs = o.nobs;
    }
    EXPECT_EQ(reports, 12);
    EXPECT_GT(previous_nobs, 30);
}

TEST(SimulatedPackets, TracesDecodeWholeWithTheirPOnsetAndPeaksFallWithDistance) {
    const auto messages = sim::plan_scenario(chiba(), kStart, true);
    WaveformPacket w;
    ObservationPacket o;
    for (const auto& m : messages) {
        if (m.kind == sim::MessageKind::obs) decode_observation_packet(m.text, o);
        if (m.kind != sim::MessageKind::wave) continue;
        decode_waveform_packet(m.text, w);
        ASSERT_NE(w.eqnum * w.iseq * w.ipkt, 0) << m.label;
        ASSERT_LE(w.nobsall, 10);
        // Every record was read to its end: the last one has its P time.
        const auto last = wave_slot(w.ipkt, static_cast<long long>(w.nobsall));
        ASSERT_TRUE(last && w.wave_p_time[static_cast<std::size_t>(*last)]) << m.label;
    }
    // The nearest station of the last packet 1: quiet before its P onset, moving after it.
    const auto& samples = w.wave_samples[1];
    const long long ip = integer_part(20 * (*w.wave_p_time[1] - w.pmin));
    ASSERT_GT(w.wave_sample_count[1], static_cast<double>(ip + 20));
    for (long long j = 1; j < ip; ++j)
        EXPECT_LE(std::abs(samples[static_cast<std::size_t>(j)] - 128), 5) << j;
    double swing = 0;
    for (long long j = ip + 1; j <= ip + 20; ++j)
        swing = std::max(swing, std::abs(samples[static_cast<std::size_t>(j)] - 128));
    EXPECT_GT(swing, 10);

    const int n = shown_records(o);
    EXPECT_GT(o.obs_peak[1], 10 * o.obs_peak[static_cast<std::size_t>(n)]);
}

}  // namespace
}  // namespace eew
