// Drawing on the pictures: which event map is chosen, the epicentre and its
// long-period circle, the 24-hour main map, observation packets as station
// marks, waveform packets as traces on the waveform panel, and the focal
// mechanism.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"
#include "maps/event_map.hpp"
#include "maps/main_map_drawing.hpp"
#include "maps/map_marks.hpp"
#include "mechanism/focal_mechanism.hpp"
#include "observed/observation_packet.hpp"
#include "observed/packet_text.hpp"
#include "observed/station_marks.hpp"
#include "observed/waveform_packet.hpp"
#include "observed/waveform_panel.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;

struct Maps : ::testing::Test {
    Maps() { fill_map_catalogue(maps); }

    void clear() { main_map.calls = event_map.calls = {}; }
    std::pair<Calls, Calls> calls() const { return {main_map.calls, event_map.calls}; }

    MapCatalogue maps;
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
};

// The regional map only for events in its box and sites in its area; each map
// loads its own image. A site east of 135 E and south of 39 N lies in the
// eastern map's area, one between 132 and 140.2 E in the western map's; all
// limits are strict. Where marks land on each map is the shipped maps' test.
TEST(ChooseEventMap, RegionalMapOnlyForEventsInTheBoxAndSitesInItsStrictArea) {
    // longitude, latitude, map_on1, map_on2, the map
    // clang-format off
    const std::tuple<double, double, int, int, int> cases[] = {
        {138, 35, 1, 1, 1}, {137, 35, 1, 1, 2}, {137.5, 35, 1, 1, 1}, {130, 35, 1, 1, 3},
        {138, 39, 1, 1, 3}, {140, 36, 0, 1, 2}, {134, 36, 1, 0, 1}, {140, 36, 0, 0, 3},
    };
    // a site's longitude and latitude, then map_on1 and map_on2
    const std::tuple<double, double, int, int> sites[] = {
        {135.0, 35, 0, 1}, {135.01, 38.99, 1, 1}, {139.7, 39, 0, 1}, {140.19, 35, 1, 1},
        {140.2, 35, 1, 0}, {132.0, 34, 0, 0}, {132.01, 34, 0, 1}, {141.0, 43, 0, 0},
    };
    // clang-format on
    for (const auto& [longitude, latitude, on1, on2, map] : cases)
        EXPECT_EQ(choose_event_map(longitude, latitude, on1, on2), map) << longitude << latitude;
    EXPECT_EQ(event_map_image(1, "k", "w", "j") + event_map_image(2, "k", "w", "j") +
                  event_map_image(0, "k", "w", "j"),
              "kwj");
    for (const auto& [longitude, latitude, on1, on2] : sites)
        EXPECT_EQ(
            std::pair(site_in_eastern_map(longitude, latitude), site_in_western_map(longitude)),
            std::pair(on1, on2))
            << longitude << " " << latitude;
}

