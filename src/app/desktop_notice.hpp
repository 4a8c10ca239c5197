#pragma once

namespace eew {

struct MainState;
class Platform;
struct MergeOutcome;

// A quake the person cannot see: the followed event while the pop-up is
// minimised, hidden or not there, or a report "PopUP" alone held back. Each
// such report shows a critical desktop notification (region, M, expected
// class, seconds left) or replaces the one shown; a report the pop-up shows
// closes it.
void notify_unseen_report(MainState& state, Platform& platform, const MergeOutcome& merged);

// Closes the notification when the event ends or the pop-up comes up.
void close_desktop_notice(MainState& state, Platform& platform);

}  // namespace eew
