#pragma once

#include <string>

#include "text/date_time.hpp"
#include "view/main_view.hpp"

namespace eew {

// Shows `text` in the main window's notice box, after the time it happened.
// A notice never waits for a click: the program goes on, and the notice
// stays until a later one replaces it, for whoever comes back to the screen.
inline void post_notice(MainView& view, const DateTime& now, const std::string& text) {
    view.notice = now.text() + "  " + text;
}

}  // namespace eew
