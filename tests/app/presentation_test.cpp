// What the followed event shows: its maps, windows, values, sounds, sentences
// and web pages.
#include "app/presentation.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "app/popup_windows.hpp"
#include "app/program_modes.hpp"
#include "app/warning_output.hpp"
#include "app/web_popup_output.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/started_app.hpp"
#include "notify/web_popup.hpp"

namespace eew {
namespace {

using Calls = std::vector<std::string>;

// A followed event at 139.7 E, 35.7 N, 10 km deep, for a site in both
// regional maps' areas; chime on, "PopUP" ticked.
struct Scene {
    Scene() {
        m.paths.file_sound = "sound.wav";
        std::tie(m.paths.file_kanto_map, m.paths.file_kansai_map, m.paths.file_japan_map) =
            std::tuple("kanto_event.bmp", "kansai_event.bmp", "japan_event.bmp");
        fill_map_catalogue(m.maps);
        m.display.depth_color_table = kDepthColorTable;
        m.settings.voice_flag = 1;
        m.site = {"東京", 139.7, 35.7, 1.5, 1, 1};
        // clang-format off
        m.followed = {.code = "", .sequence = "1", .origintime = *DateTime::from_fields(2024, 4, 1, 9, 0, 0),
                      .sendtime = {}, .magnitude = 6.5, .latitude = 35.7, .longitude = 139.7, .depth = 10,
                      .pdata = 8, .region_name = "東京都２３区", .region_name_en = "", .depth_color = 1};
        // clang-format on
    }
    MainState m;
    test::FakePlatform p;
};

// Which map fits the event is the map catalogue's test; here the site's map
// flags, the switches and the window the user left. A window the user
// minimised or maximised keeps its map, size and the indicator as they were.
TEST(Presentation, MapChimeAndWindowFollowTheSwitchesAndTheWindowState) {
    const auto N = WindowState::not_created, H = WindowState::hidden, S = WindowState::normal,
               MIN = WindowState::minimised, MAX = WindowState::maximised;
    // clang-format off
    const std::tuple<int, int, bool, WindowState, WindowState, int, std::string> cases[] = {
        // map_on1, voice_flag, popup_on, before, after, index_map (9: as it was), image
        {1, 1, true, N, S, 1, "kanto_event.bmp"}, {0, 0, true, H, S, 2, "kansai_event.bmp"},
        {1, 1, false, N, H, 1, "kanto_event.bmp"}, {1, 1, true, MIN, MIN, 9, "old.bmp"},
        {1, 0, true, MAX, MAX, 9, "old.bmp"}};
    // clang-format on
    for (const auto& [map_on1, voice_flag, popup_on, before, after, index_map, image] : cases) {
        Scene t;
        t.m.site.map_on1 = map_on1;
        t.m.settings.voice_flag = voice_flag;
        set_popups_on(t.m, popup_on);
        t.m.index_map = 9;
        t.p.windows[WindowId::popupmap] = before;
        t.p.canvases[PictureId::event_map].background = "old.bmp";
        new_event_presentation(t.m, t.p);
        const bool kept = before == MIN || before == MAX;
        EXPECT_EQ(std::tuple(t.m.index_map, t.p.canvases[PictureId::event_map].background,
                             t.p.window_state(WindowId::popupmap), t.m.main_view.Label19,
                             t.p.window_sizes.count(WindowId::popupmap), t.p.sounds.size()),
                  std::tuple(index_map, image, after, kept ? "" : "地震発生", kept ? 0 : 1,
                             voice_flag ? 1 : 0))
            << image << " " << popup_on;
        EXPECT_EQ(t.m.popup_view.Text7, "6.5");  // the values whatever the window
    }
}

TEST(Presentation, FirstInfoStaysLatestInfoFollowsAndMarksOnlyForANewEvent) {
    Scene t;
    t.m.popup_view.Label30 = "0.1";
    present_followed_report(t.m, t.p, true);
    const PopupView& v = t.m.popup_view;
    EXPECT_EQ(v.Label30, "");
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
    for (const auto& [column, expected] :
         {std::pair(v.Text5 + "|" + v.Text7 + "|" + v.Text10 + "|" + v.Text11 + "|" + v.Text12 +
                        "|" + v.Text13 + "|" + v.Text14 + "|" + v.Text54 + "|" + v.Text1,
                    "2024/04/01 09:00:00|6.5|35.7|139.7|10.0|1|8|東京都２３区|東京"),
          {v.Text15 + "|" + v.Text16 + "|" + v.Text17 + "|" + v.Text18 + "|" + v.Text19 + "|" +
               v.Text20 + "|" + v.Text21 + "|" + v.Text62,
           "2024/04/01 09:00:00|7.1|35.7|139.7|12.3|2|8|東京都２３区"}})
        EXPECT_EQ(column, expected);
}

// Configured minimum magnitude 3.0 (4.5 typed since); the latest report went
// to slot 2 (0: it was dropped). An announced event lights the indicator.
// Ticked with nothing announced, the windows unticking minimised are restored
// but stay hidden, and windows not created yet are not made.
TEST(PopUpSwitch, TheBoxOpensOrClosesTheFilterAndBringsUpOrPutsAwayAnAnnouncedEvent) {
    const WindowState N = WindowState::not_created, H = WindowState::hidden,
                      S = WindowState::normal, MIN = WindowState::minimised;
    // clang-format off
    for (auto [announced, slot, checked, before, minimum, flag, after] : {  // flag of slot 2 after
             std::tuple(true, 2, false, S, 10.0, 0, MIN), {true, 2, true, MIN, 3.0, 1, S},
             {false, 2, true, MIN, 3.0, 0, H}, {false, 2, true, N, 3.0, 0, N},
             {true, 0, true, MIN, 3.0, 0, S}}) {
        // clang-format on
        MainState m;
        test::FakePlatform p;
        m.settings.magnitude_min = 4.5;
        m.settings.magnitude_min_defalt = 3.0;
        m.events.i_event_now = slot;
        m.events.filter_flag[2] = checked ? 0 : 1;
        if (announced) set_event_announced(m, true);
        if (before != N) p.windows = {{WindowId::popupmap, before}, {WindowId::message, before}};
        Check1_Click(m, p, checked);
        EXPECT_EQ(std::tuple(m.main_view.Check1.checked, m.settings.magnitude_min,
                             m.events.filter_flag[0], m.events.filter_flag[2],
                             p.window_state(WindowId::popupmap), p.window_state(WindowId::message)),
                  std::tuple(checked, minimum, 0, flag, after, after))
            << announced << slot << checked;
    }
}

// A followed event with a valid S travel time, 12 s before the S wave
// reaches site "A"; no reference sites are loaded.
struct WarningOutput : ::testing::Test {
    WarningOutput() {
        m.paths = build_paths("/prog");
        m.lpwave.lpwave_message = "LP";
        m.travel.travel_s_data_flag = 1;
        m.travel.countdown = 12;
        m.popup_view.Text1 = "A";
        m.followed.region_name = "R";
    }
    void run(double intensity) {
        m.followed.intensity = intensity;
        warning_output(m, p);
    }

