#pragma once

#include <optional>
#include <string>

#include "config/broker_config.hpp"
#include "text/date_time.hpp"

namespace eew {

class Canvas;

enum class WindowId { main, setform, popupmap, message };

enum class WindowState { not_created, hidden, normal, minimised, maximised };

enum class PictureId { main_map, event_map, waveform_panel, mechanism_panel };

// Everything the core needs from the desktop. All calls happen on the one
// user-interface thread; none of them blocks except the modal dialogs and
// pause_with_events().
class Platform {
  public:
    virtual ~Platform() = default;

    // The folder that holds the executable.
    virtual std::string program_folder() = 0;
    // The current local date-time.
    virtual DateTime now() = 0;

    // Starts playing a WAV file and returns at once; a new request replaces a
    // sound still playing. An empty path only stops the current sound.
    virtual void play_sound(const std::string& wav_path) = 0;
    // Plays a WAV file once the sound playing now has ended, at once when none
    // plays; a later play_sound() drops it.
    virtual void play_sound_next(const std::string& wav_path) = 0;
    // Shows a critical desktop notification, or replaces the one this program
    // showed last; nothing where the desktop has no notification service.
    virtual void notify(const std::string& summary, const std::string& body) = 0;
    // Closes the notification shown last, if one is shown.
    virtual void close_notification() = 0;
    // Opens the address in a visible browser window that outlives the call.
    // Returns false when no browser could be started.
    virtual bool open_web_page(const std::string& url) = 0;

    // Binds the feed socket to the UDP port; on the loopback addresses only
    // unless `all_addresses`. Returns nothing on success, else the reason, and
    // the socket is then closed.
    virtual std::optional<std::string> bind_feed(int port, bool all_addresses) = 0;
    virtual void close_feed() = 0;
    virtual bool feed_closed() const = 0;
    // Connects to the message broker, subscribes to its topic and keeps
    // connecting until close_broker(). The broker's messages and the changes
    // of the connection come back through the desktop, as datagrams do.
    // `client_id` names this display's session at the broker.
    virtual void open_broker(const BrokerConfig& broker, const std::string& client_id) = 0;
    virtual void close_broker() = 0;

    // Modal file-open dialog showing `start_folder` first; nothing when
    // cancelled.
    virtual std::optional<std::string> choose_file(const std::string& start_folder) = 0;
    // Modal message box with an OK button.
    virtual void message_box(const std::string& text) = 0;
    // Waits, letting other user-interface events run meanwhile.
    virtual void pause_with_events(int milliseconds) = 0;

    // Windows other than the main one are created on first use, hidden.
    virtual void show_window(WindowId window) = 0;
    virtual void hide_window(WindowId window) = 0;
    virtual void minimise_window(WindowId window) = 0;
    virtual void restore_window(WindowId window) = 0;
    // Sets the size of the window's client area, in pixels.
    virtual void resize_window(WindowId window, int width_px, int height_px) = 0;
    // Destroys the window; the next use creates it again, empty.
    virtual void close_window(WindowId window) = 0;
    // Does not create the window: one never used, or closed, is not_created.
    // A minimised window stays minimised while hidden.
    virtual WindowState window_state(WindowId window) const = 0;
    // Twips (1/1440 inch) per pixel on the screen the windows appear on: 15
    // at 96 logical dots per inch. Window sizes given in twips convert with it.
    virtual double twips_per_pixel() const = 0;

    virtual Canvas& canvas(PictureId picture) = 0;

    // Ends the program once the current handler returns.
    virtual void end_program(int exit_code) = 0;
};

}  // namespace eew
