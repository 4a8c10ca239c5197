#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/deferred_events.hpp"
#include "app/main_state.hpp"

namespace eew {

class Platform;

// The main window's behaviour: owns the program-wide state and runs the
// handlers of every event the desktop delivers. The Qt layer calls one
// handler at a time and renders the view structs afterwards.
//
// A handler may let the event loop run (the chime's pause), so the desktop
// can call in again before it has finished. A datagram or a timer tick that
// arrives then waits (DeferredEvents) and runs after the handler, in arrival
// order, so that no report chain sees another half done. Clicks run at once:
// they are the user's own, rare, and the replay buttons are disabled while a
// new event is presented; while a click's handler runs, datagrams and ticks
// wait for it in the same way. A modal dialog (the replay's file dialog, a
// message box) is never open inside a handler: the user may leave it open for
// minutes, and a quake that arrives meanwhile must be announced at once.
class App {
  public:
    explicit App(Platform& platform) : platform_(platform) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    MainState& state() { return state_; }
    const MainState& state() const { return state_; }

    // Start-up. Returns nothing on success, else the message to show before
    // the program ends with a non-zero status.
    std::optional<std::string> Form_Load();

    void Command1_Click();            // "start"
    void Command2_Click();            // "stop"
    void Command3_Click();            // "quit"
    void Command4_Click();            // "set"
    void Command5_Click();            // "mapON"
    void Command6_Click();            // "mapOFF"
    void Command7_Click();            // "stop play"
    void Command8_Click();            // "replay"
    void Check1_Click(bool checked);  // "PopUP", with the box's new state
    void Check2_Click(bool checked);  // "LIVO PopUP"

    // One datagram from the feed socket.
    void Winsock1_DataArrival(std::string_view datagram);
    // The desktop's way in for the socket: each datagram read joins the one
    // queue at once (take_datagram), and the waiting ones run when the event
    // loop gets to it (run_waiting), after the handler that runs, if any.
    // With a list of LAN senders, a datagram from anyone else is dropped here,
    // before it takes room in the queue, and counted.
    void take_datagram(std::string_view datagram, const SenderAddress& sender);
    // A message from the broker joins the same queue; it is handled as a
    // datagram's text from the kind check on.
    void take_broker_message(std::string_view text);
    // The broker's connection came up (true) or is down, and why.
    void broker_status(bool connected, const std::string& reason);
    void run_waiting();
    // Called after each datagram's handler, for the desktop's renders.
    void after_each_datagram(std::function<void()> observer) {
        after_datagram_ = std::move(observer);
    }
    // The one-second tick.
    void Timer1_Timer();
    // The sixty-second watchdog.
    void Timer2_Timer();

    // "set and close" (`Command1`) of the settings dialog.
    void setform_Command1_Click();
    // The user's typing into a box of the settings dialog, and a change of one
    // of its option buttons or check boxes: kept with the dialog until "set
    // and close" applies them.
    void setform_Change(std::string SetformView::*box, const std::string& text);
    void setform_Click(bool SetformView::*control, bool checked);

    // The desktop session ends or the program is told to terminate: "quit"
    // without its dialogs, so that the day's events are not lost. Returns
    // nothing when the list was saved (or "quit" ran already), else why not,
    // for the caller to report where nobody may be watching.
    std::optional<std::string> shutdown_requested();
    // Saves the 24-hour list alone, for a session that may end without
    // telling the program again (its state is being saved).
    std::optional<std::string> save_recent_list();

    // A close request on the main window: refused (false) when the user made
    // it through the close box or system menu, accepted otherwise.
    bool main_window_close_requested(bool from_user) const { return !from_user; }

    // The clock's check has come back (every ten minutes and at start-up).
    void clock_checked(const ClockCheck& check);
    // The time server the clock is compared with, when one is configured.
    const std::optional<TimeServer>& time_server() const { return state_.time_server; }

    // Datagrams dropped because too many were waiting.
    std::size_t dropped_datagrams() const { return deferred_.dropped_datagrams(); }

  private:
    // Runs `handler` and then whatever arrived meanwhile; inside another
    // handler it only runs `handler`, and the outer one runs the rest.
    template <typename Handler>
    void run(Handler handler);
    // run() for a handler that may have something to tell the user: the
    // message it returns is shown once the handler, and what arrived while it
    // ran, are done, so that datagrams and ticks go on while the box is open.
    template <typename Handler>
    void run_and_tell(Handler handler);
    void run_tick(TimerId timer);
    void handle_datagram(std::string_view datagram);
    void handle_broker_message(std::string_view text);
    // Logs and lists a live event in progress, saves the 24-hour list, closes
    // every window and ends the program.
    std::optional<std::string> quit();

    MainState state_;
    Platform& platform_;
    DeferredEvents deferred_;
    std::function<void()> after_datagram_;
    bool running_ = false;
    bool quitting_ = false;
};

}  // namespace eew
