#include "app/popup_windows.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "fakes/fake_platform.hpp"

namespace eew {
namespace {

using test::FakePlatform;

// Configured minimum magnitude 3.0; the latest report went to slot 2.
struct PopUpSwitch : ::testing::Test {
    PopUpSwitch() {
        m.settings.magnitude_min = 3.0;
        m.settings.magnitude_min_defalt = 3.0;
        m.events.i_event_now = 2;
    }
    WindowState popup() const { return p.window_state(WindowId::popupmap); }
    WindowState message() const { return p.window_state(WindowId::message); }

    MainState m;
    FakePlatform p;
};

TEST_F(PopUpSwitch, UncheckingDuringAnEventPutsBothWindowsAwayAndClosesTheFilter) {
    m.main_view.Label19 = "地震発生";
    m.events.filter_flag[2] = 1;
    p.show_window(WindowId::popupmap);
    p.show_window(WindowId::message);

    Check1_Click(m, p, false);
    EXPECT_FALSE(m.main_view.Check1.checked);
    EXPECT_EQ(m.settings.magnitude_min, 10);
    EXPECT_EQ(m.events.filter_flag[2], 0);
    EXPECT_EQ(popup(), WindowState::minimised);
    EXPECT_EQ(message(), WindowState::minimised);
}

TEST_F(PopUpSwitch, CheckingBringsUpAHeldBackEventWithTheStartUpThreshold) {
    Check1_Click(m, p, false);
    m.settings.magnitude_min = 4.5;  // typed into the settings dialog since
    m.main_view.Label19 = "地震発生";

    Check1_Click(m, p, true);
    EXPECT_TRUE(m.main_view.Check1.checked);
    EXPECT_EQ(m.settings.magnitude_min, 3.0);
    EXPECT_EQ(m.events.filter_flag[2], 1);
    EXPECT_EQ(popup(), WindowState::normal);
    EXPECT_EQ(message(), WindowState::normal);
}

TEST_F(PopUpSwitch, CheckingWithNoEventAnnouncedOnlyReopensTheFilter) {
    Check1_Click(m, p, false);
    Check1_Click(m, p, true);
    EXPECT_EQ(m.settings.magnitude_min, 3.0);
    EXPECT_EQ(m.events.filter_flag[2], 0);
    EXPECT_EQ(popup(), WindowState::minimised);
    EXPECT_EQ(message(), WindowState::minimised);
}

TEST_F(PopUpSwitch, WithoutASlotNoFilterFlagChangesButTheWindowsStillFollow) {
    m.events.i_event_now = 0;  // the last report was dropped
    m.main_view.Label19 = "地震発生";
    Check1_Click(m, p, true);
    EXPECT_EQ(m.events.filter_flag[0], 0);
    EXPECT_EQ(popup(), WindowState::normal);
    Check1_Click(m, p, false);
    EXPECT_EQ(m.events.filter_flag[0], 0);
    EXPECT_EQ(popup(), WindowState::minimised);
}

TEST(EventWindows, PresentedSizeFollowsTheScreensResolution) {
    FakePlatform p;
    set_popup_presented_size(p);
    EXPECT_EQ(p.window_sizes[WindowId::popupmap], std::make_pair(1044, 797));
    p.twips_per_px = 10;  // 144 dots per inch
    set_popup_presented_size(p);
    EXPECT_EQ(p.window_sizes[WindowId::popupmap], std::make_pair(1566, 1195));
}

}  // namespace
}  // namespace eew
