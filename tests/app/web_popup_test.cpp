#include "app/web_popup.hpp"

#include <gtest/gtest.h>

#include "app/main_state.hpp"
#include "app/report_chain.hpp"
#include "app/warning_output.hpp"
#include "fakes/fake_platform.hpp"
#include "notify/web_popup.hpp"

namespace eew {
namespace {

// Intensity 4.0 at the site, S wave passed 5 s ago, "LIVO PopUP" checked.
struct WebPopupHandler : ::testing::Test {
    WebPopupHandler() {
        m.main_view.Check2.checked = true;
        m.travel.travel_s_data_flag = 1;
        m.travel.countdown = -5;
        m.followed.intensity = 4.0;
    }
    MainState m;
    test::FakePlatform p;
    const std::string strong{web_page_address(WebPage::strong_shaking)};
};

TEST_F(WebPopupHandler, OnePagePerCycleJudgedByTheWarningOutput) {
    for (int second = 0; second < 3; ++second)
        warning_output(m, p);
    EXPECT_EQ(p.pages, std::vector<std::string>{strong});

    // The next cycle: M 7.6 at 180 km is judged long-period by the same run.
    reset_event_table(m);
    m.travel.travel_s_data_flag = 1;
    m.followed.magnitude = 7.6;
    m.report.depth00 = 40;
    m.report.dist00 = 180;
    m.travel.lpwave_countdown = -2;
    warning_output(m, p);
    warning_output(m, p);
    EXPECT_EQ(p.pages, (std::vector<std::string>{
                           strong, std::string(web_page_address(WebPage::long_period))}));
}

TEST_F(WebPopupHandler, WithoutABrowserNothingIsMarkedAndTheNextRunTriesAgain) {
    p.browser_available = false;
    web_popup(m, p);
    p.browser_available = true;
    web_popup(m, p);
    web_popup(m, p);
    EXPECT_EQ(p.pages, std::vector<std::string>{strong});
}

}  // namespace
}  // namespace eew
