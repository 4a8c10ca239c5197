#include "maps/main_map_drawing.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_canvas.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;

struct Entry {
    std::string time;
    double magnitude, latitude, longitude, colour;
};

Calls drawn(const std::vector<Entry>& entries) {
    MapCatalogue maps;
    fill_map_catalogue(maps);
    RecentEvents recent;
    for (const Entry& e : entries) {
        const int i = ++recent.total_event_number;
        recent.recent_event_time[i] = e.time;
        recent.recent_event_data[i] = {0, e.magnitude, e.latitude, e.longitude, e.colour};
    }
    test::RecordingCanvas canvas;
    const DateTime now = *DateTime::from_text("2024/05/02 12:00:05");
    draw_main_map(canvas, maps, recent, 127, 37.5, now, 24);
    return canvas.calls;
}

const std::string kSite = "filled square -3 235 3 241 c12 w1";

TEST(MainMapDrawing, EntriesOfTheLast24HoursInWholeMinutes) {
    // 23 h 59 min 06 s old, but 1440 minute boundaries back: too old.
    EXPECT_EQ(drawn({{"2024/05/01 12:00:59", 5, 37.5, 127, 12}}), (Calls{"clear", kSite}));
    // 1439 minute boundaries back: shown.
    EXPECT_EQ(drawn({{"2024/05/01 12:01:00", 5, 37.5, 127, 12}}),
              (Calls{"clear", "disc 0 238 r7 c12 rim c0 w1", kSite}));
}

TEST(MainMapDrawing, DiscsInListOrderAtLeastOnePixel) {
    const std::string t = "2024/05/02 11:00:00";
    EXPECT_EQ(drawn({{t, 0, 37.5, 127, 14}, {t, -1, 37.5, 127, 10}, {t, 2.5, 33.5, 147, 2}}),
              (Calls{"clear", "disc 0 238 r1 c14 rim c0 w1", "disc 0 238 r1 c10 rim c0 w1",
                     "disc 425 345.529 r3.5 c2 rim c0 w1", kSite}));
}

TEST(MainMapDrawing, UnreadableTimeOrColourDoesNotBreakTheMap) {
    EXPECT_EQ(drawn({{"garbage", 5, 37.5, 127, 12}, {"2024/05/02 11:00:00", 5, 37.5, 127, 99}}),
              (Calls{"clear", "disc 0 238 r7 c0 rim c0 w1", kSite}));
}

}  // namespace
}  // namespace eew
