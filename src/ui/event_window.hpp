#pragma once

#include <QWidget>

#include "view/platform.hpp"

// A top-level window whose state (hidden, normal, minimised, maximised) the
// program keeps itself: without a window manager, as offscreen, a minimise
// request is never confirmed, and some window systems never report one. What
// the window system does report (the user minimising or restoring it) still
// updates the state. The close box only hides the window: the core owns its
// values and closes it when the event ends.
class EventWindow : public QWidget {
  public:
    using QWidget::QWidget;

    eew::WindowState state() const;
    // Shows the window; one already showing is brought to the front by the
    // next raise_if_asked(), so that a flood of reports costs a few raises a
    // second instead of one window-system request each.
    void show_tracked();
    void raise_if_asked();
    void hide_tracked();
    void minimise();
    // Back to the normal state; a hidden window stays hidden.
    void restore();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool visible_ = false;
    bool raise_asked_ = false;
    // normal, minimised or maximised, whether visible or not.
    eew::WindowState shape_ = eew::WindowState::normal;
};
