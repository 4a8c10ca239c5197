#include "app/mechanism_panel.hpp"

#include "app/main_state.hpp"
#include "app/platform.hpp"
#include "mechanism/focal_mechanism.hpp"

namespace eew {

void draw_mechanism(const MainState& m, Platform& p) {
    const FollowedEvent& f = m.followed;
    draw_mechanism(p.canvas(PictureId::mechanism_panel),
                   FocalMechanism{f.azp, f.thp, f.azt, f.tht, f.nobs_pol, f.n_pol_err});
}

}  // namespace eew
