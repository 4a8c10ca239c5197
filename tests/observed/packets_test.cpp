// Observation packets as station marks on the event map, waveform packets as
// traces on the waveform panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fakes/recording_canvas.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_panel.hpp"
#include "packet_text.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;
using test::obs_header;
using test::obs_record;
using test::wave_header;
using test::wave_record;

std::string mark(const char* colour) {
    return std::string("filled square -4 353 4 361 ") + colour + " w1";  // at 36.5 N, 135 E
}

// The start-up thresholds, 10^(0.5 i - 3) kine: 1000 of the packet's units is class 6.
struct Packets : ::testing::Test {
    Packets() {
        fill_map_catalogue(maps);
        for (int i = 1; i <= 6; ++i)
            thresholds[static_cast<std::size_t>(i)] = std::pow(10.0, 0.5 * i - 3);
    }
    // The marks of an observation packet on the eastern map, without the legend.
    Calls marks_of(const std::string& text) {
        decode_observation_packet(text, o);
        event_map.calls.clear();
        legend = draw_observations(o, maps, pictures, 1, kDepthColorTable, thresholds);
        return Calls(event_map.calls.begin(), event_map.calls.end() - 6);
    }
    std::optional<WaveformPanelFields> wave(const std::string& text) {
        panel.calls.clear();
        decode_waveform_packet(text, w);
        return draw_waveforms(w, text.size(), pictures, kDepthColorTable, thresholds);
    }
    long lines(const std::string& colour) const {
        return std::count_if(panel.calls.begin(), panel.calls.end(), [&](const std::string& c) {
            return c.starts_with("line") && c.ends_with(colour + " w1");
        });
    }

    MapCatalogue maps;
    AmplitudeThresholds thresholds{};
    ObservationPacket o;
    StationLegend legend;
    WaveformPacket w;
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
};

// Marks in record order, coloured by the peak's class; stations without a
// place (all but " 36.5", "135") are left out, and so are records beyond 300; a packet cut inside
// the peak of its last record reads that peak as far as it goes.
TEST_F(Packets, StationRecordsAre18CharactersFromPosition12AndThePeakColoursTheMark) {
    std::string text = obs_header(9) + obs_record("35.0", "135.0", 500);
    for (double peak : {1000.0, 999.0, 10.0, 9.99})
        text += obs_record("36.5", "135.0", peak);
    text += obs_record("", "135.0", 9) + obs_record("36.5", "abc", 9) +
            obs_record(" 36.5", "135", 9) + obs_record("9e99", "135.0", 9);
    EXPECT_EQ(marks_of(text), (Calls{"filled square -4 503 4 511 c14 w1", mark("c12"), mark("c14"),
                                     mark("c9"), mark("c1"), mark("c1")}));
    EXPECT_EQ(event_map.calls.back(), "filled square 606 656 614 664 c1 w1");  // the legend's last
    EXPECT_EQ(legend.unit + " " + legend.thresholds[0] + " " + legend.thresholds[5],
              "kine 1.000 0.003");
    std::string many = obs_header(301);
    for (int i = 0; i < 301; ++i)
        many += obs_record("36.5", "135.0", i == 300 ? 1000 : 9);
    EXPECT_EQ(marks_of(many).size(), 300u);
    EXPECT_EQ(marks_of(obs_header(1) + "36.5 135.0   "), (Calls{mark("c1")}));
}

// A later packet of the event (number 2) fills slots 11 to 20 and draws over
// the panel; packet 1 clears it.
TEST_F(Packets, AWaveformPacketFillsItsOwnTenSlotsAndAddsItsRows) {
    const auto f =
        wave(wave_header(7, 2, 2, 100, 3) + wave_record("ABCD", "U ", 9.5, 10, 101, "0000") +
             wave_record("EFGH", "D ", 30, 10, 101, "0000") +
             wave_record("IJKL", "  ", 5, 10, 101, "0000"));
    ASSERT_TRUE(f);
    EXPECT_EQ(panel.calls.front(), "line 75.65 240 76.3 240 c1 w1");  // no "clear"
    EXPECT_EQ(lines("c11"), 3);
    EXPECT_EQ(panel.calls.back(), "line 88 278 88 297 c11 w1");  // row 13's P mark
    EXPECT_EQ(f->row_labels[10] + "|" + f->row_labels[12] + "|" + f->row_labels[13] + "|" +
                  f->row_labels[0] + "|" + f->time_axis[2] + "|" + f->seq + f->pkt + f->nobsall,
              "ABCD U 9|IJKL   5|   | 0|120|223");
    wave(wave_header(7, 3, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, 101, "0000"));
    EXPECT_EQ(panel.calls.front(), "clear");
}

// P index 20 (101 s): 19 segments before, 5 after. Before the axis (99 s) the
// mark goes past the trace's end.
TEST_F(Packets, TraceTurnsRedAfterThePArrival) {
    for (auto [p_time, blue, red, p_mark] : {std::tuple(101.0, 19, 5, "line 88 50 88 69 c11 w1"),
                                             {99.0, 24, 0, "line 725 50 725 69 c11 w1"},
                                             {100.0, 0, 24, "line 75 50 75 69 c11 w1"}}) {
        wave(wave_header(7, 1, 1, 100, 1) +
             wave_record("ABCD", "U ", 1, 10, p_time, std::string(50, '0')));
        EXPECT_EQ(std::tuple(lines("c1"), lines("c12"), panel.calls.back()),
                  std::tuple(blue, red, p_mark));
    }
}

TEST_F(Packets, SamplesHangBelowTheBaselineAndThePeakColoursTheTag) {
    wave(wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 1000, 50, "00FFff"));
    EXPECT_EQ(panel.calls,
              (Calls{"clear", "line 75.65 50 76.3 68.87 c1 w1", "line 76.3 68.87 76.95 68.87 c1 w1",
                     "filled square 76 54 84 62 c12 w1", "line 725 50 725 69 c11 w1"}));
}

TEST_F(Packets, DamagedWaveformPacketsStopWhereTheDamageIs) {
    // clang-format off
    const std::tuple<std::string, std::string, double, std::string, bool, long> cases[] = {
        // packet 4 has no slots; then slot 1's sample 2 (was 7), slot 2's code (was "OLD"), fields, segments
        {"packet 4", wave_header(7, 1, 4, 100, 1) + wave_record("ABCD", "U ", 1, 10, 50, "0909"), 7, "OLD", false, 0},
        {"bad pair", wave_header(7, 1, 1, 100, 2) + wave_record("ABCD", "U ", 1, 10, 50, "09G9") + wave_record("EFGH", "U ", 1, 10, 50, "0909"), 7, " ", true, 1},
        {"411 samples", wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, 50, std::string(822, '1')), 17, " ", false, 409}};
    // clang-format on
    for (const auto& [name, text, sample2, slot2_code, fields, segments] : cases) {
        w = WaveformPacket{};
        w.wave_samples[1][2] = 7;
        w.wave_station_code[2] = "OLD";
        const auto f = wave(text);
        EXPECT_EQ(
            std::tuple(w.wave_samples[1][2], w.wave_station_code[2], f.has_value(), lines("c1")),
            std::tuple(sample2, slot2_code, fields, segments))
            << name;
    }
}

}  // namespace
}  // namespace eew
