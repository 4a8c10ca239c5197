#include "app/web_popup_output.hpp"

#include <string>

#include "app/main_state.hpp"
#include "notify/web_pages.hpp"
#include "view/platform.hpp"

namespace eew {

void web_popup(MainState& m, Platform& p) {
    WebPopupInputs in;
    in.livo_popup = m.modes.web_popup_on;
    in.webpopup_ind = m.webpopup_ind;
    in.longEVstop = m.longEVstop;
    in.intensity = m.followed.intensity;
    in.countdown = m.travel.countdown;
    in.lpwave_countdown = m.travel.lpwave_countdown;
    const WebPage page = web_popup_page(in);
    if (page == WebPage::none) return;
    if (p.open_web_page(std::string(m.web_pages.address(page)))) m.webpopup_ind = 1;
}

}  // namespace eew
