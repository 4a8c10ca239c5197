#include "observed/waveform_panel.hpp"

#include "text/number_format.hpp"
#include "text/numeric_value.hpp"

namespace eew {
namespace {

constexpr int kWaveformPanel = 2;
constexpr int kBeforeP = 1;  // dark blue
constexpr int kAfterP = 12;  // red
constexpr int kPMark = 11;   // cyan
// A P index past every trace: the P time lies before the axis.
constexpr long long kNoPIndex = 1000;

long long p_index(double p_time, double pmin) {
    const long long ip = integer_part(20 * (p_time - pmin));
    return ip < 0 ? kNoPIndex : ip;
}

float px(double v) {
    return static_cast<float>(v);
}

// The trace of `slot` on baseline `yc`; false when it runs past the sample
// store, which ends the whole drawing.
bool draw_trace(Canvas& panel, const WaveformPanelGeometry& g, const WaveformPacket& w, int slot,
                double yc, long long ip) {
    const auto& samples = w.wave_samples[static_cast<std::size_t>(slot)];
    const long long n = sample_loop_count(w.wave_sample_count[static_cast<std::size_t>(slot)]);
    int colour = kBeforeP;
    for (long long j = 2; j <= n; ++j) {
        if (j > kWaveSamples) return false;
        if (j > ip) colour = kAfterP;
        const auto jj = static_cast<std::size_t>(j);
        panel.line(px(g.x0 + g.x_shift * static_cast<double>(j - 1)),
                   px(yc + g.amplitude_scale * samples[jj - 1]),
                   px(g.x0 + g.x_shift * static_cast<double>(j)),
                   px(yc + g.amplitude_scale * samples[jj]), Colour::palette(colour), 1);
    }
    return true;
}

bool draw_row(const MapPictures& pictures, const WaveformPanelGeometry& g, const WaveformPacket& w,
              int slot, const DepthColorTable& depth_color_table,
              const AmplitudeThresholds& amp_class_threshold) {
    const auto s = static_cast<std::size_t>(slot);
    if (!w.wave_p_time[s]) return true;
    const double yc = g.y0 + g.y_shift * (slot - 1);
    const long long ip = p_index(*w.wave_p_time[s], w.pmin);
    Canvas& panel = pictures.waveform_panel;
    if (!draw_trace(panel, g, w, slot, yc, ip)) return false;
    const int cls = amplitude_class(w.wave_peak[s] / 1000, amp_class_threshold);
    draw_panel_box(pictures, g.x0 + 5, yc + 8, kWaveformPanel,
                   depth_color_table[static_cast<std::size_t>(7 - cls)]);
    const double x = g.x0 + g.x_shift * static_cast<double>(ip);
    panel.line(px(x), px(yc), px(x), px(yc + g.y_shift), Colour::palette(kPMark), 1);
    return true;
}

}  // namespace

std::string wave_row_label(const WaveformPacket& w, int slot) {
    const auto s = static_cast<std::size_t>(slot);
    const auto& distance = w.wave_distance[s];
    return w.wave_station_code[s] + " " + w.wave_polarity[s] +
           (distance ? std::to_string(integer_part(*distance)) : std::string());
}

std::optional<WaveformPanelFields> draw_waveforms(const WaveformPacket& w, std::size_t wdata_length,
                                                  const MapPictures& pictures,
                                                  const DepthColorTable& depth_color_table,
                                                  const AmplitudeThresholds& amp_class_threshold) {
    const WaveformPanelGeometry g;
    if (w.ipkt == 1) pictures.waveform_panel.clear();
    const long long rows = integer_part(w.nobsall);
    for (long long i = 1; i <= rows; ++i) {
        const auto slot = wave_slot(w.ipkt, i);
        if (!slot) return std::nullopt;
        if (!draw_row(pictures, g, w, *slot, depth_color_table, amp_class_threshold))
            return std::nullopt;
    }

    WaveformPanelFields f;
    f.nobsall = plain_decimal(w.nobsall);
    for (std::size_t t = 0; t < f.time_axis.size(); ++t)
        f.time_axis[t] = plain_decimal(w.pmin + 10.0 * static_cast<double>(t));
    f.seq = plain_decimal(w.iseq);
    f.pkt = plain_decimal(w.ipkt);
    f.length = std::to_string(wdata_length);
    for (int k = 1; k <= kWaveSlots; ++k)
        f.row_labels[static_cast<std::size_t>(k - 1)] = wave_row_label(w, k);
    return f;
}

}  // namespace eew
