#pragma once

#include "platform/qt_environment.hpp"
#include "ui/window_host.hpp"
#include "view/platform.hpp"

// The core's Platform on the desktop: the computer's side from the
// environment, the windows from the host.
class QtPlatform : public eew::Platform {
  public:
    QtEnvironment& environment() { return environment_; }
    WindowHost& windows() { return windows_; }

    std::string program_folder() override { return environment_.program_folder(); }
    eew::DateTime now() override { return environment_.now(); }
    void play_sound(const std::string& wav_path) override { environment_.play_sound(wav_path); }
    void notify(const std::string& summary, const std::string& body) override {
        environment_.notifier().notify(summary, body);
    }
    void close_notification() override { environment_.notifier().close(); }
    void play_sound_next(const std::string& wav_path) override {
        environment_.play_sound_next(wav_path);
    }
    bool open_web_page(const std::string& url) override { return environment_.open_web_page(url); }
    std::optional<std::string> bind_feed(int port, bool all_addresses) override {
        return environment_.bind_feed(port, all_addresses);
    }
    void close_feed() override { environment_.close_feed(); }
    bool feed_closed() const override { return environment_.feed_closed(); }
    void open_broker(const eew::BrokerConfig& broker, const std::string& client_id) override {
        environment_.open_broker(broker, client_id);
    }
    void close_broker() override { environment_.close_broker(); }
    std::optional<std::string> choose_file(const std::string& start_folder) override {
        return windows_.choose_file(start_folder);
    }
    void message_box(const std::string& text) override { windows_.message_box(text); }
    // What the handler changed is shown before the wait: the chime's pause
    // comes with a pop-up the user should already see.
    void pause_with_events(int milliseconds) override {
        windows_.render_all();
        environment_.pause_with_events(milliseconds);
    }
    void show_window(eew::WindowId w) override { windows_.show_window(w); }
    void hide_window(eew::WindowId w) override { windows_.hide_window(w); }
    void minimise_window(eew::WindowId w) override { windows_.minimise_window(w); }
    void restore_window(eew::WindowId w) override { windows_.restore_window(w); }
    void resize_window(eew::WindowId w, int width_px, int height_px) override {
        windows_.resize_window(w, width_px, height_px);
    }
    void close_window(eew::WindowId w) override { windows_.close_window(w); }
    eew::WindowState window_state(eew::WindowId w) const override {
        return windows_.window_state(w);
    }
    double twips_per_pixel() const override { return windows_.twips_per_pixel(); }
    eew::Canvas& canvas(eew::PictureId picture) override { return windows_.canvas(picture); }
    void end_program(int exit_code) override;

  private:
    QtEnvironment environment_;
    WindowHost windows_;
};
