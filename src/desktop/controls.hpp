#pragma once

#include <functional>
#include <span>
#include <string>

class QWidget;
class TrayIcon;

namespace eew {
class App;
}

// What operating one control runs. A control is found by its window's and
// its own object name; exactly one handler is set: a push button's click, a
// check box's or option button's new state, the text a box now holds, or the
// value of the item a list box now shows.
struct ControlRow {
    const char* window;
    const char* control;
    void (*click)(eew::App&) = nullptr;
    void (*toggle)(eew::App&, bool checked) = nullptr;
    void (*edit)(eew::App&, const std::string& text) = nullptr;
    void (*choose)(eew::App&, const std::string& value) = nullptr;
};

// Every control a person can operate, in every window: the one place that
// says what each does. The pop-up and message windows only show values and
// have none.
std::span<const ControlRow> control_table();

// Connects the controls of `window` to their rows' handlers. After a click or
// a change of state, `after` runs (the windows render what the handler
// changed); typing only updates the values the box belongs to.
void connect_controls(QWidget& window, eew::App& app, const std::function<void()>& after);

// The tray's menu runs the rows of the main window's "PopUP" (Check1) and
// "quit" (Command3): the same handlers, however the person reached them.
void connect_tray(TrayIcon& tray, eew::App& app, const std::function<void()>& after);
