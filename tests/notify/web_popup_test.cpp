#include "notify/web_popup.hpp"

#include <gtest/gtest.h>

namespace eew {
namespace {

TEST(WebPopup, PageWaitsForItsWaveToPassByMoreThanASecond) {
    const WebPage none = WebPage::none, lp = WebPage::long_period, s = WebPage::strong_shaking;
    struct Case {
        bool checked;
        int ind, longEVstop;
        double intensity, countdown, lpwave_countdown;
        WebPage page;
    };
    const Case cases[] = {
        {true, 0, 0, 3.5, -2, 20, s},
        {true, 0, 0, 3.4, -30, -30, none},
        {true, 0, 0, 3.5, -1, -30, none},
        {false, 0, 0, 6.0, -30, -30, none},
        {true, 1, 0, 6.0, -30, -30, none},
        // A long-period event gets its own page, whatever its intensity...
        {true, 0, 1, 5.0, -30, -2, lp},
        {true, 0, 1, 1.0, -30, -2, lp},
        {true, 0, 1, 5.0, -30, -1, none},
        // ...and waits for it after the S wave has passed.
        {true, 0, 1, 5.0, -10, 5, none},
        {false, 0, 1, 5.0, -30, -30, none},
        {true, 1, 1, 5.0, -30, -30, none},
    };
    for (const Case& c : cases) {
        const WebPopupInputs in{c.checked,   c.ind,       c.longEVstop,
                                c.intensity, c.countdown, c.lpwave_countdown};
        EXPECT_EQ(web_popup_page(in), c.page)
            << c.checked << " " << c.ind << " " << c.longEVstop << " " << c.intensity << " "
            << c.countdown << " " << c.lpwave_countdown;
    }
}

TEST(WebPopup, TheTwoPagesHaveDistinctAddresses) {
    EXPECT_NE(web_page_address(WebPage::long_period), web_page_address(WebPage::strong_shaking));
    EXPECT_FALSE(web_page_address(WebPage::strong_shaking).empty());
    EXPECT_TRUE(web_page_address(WebPage::none).empty());
}

}  // namespace
}  // namespace eew