    MainState m;
    test::FakePlatform p;
};

// The class is read from the one-decimal text: 4.96 shows 5.0 ("5弱"), 5.06
// shows 5.1. A class that falls away (0.0) sounds again when it comes back.
TEST_F(WarningOutput, OneSoundPerChangeOfTheDisplayedClassAndNoneWhenItFallsAway) {
    for (double i : {4.96, 5.0, 5.06, 5.4, 0.04, 0.0, 5.4, 6.0, 2.44})
        run(i);
    std::string names;
    for (const std::string& s : p.sounds)
        names += s.substr(s.rfind('/') + 1) + " ";
    EXPECT_EQ(names, "SI5-.wav SI5+.wav SI5+.wav SI6-.wav SI2_.wav ");
}

TEST_F(WarningOutput, FillsBothWindowsForACountdownAndLeavesNoReferenceSiteEmpty) {
    m.followed.magnitude = 7.64;
    m.followed.mip = 7.0;
    m.followed.depth = 40;
    m.followed.dist = 180.7;
    m.estimates.iintensity = 5;
    m.travel.lapse = 8;
    m.travel.lpwave_countdown = 25;
    run(5.06);
    const PopupView& v = m.popup_view;
    EXPECT_EQ(v.Text6 + "|" + v.Text66 + "|" + v.Text64 + "|" + v.Text8 + "|" + v.Text25 + "|" +
                  v.Text27 + "|" + v.Label37 + "|" + v.Text26,
              "7.6|7.0|40|8|180|5.1|5|12");
    EXPECT_EQ(v.Text2 + v.Text3 + v.Text63 + v.Text4, "");
    const MessageView& msg = m.message_view;
    EXPECT_EQ(msg.Label2, "マグニチュード7.6の地震が『R』で発生しました。");
    EXPECT_EQ(msg.Label3,
              "あと\u3000"
              "12 秒でAに震度5強の強い揺れが来ます。");
    EXPECT_EQ(msg.Label4, "あと 25秒で長周期地震動による大きな揺れが来ます。");
    EXPECT_EQ(msg.Label5, "LP");
    EXPECT_EQ(p.window_state(WindowId::message), WindowState::normal);
    // Without a travel time there is no countdown to tell: no box, sound or window.
    m.travel.travel_s_data_flag = 0;
    m.message_view.Label3 = "old";
    p.sounds.clear();
    p.hide_window(WindowId::message);
    run(4.0);
    EXPECT_EQ(std::tuple(p.sounds.size(), m.popup_view.Text26, m.message_view.Label3,
                         p.window_state(WindowId::message)),
              std::tuple(0u, "", "old", WindowState::hidden));
}

// The agency's forecast for the site's area (site 1 in Tokyo's 23 wards, area
// 350) beside the program's estimate, report after report. The area alarm
// sounds when the area comes under the warning, before the class voice; not
// again while it stays under it, again once it left and came back.
TEST(AgencyForecast, TheSitesAreaIsShownAndItsWarningSoundsOnceBeforeTheClassVoice) {
    test::StartedApp s{
        {std::pair<std::string, std::string>("data/forecast_areas", "350\r\n\r\n\r\n"),
         {"data/forecast_area_table.csv", "351,多摩東部\r\n350,東京都２３区\r\n"}}};
    const auto report = [&](int sequence, const std::string& areas) {
        const std::string forecast =
            areas == "cut" ? R"(<jma_forecast warning="1" max="5-"><area code="350")"
                           : R"(<jma_forecast warning="1" max="5-">)" + areas + "</jma_forecast>";
        s.platform.sounds.clear();
        s.app.Winsock1_DataArrival(feedlib::relay_datagram(
            feedlib::report_text({.sequence = sequence, .extension = forecast})));
        std::string heard;
        for (const std::string& path : s.platform.sounds)
            heard +=
                (path.starts_with("then ") ? "then " : "") + path.substr(path.rfind('/') + 1) + " ";
        const PopupView& v = s.m().popup_view;
        return std::tuple(v.agency_area, v.agency_forecast, s.m().message_view.agency_line, heard);
    };
    const std::string other = R"(<area code="351" from="3" to="4" arrival="" kind="00"/>)";
    const auto ours = [](const char* kind) {
        return std::string(
                   R"(<area code="350" from="4" to="5-" arrival="2024,04,01,09,00,20" kind=")") +
               kind + "\"/>";
    };
    using T = std::tuple<std::string, std::string, std::string, std::string>;
    const std::string warned = "intensity 4〜5弱, main shaking 09:00:20, WARNING for this area";
    const std::string said =
        "気象庁の予報（東京都２３区）：震度4〜5弱、主要動の到達予想 9時00分20秒";
    EXPECT_EQ(report(1, other + ours("10")), T("東京都２３区", warned, said + "、この地域に警報",
                                               "sound.wav area_warning.wav then SI3_.wav "));
    EXPECT_EQ(std::get<3>(report(2, ours("10"))), "");
    EXPECT_EQ(report(3, ours("00")),
              T("東京都２３区", "intensity 4〜5弱, main shaking 09:00:20", said, ""));
    EXPECT_EQ(std::get<3>(report(4, ours("10"))), "area_warning.wav ");
    EXPECT_EQ(report(5, other), T("東京都２３区", "no entry for this area in this report",
                                  "気象庁の予報（東京都２３区）：この地域の予報はありません", ""));
    EXPECT_EQ(report(6, "cut"), T("", "", "", ""));
    // The log keeps each report as received, so its replay shows the line again.
    s.app.Timer1_Timer();
    s.platform.advance(121);
    s.app.Timer1_Timer();
    s.platform.chosen_file = s.folder.path() + "/log/20240401.0900_0_M65";
    s.app.Command8_Click();
    EXPECT_EQ(std::tuple(s.m().events.event_flag, s.m().popup_view.agency_forecast),
              std::tuple(EventFlag::replaying, warned));
    // A site without an area shows no agency line and sounds no alarm.
    test::StartedApp plain;
    plain.app.Winsock1_DataArrival(feedlib::relay_datagram(
        feedlib::report_text({.extension = "<jma_forecast warning=\"1\" max=\"5-\">" + ours("10") +
                                           "</jma_forecast>"})));
    EXPECT_EQ(std::tuple(plain.m().popup_view.agency_forecast, plain.platform.sounds.size()),
              std::tuple("", 2u));
}

// Which page, if any, a cycle opens.
TEST(WebPopup, PageWaitsForItsWaveToPassByMoreThanASecond) {
    const WebPage none = WebPage::none, lp = WebPage::long_period, s = WebPage::strong_shaking;
    const struct {
        WebPopupInputs in;  // checked, ind, longEVstop, intensity, countdown, lpwave_countdown
        WebPage page;
    } cases[] = {
        // clang-format off
        {{true, 0, 0, 3.5, -2, 20}, s}, {{true, 0, 0, 3.4, -30, -30}, none}, {{true, 0, 0, 3.5, -1, -30}, none},
        {{false, 0, 0, 6.0, -30, -30}, none}, {{true, 1, 0, 6.0, -30, -30}, none}, {{true, 0, 1, 5.0, -30, -2}, lp},
        {{true, 0, 1, 1.0, -30, -2}, lp}, {{true, 0, 1, 5.0, -30, -1}, none},
        // A long-period event waits for its own page after the S wave has passed.
        {{true, 0, 1, 5.0, -10, 5}, none}, {{true, 1, 1, 5.0, -30, -30}, none},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(web_popup_page(c.in), c.page) << "row " << &c - cases;
}

// Intensity 4.0 at the site, S wave passed 5 s ago, "LIVO PopUP" checked:
// one page per cycle, at the address read at start-up; which page is the
// judgement's test.
TEST_F(WarningOutput, OneWebPagePerCycleAndAnUnopenedPageIsTriedAgain) {
    const std::string strong = "https://example.org/strong";
    m.web_pages.strong_shaking = strong;
    set_web_popup_on(m, true);
    m.travel.countdown = -5;
    p.browser_available = false;
    run(4.0);
    p.browser_available = true;
    for (int second = 0; second < 3; ++second)
        run(4.0);
    EXPECT_EQ(p.pages, std::vector<std::string>{strong});
}

}  // namespace
}  // namespace eew
