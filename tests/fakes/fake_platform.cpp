#include "fakes/fake_platform.hpp"

namespace eew::test {

FakePlatform::FakePlatform(std::string f)
    : folder(std::move(f)), clock(*DateTime::from_fields(2024, 4, 1, 9, 0, 0)) {
    windows[WindowId::main] = WindowState::normal;
}

bool FakePlatform::open_web_page(const std::string& url) {
    if (!browser_available) return false;
    pages.push_back(url);
    return true;
}

std::optional<std::string> FakePlatform::bind_feed(int port, bool all_addresses) {
    bound_port.reset();
    if (bind_failure) return bind_failure;
    bound_port = port;
    bound_to_all_addresses = all_addresses;
    return std::nullopt;
}

void FakePlatform::pause_with_events(int milliseconds) {
    pauses.push_back(milliseconds);
    if (during_pause) during_pause();
}

// The pop-up's pictures belong to the pop-up: using one creates the window,
// hidden, as on the desktop.
Canvas& FakePlatform::canvas(PictureId picture) {
    if (picture != PictureId::main_map &&
        window_state(WindowId::popupmap) == WindowState::not_created)
        windows[WindowId::popupmap] = WindowState::hidden;
    return canvases[picture];
}

// Showing a minimised or maximised window keeps its state, as on a desktop.
void FakePlatform::show_window(WindowId w) {
    visible[w] = true;
    const WindowState s = window_state(w);
    if (s == WindowState::hidden || s == WindowState::not_created) windows[w] = WindowState::normal;
}

// A minimised window stays minimised when hidden, as a desktop window keeps
// its minimised state while invisible.
void FakePlatform::hide_window(WindowId w) {
    visible[w] = false;
    const WindowState s = window_state(w);
    if (s == WindowState::normal || s == WindowState::not_created) windows[w] = WindowState::hidden;
}

void FakePlatform::minimise_window(WindowId w) {
    windows[w] = WindowState::minimised;
}

void FakePlatform::restore_window(WindowId w) {
    if (window_state(w) == WindowState::normal) return;
    windows[w] = visible[w] ? WindowState::normal : WindowState::hidden;
}

void FakePlatform::resize_window(WindowId w, int width_px, int height_px) {
    window_sizes[w] = {width_px, height_px};
}

void FakePlatform::close_window(WindowId w) {
    closed.push_back(w);
    windows[w] = WindowState::not_created;
    visible[w] = false;
}

WindowState FakePlatform::window_state(WindowId w) const {
    auto it = windows.find(w);
    return it == windows.end() ? WindowState::not_created : it->second;
}

}  // namespace eew::test
