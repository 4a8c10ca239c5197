// Random and damaged packets: the decoders and drawings must stay inside
// their arrays and draw only finite coordinates. Run it in the sanitizer
// build (EEW_SANITIZE), which also bounds-checks every array index.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fakes/recording_canvas.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_panel.hpp"
#include "packet_text.hpp"

namespace eew {
namespace {

// Mostly characters that continue a number or a sample, some of anything.
std::string random_text(std::mt19937& g, std::size_t length) {
    static const std::string likely = "0123456789ABCDEFabcdef +-.eE";
    std::string s(length, ' ');
    for (char& c : s) {
        const std::uint32_t r = g();
        c = r % 8 == 0 ? static_cast<char>(r >> 8) : likely[(r >> 8) % likely.size()];
    }
    return s;
}

// A plausible packet, cut anywhere, with a few characters replaced.
std::string damaged(std::mt19937& g, std::string text) {
    text.resize(g() % (text.size() + 1));
    for (std::uint32_t k = g() % 4; k > 0 && !text.empty(); --k)
        text[g() % text.size()] = random_text(g, 1)[0];
    return text;
}

std::string wave_packet(std::mt19937& g) {
    std::string t =
        test::wave_header(1, 1, static_cast<int>(g() % 5), 100, static_cast<int>(g() % 32));
    for (int i = 0; i < 12; ++i)
        t += test::wave_record("ST", "U ", 10, g() % 100000, 100 + g() % 30,
                               random_text(g, 2 * (g() % 20)), static_cast<int>(g() % 420));
    return t;
}

std::string obs_packet(std::mt19937& g) {
    const int n = static_cast<int>(g() % 320);
    std::string t = test::obs_header(n);
    for (int i = 0; i < n; ++i)
        t += test::obs_record(random_text(g, 5), "135.0", g() % 5000);
    return t;
}

bool finite(const std::vector<std::string>& calls) {
    return std::none_of(calls.begin(), calls.end(), [](const std::string& call) {
        return call.find("nan") != std::string::npos || call.find("inf") != std::string::npos;
    });
}

TEST(PacketFuzz, AnyTextDecodesAndDrawsWithinBounds) {
    std::mt19937 g(20240401);
    const AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    MapCatalogue maps;
    fill_map_catalogue(maps);
    WaveformPacket w;
    ObservationPacket o;
    for (int i = 0; i < 2000; ++i) {
        test::RecordingCanvas main_map, event_map, panel;
        const MapPictures pictures{main_map, event_map, panel};
        const bool random = i % 2 == 0;
        const std::string wave =
            random ? "wave     " + random_text(g, g() % 900) : damaged(g, wave_packet(g));
        const std::string obs =
            random ? "obs     " + random_text(g, g() % 900) : damaged(g, obs_packet(g));
        decode_waveform_packet(wave, w);
        draw_waveforms(w, wave.size(), pictures, kDepthColorTable, thresholds);
        decode_observation_packet(obs, o);
        draw_observations(o, maps, pictures, 1, kDepthColorTable, thresholds);
        ASSERT_TRUE(finite(panel.calls)) << wave;
        ASSERT_TRUE(finite(event_map.calls)) << obs;
    }
}

}  // namespace
}  // namespace eew
