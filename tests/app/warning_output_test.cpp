#include "app/warning_output.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "app/web_popup.hpp"
#include "fakes/fake_platform.hpp"
#include "notify/web_popup.hpp"

namespace eew {
namespace {

// A followed event with a valid S travel time, 12 s before the S wave
// reaches site "A"; no reference sites are loaded.
struct WarningOutput : ::testing::Test {
    WarningOutput() {
        m.paths = build_paths("/prog");
        m.lpwave.lpwave_message = "LP";
        m.travel.travel_s_data_flag = 1;
        m.travel.countdown = 12;
        m.popup_view.Text1 = "A";
        m.popup_view.Text62 = "R";
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
    m.followed.depth = m.report.depth00 = 40;
    m.followed.dist = m.report.dist00 = 180.7;
    m.estimates.iintensity = 5;
    m.travel.lapse = 8;
    m.travel.lpwave_countdown = 25;
    run(5.06);
    const PopupView& v = m.popup_view;
    EXPECT_EQ(v.Text6 + "|" + v.Text66 + "|" + v.Text64 + "|" + v.Text8 + "|" + v.Text25 + "|" +
                  v.Text27 + "|" + v.Label37 + "|" + v.Text26,
              "7.6|7.0|40.0|8|180|5.1|5|12");
    EXPECT_EQ(v.Text2 + v.Text3 + v.Text63 + v.Text4, "");
    const MessageView& msg = m.message_view;
    EXPECT_EQ(msg.Label2, "マグニチュード7.6の地震が『R』で発生しました。");
    EXPECT_EQ(msg.Label3,
              "あと\u3000"
              "12 秒でAに震度5強の強い揺れが来ます。");
    EXPECT_EQ(msg.Label4, "あと 25秒で長周期地震動による大きな揺れが来ます。");
    EXPECT_EQ(msg.Label5, "LP");
    EXPECT_EQ(p.window_state(WindowId::message), WindowState::normal);
}

TEST_F(WarningOutput, WithoutTravelTimeNoCountdownSoundOrWindow) {
    m.travel.travel_s_data_flag = 0;
    m.popup_view.Text26 = "3";
    m.message_view.Label3 = "old";
    run(4.0);
    EXPECT_EQ(std::tuple(p.sounds.size(), m.popup_view.Text26, m.message_view.Label3,
                         p.window_state(WindowId::message)),
              std::tuple(0u, "", "old", WindowState::not_created));
}

// Intensity 4.0 at the site, S wave passed 5 s ago, "LIVO PopUP" checked:
// one page per cycle; which page is the judgement's test.
TEST_F(WarningOutput, OneWebPagePerCycleAndAnUnopenedPageIsTriedAgain) {
    m.main_view.Check2.checked = true;
    m.travel.countdown = -5;
    p.browser_available = false;
    run(4.0);
    p.browser_available = true;
    for (int second = 0; second < 3; ++second)
        run(4.0);
    const std::string strong{web_page_address(WebPage::strong_shaking)};
    EXPECT_EQ(p.pages, std::vector<std::string>{strong});
}

}  // namespace
}  // namespace eew
