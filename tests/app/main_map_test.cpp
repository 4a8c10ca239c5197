#include "app/main_map.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "fakes/fake_platform.hpp"

namespace eew {
namespace {

TEST(MainMap, ReplotDrawsTheRecentEventsThenTheSite) {
    MainState m;
    test::FakePlatform p;
    fill_map_catalogue(m.maps);
    m.display.disp_event_hours = 24;
    m.site = {"", 127, 37.5, 1, 0, 0};  // at the map's origin pixel (0, 238)
    m.recent.total_event_number = 1;
    m.recent.recent_event_time[1] = p.clock.plus_seconds(-3600).text();
    m.recent.recent_event_data[1] = {0, 5, 33.5, 147, 14};
    replot(m, p);
    EXPECT_EQ(p.canvases[PictureId::main_map].calls,
              (std::vector<std::string>{"clear", "disc 425 345.529 r7 c14 rim c0 w1",
                                        "filled square -3 235 3 241 c12 w1"}));
    EXPECT_EQ(m.main_view.Text2.text, "1");
}

// The column of controls is 2760 twips wide; the map window beside it 6456.
TEST(MainMap, MapOnAndOffSizeTheWindowAtTheScreensResolution) {
    struct Case {
        double twips_per_pixel;
        bool map_on;
        int width, height;
    };
    for (Case c : {Case{15, true, 614, 536}, {15, false, 184, 489}, {10, true, 922, 804}}) {
        MainState m;
        test::FakePlatform p;
        p.twips_per_px = c.twips_per_pixel;
        c.map_on ? map_on(m, p) : map_off(m, p);
        EXPECT_EQ(m.main_view.window_width, c.width) << c.twips_per_pixel << c.map_on;
        EXPECT_EQ(m.main_view.window_height, c.height) << c.twips_per_pixel << c.map_on;
    }
}

}  // namespace
}  // namespace eew
