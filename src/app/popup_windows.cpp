#include "app/popup_windows.hpp"

#include <cmath>

#include "app/desktop_notice.hpp"
#include "app/main_state.hpp"
#include "app/program_modes.hpp"
#include "view/platform.hpp"

namespace eew {
namespace {

// A magnitude no report reaches: with it nothing passes the filter.
constexpr double kFilterClosed = 10;

// The presented height is the event map with its legend and value rows
// below it. The width adds to the map's 10185 twips the column that holds the
// first and latest info, the reference site and the mechanism beside the map:
// a user must see them without widening the window. The waveform panel lies
// beyond it and shows when the window is widened.
constexpr double kPopupWidthTwips = 10185 + 5475;
constexpr double kPopupHeightTwips = 11950;

// Slot 0 means "no slot": a report dropped for want of a free slot leaves
// `i_event_now` at 0, and there is no event whose flag could change.
void set_filter_flag_of_latest(EventTable& t, int value) {
    if (t.i_event_now >= 1 && t.i_event_now <= EventTable::kSlots)
        t.filter_flag[t.i_event_now] = value;
}

// A window not created yet is in its normal state already; restoring it
// would create it.
void restore_existing_window(Platform& p, WindowId w) {
    if (p.window_state(w) != WindowState::not_created) p.restore_window(w);
}

}  // namespace

void Check1_Click(MainState& m, Platform& p, bool checked) {
    set_popups_on(m, checked);
    if (checked) {
        // The value read at start-up, not one typed into the settings since.
        m.settings.magnitude_min = m.settings.magnitude_min_defalt;
        // Unticking minimised the windows; left so, the next event would
        // find the pop-up minimised and not bring it up.
        restore_existing_window(p, WindowId::popupmap);
        restore_existing_window(p, WindowId::message);
        if (!m.modes.event_announced) return;
        set_filter_flag_of_latest(m.events, 1);
        p.show_window(WindowId::popupmap);
        p.show_window(WindowId::message);
        close_desktop_notice(m, p);
    } else {
        m.settings.magnitude_min = kFilterClosed;
        set_filter_flag_of_latest(m.events, 0);
        p.minimise_window(WindowId::popupmap);
        p.minimise_window(WindowId::message);
        p.hide_window(WindowId::popupmap);
        p.hide_window(WindowId::message);
    }
}

void close_event_windows(MainState& m, Platform& p) {
    p.close_window(WindowId::message);
    p.close_window(WindowId::popupmap);
    m.message_view = MessageView{};
    m.popup_view = PopupView{};
    m.mechanism_shown.reset();
}

void set_popup_presented_size(Platform& p) {
    const double tpp = p.twips_per_pixel();
    p.resize_window(WindowId::popupmap, static_cast<int>(std::lround(kPopupWidthTwips / tpp)),
                    static_cast<int>(std::lround(kPopupHeightTwips / tpp)));
}

}  // namespace eew
