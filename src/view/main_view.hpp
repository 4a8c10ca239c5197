#pragma once

#include <string>

#include "draw/colour.hpp"

namespace eew {

// Control values of a window, held by the core under the controls' names; the
// Qt widgets render them after every handler.
struct TextBox {
    std::string text;  // UTF-8
    Rgb back = kWhite;
};

struct Button {
    bool enabled = true;
};

struct CheckBox {
    bool checked = false;
};

// The main window.
struct MainView {
    TextBox Text1;        // clock, "time"
    TextBox Text2;        // count of the 24-hour list, "events"
    TextBox Text3;        // event state, "status"
    TextBox Text4;        // last message
    std::string Label19;  // event indicator: empty or "地震発生"
    Button Command1;      // "start"
    Button Command2;      // "stop"
    Button Command3;      // "quit"
    Button Command4;      // "set"
    Button Command5;      // "mapON"
    Button Command6;      // "mapOFF"
    Button Command7;      // "stop play"
    Button Command8;      // "replay"
    // Pop-ups start switched on, matching the configured magnitude_min;
    // the web page pop-up starts off, since it opens a browser unasked.
    CheckBox Check1{true};   // "PopUP"
    CheckBox Check2{false};  // "LIVO PopUP"

    // The main map ("mapON" / "mapOFF"); the window grows to show it. Its
    // caption and the start and end of the time window shown on it.
    bool map_shown = false;
    // The window's client size in pixels as "mapON" or "mapOFF" set it; 0
    // until start-up has set it.
    int window_width = 0;
    int window_height = 0;
    std::string map_caption;
    std::string map_window_start;
    std::string map_window_end;

    // A file that could not be written: when, which and why. Empty when none.
    std::string notice;

    // The last check of this computer's clock, "clock: synchronised, +0.03 s",
    // on the notice's colour when the clock is off or not synchronised.
    TextBox clock_line;

    // The tray icon's state: "idle", "receiving", "feed stale" (the watchdog
    // heard nothing) or "event"; its menu shows "PopUP" as Check1 does.
    std::string tray_state = "idle";
};

}  // namespace eew
