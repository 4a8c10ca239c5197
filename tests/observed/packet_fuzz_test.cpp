// Random, damaged and simulated packets. The decoders and drawings must stay
// inside their arrays and draw only finite coordinates: run it in the
// sanitizer build (EEW_SANITIZE), which also bounds-checks every array index.

#include <gtest/gtest.h>

#include <random>

#include "fakes/recording_canvas.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_panel.hpp"
#include "packet_text.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

// Plausible packets cut anywhere, or random text after the kind word; the
// text is mostly what continues a number or a sample.
TEST(PacketFuzz, AnyTextDecodesAndDrawsWithinBounds) {
    std::mt19937 g(20240401);
    const auto text = [&](std::size_t length) {
        std::string s(length, ' ');
        for (char& c : s)
            c = g() % 8 == 0 ? static_cast<char>(g()) : "0123456789ABCDEFabcdef +-.eE"[g() % 28];
        return s;
    };
    const AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    MapCatalogue maps;
    fill_map_catalogue(maps);
    WaveformPacket w;
    ObservationPacket o;
    for (int i = 0; i < 400; ++i) {
        test::RecordingCanvas main_map, event_map, panel;
        // clang-format off
        std::string wave = test::wave_header(1, 1, g() % 5, 100, g() % 32), obs = test::obs_header(g() % 320);
        for (int k = 0; k < 320; ++k) {
            if (k < 12) wave += test::wave_record("ST", "U ", 10, g() % 100000, 100 + g() % 30, text(2 * (g() % 20)), g() % 420);
            obs += test::obs_record(text(5), "135.0", g() % 5000);
        }
        // clang-format on
        wave = i % 2 ? wave.substr(0, g() % (wave.size() + 1)) : "wave     " + text(g() % 900);
        obs = i % 2 ? obs.substr(0, g() % (obs.size() + 1)) : "obs     " + text(g() % 900);
        decode_waveform_packet(wave, w);
        draw_waveforms(w, wave.size(), {main_map, event_map, panel}, kDepthColorTable, thresholds);
        decode_observation_packet(obs, o);
        draw_observations(o, maps, {main_map, event_map, panel}, 1, kDepthColorTable, thresholds);
        for (const auto& calls : {panel.calls, event_map.calls})
            for (const std::string& call : calls)
                ASSERT_TRUE(call.find("nan") == call.npos && call.find("inf") == call.npos) << call;
    }
}

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
