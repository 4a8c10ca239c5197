#include "app/presentation.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "fakes/fake_platform.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;

// A followed event at 139.7 E, 35.7 N, 10 km deep, for a site in both
// regional maps' areas; chime on, "PopUP" ticked.
struct Scene {
    Scene() {
        m.paths.file_sound = "sound.wav";
        m.paths.file_kanto_map = "kanto_event.bmp";
        m.paths.file_kansai_map = "kansai_event.bmp";
        m.paths.file_japan_map = "japan_event.bmp";
        fill_map_catalogue(m.maps);
        m.display.depth_color_table = kDepthColorTable;
        m.settings.voice_flag = 1;
        m.site = {"東京", 139.7, 35.7, 1.5, 1, 1};
        FollowedEvent& f = m.followed;
        f.origintime = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);
        f.sequence = "1";
        f.region_name = "東京都２３区";
        f.magnitude = 6.5;
        f.latitude = 35.7;
        f.longitude = 139.7;
        f.depth = 10;
        f.pdata = 8;
        f.depth_color = 1;
    }
    MainState m;
    test::FakePlatform p;
};

TEST(Presentation, MapChoiceChimeAndWindowFollowTheEventTheSwitchesAndTheWindowState) {
    const auto N = WindowState::not_created, H = WindowState::hidden, S = WindowState::normal,
               MIN = WindowState::minimised, MAX = WindowState::maximised;
    struct Case {
        double longitude, latitude;
        int map_on1, map_on2, voice_flag;
        bool popup_on;
        WindowState before, after;
        int index_map;  // 9: left as it was
        std::string image;
    };
    const Case cases[] = {{139.7, 35.7, 1, 1, 1, true, N, S, 1, "kanto_event.bmp"},
                          {135.5, 34.7, 1, 1, 0, true, H, S, 2, "kansai_event.bmp"},
                          {139.7, 35.7, 0, 1, 1, true, S, S, 2, "kansai_event.bmp"},
                          {139.7, 35.7, 0, 0, 1, true, N, S, 3, "japan_event.bmp"},
                          {142.0, 40.0, 1, 1, 1, true, N, S, 3, "japan_event.bmp"},
                          {139.7, 35.7, 1, 1, 1, false, N, H, 1, "kanto_event.bmp"},
                          // A window the user minimised or maximised keeps its map, size and
                          // the indicator as they were.
                          {139.7, 35.7, 1, 1, 1, true, MIN, MIN, 9, "old.bmp"},
                          {139.7, 35.7, 1, 1, 1, true, MAX, MAX, 9, "old.bmp"}};
    for (const Case& c : cases) {
        Scene t;
        t.m.followed.longitude = c.longitude;
        t.m.followed.latitude = c.latitude;
        t.m.site.map_on1 = c.map_on1;
        t.m.site.map_on2 = c.map_on2;
        t.m.settings.voice_flag = c.voice_flag;
        t.m.main_view.Check1.checked = c.popup_on;
        t.m.index_map = 9;
        t.p.windows[WindowId::popupmap] = c.before;
        t.p.canvases[PictureId::event_map].background = "old.bmp";
        new_event_presentation(t.m, t.p);

        const bool kept = c.before == MIN || c.before == MAX;
        const auto row = testing::Message() << c.longitude << " " << c.map_on1 << c.map_on2
                                            << c.voice_flag << c.popup_on;
        EXPECT_EQ(t.m.index_map, c.index_map) << row;
        EXPECT_EQ(t.p.canvases[PictureId::event_map].background, c.image) << row;
        EXPECT_EQ(t.p.window_state(WindowId::popupmap), c.after) << row;
        EXPECT_EQ(t.m.main_view.Label19, kept ? "" : "地震発生") << row;
        EXPECT_EQ(t.p.window_sizes.count(WindowId::popupmap), kept ? 0u : 1u) << row;
        EXPECT_EQ(t.p.sounds, c.voice_flag ? Calls{"sound.wav"} : Calls{}) << row;
        EXPECT_EQ(t.p.pauses, c.voice_flag ? std::vector<int>{600} : std::vector<int>{}) << row;
        EXPECT_EQ(t.m.popup_view.Text7, "6.5") << row;  // the values whatever the window
    }
}

TEST(Presentation, FirstInfoStaysLatestInfoFollowsAndMarksOnlyForANewEvent) {
    Scene t;
    t.m.popup_view.Label30 = "0.1";
    present_followed_report(t.m, t.p, true);
    const PopupView& v = t.m.popup_view;
    EXPECT_EQ(v.Label30, "");
    EXPECT_EQ(v.Text19, "10.0");
    // Site and epicentre coincide, on the eastern map.
    Calls& event_map = t.p.canvases[PictureId::event_map].calls;
    EXPECT_EQ(event_map,
              (Calls{"background kanto_event.bmp", "filled square 374.689 434 380.689 440 c12 w1",
                     "circle 377.689 437 r10 c12 w6"}));

    event_map.clear();
    t.m.followed.magnitude = 7.1;
    t.m.followed.depth = 12.25;
    t.m.followed.sequence = "2";
    present_followed_report(t.m, t.p, false);
    EXPECT_EQ(event_map, Calls{});
    const std::pair<std::string, std::string> boxes[] = {{v.Text5, "2024/04/01 09:00:00"},
                                                         {v.Text15, "2024/04/01 09:00:00"},
                                                         {v.Text7, "6.5"},
                                                         {v.Text16, "7.1"},
                                                         {v.Text10, "35.7"},
                                                         {v.Text17, "35.7"},
                                                         {v.Text11, "139.7"},
                                                         {v.Text18, "139.7"},
                                                         {v.Text12, "10.0"},
                                                         {v.Text19, "12.3"},
                                                         {v.Text13, "1"},
                                                         {v.Text20, "2"},
                                                         {v.Text14, "8"},
                                                         {v.Text21, "8"},
                                                         {v.Text54, "東京都２３区"},
                                                         {v.Text62, "東京都２３区"},
                                                         {v.Text1, "東京"}};
    for (const auto& [shown, expected] : boxes)
        EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace eew