// A radius of zero or less becomes one, in the caller's variable too. The
// long-period circle (10 s at 3 km/s on the eastern map, 0.8735 px/km: 26.205
// px) is drawn for large shallow events or when forced, never on the main map
// nor before the origin.
TEST_F(Maps, EpicentreMarkAndLongPeriodCircle) {
    const std::string lp = "circle 0 357 r26.205 rgb(0,192,0) w3";
    // wave, radius, map, the radius after, main map, event map
    // clang-format off
    const std::tuple<LongPeriodWave, double, int, double, Calls, Calls> cases[] = {
        {{0, 6.0, 30, 10, 3.0, 1}, 10, 1, 10, {}, {"circle 0 357 r10 c12 w6", lp}},
        {{0, 5.9, 30, 10, 3.0, 1}, 10, 1, 10, {}, {"circle 0 357 r10 c12 w6"}},
        {{1, 5.9, 30, 10, 3.0, 1}, 10, 1, 10, {}, {"circle 0 357 r10 c12 w6", lp}},
        {{0, 6.0, 30.5, 10, 3.0, 1}, 10, 1, 10, {}, {"circle 0 357 r10 c12 w6"}},
        {{1, 7.0, 10, -5, 3.0, 1}, 0, 1, 1, {}, {"circle 0 357 r1 c12 w6"}},
        {{1, 7.0, 10, 10, 3.0, 1}, -2.5, 5, 1, {"disc 0 238 r1 c12 rim c0 w1"}, {}},
        {{1, 7.0, 10, 10, 3.0, 1}, 0.5, 5, 0.5, {"disc 0 238 r0.5 c12 rim c0 w1"}, {}},
    };
    // clang-format on
    for (auto [wave, radius, map, after, main, event] : cases) {
        const double longitude = map == 5 ? 127 : 135, latitude = map == 5 ? 37.5 : 36.5;
        clear();
        draw_epicentre_mark(maps, pictures, wave, longitude, latitude, radius, 12, map, 6);
        EXPECT_EQ(calls(), std::pair(main, event)) << wave.magnitude << " " << wave.depth;
        EXPECT_EQ(radius, after);
    }
}

// Site at the eastern map's origin, epicentre 100 px right of it; a depth class
// outside the table is drawn as class one.
TEST_F(Maps, EventMapFrameDrawsMarksStationsAndFrontsInOrder) {
    const DepthColorTable depth_colours{0, 12, 14, 10, 2, 9, 1};
    auto stations = [&] { event_map.point(1, 2, Colour::palette(7)); };
    for (const auto& [depth_class, epicentre] :
         {std::pair{3, "circle 100 357 r10 c10 w6"}, {7, "circle 100 357 r10 c12 w6"}}) {
        clear();
        const EventMarks marks{135, 36.5, 135 + 100 / (671 / 8.35), 36.5, depth_class, 1};
        draw_event_map_frame(maps, pictures, depth_colours, {}, {marks, 100, 200}, stations);
        EXPECT_EQ(calls(),
                  std::pair(Calls{}, Calls{"clear", "filled square -3 354 3 360 c12 w1", epicentre,
                                           "point 1 2 c7", "circle 100 357 r87.35 c12 w1",
                                           "circle 100 357 r174.7 c9 w1"}));
    }
}

// Entries of the last 24 hours counted in minute boundaries, in list order, at
// least one pixel across; an unreadable time or colour does not break the map.
TEST_F(Maps, MainMapShowsTheLast24HoursInListOrderThenTheSite) {
    const std::string t = "2024/05/02 11:00:00";
    // clang-format off
    const std::tuple<std::string, double, double, double, double> entries[] = {
        {"2024/05/01 12:00:59", 5, 37.5, 127, 12},  // 1440 minute boundaries back
        {"2024/05/01 12:01:00", 5, 37.5, 127, 12}, {t, 0, 37.5, 127, 14}, {t, -1, 37.5, 127, 10},
        {t, 2.5, 33.5, 147, 2}, {"garbage", 5, 37.5, 127, 12}, {t, 5, 37.5, 127, 99}};
    // clang-format on
    std::vector<ListedEpicentre> listed;
    for (const auto& [time, magnitude, latitude, longitude, colour] : entries)
        listed.push_back({time, magnitude, latitude, longitude, colour});
    const DateTime now = *DateTime::from_text("2024/05/02 12:00:05");
    draw_main_map(main_map, maps, listed, 127, 37.5, now, 24);
    EXPECT_EQ(main_map.calls,
              (Calls{"clear", "disc 0 238 r7 c12 rim c0 w1", "disc 0 238 r1 c14 rim c0 w1",
                     "disc 0 238 r1 c10 rim c0 w1", "disc 425 345.529 r3.5 c2 rim c0 w1",
                     "disc 0 238 r7 c0 rim c0 w1", "filled square -3 235 3 241 c12 w1"}));
}

using test::obs_header, test::obs_record, test::wave_header, test::wave_record;

