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

}  // namespace
}  // namespace eew
