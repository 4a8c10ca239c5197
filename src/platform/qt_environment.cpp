#include "platform/qt_environment.hpp"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QProcess>
#include <QUrl>
#include <cstdint>
#include <ctime>
#include <fstream>

namespace {

std::uint32_t little_endian(const unsigned char* b) {
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// How long a PCM WAV file plays: its data chunk over its byte rate. Nothing
// (zero) for a file that cannot be read as one.
std::chrono::milliseconds wav_length(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[12], chunk[8], format[16];
    if (!in.read(reinterpret_cast<char*>(header), 12)) return {};
    std::uint32_t byte_rate = 0;
    // Chunks after "RIFF....WAVE": "fmt " gives the rate, "data" the size.
    for (int n = 0; n < 16 && in.read(reinterpret_cast<char*>(chunk), 8); ++n) {
        const std::string id(reinterpret_cast<char*>(chunk), 4);
        const std::uint32_t size = little_endian(chunk + 4);
        if (id == "data")
            return byte_rate == 0 ? std::chrono::milliseconds{}
                                  : std::chrono::milliseconds(1000ull * size / byte_rate);
        if (id == "fmt " && size >= 16 && in.read(reinterpret_cast<char*>(format), 16)) {
            byte_rate = little_endian(format + 8);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return {};
}

// The sender in IPv6 form, an IPv4 address mapped, as the core compares them.
eew::SenderAddress sender_address(const QHostAddress& address) {
    eew::SenderAddress bytes{};
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        const quint32 v4 = address.toIPv4Address();
        bytes[10] = bytes[11] = 0xff;
        for (int i = 0; i < 4; ++i)
            bytes[12 + i] = static_cast<std::uint8_t>(v4 >> (24 - 8 * i));
        return bytes;
    }
    const Q_IPV6ADDR v6 = address.toIPv6Address();
    for (int i = 0; i < 16; ++i)
        bytes[i] = v6[i];
    return bytes;
}

}  // namespace

QtEnvironment::QtEnvironment() {
    ready_soon_.setSingleShot(true);
    ready_soon_.setInterval(0);
    connect(&ready_soon_, &QTimer::timeout, this, [this] {
        if (ready_) ready_();
    });
    next_sound_.setSingleShot(true);
    connect(&next_sound_, &QTimer::timeout, this, [this] { start_sound(next_path_); });
}

std::string QtEnvironment::program_folder() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

// Every datagram reads the clock. QDateTime re-reads the zone file for each
// local time (a file-system call that was most of a report's decoding cost);
// localtime_r uses the zone it has, and tzset() picks up a changed zone once
// a minute.
eew::DateTime QtEnvironment::now() {
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
void QtEnvironment::play_sound(const std::string& wav_path) {
    next_sound_.stop();
    start_sound(wav_path);
}

// For the same reason the end of a sound is known from its file, not asked of
// the effect: the sound waited for may be playing on no device at all.
void QtEnvironment::play_sound_next(const std::string& wav_path) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        sound_ends_ - std::chrono::steady_clock::now());
    if (left.count() <= 0) return start_sound(wav_path);
    next_path_ = wav_path;
    next_sound_.start(static_cast<int>(left.count()));
}

void QtEnvironment::start_sound(const std::string& wav_path) {
    sound_.stop();
    sound_ends_ = std::chrono::steady_clock::now();
    if (wav_path.empty()) return;
    sound_.setSource(QUrl::fromLocalFile(QString::fromStdString(wav_path)));
    sound_.play();
    sound_ends_ += wav_length(wav_path);
}

// A display without desktop services (a wall display on the frame buffer,
// say) cannot open an address through Qt, but the desktop's opener may still
// be there.
bool QtEnvironment::open_web_page(const std::string& url) {
    const QString address = QString::fromStdString(url);
    if (QDesktopServices::openUrl(QUrl(address))) return true;
    return QProcess::startDetached("xdg-open", {address});
}

std::optional<std::string> QtEnvironment::bind_feed(int port, bool all_addresses) {
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

void QtEnvironment::read_datagrams(QUdpSocket* socket) {
    bool taken = false;
    // The handlers run from a zero timer, not from this slot: a socket does
    // not signal again while its own signal is running, so a handler that
    // pauses (the new-event chime) would stop reception for the whole pause.
    // A timer rather than a queued call, which would also wake the event loop
    // through a file descriptor for every datagram. A burst is read in slices
    // so that the timers get their turn in a flood.
    for (int n = 0;
         n < 256 && socket->state() == QAbstractSocket::BoundState && socket->hasPendingDatagrams();
         ++n) {
        // One read into a buffer as large as any datagram, the sender with it;
        // receiveDatagram() would also ask for the size, a system call more.
        const qint64 size =
            socket->readDatagram(read_buffer_.data(), read_buffer_.size(), &sender_);
        if (size < 0) break;
        if (take_)
            take_(std::string_view(read_buffer_.constData(), static_cast<std::size_t>(size)),
                  sender_address(sender_));
        taken = true;
    }
    if (taken && !ready_soon_.isActive()) ready_soon_.start();
}

void QtEnvironment::close_feed() {
    for (QUdpSocket* socket : sockets_) {
        socket->close();
        socket->deleteLater();
    }
    sockets_.clear();
}

void QtEnvironment::open_broker(const eew::BrokerConfig& broker, const std::string& client_id) {
    close_broker();
    MqttConnection::Settings settings;
    settings.address = broker.address;
    settings.ca_file = broker.ca_file;
    settings.login = broker.login;
    settings.client_id = client_id;
    // Long enough for a restart of the broker or the display, or a short
    // break of the network, to lose no report; a display away for longer
    // has nothing to catch up on, since reports are old after two minutes.
    settings.session_expiry_s = 10 * 60;
    settings.subscribe_topic = broker.topic;
    broker_ = std::make_unique<MqttConnection>(std::move(settings));
    broker_->on_message([this](std::string_view text) {
        if (take_broker_) take_broker_(text);
        if (!ready_soon_.isActive()) ready_soon_.start();
    });
    broker_->on_status([this](bool connected, const std::string& reason) {
        if (broker_status_) broker_status_(connected, reason);
    });
    broker_->start();
}

// Closed from inside one of its own callbacks ("stop" is a click, but a
// handler may run from the broker's status), so it is deleted later.
void QtEnvironment::close_broker() {
    if (!broker_) return;
    broker_->on_message({});
    broker_->on_status({});
    broker_->stop();
    broker_.release()->deleteLater();
}

void QtEnvironment::pause_with_events(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
