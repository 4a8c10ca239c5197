#include "app/presentation.hpp"

#include "app/main_state.hpp"
#include "app/platform.hpp"

namespace eew {
namespace {

void freeze_first_info(const FollowedEvent& f, FirstReport& first) {
    first.origintime_first = f.origintime;
    first.sendtime_first = f.sendtime;
    first.magnitude_first = f.magnitude;
    first.latitude_first = f.latitude;
    first.longitude_first = f.longitude;
    first.depth_first = f.depth;
    first.depth_color_first = f.depth_color;
}

}  // namespace

void present_followed_report(MainState& m, Platform& p, bool new_event) {
    if (!new_event) return;
    freeze_first_info(m.followed, m.first);
    if (m.settings.voice_flag != 0) {
        p.play_sound(m.paths.file_sound);
        p.pause_with_events(600);
    }
}

}  // namespace eew
