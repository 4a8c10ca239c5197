#pragma once

#include <functional>
#include <map>

#include "fakes/recording_canvas.hpp"
#include "view/platform.hpp"

namespace eew::test {

// A platform for tests: a settable clock, recorded sounds, pages, dialogs and
// window operations, and one recording canvas per picture.
class FakePlatform : public Platform {
  public:
    explicit FakePlatform(std::string f = "/nonexistent") : folder(std::move(f)) {}

    std::string program_folder() override { return folder; }
    DateTime now() override { return clock; }
    void play_sound(const std::string& wav_path) override { sounds.push_back(wav_path); }
    void notify(const std::string& summary, const std::string& body) override {
        notifications.push_back(summary + " | " + body);
    }
    void close_notification() override { notifications.push_back("closed"); }
    void play_sound_next(const std::string& wav_path) override {
        sounds.push_back("then " + wav_path);
    }
    bool open_web_page(const std::string& url) override {
        if (browser_available) pages.push_back(url);
        return browser_available;
    }
    std::optional<std::string> bind_feed(int port, bool all_addresses) override {
        bound_port = port;
        bound_to_all_addresses = all_addresses;
        return std::nullopt;
    }
    void close_feed() override { bound_port.reset(); }
    bool feed_closed() const override { return !bound_port.has_value(); }
    void open_broker(const BrokerConfig& broker, const std::string& client_id) override {
        broker_url = broker.address.text();
        broker_client = client_id;
    }
    void close_broker() override { broker_url.reset(); }
    std::optional<std::string> choose_file(const std::string& start_folder) override {
        dialog_folders.push_back(start_folder);
        return chosen_file;
    }
    void message_box(const std::string& text) override { messages.push_back(text); }
    void pause_with_events(int milliseconds) override {
        pauses.push_back(milliseconds);
        if (during_pause) during_pause();
    }
    void show_window(WindowId w) override { set_visible(w, true); }
    void hide_window(WindowId w) override { set_visible(w, false); }
    void minimise_window(WindowId window) override { windows[window] = WindowState::minimised; }
    // A restored window is shown as it was: visible or not.
    void restore_window(WindowId w) override {
        const bool shown = window_state(w) == WindowState::normal || visible[w];
        windows[w] = shown ? WindowState::normal : WindowState::hidden;
    }
    void resize_window(WindowId w, int x, int y) override { window_sizes[w] = {x, y}; }
    void close_window(WindowId w) override {
        closed.push_back(w);
        windows[w] = WindowState::not_created;
        visible[w] = false;
    }
    WindowState window_state(WindowId w) const override {
        return windows.count(w) ? windows.at(w) : WindowState::not_created;
    }
    double twips_per_pixel() const override { return twips_per_px; }
    // The pop-up's pictures belong to the pop-up: using one creates the window,
    // hidden, as on the desktop.
    Canvas& canvas(PictureId picture) override {
        if (picture != PictureId::main_map &&
            window_state(WindowId::popupmap) == WindowState::not_created)
            windows[WindowId::popupmap] = WindowState::hidden;
        return canvases[picture];
    }
    void end_program(int exit_code) override { exit_code_ = exit_code; }

    // Advances the clock by whole seconds.
    void advance(long long seconds) { clock = clock.plus_seconds(seconds); }
    // Showing or hiding a minimised or maximised window keeps its state, as a
    // desktop window keeps it while invisible.
    void set_visible(WindowId w, bool shown) {
        visible[w] = shown;
        const WindowState s = window_state(w);
        if (s != WindowState::minimised && s != WindowState::maximised)
            windows[w] = shown ? WindowState::normal : WindowState::hidden;
    }

    std::string folder;
    DateTime clock = *DateTime::from_fields(2024, 4, 1, 9, 0, 0);
    // dialog_folders: the start folder of every file dialog.
    std::vector<std::string> sounds, pages, messages, dialog_folders, notifications;
    bool browser_available = true, bound_to_all_addresses = false;
    std::optional<std::string> chosen_file;
    std::optional<int> bound_port;
    std::optional<std::string> broker_url;  // the broker connected to, until closed
    std::string broker_client;
    std::vector<int> pauses;
    // Runs inside every pause, as the events the desktop delivers meanwhile.
    std::function<void()> during_pause;
    std::map<WindowId, WindowState> windows{{WindowId::main, WindowState::normal}};
    std::map<WindowId, bool> visible;  // apart from the state: a minimised window may be either
    std::map<WindowId, std::pair<int, int>> window_sizes;
    std::vector<WindowId> closed;  // every close_window call, in order
    double twips_per_px = 15;
    std::map<PictureId, RecordingCanvas> canvases;
    std::optional<int> exit_code_;
};

}  // namespace eew::test
