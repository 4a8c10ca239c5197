#include "app/dispatch.hpp"

#include "app/desktop_notice.hpp"
#include "app/event_logging.hpp"
#include "app/main_state.hpp"
#include "app/observed_display.hpp"
#include "app/popup_windows.hpp"
#include "app/presentation.hpp"
#include "app/report_chain.hpp"
#include "clock/report_delay.hpp"
#include "feed/framing.hpp"
#include "text/message_display.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

// A noise message winds down the event: the one-second tick finishes what
// winds down or ends. Each test sees the value the one before left.
void handle_noise(EventTable& t) {
    if (t.event_flag == EventFlag::followed) t.event_flag = EventFlag::winding_down;
    if (t.event_flag == EventFlag::merged && t.map_flag == 2)
        t.event_flag = EventFlag::winding_down;
    if (t.event_flag == EventFlag::merged && t.map_flag != 2) t.event_flag = EventFlag::ending;
}

// A live report ends a running replay and takes over.
void end_replay(MainState& m, Platform& p) {
    close_event_windows(m, p);
    reset_event_state(m);
    m.main_view.Command8.enabled = true;
    m.main_view.Command7.enabled = false;
}

// How late the report came, over the message in the last-message box; a
// report whose times cannot be read has no delay to tell.
std::optional<ReportDelay> show_report_delay(MainState& m, bool dates_valid, const DateTime& now) {
    if (!dates_valid) return std::nullopt;
    ReportDelay delay = report_delay(m.report.sendtime00, now, m.clock.offset_s);
    m.main_view.Text4 = {delay.text + "\n" + m.feed.last_message,
                         delay.late ? palette_colour(14) : kWhite};
    return delay;
}

void handle_report(MainState& m, Platform& p, std::string_view text) {
    if (is_replay(m.events.event_flag)) end_replay(m, p);
    const DateTime now = p.now();
    m.feed.latest_rev_time = now;
    const MergeOutcome merged = merge_report(m, text, now);
    const std::optional<ReportDelay> delay = show_report_delay(m, merged.dates_valid, now);
    if (merged.evicted) log_evicted_event(m, p, *merged.evicted);
    if (!merged.merged) return;
    m.events.event_flag = EventFlag::merged;
    if (!merged.followed) return notify_unseen_report(m, p, merged);

    m.events.event_flag = EventFlag::followed;
    m.main_view.Text3.back = kRed;
    update_followed_event(m, CopyForm::live, now);
    const bool new_event = m.events.map_flag == 1;
    if (new_event) {
        m.main_view.Command8.enabled = false;
        m.main_view.Command7.enabled = false;
    }
    present_followed_report(m, p, new_event);
    notify_unseen_report(m, p, merged);
    m.popup_view.report_delay = delay ? delay->text : std::string();
    m.popup_view.report_delay_late = delay && delay->late;
}

}  // namespace

void Winsock1_DataArrival(MainState& m, Platform& p, std::string_view datagram) {
    auto text = frame_message(datagram, m.settings.lan_flag == 1);
    if (text) take_feed_text(m, p, std::move(*text));
}

void take_feed_text(MainState& m, Platform& p, std::string text) {
    const bool lan_mode = m.settings.lan_flag == 1;
    m.feed.received_data00 = text;
    const std::string& message = text;
    const MessageKind kind = message_kind(message, lan_mode);
    if (kind == MessageKind::ignored) return;

    m.feed.last_message = message_box_text(message);
    m.feed.silent = false;
    m.main_view.Text4.text = m.feed.last_message;
    m.main_view.Text4.back = kWhite;
    switch (kind) {
        case MessageKind::noise:
            handle_noise(m.events);
            break;
        case MessageKind::report:
            handle_report(m, p, message);
            break;
        case MessageKind::waveform:
            handle_waveform_packet(m, p, message);
            break;
        case MessageKind::observation:
            handle_observation_packet(m, p, message);
            break;
        case MessageKind::ignored:
            break;
    }
}

}  // namespace eew
