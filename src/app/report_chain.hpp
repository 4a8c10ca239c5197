#pragma once

#include <optional>
#include <string_view>

#include "quake/event_table.hpp"
#include "text/date_time.hpp"

namespace eew {

struct MainState;

struct MergeOutcome {
    // False when the report found no slot (a sixth quake with nothing to give
    // way); nothing else was changed then.
    bool merged = false;
    // The report belongs to the followed event.
    bool followed = false;
    // The report would have passed the filter the settings give, but "PopUP"
    // is off: it is announced, not shown.
    bool held_back = false;
    // False when a date-time in the report could not be built.
    bool dates_valid = true;
    // The event whose slot the report took over, to be logged by live reception.
    std::optional<EventSlot> evicted;
};

// The part of the report chain that live reception and replay share up to
// the choice of the followed event: decode, find the slot, estimate distance
// and intensity at the site, store, filter (lighting the event indicator for
// a held-back event of the configured magnitude), select, update map_flag.
// `now` is the arrival time written into the event's log text.
MergeOutcome merge_report(MainState& state, std::string_view text, const DateTime& now);

// For a report of the followed event: copies it into the plain fields, rounds
// the intensity, evaluates the reference sites and computes the travel times
// and countdowns as seen at `present` (the clock live, the report's send time
// in a replay).
void update_followed_event(MainState& state, CopyForm form, const DateTime& present);

// Ends the current events: empties the event table and clears the travel-time
// flags, the announced class, the event indicator and the web pop-up mark.
void reset_event_state(MainState& state);

}  // namespace eew
