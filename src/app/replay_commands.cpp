#include "app/replay_commands.hpp"

#include "app/main_map.hpp"
#include "app/main_state.hpp"
#include "app/popup_windows.hpp"
#include "app/presentation.hpp"
#include "app/report_chain.hpp"
#include "replay/replay_file.hpp"
#include "view/notice.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

void buttons_idle(MainView& v) {
    v.Command8.enabled = true;
    v.Command7.enabled = false;
}

bool live_event_tracked(const EventTable& t) {
    return is_live(t.event_flag);
}

// Back to idle, leaving no slot of the file behind: merged but never shown,
// it would otherwise be logged with the next live event.
void end_replay(MainState& m, Platform& p) {
    buttons_idle(m.main_view);
    close_event_windows(m, p);
    reset_event_state(m);
    replot(m, p);
}

void take_file(const ReplayFile& file, ReplayState& r) {
    r = ReplayState{};
    r.line_count = static_cast<int>(file.lines.size());
    for (int k = 1; k <= r.line_count; ++k) {
        r.replay_lines[k] = file.lines[k - 1];
        r.replay_offsets[k] = file.offsets[k - 1];
    }
}

// The first report of the followed event, shown as a live one is when its
// event becomes followed; the tick takes over from here.
void show_first_report(MainState& m, Platform& p, int k) {
    m.events.event_flag = EventFlag::replaying;
    m.replay.data_num = k;
    // The tick feeds line j once the seconds since now reach its offset from
    // line 1, not from this line: when earlier lines were merged unshown, the
    // next line comes that much late, and the countdown, counted down one a
    // second meanwhile, steps back when it comes. Replays have always been
    // paced so, and logs replayed before must play the same.
    m.replay.time00 = p.now();
    update_followed_event(m, CopyForm::replay, m.report.sendtime00);
    present_followed_report(m, p, true);
}

enum class Priming { shown, none_followed, invalid };

// Merges the lines in order until one belongs to the followed event.
Priming prime_event_table(MainState& m, Platform& p) {
    const ReplayState& r = m.replay;
    for (int k = 1; k <= r.line_count; ++k) {
        const std::string& line = r.replay_lines[k];
        m.feed.received_data00 = line;
        const MergeOutcome merged = merge_report(m, line, p.now());
        if (!merged.dates_valid) return Priming::invalid;
        if (!merged.followed) continue;
        show_first_report(m, p, k);
        return Priming::shown;
    }
    return Priming::none_followed;
}

}  // namespace

bool begin_replay(MainState& m, Platform& p) {
    if (is_replay(m.events.event_flag)) end_replay(m, p);
    MainView& v = m.main_view;
    v.Command8.enabled = false;
    if (!live_event_tracked(m.events)) return true;
    buttons_idle(v);
    return false;
}

std::optional<std::string> start_replay(MainState& m, Platform& p,
                                        const std::optional<std::string>& path) {
    MainView& v = m.main_view;
    // A quake came in while the file was chosen: it goes on, and "replay"
    // stays disabled until it ends, as for any live event.
    if (live_event_tracked(m.events)) {
        if (path) {
            post_notice(v, p.now(),
                        "The replay did not start: a quake came in while the file was being "
                        "chosen. Replay it once the quake has ended.");
        }
        return std::nullopt;
    }
    if (!path) {
        buttons_idle(v);
        return std::nullopt;
    }
    const ReplayFile file = load_replay_file(*path);
    if (file.outcome == ReplayLoad::empty) {
        buttons_idle(v);
        return std::nullopt;
    }
    if (file.outcome == ReplayLoad::ok) {
        take_file(file, m.replay);
        // Elapsed times before the first shown report count from line 1.
        m.first.sendtime_first = file.first_send_time;
        switch (prime_event_table(m, p)) {
            case Priming::shown:
                // Enabled only now: a click during the new-event chime would
                // end the replay under the presentation still running.
                v.Command7.enabled = true;
                return std::nullopt;
            case Priming::none_followed:
                end_replay(m, p);
                return std::nullopt;
            case Priming::invalid:
                break;
        }
    }
    end_replay(m, p);
    return "invalid file";
}

void Command7_Click(MainState& m, Platform& p) {
    // Ending a live event here would lose its log.
    if (live_event_tracked(m.events)) return;
    end_replay(m, p);
}

}  // namespace eew
