#pragma once

#include "quake/event_table.hpp"

namespace eew {

struct MainState;
class Platform;

// Writes the log file and the 24-hour entry of every slot in use, in slot
// order, and saves the 24-hour list at once, so that a killed program or a
// shut-down computer loses no event. Then shows the list's count in `Text2`
// and turns the state box `Text3` white. The one-second tick calls it when a
// live event ends, and the quit path for one still in progress, each just
// before resetting the event table.
//
// A file that cannot be written does not stop the others or the program: the
// main window's notice names it with the reason and the time.
void write_event_logs(MainState& state, Platform& platform);

// Logs an event that a newer one pushed out of the full event table, as if it
// had ended, so that its reports are kept. The state box is left alone: the
// event being shown goes on.
void log_evicted_event(MainState& state, Platform& platform, const EventSlot& slot);

}  // namespace eew
