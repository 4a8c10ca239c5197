#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "draw/colour.hpp"
#include "maps/map_marks.hpp"
#include "observed/amplitude_class.hpp"
#include "observed/waveform_packet.hpp"

namespace eew {

// Geometry of the waveform panel, in pixels.
struct WaveformPanelGeometry {
    double x0 = 75;                  // x of sample index 0
    double x_shift = 0.65;           // per sample: 20 samples a second make 13 px
    double y0 = 50;                  // baseline of row 1
    double y_shift = 19;             // between rows
    double amplitude_scale = 0.074;  // per sample unit: 255 spans 18.87 px
};

// The texts around the waveform panel after a drawing.
struct WaveformPanelFields {
    std::array<std::string, kWaveSlots> row_labels;  // rows 1..30: "code pol distance"
    std::array<std::string, 3> time_axis;            // pmin, pmin + 10, pmin + 20
    std::string seq;
    std::string pkt;
    std::string nobsall;
    std::string length;  // of the packet text, in characters
};

// The label of one slot: code, a blank, polarity and the integer part of the
// distance ("ABCD U 12"); " 0" for a slot never filled, blanks only for one
// its packet blanked and did not refill.
std::string wave_row_label(const WaveformPacket& w, int slot);

// Draws the rows of the latest packet on the waveform panel: packet 1 clears
// the panel, packets 2 and 3 add their rows. Each row gets its trace (dark
// blue, red after the P arrival), its amplitude tag and a cyan P mark. A row
// whose slot was blanked and not refilled has no record and is not drawn.
// Returns the panel's texts, or nothing when the drawing stopped at a
// failure (a slot outside 1..30, a trace beyond 410 samples); what was drawn
// before stays, and the texts must then be left as they were.
std::optional<WaveformPanelFields> draw_waveforms(const WaveformPacket& w, std::size_t wdata_length,
                                                  const MapPictures& pictures,
                                                  const DepthColorTable& depth_color_table,
                                                  const AmplitudeThresholds& amp_class_threshold);

}  // namespace eew
