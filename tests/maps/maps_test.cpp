// Drawing on the maps: where marks land, which event map is chosen, the event
// map's frame and the 24-hour main map.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"
#include "maps/event_map.hpp"
#include "maps/main_map_drawing.hpp"
#include "maps/map_marks.hpp"

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
    RecentEvents recent;
    for (const auto& [time, magnitude, latitude, longitude, colour] : entries) {
        const int i = ++recent.total_event_number;
        recent.recent_event_time[i] = time;
        recent.recent_event_data[i] = {0, magnitude, latitude, longitude, colour};
    }
    const DateTime now = *DateTime::from_text("2024/05/02 12:00:05");
    draw_main_map(main_map, maps, recent, 127, 37.5, now, 24);
    EXPECT_EQ(main_map.calls,
              (Calls{"clear", "disc 0 238 r7 c12 rim c0 w1", "disc 0 238 r1 c14 rim c0 w1",
                     "disc 0 238 r1 c10 rim c0 w1", "disc 425 345.529 r3.5 c2 rim c0 w1",
                     "disc 0 238 r7 c0 rim c0 w1", "filled square -3 235 3 241 c12 w1"}));
}

}  // namespace
}  // namespace eew
