// Any bytes as a waveform packet, decoded into the slots the earlier inputs
// left (as live) and drawn: samples stay bytes, drawings finite.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.hpp"
#include "observed/waveform_packet.hpp"
#include "observed/waveform_panel.hpp"

using eew::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static eew::WaveformPacket w;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    eew::decode_waveform_packet(text, w);
    for (const auto& slot : w.wave_samples)
        for (double v : slot)
            check(v >= 0 && v <= 255 && v == std::floor(v), "samples are bytes");
    eew::fuzz::FiniteCanvas main_map, event_map, panel;
    const eew::AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    eew::draw_waveforms(w, size, {main_map, event_map, panel}, eew::kDepthColorTable, thresholds);
    return 0;
}
