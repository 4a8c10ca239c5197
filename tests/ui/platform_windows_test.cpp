#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <QWindow>

#include "app/main_state.hpp"
#include "app/popup_windows.hpp"
#include "fakes/fake_platform.hpp"
#include "fakes/qt_test_platform.hpp"
#include "ui/picture_area.hpp"

namespace {

using eew::WindowId;
using eew::WindowState;

// The windows the platform opens besides the main one: the pop-up, the
// message window and the settings dialog.
struct PlatformWindows : ::testing::Test {
    PlatformWindows() { platform.attach_views(m.popup_view, m.message_view); }

    // The window of that name, created by the access as any access does.
    QWidget* window(WindowId id, const char* name) {
        if (platform.window_state(id) == WindowState::not_created) platform.hide_window(id);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name) return w;
        return nullptr;
    }
    QWidget* popup() { return window(WindowId::popupmap, "popupmap"); }
    // The text of a box or label in `w`.
    QString text(QWidget* w, const char* name) {
        return w->findChild<QWidget*>(name)->property("text").toString();
    }
    // The event map, made afresh with the pop-up.
    auto* map() { return dynamic_cast<PictureArea*>(&platform.canvas(eew::PictureId::event_map)); }
    // Renders the pop-up and the message window, opened as any access opens
    // them, and gives three of the values they show.
    QString rendered() {
        QWidget *pop = popup(), *message = window(WindowId::message, "message");
        platform.render_event_windows();
        return text(pop, "Text16") + "|" + text(pop, "Label30") + "|" + text(message, "Label3");
    }

    eew::MainState m;
    eew::test::QtTestPlatform platform;
};

TEST_F(PlatformWindows, ViewValuesReachTheWidgetsAndAClosedWindowComesBackEmpty) {
    m.popup_view.Text16 = "6.8";
    m.popup_view.Label30 = "1.000";
    m.message_view.Label3 = "震度2の揺れが到達しました。";
    map()->square(10, 10, 20, 20, eew::Colour::palette(12), 1, true);
    EXPECT_EQ(rendered(), "6.8|1.000|震度2の揺れが到達しました。");
    eew::close_event_windows(m, platform);
    EXPECT_EQ(rendered(), "||");
    EXPECT_EQ(map()->rendered().pixelColor(15, 15), QColor(Qt::white));
}

// The mechanism is drawn in twips; the panel turns them into its pixels, and
// its text lines, 150 twips apart, must not run into each other.
TEST_F(PlatformWindows, MechanismPanelTakesTwips) {
    auto& panel = dynamic_cast<PictureArea&>(platform.canvas(eew::PictureId::mechanism_panel));
    panel.point(1199, 550, eew::Colour::palette(0));          // pixel (79.93, 36.67)
    panel.circle(700, 550, 150, eew::Colour::palette(0), 1);  // its top 10 pixels up
    const auto at = [&](int x, int y) { return panel.rendered().pixelColor(x, y); };
    const QColor black(Qt::black), back(255, 224, 192);
    EXPECT_EQ(std::tuple(at(79, 36), at(80, 36), at(79, 37)), std::tuple(black, back, back));
    EXPECT_EQ(std::tuple(at(46, 26), at(46, 24), at(46, 36)), std::tuple(black, back, back));
    EXPECT_LE(QFontMetrics(panel.font()).height(), 10);
}

// The core's tests run on the fake platform; both must follow one set of
// state rules, and the user's minimising and restoring counts as well.
TEST_F(PlatformWindows, QtAndFakeWindowStatesAgree) {
    using P = eew::Platform;
    // clang-format off
    const std::pair<void (P::*)(WindowId), WindowState> steps[] = {
        {&P::hide_window, WindowState::hidden}, {&P::show_window, WindowState::normal},
        {&P::minimise_window, WindowState::minimised}, {&P::hide_window, WindowState::minimised},
        {&P::restore_window, WindowState::hidden}, {&P::minimise_window, WindowState::minimised},
        {&P::show_window, WindowState::minimised}, {&P::restore_window, WindowState::normal},
        {&P::close_window, WindowState::not_created}, {&P::minimise_window, WindowState::minimised}};
    const std::pair<Qt::WindowState, WindowState> by_user[] = {{Qt::WindowMinimized, WindowState::minimised}, {Qt::WindowNoState, WindowState::normal}};
    // clang-format on
    eew::test::FakePlatform fake;
    int step = 0;
    for (const auto& [call, expected] : steps) {
        P& qt = platform;
        P& other = fake;
        (qt.*call)(WindowId::popupmap);
        (other.*call)(WindowId::popupmap);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.window_state(WindowId::popupmap), expected) << "step " << step;
        EXPECT_EQ(fake.window_state(WindowId::popupmap), expected) << "step " << step++;
    }
    platform.show_window(WindowId::popupmap);
    for (auto [state, expected] : by_user) {
        popup()->windowHandle()->setWindowStates(state);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.window_state(WindowId::popupmap), expected);
    }
}

}  // namespace
