#pragma once

namespace eew {

struct MainState;
class Platform;

// "PopUP" (`Check1`) clicked, with the box's new state. Checked: the
// notification filter returns to the configured minimum magnitude, the pop-up
// and message windows return to their normal state (still hidden unless an
// event is announced) and, while an event is announced, its slot passes the
// filter and both windows come up. Unchecked: no report passes the filter any
// more and both windows are minimised and hidden.
void Check1_Click(MainState& state, Platform& platform, bool checked);

// Closes the message and pop-up windows and empties what they show, so that
// they come back empty when next used. Every end of an event, replay or the
// program closes them through here.
void close_event_windows(MainState& state, Platform& platform);

// Sets the pop-up window to the size it is presented at: 10185 x 11950 twips.
void set_popup_presented_size(Platform& platform);

}  // namespace eew
