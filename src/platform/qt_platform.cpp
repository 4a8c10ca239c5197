#include "platform/qt_platform.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <ctime>

#include "ui/main_window.hpp"
#include "ui/message_window.hpp"
#include "ui/picture_area.hpp"
#include "ui/popup_window.hpp"
#include "ui/settings_window.hpp"

QtPlatform::QtPlatform() {
    handle_soon_.setSingleShot(true);
    handle_soon_.setInterval(0);
    connect(&handle_soon_, &QTimer::timeout, this, &QtPlatform::handle_received);
}
QtPlatform::~QtPlatform() {
    delete setform_.data();
}

std::string QtPlatform::program_folder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

// Every datagram reads the clock. QDateTime re-reads the zone file for each
// local time (a file-system call that was most of a report's decoding cost);
// localtime_r uses the zone it has, and tzset() picks up a changed zone once
// a minute.
eew::DateTime QtPlatform::now() {
    const auto wall = std::chrono::system_clock::now();
    const auto steady = std::chrono::steady_clock::now();
    if (!zone_read_ || steady - *zone_read_ > std::chrono::minutes(1)) {
        tzset();
        zone_read_ = steady;
    }
    const std::time_t seconds = std::chrono::system_clock::to_time_t(wall);
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return eew::DateTime();
    return eew::DateTime::from_fields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec)
        .value_or(eew::DateTime());
}

// QSoundEffect decodes PCM WAV itself and needs no media backend. Without an
// audio device play() returns at once and plays nothing, but isPlaying() then
// stays true for ever, so nothing here relies on it: every request stops
// whatever runs and starts afresh.
void QtPlatform::play_sound(const std::string& wav_path) {
    sound_.stop();
    if (wav_path.empty()) return;
    sound_.setSource(QUrl::fromLocalFile(QString::fromStdString(wav_path)));
    sound_.play();
}

// A display without desktop services (a wall display on the frame buffer,
// say) cannot open an address through Qt, but the desktop's opener may still
// be there.
bool QtPlatform::open_web_page(const std::string& url) {
    const QString address = QString::fromStdString(url);
    if (QDesktopServices::openUrl(QUrl(address))) return true;
    return QProcess::startDetached("xdg-open", {address});
}

std::optional<std::string> QtPlatform::bind_feed(int port, bool all_addresses) {
    close_feed();
    if (port < 1 || port > 65535) {
        return "port " + std::to_string(port) + " is not a valid UDP port (1 to 65535)";
    }
    const std::vector<QHostAddress> addresses =
        all_addresses ? std::vector<QHostAddress>{QHostAddress(QHostAddress::Any)}
                      : std::vector<QHostAddress>{QHostAddress(QHostAddress::LocalHost),
                                                  QHostAddress(QHostAddress::LocalHostIPv6)};
    for (const QHostAddress& address : addresses) {
        auto* socket = new QUdpSocket(this);
        if (!socket->bind(address, static_cast<quint16>(port))) {
            const std::string reason = socket->errorString().toStdString();
            delete socket;
            // IPv6 loopback is a courtesy for relays that send to "::1"; a
            // machine without IPv6 still receives on 127.0.0.1.
            if (address == QHostAddress(QHostAddress::LocalHostIPv6)) continue;
            close_feed();
            return "port " + std::to_string(port) + " could not be opened (" + reason + ")";
        }
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { read_datagrams(socket); });
        sockets_.push_back(socket);
    }
    return std::nullopt;
}

void QtPlatform::read_datagrams(QUdpSocket* socket) {
    // The handlers run from a zero timer, not from this slot: a socket does
    // not signal again while its own signal is running, so a handler that
    // pauses (the new-event chime) would stop reception for the whole pause.
    // A timer rather than a queued call, which would also wake the event loop
    // through a file descriptor for every datagram. A burst is read in slices
    // so that the timers get their turn in a flood.
    for (int n = 0;
         n < 256 && socket->state() == QAbstractSocket::BoundState && socket->hasPendingDatagrams();
         ++n) {
        // One read into a buffer as large as any datagram; receiveDatagram()
        // would also ask for the size and the addresses, a system call each.
        const qint64 size = socket->readDatagram(read_buffer_.data(), read_buffer_.size());
        if (size < 0) break;
        QByteArray bytes(read_buffer_.constData(), size);
        if (received_.size() >= 4096 || received_bytes_ + bytes.size() > 8 << 20) continue;
        received_bytes_ += bytes.size();
        received_.push_back(std::move(bytes));
    }
    if (!handling_ && !received_.empty() && !handle_soon_.isActive()) handle_soon_.start();
}

