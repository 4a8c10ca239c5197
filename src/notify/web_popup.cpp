#include "notify/web_popup.hpp"

namespace eew {

WebPage web_popup_page(const WebPopupInputs& in) {
    if (!in.livo_popup || in.webpopup_ind != 0) return WebPage::none;
    if (in.longEVstop == 1) return in.lpwave_countdown < -1 ? WebPage::long_period : WebPage::none;
    if (in.intensity >= 3.5 && in.countdown < -1) return WebPage::strong_shaking;
    return WebPage::none;
}

}  // namespace eew
