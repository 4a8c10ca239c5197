#include "app/event_logging.hpp"

#include <string>
#include <vector>

#include "app/main_state.hpp"
#include "feed/event_logs.hpp"
#include "view/notice.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

LogSettings log_settings(const MainState& m) {
    return {m.paths.logp, m.paths.logp2, m.display.large_m, m.display.depth_color_table};
}

// Logs the slots, saves the list and shows the count and any failure.
void log_slots(MainState& m, Platform& p, const std::vector<EventSlot>& slots) {
    const LogSettings settings = log_settings(m);
    std::vector<std::string> failures;
    for (const EventSlot& slot : slots) {
        for (std::string& failure : log_event(slot, settings, m.recent))
            failures.push_back(std::move(failure));
    }
    if (auto error = save_recent_events(recent_events_path(m.paths), m.recent))
        failures.push_back(std::move(*error));
    m.main_view.Text2.text = std::to_string(m.recent.total_event_number);
    if (failures.empty()) return;
    // A lost log matters to whoever comes back to the screen hours later.
    std::string notice = failures.front();
    if (failures.size() > 1)
        notice += " (and " + std::to_string(failures.size() - 1) + " more files)";
    post_notice(m.main_view, p.now(), notice);
}

}  // namespace

void write_event_logs(MainState& m, Platform& p) {
    std::vector<EventSlot> slots;
    for (int i = 1; i <= m.events.n_event; ++i)
        slots.push_back(event_slot(m.events, i));
    log_slots(m, p, slots);
    m.main_view.Text3.back = kWhite;
}

void log_evicted_event(MainState& m, Platform& p, const EventSlot& slot) {
    log_slots(m, p, {slot});
}

}  // namespace eew
