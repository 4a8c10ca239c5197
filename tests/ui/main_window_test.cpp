#include "ui/main_window.hpp"

#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QImage>
#include <QTest>
#include <QWindow>

#include "app/app.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/temp_folder.hpp"
#include "ui/picture_area.hpp"

namespace {

using eew::MainView;

// The real main window of a program that has not started; what the core
// does is tested on the fake platform, here only what the widgets show.
struct MainWindowTest : ::testing::Test {
    MainView& view() { return app.state().main_view; }
    QWidget* find(const std::string& name) {
        return window.findChild<QWidget*>(QString::fromStdString(name));
    }
    // The text of a box, label or button.
    std::string shown(const std::string& name) {
        const QVariant plain = find(name)->property("plainText");
        return (plain.isValid() ? plain : find(name)->property("text")).toString().toStdString();
    }

    eew::test::QtTestPlatform platform;
    eew::App app{platform};
    MainWindow window{app};
};

// Every value changes at some step, each button in a pattern of its own, so a
// widget that skips a change or shows another's value shows. Widget "CommandN"
// shows button N, "TextN" box N.
TEST_F(MainWindowTest, EveryRenderShowsTheViewsValues) {
    // clang-format off
    eew::Button MainView::* const buttons[] = {&MainView::Command1, &MainView::Command2, &MainView::Command3,
        &MainView::Command4, &MainView::Command5, &MainView::Command6, &MainView::Command7, &MainView::Command8};
    eew::TextBox MainView::* const boxes[] = {&MainView::Text1, &MainView::Text2, &MainView::Text3, &MainView::Text4};
    const eew::TextBox steps[] = {{"地震 noise", eew::kRed}, {"地震 noise", eew::kWhite}, {"next", eew::kWhite}, {"", eew::kRed}};
    // clang-format on
    for (int s = 0; s < 4; ++s) {
        for (auto box : boxes)
            view().*box = steps[s];
        for (int i = 0; i < 8; ++i)
            (view().*buttons[i]).enabled = ((i + 1) >> s & 1) == 1;
        view().Label19 = steps[s].text;
        view().Check1.checked = !steps[s].text.empty();
        view().Check2.checked = s % 2 == 1;
        view().window_width = 600 + s;
        view().window_height = 500 + s;
        window.render();
        EXPECT_EQ(window.size(), QSize(600 + s, 500 + s));
        const QColor back(steps[s].back.r, steps[s].back.g, steps[s].back.b);
        for (int i = 1; i <= 4; ++i) {
            const std::string name = "Text" + std::to_string(i);
            EXPECT_EQ(shown(name), steps[s].text) << name;
            EXPECT_EQ(find(name)->palette().color(QPalette::Base), back) << name << s;
        }
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(find("Command" + std::to_string(i + 1))->isEnabled(), ((i + 1) >> s & 1) == 1)
                << s;
        EXPECT_EQ(shown("Label19"), steps[s].text);
        EXPECT_EQ(find("Check1")->property("checked").toBool(), !steps[s].text.empty());
        EXPECT_EQ(find("Check2")->property("checked").toBool(), s % 2 == 1);
    }
}

TEST_F(MainWindowTest, ANoticeShowsUnderTheLastMessageOnlyWhileThereIsOne) {
    QWidget *notice = find("notice"), *text4 = find("Text4");
    const int full_height = text4->height();
    view().notice = "2024/04/01 09:00:06  The file \"/x/log/a\" could not be created.";
    window.render();
    EXPECT_EQ(std::pair(notice->isHidden(), shown("notice")), std::pair(false, view().notice));
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

// The pictures of every window: marks land on the pixels their geometry
// names, in their palette colours.

const QColor kPlain(192, 255, 192), kRed(255, 0, 0), kBlack(0, 0, 0), kGrey(100, 110, 120);

struct PictureAreaTest : ::testing::Test {
    QColor at(int x, int y) const { return picture.rendered().pixelColor(x, y); }

    eew::test::TempFolder folder;
    PictureArea picture{"Picture1", QSize(40, 30), kPlain};
};

// A site mark covers 7 x 7 pixels around its point, a disc is centred on
// its pixel; rims keep whole colours: blending would give the maps colours
// of no legend.
TEST_F(PictureAreaTest, MarksLandOnThePixelsOfTheirPointsInWholeColours) {
    // Every point in [20, 21) x [15, 16) belongs to pixel (20, 15).
    for (const float f : {0.0f, 0.2f, 0.5f, 0.7f, 0.99f}) {
        picture.clear();
        picture.square(17 + f, 12 + f, 23 + f, 18 + f, eew::Colour::palette(12), 1, true);
        for (int i = 0; i < 40 * 30; ++i)
            EXPECT_EQ(at(i % 40, i / 40),
                      QRect(17, 12, 7, 7).contains(i % 40, i / 40) ? kRed : kPlain)
                << f << ": " << i % 40 << "," << i / 40;
    }
    picture.clear();
    picture.filled_circle(20.5f, 15.9f, 5, eew::Colour::palette(12), eew::Colour::palette(0), 1);
    EXPECT_EQ(std::tuple(at(20, 15), at(15, 15), at(25, 15), at(20, 10), at(20, 20), at(27, 15)),
              std::tuple(kRed, kBlack, kBlack, kBlack, kBlack, kPlain));
}

// A bitmap that cannot be read leaves the plain background, not the last one.
TEST_F(PictureAreaTest, ClearKeepsTheBitmapAndAnUnreadableOneLeavesThePlainBackground) {
    const QImage grey = PictureArea("grey", QSize(40, 30), kGrey).rendered();
    grey.save(QString::fromStdString(folder.path() + "/grey.bmp"), "BMP");
    folder.write("broken.bmp", "BM not really a bitmap");
    for (const std::string name : {"broken.bmp", "missing.bmp", ""}) {
        ASSERT_TRUE(picture.load_background(folder.path() + "/grey.bmp"));
        picture.square(0, 0, 39, 29, eew::Colour::palette(12), 1, true);
        picture.clear();
        EXPECT_EQ(std::pair(at(0, 0), at(20, 15)), std::pair(kGrey, kGrey));
        if (name.empty())
            picture.remove_background();
        else
            EXPECT_FALSE(picture.load_background(folder.path() + "/" + name)) << name;
        EXPECT_EQ(at(20, 15), kPlain) << name;
    }
}

}  // namespace