// In arrival order; what arrives during a handler's pause joins the queue.
void QtPlatform::handle_received() {
    if (handling_) return;
    handling_ = true;
    while (!received_.empty()) {
        const QByteArray bytes = std::move(received_.front());
        received_.pop_front();
        received_bytes_ -= bytes.size();
        if (datagram_handler_) datagram_handler_(std::string_view(bytes.constData(), bytes.size()));
    }
    handling_ = false;
}

void QtPlatform::close_feed() {
    for (QUdpSocket* socket : sockets_) {
        socket->close();
        socket->deleteLater();
    }
    sockets_.clear();
    received_.clear();  // nothing read before the stop is handled after it
    received_bytes_ = 0;
}

bool QtPlatform::feed_closed() const {
    return sockets_.empty();
}

std::optional<std::string> QtPlatform::choose_file(const std::string& start_folder) {
    const QString f =
        QFileDialog::getOpenFileName(main_window_, QString(), QString::fromStdString(start_folder));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

void QtPlatform::message_box(const std::string& text) {
    QMessageBox::information(main_window_, "eewclient", QString::fromStdString(text));
}

void QtPlatform::pause_with_events(int milliseconds) {
    if (main_window_) main_window_->render();
    render_event_windows();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void QtPlatform::render_event_windows() {
    if (popup_ && popup_view_) popup_->render(*popup_view_);
    if (message_ && message_view_) message_->render(*message_view_);
    // The pop-up first, so that the sentences stay on top of it.
    if (popup_) popup_->raise_if_asked();
    if (message_) message_->raise_if_asked();
}

PopupWindow& QtPlatform::popup() {
    if (!popup_) popup_ = std::make_unique<PopupWindow>(twips_per_pixel());
    return *popup_;
}

MessageWindow& QtPlatform::message() {
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

EventWindow* QtPlatform::event_window(eew::WindowId id) {
    if (id == eew::WindowId::popupmap) return &popup();
    if (id == eew::WindowId::message) return &message();
    return nullptr;
}

QWidget* QtPlatform::window(eew::WindowId id) const {
    if (id == eew::WindowId::setform) return setform_;
    return id == eew::WindowId::main ? main_window_ : nullptr;
}

// A closed dialog is gone: it is made afresh and shows the view as it is now.
// An open one comes to the front as it stands, with the user's edits.
void QtPlatform::show_setform() {
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

void QtPlatform::show_window(eew::WindowId id) {
    if (id == eew::WindowId::setform) {
        show_setform();
    } else if (EventWindow* w = event_window(id)) {
        w->show_tracked();
    } else if (QWidget* w = window(id)) {
        w->show();
    }
}

void QtPlatform::hide_window(eew::WindowId id) {
    if (EventWindow* w = event_window(id)) {
        w->hide_tracked();
    } else if (QWidget* w = window(id)) {
        w->hide();
    }
}

void QtPlatform::minimise_window(eew::WindowId id) {
    if (EventWindow* w = event_window(id)) {
        w->minimise();
    } else if (QWidget* w = window(id)) {
        w->showMinimized();
    }
}

void QtPlatform::restore_window(eew::WindowId id) {
    if (EventWindow* w = event_window(id)) {
        w->restore();
    } else if (QWidget* w = window(id)) {
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    }
}

void QtPlatform::resize_window(eew::WindowId id, int width_px, int height_px) {
    // The pop-up may be widened by the user to see its other panels.
    if (EventWindow* w = event_window(id)) {
        w->resize(width_px, height_px);
    } else if (QWidget* w = window(id)) {
        w->setFixedSize(width_px, height_px);
    }
}

void QtPlatform::close_window(eew::WindowId id) {
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

eew::WindowState QtPlatform::window_state(eew::WindowId id) const {
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

double QtPlatform::twips_per_pixel() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

eew::Canvas& QtPlatform::canvas(eew::PictureId picture) {
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

void QtPlatform::end_program(int exit_code) {
    QMetaObject::invokeMethod(
        qApp, [exit_code] { QCoreApplication::exit(exit_code); }, Qt::QueuedConnection);
}
