#pragma once

namespace eew {

struct MainState;
class Platform;

// "replay" (`Command8`): the user picks a log file in the program's log
// folder; its reports are merged into the event table up to the first one of
// the followed event, which is shown at once (pop-up, warning output, marks);
// the one-second tick feeds the rest at their recorded pace. Does nothing but
// return the buttons to idle while a live event is tracked, when the dialog
// is cancelled, for a file without reports, or when no report of the file
// would be followed. A file that cannot be replayed leaves the program idle
// and shows "invalid file". A replay still running is stopped first.
void Command8_Click(MainState& state, Platform& platform);

// "stop play" (`Command7`): ends a replay at once, without logging: the
// buttons return to idle, the event windows close, the event table is reset
// and the main map redrawn. Leaves a live event alone.
void Command7_Click(MainState& state, Platform& platform);

}  // namespace eew
