#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.hpp"
#include "fakes/recording_canvas.hpp"

namespace eew::test {

// A platform for tests: a settable clock, recorded sounds, pages, dialogs and
// window operations, and one recording canvas per picture.
class FakePlatform : public Platform {
  public:
    explicit FakePlatform(std::string folder = "/nonexistent");

    std::string program_folder() override { return folder; }
    DateTime now() override { return clock; }
    void play_sound(const std::string& wav_path) override { sounds.push_back(wav_path); }
    bool open_web_page(const std::string& url) override;
    std::optional<std::string> bind_feed(int port, bool all_addresses) override;
    void close_feed() override { bound_port.reset(); }
    bool feed_closed() const override { return !bound_port.has_value(); }
    std::optional<std::string> choose_file(const std::string& start_folder) override {
        dialog_folders.push_back(start_folder);
        return chosen_file;
    }
    void message_box(const std::string& text) override { messages.push_back(text); }
    void pause_with_events(int milliseconds) override;
    void show_window(WindowId window) override;
    void hide_window(WindowId window) override;
    void minimise_window(WindowId window) override;
    void restore_window(WindowId window) override;
    void resize_window(WindowId window, int width_px, int height_px) override;
    void close_window(WindowId window) override;
    WindowState window_state(WindowId window) const override;
    double twips_per_pixel() const override { return twips_per_px; }
    Canvas& canvas(PictureId picture) override;
    void end_program(int exit_code) override { exit_code_ = exit_code; }

    // Advances the clock by whole seconds.
    void advance(long long seconds) { clock = clock.plus_seconds(seconds); }

    std::string folder;
    DateTime clock;
    std::vector<std::string> sounds;
    std::vector<std::string> pages;
    bool browser_available = true;
    std::vector<std::string> messages;
    std::optional<std::string> chosen_file;
    std::vector<std::string> dialog_folders;  // the start folder of every file dialog
    std::optional<int> bound_port;
    bool bound_to_all_addresses = false;
    std::optional<std::string> bind_failure;  // set to make the next bind fail
    std::vector<int> pauses;
    // Runs inside every pause, as the events the desktop delivers meanwhile.
    std::function<void()> during_pause;
    std::map<WindowId, WindowState> windows;
    std::map<WindowId, bool> visible;  // apart from the state: a minimised window may be either
    std::map<WindowId, std::pair<int, int>> window_sizes;
    std::vector<WindowId> closed;  // every close_window call, in order
    double twips_per_px = 15;
    std::map<PictureId, RecordingCanvas> canvases;
    std::optional<int> exit_code_;
};

}  // namespace eew::test
