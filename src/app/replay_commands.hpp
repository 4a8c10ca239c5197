#pragma once

#include <optional>
#include <string>

namespace eew {

struct MainState;
class Platform;

// "replay" (`Command8`) comes in two steps, with the file dialog between
// them, so that datagrams and ticks can run while the user picks a file.
//
// First: a replay still running is stopped; while a live event is tracked
// the buttons return to idle and the result is false; otherwise "replay" is
// disabled and the user is to pick a log file (in the program's log folder).
bool begin_replay(MainState& state, Platform& platform);

// Then, with the file picked (nothing: the dialog was cancelled): its reports
// are merged into the event table up to the first one of the followed event,
// which is shown at once (pop-up, warning output, marks); the one-second tick
// feeds the rest at their recorded pace. Returns the buttons to idle when the
// dialog was cancelled, for a file without reports, or when no report of the
// file would be followed. A file that cannot be replayed leaves the program
// idle and "invalid file" is returned, for the user. A live quake that came in
// during the dialog is never taken over: the replay does not start and the
// main window's notice says so.
std::optional<std::string> start_replay(MainState& state, Platform& platform,
                                        const std::optional<std::string>& path);

// "stop play" (`Command7`): ends a replay at once, without logging: the
// buttons return to idle, the event windows close, the event table is reset
// and the main map redrawn. Leaves a live event alone.
void Command7_Click(MainState& state, Platform& platform);

}  // namespace eew
