#include "maps/map_marks.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;

struct MapMarksTest : ::testing::Test {
    MapMarksTest() { fill_map_catalogue(maps); }

    MapCatalogue maps;
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
};

TEST_F(MapMarksTest, SiteMarkLandsWhereTheCatalogueProjects) {
    struct Case {
        double longitude, latitude;
        int map;
        Calls main, event;
    } cases[] = {
        // The map origins, and the far corner of the eastern map.
        {135, 36.5, 1, {}, {"filled square -3 354 3 360 c12 w1"}},
        {127, 37.5, 5, {"filled square -3 235 3 241 c12 w1"}, {}},
        {143.35, 33.5, 1, {}, {"filled square 668 654 674 660 c12 w1"}},
        {132, 35.5, 2, {}, {"filled square -3 354 3 360 c12 w1"}},
        {127, 37.5, 3, {}, {"filled square -3 363 3 369 c12 w1"}},
    };
    for (const Case& c : cases) {
        main_map.calls.clear();
        event_map.calls.clear();
        draw_site_mark(maps, pictures, c.longitude, c.latitude, c.map);
        EXPECT_EQ(main_map.calls, c.main) << c.map;
        EXPECT_EQ(event_map.calls, c.event) << c.map;
    }
}

TEST_F(MapMarksTest, StationMarksOnTheEventMapPanelBoxesByTarget) {
    draw_station_mark(maps, pictures, 127, 37.5, 5, 10);
    draw_panel_box(pictures, 20, 30, 1, 14);
    draw_panel_box(pictures, 20, 30, 0, 9);
    EXPECT_EQ(event_map.calls,
              (Calls{"filled square -4 234 4 242 c10 w1", "filled square 16 26 24 34 c14 w1"}));
    EXPECT_EQ(panel.calls, Calls{"filled square 16 26 24 34 c9 w1"});
    EXPECT_TRUE(main_map.calls.empty());
}

TEST_F(MapMarksTest, RadiusBelowOneBecomesOneInTheCallersVariable) {
    struct Case {
        double radius, kept;
        const char* disc;
    } cases[] = {{0, 1, "disc 0 238 r1 c12 rim c0 w1"},
                 {-2.5, 1, "disc 0 238 r1 c12 rim c0 w1"},
                 {0.5, 0.5, "disc 0 238 r0.5 c12 rim c0 w1"}};
    for (const Case& c : cases) {
        main_map.calls.clear();
        double radius = c.radius;
        draw_epicentre_mark(maps, pictures, {}, 127, 37.5, radius, 12, 5, 1);
        EXPECT_EQ(radius, c.kept) << c.radius;
        EXPECT_EQ(main_map.calls, Calls{c.disc}) << c.radius;
    }
}

TEST_F(MapMarksTest, LongPeriodCircleForLargeShallowEventsOrWhenForced) {
    // 10 s at 3 km/s on the eastern map (0.8735 px/km): 26.205 px.
    struct Case {
        int longEVstop;
        double magnitude, depth;
        bool circle;
    } cases[] = {
        {0, 6.0, 30, true},    {0, 5.9, 30, false}, {1, 5.9, 30, true},
        {0, 6.0, 30.5, false}, {1, 3.0, 400, true},
    };
    for (const Case& c : cases) {
        event_map.calls.clear();
        const LongPeriodWave wave{c.longEVstop, c.magnitude, c.depth, 10, 3.0, 1};
        double radius = 10;
        draw_epicentre_mark(maps, pictures, wave, 135, 36.5, radius, 12, 1, 6);
        Calls expected{"circle 0 357 r10 c12 w6"};
        if (c.circle) expected.push_back("circle 0 357 r26.205 rgb(0,192,0) w3");
        EXPECT_EQ(event_map.calls, expected)
            << c.magnitude << " " << c.depth << " " << c.longEVstop;
    }
}

TEST_F(MapMarksTest, NoLongPeriodCircleOnTheMainMapOrBeforeTheOrigin) {
    double radius = 4;
    draw_epicentre_mark(maps, pictures, {1, 7.0, 10, 10, 3.0, 1}, 127, 37.5, radius, 9, 5, 1);
    EXPECT_EQ(main_map.calls, Calls{"disc 0 238 r4 c9 rim c0 w1"});
    draw_epicentre_mark(maps, pictures, {1, 7.0, 10, -5, 3.0, 1}, 135, 36.5, radius, 9, 1, 1);
    EXPECT_EQ(event_map.calls, Calls{"circle 0 357 r4 c9 w1"});
}

}  // namespace
}  // namespace eew
