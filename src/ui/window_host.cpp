#include "ui/window_host.hpp"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "ui/main_window.hpp"
#include "ui/message_window.hpp"
#include "ui/picture_area.hpp"
#include "ui/popup_window.hpp"
#include "ui/settings_window.hpp"

WindowHost::WindowHost() = default;
WindowHost::~WindowHost() {
    delete setform_.data();
}

void WindowHost::render_all() {
    if (main_window_) main_window_->render();
    render_event_windows();
}

std::optional<std::string> WindowHost::choose_file(const std::string& start_folder) {
    const QString f =
        QFileDialog::getOpenFileName(main_window_, QString(), QString::fromStdString(start_folder));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

void WindowHost::message_box(const std::string& text) {
    QMessageBox::information(main_window_, "eewclient", QString::fromStdString(text));
}

void WindowHost::render_event_windows() {
    if (popup_ && popup_view_) popup_->render(*popup_view_);
    if (message_ && message_view_) message_->render(*message_view_);
    // The pop-up first, so that the sentences stay on top of it.
    if (popup_) popup_->raise_if_asked();
    if (message_) message_->raise_if_asked();
}

PopupWindow& WindowHost::popup() {
    if (!popup_) popup_ = std::make_unique<PopupWindow>(twips_per_pixel());
    return *popup_;
}

MessageWindow& WindowHost::message() {
    if (!message_) {
        message_ = std::make_unique<MessageWindow>();
        // The pop-up comes up at the top left; the sentences go to the
        // opposite corner so that neither hides the other.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect free = screen->availableGeometry();
            message_->move(free.right() - message_->width(), free.bottom() - message_->height());
        }
    }
    return *message_;
}

EventWindow* WindowHost::event_window(eew::WindowId id) {
    if (id == eew::WindowId::popupmap) return &popup();
    if (id == eew::WindowId::message) return &message();
    return nullptr;
}

QWidget* WindowHost::window(eew::WindowId id) const {
    if (id == eew::WindowId::setform) return setform_;
    return id == eew::WindowId::main ? main_window_ : nullptr;
}

// A closed dialog is gone: it is made afresh and shows the view as it is now.
// An open one comes to the front as it stands, with the user's edits.
void WindowHost::show_setform() {
    if (!setform_view_) return;
    if (setform_ && !setform_->isVisible()) setform_->deleteLater();
    if (!setform_ || !setform_->isVisible()) {
        setform_ = new SettingsWindow(*setform_view_);
        if (setform_created_) setform_created_(*setform_);
        setform_->render();
    }
    setform_->setWindowState(setform_->windowState() & ~Qt::WindowMinimized);
    setform_->show();
    setform_->raise();
    setform_->activateWindow();
}

void WindowHost::show_window(eew::WindowId id) {
    if (id == eew::WindowId::setform) {
        show_setform();
    } else if (EventWindow* w = event_window(id)) {
        w->show_tracked();
    } else if (QWidget* w = window(id)) {
        w->show();
    }
}

void WindowHost::hide_window(eew::WindowId id) {
    if (EventWindow* w = event_window(id)) {
        w->hide_tracked();
    } else if (QWidget* w = window(id)) {
        w->hide();
    }
}

void WindowHost::minimise_window(eew::WindowId id) {
    if (EventWindow* w = event_window(id)) {
        w->minimise();
    } else if (QWidget* w = window(id)) {
        w->showMinimized();
    }
}

void WindowHost::restore_window(eew::WindowId id) {
    if (EventWindow* w = event_window(id)) {
        w->restore();
    } else if (QWidget* w = window(id)) {
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    }
}

void WindowHost::resize_window(eew::WindowId id, int width_px, int height_px) {
    // The pop-up may be widened by the user to see its other panels.
    if (EventWindow* w = event_window(id)) {
        w->resize(width_px, height_px);
    } else if (QWidget* w = window(id)) {
        w->setFixedSize(width_px, height_px);
    }
}

void WindowHost::close_window(eew::WindowId id) {
    if (id == eew::WindowId::popupmap) {
        popup_.reset();
    } else if (id == eew::WindowId::message) {
        message_.reset();
    } else if (id == eew::WindowId::setform) {
        if (setform_) setform_->close();
        setform_.clear();
    } else if (QWidget* w = window(id)) {
        w->close();
    }
}

eew::WindowState WindowHost::window_state(eew::WindowId id) const {
    if (id == eew::WindowId::popupmap)
        return popup_ ? popup_->state() : eew::WindowState::not_created;
    if (id == eew::WindowId::message)
        return message_ ? message_->state() : eew::WindowState::not_created;
    const QWidget* w = window(id);
    if (!w) return eew::WindowState::not_created;
    // The dialog is never hidden, only closed, and a closed one is deleted.
    if (id == eew::WindowId::setform && !w->isVisible()) return eew::WindowState::not_created;
    if (w->isMinimized()) return eew::WindowState::minimised;
    if (w->isMaximized()) return eew::WindowState::maximised;
    return w->isVisible() ? eew::WindowState::normal : eew::WindowState::hidden;
}

double WindowHost::twips_per_pixel() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

eew::Canvas& WindowHost::canvas(eew::PictureId picture) {
    switch (picture) {
        case eew::PictureId::event_map:
            return popup().event_map();
        case eew::PictureId::waveform_panel:
            return popup().waveform_panel();
        case eew::PictureId::mechanism_panel:
            return popup().mechanism_panel();
        case eew::PictureId::main_map:
            break;
    }
    if (main_window_) return main_window_->main_map();
    if (!detached_main_map_)
        detached_main_map_ = std::make_unique<PictureArea>("detached", QSize(425, 457), Qt::white);
    return *detached_main_map_;
}
