#include "notify/web_popup.hpp"

namespace eew {

WebPage web_popup_page(const WebPopupInputs& in) {
    if (!in.livo_popup || in.webpopup_ind != 0) return WebPage::none;
    if (in.longEVstop == 1) return in.lpwave_countdown < -1 ? WebPage::long_period : WebPage::none;
    if (in.intensity >= 3.5 && in.countdown < -1) return WebPage::strong_shaking;
    return WebPage::none;
}

std::string_view web_page_address(WebPage page) {
    // The service's two pages; a deployment that uses another host changes
    // them here and nowhere else.
    switch (page) {
        case WebPage::long_period:
            return "https://livo.example.net/long-period.html";
        case WebPage::strong_shaking:
            return "https://livo.example.net/strong-motion.html";
        case WebPage::none:
            break;
    }
    return {};
}

}  // namespace eew
