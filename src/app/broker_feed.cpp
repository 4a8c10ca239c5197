#include "app/broker_feed.hpp"

#include "app/dispatch.hpp"
#include "app/main_state.hpp"
#include "feed/framing.hpp"
#include "view/notice.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

// As long as the longest datagram: a broker may carry far more, and a text
// that long is no report of this feed.
constexpr std::size_t kLongestText = 65535;

}  // namespace

void open_broker_feed(MainState& m, Platform& p) {
    if (!m.broker.config || m.broker.open) return;
    m.broker.open = true;
    m.broker.connected = false;
    p.open_broker(*m.broker.config, m.broker.client_id);
}

void close_broker_feed(MainState& m, Platform& p) {
    if (!m.broker.open) return;
    p.close_broker();
    m.broker.open = false;
    m.broker.connected = false;
    m.broker.reason.clear();
}

void broker_status_changed(MainState& m, Platform& p, bool connected, const std::string& reason) {
    if (!m.broker.open || !m.broker.config) return;
    const std::string broker = "The broker " + m.broker.config->address.text();
    if (connected) {
        // Only after a failure the user was told of: a connection that came
        // up at once needs no notice over the ones of the start.
        if (!m.broker.connected && !m.broker.reason.empty())
            post_notice(m.main_view, p.now(), broker + " is connected again.");
        m.broker.connected = true;
        m.broker.reason.clear();
        return;
    }
    // A retry failing for the same reason says nothing new.
    const std::string why = reason.empty() ? "connection lost" : reason;
    const bool news = m.broker.connected || why != m.broker.reason;
    m.broker.connected = false;
    m.broker.reason = why;
    if (news)
        post_notice(m.main_view, p.now(),
                    broker + " is not connected: " + m.broker.reason +
                        ". Reports from it are missed until it is; the program keeps trying.");
}

void Broker_MessageArrival(MainState& m, Platform& p, std::string_view text) {
    if (!m.broker.open || text.size() > kLongestText) return;
    if (message_kind(text, m.settings.lan_flag == 1) == MessageKind::report &&
        m.broker.taken.repeats(text))
        return;
    take_feed_text(m, p, std::string(text));
}

}  // namespace eew
