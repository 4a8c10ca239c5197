#pragma once

#include <QObject>
#include <QSoundEffect>
#include <QUdpSocket>
#include <functional>
#include <memory>
#include <vector>

#include "app/platform.hpp"

class MainWindow;
class PictureArea;

// The desktop side of the core's Platform interface, on Qt.
class QtPlatform : public QObject, public eew::Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    void attach(MainWindow* main_window) { main_window_ = main_window; }
    // Called with the bytes of each datagram, in arrival order.
    void on_datagram(std::function<void(std::string_view)> handler) {
        datagram_handler_ = std::move(handler);
    }

    std::string program_folder() override;
    eew::DateTime now() override;
    void play_sound(const std::string& wav_path) override;
    bool open_web_page(const std::string& url) override;
    std::optional<std::string> bind_feed(int port, bool all_addresses) override;
    void close_feed() override;
    bool feed_closed() const override;
    std::optional<std::string> choose_file() override;
    void message_box(const std::string& text) override;
    void pause_with_events(int milliseconds) override;
    void show_window(eew::WindowId window) override;
    void hide_window(eew::WindowId window) override;
    void minimise_window(eew::WindowId window) override;
    void restore_window(eew::WindowId window) override;
    void resize_window(eew::WindowId window, int width_px, int height_px) override;
    void close_window(eew::WindowId window) override;
    eew::WindowState window_state(eew::WindowId window) const override;
    eew::Canvas& canvas(eew::PictureId picture) override;
    void end_program(int exit_code) override;

  private:
    QWidget* window(eew::WindowId id) const;
    void read_datagrams(QUdpSocket* socket);

    MainWindow* main_window_ = nullptr;
    // One socket per bound address: IPv4 and IPv6 loopback in relay mode,
    // the any-address in LAN mode.
    std::vector<QUdpSocket*> sockets_;
    QSoundEffect sound_;
    std::function<void(std::string_view)> datagram_handler_;
    // Pictures of windows that do not exist yet draw here, unseen.
    std::unique_ptr<PictureArea> detached_[4];
};
