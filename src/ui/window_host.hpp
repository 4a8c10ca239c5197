#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/render_pacer.hpp"
#include "view/platform.hpp"

class EventWindow;
class MainWindow;
class MessageWindow;
class PictureArea;
class PopupWindow;
class QWidget;
class SettingsWindow;

namespace eew {
struct MessageView;
struct PopupView;
struct SetformView;
}  // namespace eew

// The program's windows by their ids: made on first use, shown, minimised
// and closed as the handlers ask, their pictures, and the two modal dialogs.
class WindowHost {
  public:
    WindowHost();
    ~WindowHost();

    void attach(MainWindow* main_window) { main_window_ = main_window; }
    // The values the pop-up and message windows show; kept by the caller for
    // the host's lifetime.
    void attach_views(const eew::PopupView& popup, const eew::MessageView& message) {
        popup_view_ = &popup;
        message_view_ = &message;
    }
    // The values the settings dialog shows, kept by the caller for the
    // host's lifetime, and what to do with each dialog made (connect its
    // controls).
    void attach_setform(const eew::SetformView& view, std::function<void(QWidget&)> created) {
        setform_view_ = &view;
        setform_created_ = std::move(created);
    }
    // Renders the main window and the pop-up and message windows that exist
    // from their views.
    void render_all();
    void render_event_windows();
    // For datagrams: at most one render every 33 ms (30 frames a second), the
    // first at once: a report that comes alone shows at once, one close behind
    // another at most 33 ms late, and a flood of a thousand a second costs 30
    // renders, not a thousand.
    void render_event_windows_soon() { event_render_pacer_.request(); }

    std::optional<std::string> choose_file(const std::string& start_folder);
    void message_box(const std::string& text);
    void show_window(eew::WindowId window);
    void hide_window(eew::WindowId window);
    void minimise_window(eew::WindowId window);
    void restore_window(eew::WindowId window);
    void resize_window(eew::WindowId window, int width_px, int height_px);
    void close_window(eew::WindowId window);
    eew::WindowState window_state(eew::WindowId window) const;
    double twips_per_pixel() const;
    eew::Canvas& canvas(eew::PictureId picture);

  private:
    QWidget* window(eew::WindowId id) const;
    // The pop-up or message window, created hidden on first use; nullptr
    // for the other windows.
    EventWindow* event_window(eew::WindowId id);
    PopupWindow& popup();
    MessageWindow& message();
    void show_setform();

    MainWindow* main_window_ = nullptr;
    RenderPacer event_render_pacer_{33, [this] { render_event_windows(); }};
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
