#include "app/feed_connection.hpp"

#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "app/platform.hpp"
#include "maps/canvas.hpp"

namespace eew {

void start_reception(MainState& m, Platform& p) {
    p.canvas(PictureId::event_map).clear();
    replot(m, p);
    if (!p.feed_closed()) p.close_feed();
    const bool lan_mode = m.settings.lan_flag == 1;
    if (auto error = p.bind_feed(m.settings.localhost_port, lan_mode)) {
        p.message_box("Reception could not start: " + *error +
                      ".\n\nChoose another port with \"set\", or stop the program that uses it, "
                      "then press \"start\" again.");
        m.main_view.Command1.enabled = true;
        m.main_view.Command2.enabled = false;
        return;
    }
    m.main_view.Command1.enabled = false;
    m.main_view.Command2.enabled = true;
}

void stop_reception(MainState& m, Platform& p) {
    p.close_feed();
    m.main_view.Command1.enabled = true;
    m.main_view.Command2.enabled = false;
}

void feed_watchdog(MainState& m, Platform& p) {
    if (m.events.event_flag != 0) return;
    TextBox& box = m.main_view.Text4;
    const bool receiving = !m.main_view.Command1.enabled;
    if (receiving && box.text == m.feed.old_text) box.back = kRed;
    m.feed.old_text = box.text;
    prune_recent_events(m.recent, p.now());
    replot(m, p);
}

}  // namespace eew
