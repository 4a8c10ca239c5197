#include "observed/station_marks.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"
#include "packet_text.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;
using test::obs_header;
using test::obs_record;

const Calls kLegend = {
    "filled square 606 576 614 584 c12 w1", "filled square 606 592 614 600 c14 w1",
    "filled square 606 608 614 616 c10 w1", "filled square 606 624 614 632 c2 w1",
    "filled square 606 640 614 648 c9 w1",  "filled square 606 656 614 664 c1 w1"};

struct StationMarks : ::testing::Test {
    StationMarks() {
        fill_map_catalogue(maps);
        for (int i = 1; i <= 6; ++i)
            thresholds[static_cast<std::size_t>(i)] = std::pow(10.0, 0.5 * i - 3);
    }
    // The marks of a packet on the eastern map, without the legend.
    Calls marks_of(const std::string& text) {
        decode_observation_packet(text, o);
        event_map.calls.clear();
        legend = draw_observations(o, maps, pictures, 1, kDepthColorTable, thresholds);
        return Calls(event_map.calls.begin(), event_map.calls.end() - 6);
    }

    MapCatalogue maps;
    AmplitudeThresholds thresholds{};
    ObservationPacket o;
    StationLegend legend;
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
};

TEST_F(StationMarks, RecordsAreEighteenCharactersFromPositionTwelve) {
    const std::string text =
        obs_header(2) + obs_record("35.0", "135.0", 500) + obs_record("36.5", "135.0", 9);
    ASSERT_EQ(text.substr(29, 18), "36.5 135.0       9");
    EXPECT_EQ(marks_of(text),
              (Calls{"filled square -4 503 4 511 c14 w1", "filled square -4 353 4 361 c1 w1"}));
    EXPECT_EQ(Calls(event_map.calls.end() - 6, event_map.calls.end()), kLegend);
}

TEST_F(StationMarks, PeakClassesColourTheMarks) {
    std::string text = obs_header(4);
    for (double peak : {1000.0, 999.0, 10.0, 9.99})
        text += obs_record("36.5", "135.0", peak);
    EXPECT_EQ(marks_of(text),
              (Calls{"filled square -4 353 4 361 c12 w1", "filled square -4 353 4 361 c14 w1",
                     "filled square -4 353 4 361 c9 w1", "filled square -4 353 4 361 c1 w1"}));
}

TEST_F(StationMarks, StationsWithoutAPlaceAndRecordsBeyond300AreLeftOut) {
    EXPECT_EQ(marks_of(obs_header(4) + obs_record("", "135.0", 9) + obs_record("36.5", "abc", 9) +
                       obs_record(" 36.5", "135", 9) + obs_record("9e99", "135.0", 9)),
              (Calls{"filled square -4 353 4 361 c1 w1"}));

    std::string many = obs_header(301);
    for (int i = 0; i < 301; ++i)
        many += obs_record("36.5", "135.0", i == 300 ? 1000 : 9);
    EXPECT_EQ(marks_of(many).size(), 300u);

    // A packet cut inside the peak of its last record reads that peak as far as it goes.
    EXPECT_EQ(marks_of(obs_header(1) + "36.5 135.0   "),
              (Calls{"filled square -4 353 4 361 c1 w1"}));
}

TEST_F(StationMarks, LegendShowsTheClassThresholdsWhateverThePacket) {
    EXPECT_EQ(marks_of(obs_header(0)), Calls{});
    EXPECT_EQ(event_map.calls, kLegend);
    EXPECT_EQ(legend.unit, "kine");
    EXPECT_EQ(legend.thresholds,
              (std::array<std::string, 6>{"1.000", "0.316", "0.100", "0.032", "0.010", "0.003"}));
}

}  // namespace
}  // namespace eew
