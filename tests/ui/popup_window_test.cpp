#include "ui/popup_window.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>

#include "app/app.hpp"
#include "app/main_state.hpp"
#include "app/popup_windows.hpp"
#include "fakes/fake_platform.hpp"
#include "platform/qt_platform.hpp"
#include "ui/main_window.hpp"
#include "ui/message_window.hpp"
#include "ui/picture_area.hpp"

namespace {

using eew::PictureId;
using eew::WindowId;
using eew::WindowState;

struct EventWindows : ::testing::Test {
    EventWindows() { platform.attach_views(m.popup_view, m.message_view); }

    // The window of that name, created by the access as any access does.
    QWidget* window(WindowId id, const char* name) {
        if (platform.window_state(id) == WindowState::not_created) platform.hide_window(id);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name) return w;
        return nullptr;
    }
    QWidget* popup() { return window(WindowId::popupmap, "popupmap"); }

    // The caption label that names `control`.
    QLabel* caption_of(QWidget* top, const QString& control) {
        for (QLabel* l : top->findChildren<QLabel*>())
            if (l->buddy() && l->buddy()->objectName() == control) return l;
        return nullptr;
    }

    eew::MainState m;
    QtPlatform platform;
};

TEST_F(EventWindows, PopupCarriesEveryControlWithItsCaption) {
    QWidget* w = popup();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "new event!");
    EXPECT_EQ(platform.window_state(WindowId::popupmap), WindowState::hidden);

    const std::pair<const char*, const char*> named[] = {
        {"Text5", "origin time"},
        {"Text7", "M"},
        {"Text10", "latitude"},
        {"Text11", "longitude"},
        {"Text12", "depth"},
        {"Text14", "p num"},
        {"Text13", "sequence"},
        {"Text62", "region"},
        {"Text1", "location"},
        {"Text6", "magnitude"},
        {"Text66", "Mi"},
        {"Text64", "depth"},
        {"Text25", "(epicentral)"},
        {"Text27", "intensity"},
        {"Text26", "count down"},
        {"Text8", "elapsed time"},
        {"Picture2", "observed waves"},
        {"Picture3", "source"},
        {"Text65", "automatically closed after               sec "}};
    for (auto [control, caption] : named) {
        QLabel* c = caption_of(w, control);
        ASSERT_NE(c, nullptr) << control;
        EXPECT_EQ(c->text(), QString::fromUtf8(caption)) << control;
    }
    QStringList texts;
    for (QLabel* l : w->findChildren<QLabel*>())
        texts << l->text();
    for (const char* c :
         {"first info", "latest info", "distance", "km", "sec", "stn, pol, dis", "pkt", "seq",
          "nobsall", "length", "S波\u3000\u3000：赤", "P波\u3000\u3000：青", "表面波：緑"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(c))) << c;
    for (const char* box : {"Text15", "Text16", "Text17", "Text18", "Text19", "Text20", "Text21",
                            "Text54", "Text2", "Text3", "Text63", "Text4"})
        EXPECT_NE(w->findChild<QLineEdit*>(box), nullptr) << box;
    for (int i = 29; i <= 35; ++i)
        EXPECT_NE(w->findChild<QLabel*>(QString("Label%1").arg(i)), nullptr) << i;
    EXPECT_NE(w->findChild<QLabel*>("Label37"), nullptr);

    // The seconds-left box sits inside the blank run of its caption.
    QLabel* c = caption_of(w, "Text65");
    const int run_start =
        c->x() + QFontMetrics(c->font()).horizontalAdvance("automatically closed after");
    const int run_end = run_start + QFontMetrics(c->font()).horizontalAdvance(QString(15, ' '));
    const QRect box = w->findChild<QLineEdit*>("Text65")->geometry();
    EXPECT_GE(box.left(), run_start);
    EXPECT_LE(box.right(), run_end);
}

TEST_F(EventWindows, PicturesHaveTheirSizesAndBackgrounds) {
    const struct {
        PictureId id;
        const char* name;
        QSize size;
        QColor background;
    } pictures[] = {{PictureId::event_map, "Picture1", {671, 700}, Qt::white},
                    {PictureId::waveform_panel, "Picture2", {508, 700}, QColor(255, 224, 192)},
                    {PictureId::mechanism_panel, "Picture3", {97, 105}, QColor(255, 224, 192)}};
    ASSERT_EQ(platform.twips_per_pixel(), 15);  // offscreen screens have 96 dots per inch
    for (const auto& p : pictures) {
        auto* area = dynamic_cast<PictureArea*>(&platform.canvas(p.id));
        ASSERT_NE(area, nullptr) << p.name;
        EXPECT_EQ(area->objectName(), p.name);
        EXPECT_EQ(area->size(), p.size) << p.name;
        EXPECT_EQ(area->rendered().pixelColor(50, 50), p.background) << p.name;
    }
    EXPECT_EQ(dynamic_cast<PictureArea&>(platform.canvas(PictureId::event_map)).window(), popup());
}

