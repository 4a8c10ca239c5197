#pragma once

namespace eew {

// The pages the web pop-up can open (their addresses: notify/web_pages.hpp).
enum class WebPage { none, long_period, strong_shaking };

// What the web pop-up decision reads; countdowns in seconds, negative once
// the wave has passed the site.
struct WebPopupInputs {
    bool livo_popup = false;  // "LIVO PopUP" (`Check2`) is checked
    int webpopup_ind = 0;     // 1 once a page was opened in this event-table cycle
    int longEVstop = 0;       // 1 when long-period ground motion is announced
    double intensity = 0;     // estimated intensity at the site
    double countdown = 0;     // S wave
    double lpwave_countdown = 0;
};

// The page to open now, or none. A page waits until its wave has passed the
// site by more than a second; the strong-shaking page needs intensity 3.5 or
// more. An event judged long-period opens only the long-period page: the S
// wave always passes before the slower long-period wave, so letting the
// strong-shaking page through first would use up the cycle's one page.
WebPage web_popup_page(const WebPopupInputs& in);

}  // namespace eew
