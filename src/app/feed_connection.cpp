#include "app/feed_connection.hpp"

#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "app/program_modes.hpp"
#include "draw/canvas.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

// Binds the socket for the current mode. On failure it stays closed and the
// user is told how to go on.
std::optional<std::string> bind_socket(MainState& m, Platform& p, int port) {
    const bool lan_mode = m.settings.lan_flag == 1;
    auto error = p.bind_feed(port, lan_mode);
    ++m.feed.socket_changes;
    set_receiving(m, !error);
    if (!error) {
        m.feed.bound_port = port;
        return std::nullopt;
    }
    return "Reception could not start: " + *error +
           ".\n\nChoose another port with \"set\", or stop the program that uses it, "
           "then press \"start\" again.";
}

}  // namespace

std::optional<std::string> start_reception(MainState& m, Platform& p) {
    p.canvas(PictureId::event_map).clear();
    replot(m, p);
    if (!p.feed_closed()) p.close_feed();
    return bind_socket(m, p, m.settings.localhost_port);
}

std::optional<std::string> rebind_for_lan_mode(MainState& m, Platform& p) {
    if (p.feed_closed()) return std::nullopt;
    p.close_feed();
    return bind_socket(m, p, m.feed.bound_port);
}

void stop_reception(MainState& m, Platform& p) {
    p.close_feed();
    ++m.feed.socket_changes;
    set_receiving(m, false);
}

void feed_watchdog(MainState& m, Platform& p) {
    if (m.events.event_flag != EventFlag::idle) return;
    // Silence is judged on what was taken, the same text the box shows.
    m.feed.silent = m.modes.receiving && m.feed.last_message == m.feed.old_text;
    if (m.feed.silent) m.main_view.Text4.back = kRed;
    m.feed.old_text = m.feed.last_message;
    prune_recent_events(m.recent, p.now());
    replot(m, p);
}

}  // namespace eew
