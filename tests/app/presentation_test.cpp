#include "app/presentation.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "fakes/fake_platform.hpp"

namespace eew {
namespace {

using test::FakePlatform;
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
        f.magnitude = 6.5;
        f.latitude = 35.7;
        f.longitude = 139.7;
        f.depth = 10;
        f.pdata = 8;
        f.depth_color = 1;
        f.region_name = "東京都２３区";
    }
    WindowState popup() const { return p.window_state(WindowId::popupmap); }
    Calls& event_map() { return p.canvases[PictureId::event_map].calls; }

    MainState m;
    FakePlatform p;
};

struct Presentation : ::testing::Test, Scene {};

TEST_F(Presentation, TheEventMapFollowsTheEpicentreAndTheSitesAreas) {
    struct Case {
        double longitude, latitude;
        int map_on1, map_on2, index_map;
        std::string image;
    };
    const Case cases[] = {{139.7, 35.7, 1, 1, 1, "kanto_event.bmp"},
                          {135.5, 34.7, 1, 1, 2, "kansai_event.bmp"},
                          {139.7, 35.7, 0, 1, 2, "kansai_event.bmp"},
                          {139.7, 35.7, 0, 0, 3, "japan_event.bmp"},
                          {142.0, 40.0, 1, 1, 3, "japan_event.bmp"}};
    for (const Case& c : cases) {
        Scene t;
        t.m.followed.longitude = c.longitude;
        t.m.followed.latitude = c.latitude;
        t.m.site.map_on1 = c.map_on1;
        t.m.site.map_on2 = c.map_on2;
        new_event_presentation(t.m, t.p);
        EXPECT_EQ(t.m.index_map, c.index_map) << c.longitude << " " << c.map_on1 << c.map_on2;
        EXPECT_EQ(t.p.canvases[PictureId::event_map].background, c.image);
        EXPECT_EQ(t.m.main_view.Label19, "地震発生");
        EXPECT_EQ(t.popup(), WindowState::normal);
        EXPECT_EQ(t.p.window_sizes[WindowId::popupmap], std::make_pair(679, 797));
    }
}

TEST_F(Presentation, TheChimeAndItsPauseOnlyWithTheVoiceSwitchOn) {
    for (int voice_flag : {0, 1}) {
        Scene t;
        t.m.settings.voice_flag = voice_flag;
        new_event_presentation(t.m, t.p);
        EXPECT_EQ(t.p.sounds, voice_flag ? Calls{"sound.wav"} : Calls{});
        EXPECT_EQ(t.p.pauses, voice_flag ? std::vector<int>{600} : std::vector<int>{});
    }
}

TEST_F(Presentation, WithPopUpOffTheIndicatorLightsButTheWindowStaysHidden) {
    m.main_view.Check1.checked = false;
    new_event_presentation(m, p);
    EXPECT_EQ(m.main_view.Label19, "地震発生");
    EXPECT_EQ(popup(), WindowState::hidden);
    EXPECT_FALSE(p.visible[WindowId::popupmap]);
}

TEST_F(Presentation, AWindowTheUserMinimisedOrMaximisedKeepsMapIndicatorAndSize) {
    for (WindowState state : {WindowState::minimised, WindowState::maximised}) {
        Scene t;
        t.p.windows[WindowId::popupmap] = state;
        t.p.window_sizes[WindowId::popupmap] = {300, 200};
        t.p.canvases[PictureId::event_map].background = "japan_event.bmp";
        t.m.index_map = 3;
        t.m.popup_view.Label30 = "0.1";
        new_event_presentation(t.m, t.p);
        EXPECT_EQ(t.popup(), state);
        EXPECT_EQ(t.m.index_map, 3);
        EXPECT_EQ(t.p.canvases[PictureId::event_map].background, "japan_event.bmp");
        EXPECT_EQ(t.m.main_view.Label19, "");
        EXPECT_EQ(t.p.window_sizes[WindowId::popupmap], std::make_pair(300, 200));
        // The values are written all the same.
        EXPECT_EQ(t.m.popup_view.Text7, "6.5");
        EXPECT_EQ(t.m.popup_view.Label30, "");
    }
}

TEST_F(Presentation, ANewEventFillsBothColumnsAndMarksSiteAndEpicentre) {
    present_followed_report(m, p, true);
    const PopupView& v = m.popup_view;
    const std::pair<std::string, std::string> boxes[] = {{v.Text5, "2024/04/01 09:00:00"},
                                                         {v.Text15, "2024/04/01 09:00:00"},
                                                         {v.Text7, "6.5"},
                                                         {v.Text16, "6.5"},
                                                         {v.Text10, "35.7"},
                                                         {v.Text17, "35.7"},
                                                         {v.Text11, "139.7"},
                                                         {v.Text18, "139.7"},
                                                         {v.Text12, "10.0"},
                                                         {v.Text19, "10.0"},
                                                         {v.Text13, "1"},
                                                         {v.Text20, "1"},
                                                         {v.Text14, "8"},
                                                         {v.Text21, "8"},
                                                         {v.Text54, "東京都２３区"},
                                                         {v.Text62, "東京都２３区"},
                                                         {v.Text1, "東京"}};
    for (const auto& [shown, expected] : boxes)
        EXPECT_EQ(shown, expected);
    // Site and epicentre coincide on the eastern map: 4.7 degrees east and
    // 0.8 south of its origin (0, 357).
    EXPECT_EQ(event_map(),
              (Calls{"background kanto_event.bmp", "filled square 374.689 434 380.689 440 c12 w1",
                     "circle 377.689 437 r10 c12 w6"}));
}

TEST_F(Presentation, AFurtherReportOnlyRefreshesTheLatestInfo) {
    present_followed_report(m, p, true);
    m.followed.magnitude = 7.1;
    m.followed.depth = 12.25;
    m.followed.sequence = "2";
    event_map().clear();
    present_followed_report(m, p, false);
    EXPECT_EQ(m.popup_view.Text16, "7.1");
    EXPECT_EQ(m.popup_view.Text19, "12.3");
    EXPECT_EQ(m.popup_view.Text20, "2");
    EXPECT_EQ(m.popup_view.Text7, "6.5");
    EXPECT_EQ(m.popup_view.Text13, "1");
    EXPECT_EQ(event_map(), Calls{});
    EXPECT_EQ(p.sounds.size(), 1u);
}

}  // namespace
}  // namespace eew