std::string mark(const char* colour) {
    return std::string("filled square -4 353 4 361 ") + colour + " w1";  // at 36.5 N, 135 E
}

// The start-up thresholds, 10^(0.5 i - 3) kine: 1000 of the packet's units is class 6.
struct Packets : Maps {
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

    AmplitudeThresholds thresholds{0, 0.0031623, 0.01, 0.031623, 0.1, 0.31623, 1.0};
    ObservationPacket o;
    WaveformPacket w;
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

std::vector<std::string> drawn(const FocalMechanism& m) {
    test::RecordingCanvas c;
    draw_mechanism(c, m);
    return c.calls;
}

TEST(FocalMechanism, FewerThanFifteenObservationsShowOnlyTheNoticeAndAnyAxesDraw) {
    const std::vector<std::string> notice = {"clear", "text 0 400 c0        mechanism",
                                             "text 0 600 c0         --no data--"};
    EXPECT_EQ(drawn({120, 80, 300, 10, 14, 2}), notice);
    EXPECT_EQ(drawn({120, 80, 300, 10, NAN, 2}), notice);
    EXPECT_EQ(drawn({120, 80, 300, 10, 15, 2}).at(1), "circle 700 550 r500 c0 w1");
    for (const std::string& call : drawn({30, 40, 30, 40, 20, 0}))  // parallel axes
        EXPECT_EQ(call.find("nan"), std::string::npos) << call;
}

TEST(FocalMechanism, MarkersLabelsAndTextLinesLandOnTheirAnchors) {
    // Vertical P at the centre; horizontal T at azimuth 90 a hair inside the
    // east edge. Top to bottom: counts, P, T, in whole degrees. An upward axis
    // is shown by its lower end (azimuth 190, 60 from the vertical: south,
    // slightly west), marker and text alike.
    // clang-format off
    const std::pair<FocalMechanism, std::vector<std::string>> cases[] = {
        {{0, 0, 90, 90, 20, 0}, {"circle 700 550 r25 c0 w1", "text 750 475 c0 P", "disc 1199 550 r25 c0 rim c0 w1", "text 1249 475 c0 T"}},
        {{123.7, 45.2, 300.9, 10.0, 20, 2}, {"text 100 1020 c0 n=20  n_err=2", "text 100 1170 c0 azp=123 thp=45", "text 100 1320 c0 azt=300 tht=10"}},
        {{10, 120, 300, 10, 20, 0}, {"circle 638 899 r25 c0 w1", "text 100 1170 c0 azp=190 thp=60"}}};
    // clang-format on
    for (const auto& [mechanism, expected] : cases) {
        const auto calls = drawn(mechanism);
        for (const std::string& e : expected)
            EXPECT_NE(std::find(calls.begin(), calls.end(), e), calls.end()) << e;
    }
}

TEST(FocalMechanism, HorizontalAxesAtFortyFiveAndOneThirtyFiveGiveTwoStraightDiameters) {
    int north_south = 0, east_west = 0, left = 700, right = 700, top = 550, bottom = 550;
    for (const std::string& call : drawn({45, 90, 135, 90, 20, 0})) {
        int x = 0, y = 0;
        if (std::sscanf(call.c_str(), "point %d %d", &x, &y) != 2) continue;
        // A twip of rounding either way is a fifteenth of a pixel.
        if (std::abs(x - 700) <= 1)
            ++north_south;
        else if (std::abs(y - 550) <= 1)
            ++east_west;
        else
            ADD_FAILURE() << x << "," << y;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    EXPECT_EQ(north_south + east_west, 242);
    EXPECT_GE(std::min(north_south, east_west), 120);
    // The edges a hair inside the circle floor to 1199 in the east and 51 in the north.
    EXPECT_EQ(std::tuple(left, right, top, bottom), std::tuple(200, 1199, 51, 1050));
}

}  // namespace
}  // namespace eew
