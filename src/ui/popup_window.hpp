#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/event_window.hpp"

class QLabel;
class QLineEdit;
class PictureArea;

namespace eew {
struct PopupView;
}

// The pop-up window "new event!": the event map with the station legend and
// the mechanism panel over it, the values of the followed event below it,
// the first and latest info to its right and the observed waves beyond.
// Presented at the size that shows the map and the values under it; the
// rest is there when the user widens the window. Every control carries its
// system name as object name and its caption label has it as buddy; every
// box and picture has an accessible name.
class PopupWindow : public EventWindow {
  public:
    // `twips_per_pixel` places and sizes the mechanism panel, which is
    // measured in twips.
    explicit PopupWindow(double twips_per_pixel);

    // Sets the widgets whose value changed since the last render.
    void render(const eew::PopupView& view);

    PictureArea& event_map() { return *picture1_; }
    PictureArea& waveform_panel() { return *picture2_; }
    PictureArea& mechanism_panel() { return *picture3_; }

  private:
    using Field = std::function<const std::string&(const eew::PopupView&)>;
    struct Binding {
        Field field;
        QWidget* widget;  // a QLineEdit or a QLabel
        std::string shown;
    };

    QLabel* caption(const QString& text, int x, int y, int width, QWidget* parent = nullptr);
    // A read-only box showing `field`; `accessible_name` is what a screen
    // reader calls it: its caption, with its column where it has one.
    QLineEdit* box(std::string eew::PopupView::*field, const char* name,
                   const QString& accessible_name, int x, int y, int width);
    QLabel* label(std::string eew::PopupView::*field, const char* name, int x, int y, int width,
                  QWidget* parent);
    QLabel* label(Field field, const QString& name, int x, int y, int width, QWidget* parent);
    void add_map(double twips_per_pixel);
    void add_values();
    void add_info_columns();
    void add_waveform_panel();
    void add_waveform_rows();

    PictureArea* picture1_;
    PictureArea* picture2_;
    PictureArea* picture3_;
    std::vector<Binding> bindings_;
    QLineEdit* delay_box_ = nullptr;  // on the notice's colour when the report came late
    bool delay_late_ = false;
};
