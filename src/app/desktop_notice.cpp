#include "app/desktop_notice.hpp"

#include "app/main_state.hpp"
#include "app/report_chain.hpp"
#include "quake/warning_rules.hpp"
#include "text/number_format.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

std::string summary(const std::string& region, double magnitude) {
    return "地震発生 " + region + " M" + one_decimal(magnitude);
}

// The class and the seconds left as the pop-up would show them.
std::string followed_body(const MainState& m) {
    const FollowedEvent& f = m.followed;
    const IntensityClass c = intensity_class(as_shown_to_one_decimal(f.intensity));
    std::string body =
        "予想震度 " + (c.text.empty() ? std::string("0") : c.text) + "（" + m.site.sitename + "）";
    if (m.travel.travel_s_data_flag == 1)
        body += m.travel.countdown > 0
                    ? "、S波到達まで " + std::to_string(m.travel.countdown) + " 秒"
                    : std::string("、S波到達");
    return body;
}

}  // namespace

void notify_unseen_report(MainState& m, Platform& p, const MergeOutcome& merged) {
    if (merged.followed && p.window_state(WindowId::popupmap) == WindowState::normal)
        return close_desktop_notice(m, p);
    if (merged.followed) {
        p.notify(summary(m.followed.region_name, m.followed.magnitude), followed_body(m));
    } else if (merged.held_back) {
        const CurrentReport& r = m.report;
        p.notify(summary(region_display_name(m.regions, r.region_name00), r.magnitude00),
                 "予想震度 " + one_decimal(r.intensity00) + "（" + m.site.sitename +
                     "）、「PopUP」はオフです");
    } else {
        return;
    }
    m.desktop_notice_shown = true;
}

void close_desktop_notice(MainState& m, Platform& p) {
    if (!m.desktop_notice_shown) return;
    m.desktop_notice_shown = false;
    p.close_notification();
}

}  // namespace eew
