#include "app/feed_connection.hpp"

#include "app/broker_feed.hpp"
#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "app/program_modes.hpp"
#include "draw/canvas.hpp"
#include "view/notice.hpp"
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
        open_broker_feed(m, p);
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
    close_broker_feed(m, p);
    ++m.feed.socket_changes;
    set_receiving(m, false);
}

void feed_watchdog(MainState& m, Platform& p) {
    if (m.events.event_flag != EventFlag::idle) return;
    // Silence is judged on what was taken, the same text the box shows.
    // A broker that is down is a feed that cannot deliver, as a closed socket.
    const bool broker_down = m.broker.open && !m.broker.connected;
    m.feed.silent = m.modes.receiving && (m.feed.last_message == m.feed.old_text || broker_down);
    if (m.feed.silent) m.main_view.Text4.back = kRed;
    m.feed.old_text = m.feed.last_message;
    prune_recent_events(m.recent, p.now());
    replot(m, p);
}

bool take_from_sender(FeedState& feed, const SenderAddress& sender) {
    if (!feed.lan_senders || feed.lan_senders->allows(sender)) return true;
    ++feed.refused_datagrams;
    feed.last_refused = sender;
    return false;
}

void tell_refused_senders(MainState& m, const DateTime& now) {
    FeedState& f = m.feed;
    if (f.refused_datagrams == f.refused_told) return;
    // A clock set back does not hold the next notice up.
    const long long since = f.refused_told_at ? seconds_between(*f.refused_told_at, now) : 60;
    if (since >= 0 && since < 60) return;
    const std::string count = f.refused_datagrams == 1
                                  ? "1 datagram from a sender"
                                  : std::to_string(f.refused_datagrams) + " datagrams from senders";
    post_notice(m.main_view, now,
                count + " not listed in \"lan_senders\" dropped so far (the last from " +
                    sender_text(f.last_refused) + ").");
    f.refused_told = f.refused_datagrams;
    f.refused_told_at = now;
}

}  // namespace eew
