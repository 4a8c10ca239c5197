#include "ui/event_window.hpp"

#include <QCloseEvent>
#include <QEvent>

using eew::WindowState;

WindowState EventWindow::state() const {
    if (shape_ != WindowState::normal) return shape_;
    return visible_ ? WindowState::normal : WindowState::hidden;
}

void EventWindow::show_tracked() {
    if (visible_ && isVisible()) {
        raise_asked_ = true;
        return;
    }
    visible_ = true;
    show();
    raise();
}

void EventWindow::raise_if_asked() {
    if (!raise_asked_) return;
    raise_asked_ = false;
    if (visible_) raise();
}

void EventWindow::hide_tracked() {
    visible_ = false;
    hide();
}

void EventWindow::minimise() {
    shape_ = WindowState::minimised;
    // Only the state: a hidden window must not appear in the process.
    setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
}

void EventWindow::restore() {
    shape_ = WindowState::normal;
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void EventWindow::changeEvent(QEvent* event) {
    // Our own requests arrive here too, but not spontaneous; only the window
    // system's word (the user's click on its frame) changes the state.
    if (event->type() == QEvent::WindowStateChange && event->spontaneous()) {
        const Qt::WindowStates s = windowState();
        shape_ = s & Qt::WindowMinimized   ? WindowState::minimised
                 : s & Qt::WindowMaximized ? WindowState::maximised
                                           : WindowState::normal;
    }
    QWidget::changeEvent(event);
}

void EventWindow::closeEvent(QCloseEvent* event) {
    visible_ = false;
    event->accept();
}
