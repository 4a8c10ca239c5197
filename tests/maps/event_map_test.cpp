#include "maps/event_map.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;

TEST(ChooseEventMap, RegionalMapOnlyForEventsInTheBoxAndSitesInItsArea) {
    struct Case {
        double longitude, latitude;
        int map_on1, map_on2, index_map;
    } cases[] = {
        {138, 35, 1, 1, 1}, {137, 35, 1, 1, 2}, {137.5, 35, 1, 1, 1},
        {130, 35, 1, 1, 3}, {133, 35, 1, 1, 3}, {138, 39, 1, 1, 3},
        {140, 36, 0, 1, 2}, {134, 36, 1, 0, 1}, {140, 36, 0, 0, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(choose_event_map(c.longitude, c.latitude, c.map_on1, c.map_on2), c.index_map)
            << c.longitude << " " << c.latitude << " " << c.map_on1 << c.map_on2;
    }
}

TEST(ChooseEventMap, EachMapLoadsItsImage) {
    const std::string kanto = "k", kansai = "w", japan = "j";
    EXPECT_EQ(event_map_image(1, kanto, kansai, japan), "k");
    EXPECT_EQ(event_map_image(2, kanto, kansai, japan), "w");
    EXPECT_EQ(event_map_image(3, kanto, kansai, japan), "j");
    EXPECT_EQ(event_map_image(0, kanto, kansai, japan), "j");
}

struct EventMapFrameTest : ::testing::Test {
    EventMapFrameTest() { fill_map_catalogue(maps); }

    MapCatalogue maps;
    DepthColorTable depth_colours{0, 12, 14, 10, 2, 9, 1};
    test::RecordingCanvas main_map, event_map, panel;
    MapPictures pictures{main_map, event_map, panel};
    // Site at the eastern map's origin, epicentre 100 px right of it.
    EventMapFrame frame{{135, 36.5, 135 + 100 / (671 / 8.35), 36.5, 3, 1}, 100, 200};
};

TEST_F(EventMapFrameTest, FrameDrawsMarksStationsAndFrontsInOrder) {
    draw_event_map_frame(maps, pictures, depth_colours, {}, frame,
                         [&] { event_map.point(1, 2, Colour::palette(7)); });
    EXPECT_EQ(event_map.calls, (Calls{
                                   "clear",
                                   "filled square -3 354 3 360 c12 w1",
                                   "circle 100 357 r10 c10 w6",
                                   "point 1 2 c7",
                                   "circle 100 357 r87.35 c12 w1",
                                   "circle 100 357 r174.7 c9 w1",
                               }));
    EXPECT_TRUE(main_map.calls.empty());
}

TEST_F(EventMapFrameTest, DepthClassOutsideTheTableIsDrawnAsClassOne) {
    for (int depth_class : {7, -1}) {
        event_map.calls.clear();
        frame.marks.depth_color = depth_class;
        draw_event_map_frame(maps, pictures, depth_colours, {}, frame, {});
        ASSERT_EQ(event_map.calls.size(), 5u);
        EXPECT_EQ(event_map.calls[2], "circle 100 357 r10 c12 w6") << depth_class;
    }
}

}  // namespace
}  // namespace eew
