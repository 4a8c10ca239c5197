#include "app/app.hpp"

#include "app/broker_feed.hpp"
#include "app/clock_display.hpp"
#include "app/dispatch.hpp"
#include "app/event_logging.hpp"
#include "app/feed_connection.hpp"
#include "app/main_map.hpp"
#include "app/popup_windows.hpp"
#include "app/program_modes.hpp"
#include "app/replay_commands.hpp"
#include "app/report_chain.hpp"
#include "app/setform.hpp"
#include "app/startup.hpp"
#include "app/tick.hpp"
#include "view/notice.hpp"
#include "view/platform.hpp"

namespace eew {

template <typename Handler>
void App::run(Handler handler) {
    // What was read before the socket closed or opened anew is not handled
    // after it.
    const auto handle = [&] {
        const int socket_changes = state_.feed.socket_changes;
        handler();
        if (state_.feed.socket_changes != socket_changes) deferred_.drop_datagrams();
        show_tray_state(state_);
    };
    if (running_) {
        handle();
        return;
    }
    running_ = true;
    struct Finished {
        bool& running;
        ~Finished() { running = false; }
    } finished{running_};
    handle();
    while (auto event = deferred_.take()) {
        if (event->tick) {
            run_tick(*event->tick);
        } else if (event->from_broker) {
            handle_broker_message(event->datagram);
        } else {
            handle_datagram(event->datagram);
        }
    }
    show_tray_state(state_);
}

template <typename Handler>
void App::run_and_tell(Handler handler) {
    std::optional<std::string> message;
    run([&] { message = handler(); });
    if (message) platform_.message_box(*message);
}

void App::handle_datagram(std::string_view datagram) {
    eew::Winsock1_DataArrival(state_, platform_, datagram);
    show_tray_state(state_);
    if (after_datagram_) after_datagram_();
}

void App::handle_broker_message(std::string_view text) {
    eew::Broker_MessageArrival(state_, platform_, text);
    show_tray_state(state_);
    if (after_datagram_) after_datagram_();
}

void App::take_datagram(std::string_view datagram, const SenderAddress& sender) {
    if (take_from_sender(state_.feed, sender)) deferred_.add_datagram(datagram);
}

void App::take_broker_message(std::string_view text) {
    deferred_.add_broker_message(text);
}

void App::broker_status(bool connected, const std::string& reason) {
    run([&] { broker_status_changed(state_, platform_, connected, reason); });
}

void App::run_tick(TimerId timer) {
    switch (timer) {
        case TimerId::timer1:
            tell_refused_senders(state_, platform_.now());
            eew::Timer1_Timer(state_, platform_);
            break;
        case TimerId::timer2:
            feed_watchdog(state_, platform_);
            break;
    }
}

std::optional<std::string> App::Form_Load() {
    std::optional<std::string> error;
    run([&] {
        error = load_program_state(state_, platform_);
        if (error || state_.settings.auto_flag != 1) return;
        // Before the main window and its timers: a dialog here would hold up
        // the whole start, so a failure becomes a notice.
        if (auto message = start_reception(state_, platform_))
            post_notice(state_.main_view, platform_.now(), *message);
        map_on(state_, platform_);
    });
    return error;
}

void App::Command1_Click() {
    run_and_tell([&] { return start_reception(state_, platform_); });
}

void App::Command2_Click() {
    run([&] { stop_reception(state_, platform_); });
}

void App::Command5_Click() {
    run([&] { map_on(state_, platform_); });
}

void App::Command6_Click() {
    run([&] { map_off(state_, platform_); });
}

void App::Command7_Click() {
    run([&] { eew::Command7_Click(state_, platform_); });
}

void App::Command8_Click() {
    bool choose = false;
    run([&] { choose = begin_replay(state_, platform_); });
    if (!choose) return;
    const auto path = platform_.choose_file(state_.paths.logp);
    run_and_tell([&] { return start_replay(state_, platform_, path); });
}

void App::Check1_Click(bool checked) {
    run([&] { eew::Check1_Click(state_, platform_, checked); });
}

void App::Check2_Click(bool checked) {
    run([&] { set_web_popup_on(state_, checked); });
}

void App::Winsock1_DataArrival(std::string_view datagram) {
    if (running_) return deferred_.add_datagram(datagram);
    run([&] { handle_datagram(datagram); });
}

void App::run_waiting() {
    if (!running_) run([] {});
}

void App::Timer1_Timer() {
    if (running_) return deferred_.add_tick(TimerId::timer1);
    run([&] { run_tick(TimerId::timer1); });
}

void App::Timer2_Timer() {
    if (running_) return deferred_.add_tick(TimerId::timer2);
    run([&] { run_tick(TimerId::timer2); });
}

void App::Command3_Click() {
    run_and_tell([&]() -> std::optional<std::string> {
        // The list is saved after every logged event too; what changed since
        // is pruning alone, but a failure here is still the user's to hear of.
        if (auto error = quit()) return "The list of the last 24 hours was not saved.\n\n" + *error;
        return std::nullopt;
    });
}

void App::Command4_Click() {
    run([&] {
        // An open dialog keeps the user's edits; a closed one starts afresh.
        if (platform_.window_state(WindowId::setform) == WindowState::not_created)
            state_.setform_view =
                load_setform(state_.settings, state_.site_areas, state_.forecast_area_table);
        platform_.show_window(WindowId::setform);
    });
}

void App::clock_checked(const ClockCheck& check) {
    run([&] { apply_clock_check(state_, check); });
}

void App::setform_Command1_Click() {
    run_and_tell([&] { return set_and_close(state_, platform_); });
}

void App::setform_Change(std::string SetformView::*box, const std::string& text) {
    state_.setform_view.*box = text;
}

void App::setform_Click(bool SetformView::*control, bool checked) {
    state_.setform_view.*control = checked;
}

std::optional<std::string> App::shutdown_requested() {
    if (quitting_) return std::nullopt;
    std::optional<std::string> error;
    run([&] { error = quit(); });
    return error;
}

std::optional<std::string> App::save_recent_list() {
    return save_recent_events(recent_events_path(state_.paths), state_.recent);
}

std::optional<std::string> App::quit() {
    quitting_ = true;
    // The event in progress is logged and listed as its end would, and the
    // table emptied: the event loop runs until it returns, and a tick that
    // ended the event then would list it twice. Replays are never logged.
    if (state_.events.n_event > 0 && is_live(state_.events.event_flag)) {
        write_event_logs(state_, platform_);
        reset_event_state(state_);
    }
    auto error = save_recent_list();
    close_event_windows(state_, platform_);
    platform_.close_window(WindowId::setform);
    platform_.close_window(WindowId::main);
    platform_.end_program(0);
    return error;
}

}  // namespace eew
