#include "ui/main_window.hpp"

#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTest>
#include <QWindow>

#include "app/app.hpp"
#include "platform/qt_platform.hpp"

namespace {

using eew::MainView;

// The real main window of a program that has not started; what the core
// does is tested on the fake platform, here only what the widgets show.
struct MainWindowTest : ::testing::Test {
    MainView& view() { return app.state().main_view; }
    QWidget* find(const char* name) { return window.findChild<QWidget*>(name); }
    // The text of a box, label or button.
    std::string shown(const char* name) {
        const QVariant plain = find(name)->property("plainText");
        return (plain.isValid() ? plain : find(name)->property("text")).toString().toStdString();
    }

    QtPlatform platform;
    eew::App app{platform};
    MainWindow window{app};
};

// Every value changes at some step, each button in a pattern of its own, so a
// widget that skips a change or shows another's value shows.
TEST_F(MainWindowTest, EveryRenderShowsTheViewsValues) {
    // clang-format off
    const std::tuple<const char*, const char*, eew::Button MainView::*> buttons[] = {
        {"Command1", "start", &MainView::Command1}, {"Command2", "stop", &MainView::Command2}, {"Command3", "quit", &MainView::Command3},
        {"Command4", "set", &MainView::Command4}, {"Command5", "mapON", &MainView::Command5}, {"Command6", "mapOFF", &MainView::Command6},
        {"Command7", "stop play", &MainView::Command7}, {"Command8", "replay", &MainView::Command8}};
    const std::pair<const char*, eew::TextBox MainView::*> boxes[] = {
        {"Text1", &MainView::Text1}, {"Text2", &MainView::Text2}, {"Text3", &MainView::Text3}, {"Text4", &MainView::Text4}};
    const eew::TextBox steps[] = {{"地震 noise", eew::kRed}, {"地震 noise", eew::kWhite}, {"next", eew::kWhite}, {"", eew::kRed}};
    // clang-format on
    for (auto [name, caption, button] : buttons)
        EXPECT_EQ(shown(name), caption);
    for (int s = 0; s < 4; ++s) {
        for (auto [name, box] : boxes)
            view().*box = steps[s];
        for (int i = 0; i < 8; ++i)
            (view().*std::get<2>(buttons[i])).enabled = ((i + 1) >> s & 1) == 1;
        view().Label19 = steps[s].text;
        view().Check1.checked = !steps[s].text.empty();
        view().Check2.checked = s % 2 == 1;
        window.render();
        const QColor back(steps[s].back.r, steps[s].back.g, steps[s].back.b);
        for (auto [name, box] : boxes) {
            EXPECT_EQ(shown(name), steps[s].text) << name;
            EXPECT_EQ(find(name)->palette().color(QPalette::Base), back) << name << s;
        }
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(find(std::get<0>(buttons[i]))->isEnabled(), ((i + 1) >> s & 1) == 1) << s;
        EXPECT_EQ(shown("Label19"), steps[s].text);
        EXPECT_EQ(find("Check1")->property("checked").toBool(), !steps[s].text.empty());
        EXPECT_EQ(find("Check2")->property("checked").toBool(), s % 2 == 1);
    }
    view().window_width = 617;
    view().window_height = 536;
    window.render();
    EXPECT_EQ(window.size(), QSize(617, 536));
}

TEST_F(MainWindowTest, ANoticeShowsUnderTheLastMessageOnlyWhileThereIsOne) {
    QWidget *notice = find("notice"), *text4 = find("Text4");
    const int full_height = text4->height();
    view().notice = "2024/04/01 09:00:06  The file \"/x/log/a\" could not be created.";
    window.render();
    EXPECT_EQ(std::pair(notice->isHidden(), shown("notice")), std::pair(false, view().notice));
    EXPECT_LE(text4->geometry().bottom(), notice->geometry().top());
    view().notice.clear();
    window.render();
    EXPECT_EQ(std::pair(notice->isHidden(), text4->height()), std::pair(true, full_height));
}

// Datagrams render at once when they come one by one, and a flood of them
// leaves the last value shown once it is over.
TEST_F(MainWindowTest, RenderSoonShowsALoneValueAtOnceAndTheLastOfAFlood) {
    for (int i = 0; i <= 100; ++i) {
        view().Text4.text = "report " + std::to_string(i);
        window.render_soon();
    }
    EXPECT_EQ(shown("Text4"), "report 0");
    for (int i = 0; i < 100 && shown("Text4") != "report 100"; ++i)
        QTest::qWait(20);
    EXPECT_EQ(shown("Text4"), "report 100");
}

TEST_F(MainWindowTest, TheCloseBoxIsRefusedButTheProgramMayClose) {
    window.show();
    // What the window system delivers when the user clicks the close box.
    QCloseEvent from_window_system;
    QSpontaneKeyEvent::setSpontaneous(&from_window_system);
    static_cast<QObject*>(window.windowHandle())->event(&from_window_system);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
}

// Only the user's click runs the handler; the render that sets the box
// from the view must not.
TEST_F(MainWindowTest, PopUpClickRunsTheHandlerARenderDoesNot) {
    app.state().settings.magnitude_min_defalt = 3.0;
    window.render();
    QMetaObject::invokeMethod(find("Check1"), "click");
    EXPECT_EQ(app.state().settings.magnitude_min, 10);
    EXPECT_FALSE(view().Check1.checked);
    view().Check1.checked = true;
    window.render();
    EXPECT_EQ(app.state().settings.magnitude_min, 10);
}

}  // namespace
