// Observation packets as station marks on the event map, waveform packets as
// traces on the waveform panel, and the simulator's packets decoded whole.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/recording_canvas.hpp"
#include "observed/observation_packet.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_packet.hpp"
#include "observed/waveform_panel.hpp"
#include "packet_text.hpp"
#include "scenario_plan.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;
using test::obs_header, test::obs_record, test::wave_header, test::wave_record;

std::string mark(const char* colour) {
    return std::string("filled square -4 353 4 361 ") + colour + " w1";  // at 36.5 N, 135 E
}

// The start-up thresholds, 10^(0.5 i - 3) kine: 1000 of the packet's units is class 6.
struct Packets : ::testing::Test {
    Packets() { fill_map_catalogue(maps); }
    // The marks of an observation packet on the eastern map, without the legend.
    Calls marks_of(const std::string& text) {
        decode_observation_packet(text, o);
        event_map.calls.clear();
        draw_observations(o, maps, pictures, 1, kDepthColorTable, thresholds);
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
    AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    ObservationPacket o;
    WaveformPacket w;
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
};

// Marks in record order, coloured by the peak's class; stations without a
// place (all but " 36.5", "135") are left out; a packet cut inside the peak
// of its last record reads that peak as far as it goes.
TEST_F(Packets, StationRecordsAre18CharactersFromPosition12AndThePeakColoursTheMark) {
    std::string text = obs_header(9) + obs_record("35.0", "135.0", 500);
    for (double peak : {1000.0, 999.0, 10.0, 9.99})
        text += obs_record("36.5", "135.0", peak);
    text += obs_record("", "135.0", 9) + obs_record("36.5", "abc", 9) +
            obs_record(" 36.5", "135", 9) + obs_record("9e99", "135.0", 9);
    EXPECT_EQ(marks_of(text), (Calls{"filled square -4 503 4 511 c14 w1", mark("c12"), mark("c14"),
                                     mark("c9"), mark("c1"), mark("c1")}));
    EXPECT_EQ(marks_of(obs_header(1) + "36.5 135.0   "), (Calls{mark("c1")}));
}

// A later packet of the event (number 2) fills slots 11 to 20 and draws over
// the panel; only packet 1 clears it.
TEST_F(Packets, AWaveformPacketFillsItsOwnTenSlotsAndAddsItsRows) {
    const auto f =
        wave(wave_header(7, 2, 2, 100, 2) + wave_record("ABCD", "U ", 9.5, 10, 101, "0000") +
             wave_record("IJKL", "  ", 5, 10, 101, "0000"));
    ASSERT_TRUE(f);
    EXPECT_EQ(std::tuple(panel.calls.front(), lines("c11"), panel.calls.back()),
              std::tuple("line 75.65 240 76.3 240 c1 w1", 2, "line 88 259 88 278 c11 w1"));
    EXPECT_EQ(f->row_labels[10] + "|" + f->row_labels[11] + "|" + f->row_labels[12] + "|" +
                  f->time_axis[2] + "|" + f->seq + f->pkt + f->nobsall,
              "ABCD U 9|IJKL   5|   |120|222");
}

// P index 20 (101 s): 19 segments before, 5 after. Before the axis (99 s) the
// mark goes past the trace's end. Samples hang below the baseline.
TEST_F(Packets, TraceTurnsRedAfterThePArrivalAndThePeakColoursTheTag) {
    // clang-format off
    for (auto [p_time, blue, red, p_mark] : {std::tuple(101.0, 19, 5, "line 88 50 88 69 c11 w1"),
             {99.0, 24, 0, "line 725 50 725 69 c11 w1"}, {100.0, 0, 24, "line 75 50 75 69 c11 w1"}}) {
        wave(wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, p_time, std::string(50, '0')));
        // clang-format on
        EXPECT_EQ(std::tuple(lines("c1"), lines("c12"), panel.calls.back()),
                  std::tuple(blue, red, p_mark));
    }
    wave(wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 1000, 50, "00FFff"));
    EXPECT_EQ(panel.calls,
              (Calls{"clear", "line 75.65 50 76.3 68.87 c1 w1", "line 76.3 68.87 76.95 68.87 c1 w1",
                     "filled square 76 54 84 62 c12 w1", "line 725 50 725 69 c11 w1"}));
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
