#include "app/mechanism_panel.hpp"

#include "app/main_state.hpp"
#include "mechanism/focal_mechanism.hpp"
#include "view/platform.hpp"

namespace eew {

void show_mechanism_panel(MainState& m, Platform& p) {
    const FollowedEvent& f = m.followed;
    const FocalMechanism mechanism{f.azp, f.thp, f.azt, f.tht, f.nobs_pol, f.n_pol_err};
    // Most reports repeat the mechanism of the one before, and drawing it,
    // its text above all, was most of what a report cost the desktop.
    if (m.mechanism_shown == mechanism) return;
    draw_mechanism(p.canvas(PictureId::mechanism_panel), mechanism);
    m.mechanism_shown = mechanism;
}

}  // namespace eew
