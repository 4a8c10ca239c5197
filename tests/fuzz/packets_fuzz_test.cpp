// Random and damaged packets of the local network. The decoders and drawings
// must stay inside their arrays and draw only finite coordinates: run it in
// the sanitizer build (EEW_SANITIZE), which also bounds-checks every index.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fakes/mutator.hpp"
#include "fakes/recording_canvas.hpp"
#include "observed/packet_text.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_panel.hpp"

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

// Ten stations of packet 2 and 300 observation records, as sent.
std::string valid_wave() {
    std::string wave = test::wave_header(1, 1, 2, 100, 10);
    for (int k = 0; k < 10; ++k)
        wave += test::wave_record("ST" + std::to_string(k), "U ", 10 + k, 500, 101 + k,
                                  std::string(20 + 8 * k, "0A7fFF"[k % 6]));
    return wave;
}
std::string valid_obs() {
    std::string obs = test::obs_header(300);
    for (int k = 0; k < 300; ++k)
        obs += test::obs_record(std::to_string(30 + k % 10) + ".5", "135." + std::to_string(k % 10),
                                k);
    return obs;
}

// Damaged packets into the same slots, as live: samples stay bytes, station
// fields keep their widths and at most 300 records are shown.
TEST(PacketFuzz, DamagedPacketsKeepTheirFieldsInRange) {
    test::Mutator mutate(31337);
    const std::string wave = valid_wave(), obs = valid_obs();
    WaveformPacket w;
    ObservationPacket o;
    for (int i = 0; i < 500; ++i) {
        decode_waveform_packet(mutate.mutate(wave, {"wave", "ST", "U "}), w);
        decode_observation_packet(mutate.mutate(obs, {"obs", ".5"}), o);
        ASSERT_TRUE(shown_records(o) >= 0 && shown_records(o) <= kObsRecords);
        for (std::size_t s = 1; s <= kWaveSlots; ++s) {
            ASSERT_TRUE(w.wave_station_code[s].size() <= 4 && w.wave_polarity[s].size() <= 2);
            for (double v : w.wave_samples[s])
                ASSERT_TRUE(v >= 0 && v <= 255 && v == std::floor(v)) << v;
        }
    }
}

}  // namespace
}  // namespace eew
