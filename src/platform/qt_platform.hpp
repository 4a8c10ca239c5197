#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSoundEffect>
#include <QUdpSocket>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "app/platform.hpp"
#include "ui/render_pacer.hpp"

class EventWindow;
class MainWindow;
class MessageWindow;
class PictureArea;
class PopupWindow;
class SettingsWindow;

namespace eew {
struct MessageView;
struct PopupView;
struct SetformView;
}  // namespace eew

// The desktop side of the core's Platform interface, on Qt.
class QtPlatform : public QObject, public eew::Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    void attach(MainWindow* main_window) { main_window_ = main_window; }
    // The values the pop-up and message windows show; kept by the caller for
    // the platform's lifetime.
    void attach_views(const eew::PopupView& popup, const eew::MessageView& message) {
        popup_view_ = &popup;
        message_view_ = &message;
    }
    // The values the settings dialog shows, kept by the caller for the
    // platform's lifetime, and what to do with each dialog made (connect its
    // controls).
    void attach_setform(const eew::SetformView& view, std::function<void(QWidget&)> created) {
        setform_view_ = &view;
        setform_created_ = std::move(created);
    }
    // Renders the pop-up and message windows that exist from their views;
    // called after every handler, as the main window's render is.
    void render_event_windows();
    // For datagrams: at most one render every 33 ms (30 frames a second), the
    // first at once: a report that comes alone shows at once, one close behind
    // another at most 33 ms late, and a flood of a thousand a second costs 30
    // renders, not a thousand.
    void render_event_windows_soon() { event_render_pacer_.request(); }
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
    std::optional<std::string> choose_file(const std::string& start_folder) override;
    void message_box(const std::string& text) override;
    void pause_with_events(int milliseconds) override;
    void show_window(eew::WindowId window) override;
    void hide_window(eew::WindowId window) override;
    void minimise_window(eew::WindowId window) override;
    void restore_window(eew::WindowId window) override;
    void resize_window(eew::WindowId window, int width_px, int height_px) override;
    void close_window(eew::WindowId window) override;
    eew::WindowState window_state(eew::WindowId window) const override;
    double twips_per_pixel() const override;
    eew::Canvas& canvas(eew::PictureId picture) override;
    void end_program(int exit_code) override;

  private:
    QWidget* window(eew::WindowId id) const;
    // The pop-up or message window, created hidden on first use; nullptr
    // for the other windows.
    EventWindow* event_window(eew::WindowId id);
    PopupWindow& popup();
    MessageWindow& message();
    void read_datagrams(QUdpSocket* socket);
    void handle_received();
    void show_setform();

    MainWindow* main_window_ = nullptr;
    // One socket per bound address: IPv4 and IPv6 loopback in relay mode,
    // the any-address in LAN mode.
    std::vector<QUdpSocket*> sockets_;
    QSoundEffect sound_;
    std::function<void(std::string_view)> datagram_handler_;
    // Datagrams read from the sockets and not handled yet, oldest first; past
    // 4,096 of them or 8 MB the newest are dropped, as a full socket buffer would.
    std::deque<QByteArray> received_;
    QByteArray read_buffer_{65536, Qt::Uninitialized};  // as large as any datagram
    std::optional<std::chrono::steady_clock::time_point> zone_read_;
    RenderPacer event_render_pacer_{33, [this] { render_event_windows(); }};
    std::size_t received_bytes_ = 0;
    bool handling_ = false;
    QTimer handle_soon_;  // runs handle_received() from the event loop
    // Without a main window (tests) the main map draws here, unseen.
    std::unique_ptr<PictureArea> detached_main_map_;
    std::unique_ptr<PopupWindow> popup_;
    std::unique_ptr<MessageWindow> message_;
    const eew::PopupView* popup_view_ = nullptr;
    const eew::MessageView* message_view_ = nullptr;
    // Deletes itself when closed, whoever closes it.
    QPointer<SettingsWindow> setform_;
    const eew::SetformView* setform_view_ = nullptr;
    std::function<void(QWidget&)> setform_created_;
};