// The mechanism is drawn in twips; the panel turns them into its pixels.
TEST_F(EventWindows, MechanismPanelTakesTwips) {
    auto& panel = dynamic_cast<PictureArea&>(platform.canvas(PictureId::mechanism_panel));
    const eew::Colour black = eew::Colour::palette(0);
    panel.point(1199, 550, black);  // pixel (79.93, 36.67)
    panel.circle(700, 550, 150, black, 1);
    const QImage shown = panel.rendered();
    const QColor background(255, 224, 192);
    EXPECT_EQ(shown.pixelColor(79, 36), Qt::black);
    EXPECT_EQ(shown.pixelColor(80, 36), background);
    EXPECT_EQ(shown.pixelColor(79, 37), background);
    EXPECT_EQ(shown.pixelColor(46, 26), Qt::black);  // the circle's top, 10 pixels up
    EXPECT_EQ(shown.pixelColor(46, 24), background);
    EXPECT_EQ(shown.pixelColor(46, 36), background);
    // Its text lines, 150 twips apart, must not run into each other.
    EXPECT_LE(QFontMetrics(panel.font()).height(), 10);
}

TEST_F(EventWindows, ViewValuesReachTheWidgetsAndAClosedWindowComesBackEmpty) {
    m.popup_view.Text16 = "6.8";
    m.popup_view.Label30 = "1.000";
    m.message_view.Label3 = "震度2の揺れが到達しました。";
    platform.canvas(PictureId::event_map).square(10, 10, 20, 20, eew::Colour::palette(12), 1, true);
    window(WindowId::message, "message");
    platform.render_event_windows();
    EXPECT_EQ(popup()->findChild<QLineEdit*>("Text16")->text(), "6.8");
    EXPECT_EQ(popup()->findChild<QLabel*>("Label30")->text(), "1.000");
    QWidget* message = window(WindowId::message, "message");
    EXPECT_EQ(message->findChild<QLabel*>("Label3")->text(),
              QString::fromUtf8("震度2の揺れが到達しました。"));

    eew::close_event_windows(m, platform);
    EXPECT_EQ(platform.window_state(WindowId::popupmap), WindowState::not_created);
    auto& map = dynamic_cast<PictureArea&>(platform.canvas(PictureId::event_map));
    message = window(WindowId::message, "message");
    platform.render_event_windows();
    EXPECT_EQ(map.rendered().pixelColor(15, 15), QColor(Qt::white));
    EXPECT_EQ(popup()->findChild<QLineEdit*>("Text16")->text(), "");
    EXPECT_EQ(popup()->findChild<QLabel*>("Label30")->text(), "");
    EXPECT_EQ(message->findChild<QLabel*>("Label3")->text(), "");
    EXPECT_EQ(message->findChild<QLabel*>("Label1")->text(),
              QString::fromUtf8("地震が発生しました。"));
}

TEST_F(EventWindows, MessageWindowUsesAProportionalJapaneseGothic) {
    QWidget* w = window(WindowId::message, "message");
    EXPECT_EQ(w->windowTitle(), "message");
    for (int i = 1; i <= 5; ++i)
        ASSERT_NE(w->findChild<QLabel*>(QString("Label%1").arg(i)), nullptr) << i;
    EXPECT_EQ(QFontInfo(w->findChild<QLabel*>("Label1")->font()).family(), "IPAPGothic");
}

// The core's tests run on the fake platform; both must follow one set of
// state rules.
TEST_F(EventWindows, QtAndFakeWindowStatesAgree) {
    using Op = void (eew::Platform::*)(WindowId);
    const struct {
        Op op;
        WindowState expected;
    } steps[] = {
        {&eew::Platform::hide_window, WindowState::hidden},
        {&eew::Platform::show_window, WindowState::normal},
        {&eew::Platform::minimise_window, WindowState::minimised},
        {&eew::Platform::hide_window, WindowState::minimised},
        {&eew::Platform::restore_window, WindowState::hidden},
        {&eew::Platform::minimise_window, WindowState::minimised},
        {&eew::Platform::show_window, WindowState::minimised},
        {&eew::Platform::restore_window, WindowState::normal},
        {&eew::Platform::close_window, WindowState::not_created},
        {&eew::Platform::minimise_window, WindowState::minimised},
    };
    eew::test::FakePlatform fake;
    int i = 0;
    for (const auto& s : steps) {
        (platform.*s.op)(WindowId::popupmap);
        (fake.*s.op)(WindowId::popupmap);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform.window_state(WindowId::popupmap), s.expected) << "step " << i;
        EXPECT_EQ(fake.window_state(WindowId::popupmap), s.expected) << "step " << i;
        ++i;
    }
}

TEST_F(EventWindows, TheUserMinimisingAndRestoringIsHonoured) {
    platform.show_window(WindowId::popupmap);
    QWindow* handle = popup()->windowHandle();
    ASSERT_NE(handle, nullptr);
    handle->setWindowStates(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_EQ(platform.window_state(WindowId::popupmap), WindowState::minimised);
    handle->setWindowStates(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_EQ(platform.window_state(WindowId::popupmap), WindowState::normal);
}

// Only the user's click runs the handler; the render that sets the box
// from the view must not.
TEST(PopUpCheckBox, ClickRunsTheHandlerARenderDoesNot) {
    QtPlatform platform;
    eew::App app(platform);
    MainWindow window(app);
    app.state().settings.magnitude_min_defalt = 3.0;
    window.render();
    window.findChild<QCheckBox*>("Check1")->click();
    EXPECT_EQ(app.state().settings.magnitude_min, 10);
    EXPECT_FALSE(app.state().main_view.Check1.checked);

    app.state().main_view.Check1.checked = true;
    window.render();
    EXPECT_EQ(app.state().settings.magnitude_min, 10);
}

}  // namespace
