#include "app/warning_output.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_state.hpp"
#include "fakes/fake_platform.hpp"

namespace eew {
namespace {

using test::FakePlatform;

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
    // The sounds played so far, by file name.
    std::vector<std::string> sounds() const {
        std::vector<std::string> names;
        for (const std::string& s : p.sounds)
            names.push_back(s.substr(s.rfind('/') + 1));
        return names;
    }
    void run(double intensity) {
        m.followed.intensity = intensity;
        warning_output(m, p);
    }

    MainState m;
    FakePlatform p;
};

TEST_F(WarningOutput, ClassComesFromTheDisplayedDecimal) {
    const struct {
        double intensity;
        std::vector<std::string> sounds;
        const char* label5;
    } cases[] = {
        {4.96, {"SI5-.wav"}, "LP"}, {5.06, {"SI5+.wav"}, "LP"}, {5.0, {"SI5-.wav"}, "LP"},
        {6.0, {"SI6-.wav"}, "LP"},  {2.45, {"SI3_.wav"}, "LP"}, {2.44, {"SI2_.wav"}, ""},
        {0.04, {}, "kept"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.intensity);
        p.sounds.clear();
        m.events.last_alarm_class.clear();
        m.message_view.Label5 = "kept";
        run(c.intensity);
        EXPECT_EQ(sounds(), c.sounds);
        EXPECT_EQ(m.message_view.Label5, c.label5);
    }
}

TEST_F(WarningOutput, OneSoundPerClassChangeAndNoneWhenTheClassFallsAway) {
    for (double i : {3.0, 3.2, 4.0, 0.04, 0.0, 4.0})
        run(i);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"SI3_.wav", "SI4_.wav", "SI4_.wav"}));
}

TEST_F(WarningOutput, FillsTheWindowsForACountdown) {
    m.followed.magnitude = 7.64;
    m.followed.mip = 7.0;
    m.followed.depth = 40;
    m.followed.dist = 180.7;
    m.estimates.iintensity = 5;
    m.travel.lapse = 8;
    m.travel.lpwave_countdown = 25;
    m.report.depth00 = 40;
    m.report.dist00 = 180.7;
    run(5.06);

    const PopupView& v = m.popup_view;
    EXPECT_EQ(v.Text6 + "|" + v.Text66 + "|" + v.Text64 + "|" + v.Text8 + "|" + v.Text25 + "|" +
                  v.Text27 + "|" + v.Label37 + "|" + v.Text26,
              "7.6|7.0|40|8|180|5.1|5|12");
    EXPECT_EQ(m.message_view.Label2, "マグニチュード7.6の地震が『R』で発生しました。");
    EXPECT_EQ(m.message_view.Label3,
              "あと\u3000"
              "12 秒でAに震度5強の強い揺れが来ます。");
    EXPECT_EQ(m.longEVstop, 1);
    EXPECT_EQ(m.message_view.Label4, "あと 25秒で長周期地震動による大きな揺れが来ます。");
    EXPECT_EQ(v.Text2 + v.Text3 + v.Text63 + v.Text4, "");
    EXPECT_EQ(p.window_state(WindowId::message), WindowState::normal);
}

TEST_F(WarningOutput, WithoutTravelTimeOnlyNumbersHeadlineAndReferenceSite) {
    m.travel.travel_s_data_flag = 0;
    m.popup_view.Text26 = "3";
    m.message_view.Label3 = "old";
    m.longEVstop = 1;
    m.followed.magnitude = 6.0;
    run(4.0);
    EXPECT_TRUE(p.sounds.empty());
    EXPECT_EQ(m.popup_view.Text26, "");
    EXPECT_EQ(m.popup_view.Text27, "4.0");
    EXPECT_EQ(m.message_view.Label3, "old");
    EXPECT_EQ(m.longEVstop, 1);
    EXPECT_EQ(m.message_view.Label2, "マグニチュード6.0の地震が『R』で発生しました。");
    EXPECT_EQ(p.window_state(WindowId::message), WindowState::not_created);
}

}  // namespace
}  // namespace eew
