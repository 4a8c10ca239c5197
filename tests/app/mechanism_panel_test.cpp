#include "app/mechanism_panel.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "fakes/report_text.hpp"
#include "fakes/started_app.hpp"

namespace eew {
namespace {

// Every report of the followed event redraws the panel from its own values,
// and so does every second of a replay.
TEST(MechanismPanel, RedrawnFromEachReportOfTheFollowedEvent) {
    test::StartedApp s;
    const auto& panel = s.platform.canvases[PictureId::mechanism_panel].calls;
    test::ReportValues r;
    s.app.Winsock1_DataArrival(test::relay_datagram(test::report_xml(r)));
    ASSERT_FALSE(panel.empty());
    EXPECT_NE(std::find(panel.begin(), panel.end(), "text 100 1170 c0 azp=120 thp=80"),
              panel.end());
    EXPECT_NE(std::find(panel.begin(), panel.end(), "text 100 1020 c0 n=20  n_err=2"), panel.end());

    r.sequence = 2;
    r.nobs_pol = 14;
    s.app.Winsock1_DataArrival(test::relay_datagram(test::report_xml(r)));
    EXPECT_EQ(panel.back(), "text 0 600 c0         --no data--");

    // A replay with no line due redraws it every second.
    s.m().events.event_flag = 11;
    s.m().replay.line_count = 2;
    s.m().replay.data_num = 2;
    s.platform.canvases[PictureId::mechanism_panel].calls.clear();
    s.app.Timer1_Timer();
    EXPECT_EQ(panel, (std::vector<std::string>{"clear", "text 0 400 c0        mechanism",
                                               "text 0 600 c0         --no data--"}));
}

}  // namespace
}  // namespace eew
