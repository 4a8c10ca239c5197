// The windows' widgets: the main window's boxes and close box, and the
// pictures of every window.
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QWindow>

#include "app/app.hpp"
#include "app/main_state.hpp"
#include "app/popup_windows.hpp"
#include "fakes/qt_test_platform.hpp"
#include "fakes/temp_folder.hpp"
#include "ui/main_window.hpp"
#include "ui/picture_area.hpp"

namespace {

// The real main window of a program that has not started; what the core
// does is tested on the fake platform, here only what the widgets show.
struct MainWindowTest : ::testing::Test {
    eew::MainView& view() { return app.state().main_view; }
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
    MainWindow window{app.state().main_view, [this](bool from_user) {
                          return app.main_window_close_requested(from_user);
                      }};
};

// Which value each control shows is pressed through in the controls' test;
// here a box's colour changing alone, as when the watchdog turns a silent
// feed's last message red.
TEST_F(MainWindowTest, ABoxShowsAChangeOfItsTextOrOfItsColourAlone) {
    for (const eew::TextBox& value :
         {eew::TextBox{"noise", eew::kWhite}, {"noise", eew::kRed}, {"next", eew::kRed}}) {
        view().Text3 = view().Text4 = value;
        window.render();
        for (const char* box : {"Text3", "Text4"})
            EXPECT_EQ(std::pair(shown(box), find(box)->palette().color(QPalette::Base)),
                      std::pair(value.text, QColor(value.back.r, value.back.g, value.back.b)))
                << box;
    }
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

// The pictures of every window: marks land on the pixels their geometry
// names, in their palette colours.

const QColor kPlain(192, 255, 192), kRed(255, 0, 0), kBlack(0, 0, 0);

// A site mark covers 7 x 7 pixels around its point, a disc is centred on
// its pixel; rims keep whole colours: blending would give the maps colours
// of no legend.
TEST(PictureArea, MarksLandOnThePixelsOfTheirPointsInWholeColours) {
    PictureArea picture{"Picture1", QSize(40, 30), kPlain};
    const auto at = [&](int x, int y) { return picture.rendered().pixelColor(x, y); };
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

// A map's bitmap survives clearing; one that cannot be read leaves the plain
// background, not the last map.
TEST(PictureArea, ClearKeepsTheBitmapAndAnUnreadableOneLeavesThePlainBackground) {
    eew::test::TempFolder folder;
    PictureArea picture{"Picture1", QSize(40, 30), kPlain};
    const QColor grey(100, 110, 120);
    PictureArea("grey", QSize(40, 30), grey)
        .rendered()
        .save(QString::fromStdString(folder.path() + "/grey.bmp"), "BMP");
    folder.write("broken.bmp", "BM not really a bitmap");
    for (const std::string name : {"broken.bmp", "missing.bmp", ""}) {
        ASSERT_TRUE(picture.load_background(folder.path() + "/grey.bmp"));
        picture.square(0, 0, 39, 29, eew::Colour::palette(12), 1, true);
        picture.clear();
        EXPECT_EQ(picture.rendered().pixelColor(20, 15), grey);
        if (name.empty())
            picture.remove_background();
        else
            EXPECT_FALSE(picture.load_background(folder.path() + "/" + name)) << name;
        EXPECT_EQ(picture.rendered().pixelColor(20, 15), kPlain) << name;
    }
}

// The pop-up and message windows show the view's values; closed, they come
// back empty, the event map too.
TEST(PopupWindow, ViewValuesReachTheWidgetsAndAClosedWindowComesBackEmpty) {
    eew::MainState m;
    eew::test::QtTestPlatform platform;
    platform.windows().attach_views(m.popup_view, m.message_view);
    // Renders both windows, opened as any access opens them, and gives three of their values.
    const auto rendered = [&] {
        QString texts;
        for (auto [id, name, box] : {std::tuple(eew::WindowId::popupmap, "popupmap", "Text16"),
                                     {eew::WindowId::popupmap, "popupmap", "Label30"},
                                     {eew::WindowId::message, "message", "Label3"}}) {
            if (platform.window_state(id) == eew::WindowState::not_created)
                platform.hide_window(id);
            platform.windows().render_event_windows();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == name)
                    texts += w->findChild<QWidget*>(box)->property("text").toString() + "|";
        }
        return texts;
    };
    auto map = [&] {
        return &dynamic_cast<PictureArea&>(platform.canvas(eew::PictureId::event_map));
    };
    m.popup_view.Text16 = "6.8";
    m.popup_view.Label30 = "1.000";
    m.message_view.Label3 = "震度2の揺れが到達しました。";
    map()->square(10, 10, 20, 20, eew::Colour::palette(12), 1, true);
    EXPECT_EQ(rendered(), "6.8|1.000|震度2の揺れが到達しました。|");
    eew::close_event_windows(m, platform);
    EXPECT_EQ(rendered(), "|||");
    EXPECT_EQ(map()->rendered().pixelColor(15, 15), QColor(Qt::white));
}

// The mechanism is drawn in twips; the pop-up's panel turns them into its
// pixels, and its text lines, 150 twips apart, must not run into each other.
TEST(PopupWindow, MechanismPanelTakesTwips) {
    eew::MainState m;
    eew::test::QtTestPlatform platform;
    platform.windows().attach_views(m.popup_view, m.message_view);
    auto& panel = dynamic_cast<PictureArea&>(platform.canvas(eew::PictureId::mechanism_panel));
    panel.point(1199, 550, eew::Colour::palette(0));          // pixel (79.93, 36.67)
    panel.circle(700, 550, 150, eew::Colour::palette(0), 1);  // its top 10 pixels up
    const auto at = [&](int x, int y) { return panel.rendered().pixelColor(x, y); };
    const QColor black(Qt::black), back(255, 224, 192);
    EXPECT_EQ(std::tuple(at(79, 36), at(80, 36), at(79, 37)), std::tuple(black, back, back));
    EXPECT_EQ(std::tuple(at(46, 26), at(46, 24), at(46, 36)), std::tuple(black, back, back));
    EXPECT_LE(QFontMetrics(panel.font()).height(), 10);
}

}  // namespace
