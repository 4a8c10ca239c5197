// What a person at the desktop meets: the real windows on a test folder and
// clock, driven by clicks, datagrams and ticks.
#include <gtest/gtest.h>

#include <QTest>

#include "app/main_state.hpp"
#include "fakes/report_text.hpp"
#include "fakes/started_desktop.hpp"
#include "ui/picture_area.hpp"

namespace eew {
namespace {

using test::report_xml;

std::string text_of(QWidget* w) {
    return w ? w->property("text").toString().toStdString() : "(none)";
}

// The default quake lies 27 km from the site and passes the filter (M 3.5).
TEST(DesktopScenarios, PopUpOffAndOnWhileIdleStillBringsUpTheNextQuake) {
    test::StartedDesktop d;
    QTest::mouseClick(d.find("main", "Check1"), Qt::LeftButton);
    QTest::mouseClick(d.find("main", "Check1"), Qt::LeftButton);
    d.receive(report_xml({}));
    const auto* map = dynamic_cast<PictureArea*>(d.find("popupmap", "Picture1"));
    ASSERT_TRUE(map);
    EXPECT_EQ(std::tuple(d.showing("popupmap"), text_of(d.find("main", "Label19"))),
              std::tuple(true, "地震発生"));
    EXPECT_NE(map->rendered().pixelColor(0, 0), QColor(Qt::white));  // the map image
}

// A later report below the minimum magnitude leaves no event followed.
TEST(DesktopScenarios, AnEventThatFallsBelowTheFilterEndsAfterTheIdleTime) {
    test::StartedDesktop d;
    d.receive(report_xml({}));
    d.receive(report_xml({.sequence = 2, .magnitude = 3.0}));
    d.tick(120);
    EXPECT_EQ(std::tuple(d.m().events.event_flag, d.showing("popupmap")), std::tuple(1, true));
    d.tick();
    EXPECT_EQ(std::tuple(d.m().events.event_flag, d.showing("popupmap"), d.showing("message"),
                         d.folder.exists("log/20240401.0900_0_M30")),
              std::tuple(0, false, false, true));
}

}  // namespace
}  // namespace eew
