#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "fakes/recording_canvas.hpp"
#include "observed/waveform_panel.hpp"
#include "packet_text.hpp"

namespace eew {
namespace {

using test::wave_header;
using test::wave_record;

AmplitudeThresholds start_up_thresholds() {
    AmplitudeThresholds t{};
    for (int i = 1; i <= 6; ++i)
        t[static_cast<std::size_t>(i)] = std::pow(10.0, 0.5 * i - 3);
    return t;
}

std::string flat(int n) {
    return std::string(2 * static_cast<std::size_t>(n), '0');
}

struct Waveforms : ::testing::Test {
    std::optional<WaveformPanelFields> receive(const std::string& text) {
        decode_waveform_packet(text, w);
        return draw_waveforms(w, text.size(), pictures, kDepthColorTable, start_up_thresholds());
    }
    long count(const std::string& colour) const {
        return std::count_if(panel.calls.begin(), panel.calls.end(), [&](const std::string& c) {
            return c.starts_with("line") && c.ends_with(colour + " w1");
        });
    }
    bool drew(const std::string& call) const {
        return std::find(panel.calls.begin(), panel.calls.end(), call) != panel.calls.end();
    }

    WaveformPacket w;
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
};

TEST_F(Waveforms, APacketFillsItsOwnTenSlotsAndAddsItsRows) {
    std::string ten = wave_header(7, 1, 2, 100, 10);
    for (int i = 0; i < 10; ++i)
        ten += wave_record("OLD", "D ", 50, 10, 101, flat(2));
    receive(ten);
    panel.calls.clear();

    const auto f =
        receive(wave_header(7, 2, 2, 100, 3) + wave_record("ABCD", "U ", 9.5, 10, 101, flat(2)) +
                wave_record("EFGH", "D ", 30, 10, 101, flat(2)) +
                wave_record("IJKL", "  ", 5, 10, 101, flat(2)));
    ASSERT_TRUE(f);
    EXPECT_FALSE(drew("clear"));
    for (int yc : {240, 259, 278}) {
        const std::string y = std::to_string(yc);
        EXPECT_TRUE(drew("line 88 " + y + " 88 " + std::to_string(yc + 19) + " c11 w1")) << yc;
    }
    EXPECT_EQ(f->row_labels[10], "ABCD U 9");
    EXPECT_EQ(f->row_labels[12], "IJKL   5");
    for (std::size_t row = 13; row < 20; ++row)
        EXPECT_EQ(f->row_labels[row].find_first_not_of(' '), std::string::npos) << row + 1;
    EXPECT_EQ(f->row_labels[0], " 0");
    EXPECT_EQ(f->row_labels[20], " 0");
    EXPECT_EQ(f->time_axis, (std::array<std::string, 3>{"100", "110", "120"}));
    EXPECT_EQ(f->seq, "2");
    EXPECT_EQ(f->pkt, "2");
    EXPECT_EQ(f->nobsall, "3");

    receive(wave_header(7, 3, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, 101, flat(2)));
    EXPECT_TRUE(drew("clear"));
}

TEST_F(Waveforms, TraceTurnsRedAfterThePArrival) {
    struct Case {
        double p_time;
        long blue, red;
        std::string mark;
    } cases[] = {
        {101.0, 19, 5, "line 88 50 88 69 c11 w1"},   // P index 20
        {99.0, 24, 0, "line 725 50 725 69 c11 w1"},  // before the axis: no visible mark
        {100.0, 0, 24, "line 75 50 75 69 c11 w1"},
    };
    for (const Case& c : cases) {
        panel.calls.clear();
        receive(wave_header(7, 1, 1, 100, 1) +
                wave_record("ABCD", "U ", 1, 10, c.p_time, flat(25)));
        EXPECT_EQ(count("c1"), c.blue) << c.p_time;
        EXPECT_EQ(count("c12"), c.red) << c.p_time;
        EXPECT_TRUE(drew(c.mark)) << c.p_time;
    }
}

TEST_F(Waveforms, SamplesHangBelowTheBaselineAndThePeakColoursTheTag) {
    struct Case {
        double peak;
        std::string samples;
        std::vector<std::string> calls;
    } cases[] = {
        {1000,
         "00FFff",
         {"clear", "line 75.65 50 76.3 68.87 c1 w1", "line 76.3 68.87 76.95 68.87 c1 w1",
          "filled square 76 54 84 62 c12 w1", "line 725 50 725 69 c11 w1"}},
        {999, "80", {"clear", "filled square 76 54 84 62 c14 w1", "line 725 50 725 69 c11 w1"}},
        {9, "", {"clear", "filled square 76 54 84 62 c1 w1", "line 725 50 725 69 c11 w1"}},
    };
    for (const Case& c : cases) {
        panel.calls.clear();
        receive(wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, c.peak, 50, c.samples));
        EXPECT_EQ(panel.calls, c.calls) << c.peak;
    }
}

TEST_F(Waveforms, DamagedPacketsStopWhereTheDamageIs) {
    struct Case {
        std::string name, text;
        double stored_sample2;   // slot 1, sample 2, after decoding (was 7)
        std::string slot2_code;  // (was "OLD")
        bool panel_fields;       // the drawing ran to its end
        long segments;
    } cases[] = {
        {"no event number",
         wave_header(0, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, 50, "0909"), 7, "OLD",
         false, 0},
        {"packet 4", wave_header(7, 1, 4, 100, 1) + wave_record("ABCD", "U ", 1, 10, 50, "0909"), 7,
         "OLD", false, 0},
        {"bad pair",
         wave_header(7, 1, 1, 100, 2) + wave_record("ABCD", "U ", 1, 10, 50, "09G9") +
             wave_record("EFGH", "U ", 1, 10, 50, "0909"),
         7, " ", true, 1},
        {"cut short", wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, 50, "090", 3),
         7, " ", true, 2},
        {"411 samples",
         wave_header(7, 1, 1, 100, 1) + wave_record("ABCD", "U ", 1, 10, 50, std::string(822, '1')),
         17, " ", false, 409},
    };
    for (const Case& c : cases) {
        w = WaveformPacket{};
        w.wave_samples[1][2] = 7;
        w.wave_station_code[2] = "OLD";
        panel.calls.clear();
        decode_waveform_packet(c.text, w);
        EXPECT_EQ(w.wave_samples[1][2], c.stored_sample2) << c.name;
        EXPECT_EQ(w.wave_station_code[2], c.slot2_code) << c.name;
        if (w.eqnum * w.iseq * w.ipkt == 0) continue;
        const auto f =
            draw_waveforms(w, c.text.size(), pictures, kDepthColorTable, start_up_thresholds());
        EXPECT_EQ(f.has_value(), c.panel_fields) << c.name;
        EXPECT_EQ(count("c1"), c.segments) << c.name;
    }
}

}  // namespace
}  // namespace eew
