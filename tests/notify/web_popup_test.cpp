#include "notify/web_popup.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(WebPopup, PageWaitsForItsWaveToPassByMoreThanASecond) {
    const WebPage none = WebPage::none, lp = WebPage::long_period, s = WebPage::strong_shaking;
    const struct {
        WebPopupInputs in;  // checked, ind, longEVstop, intensity, countdown, lpwave_countdown
        WebPage page;
    } cases[] = {
        // clang-format off
        {{true, 0, 0, 3.5, -2, 20}, s}, {{true, 0, 0, 3.4, -30, -30}, none}, {{true, 0, 0, 3.5, -1, -30}, none},
        {{false, 0, 0, 6.0, -30, -30}, none}, {{true, 1, 0, 6.0, -30, -30}, none}, {{true, 0, 1, 5.0, -30, -2}, lp},
        {{true, 0, 1, 1.0, -30, -2}, lp}, {{true, 0, 1, 5.0, -30, -1}, none},
        // A long-period event waits for its own page after the S wave has passed.
        {{true, 0, 1, 5.0, -10, 5}, none}, {{true, 1, 1, 5.0, -30, -30}, none},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(web_popup_page(c.in), c.page) << "row " << &c - cases;
}

}  // namespace
}  // namespace eew
