#include "platform/mqtt_connection.hpp"

#include <mosquitto.h>
#include <mqtt_protocol.h>
#include <sys/socket.h>

#include <QHostAddress>
#include <QHostInfo>
#include <QMetaObject>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr int kKeepAliveS = 30;
constexpr int kLongestWaitS = 30;
constexpr int kHousekeepingMs = 500;
// From a try to the broker's answer: a host that drops the packets, or a TLS
// handshake that stalls, is a failed try, not a connection that never comes.
constexpr int kAnswerMs = 15000;
// Over the longest datagram, with room for the packet's topic and properties.
constexpr uint32_t kLongestPacket = 128 * 1024;

void init_library_once() {
    static const int done = mosquitto_lib_init();
    (void)done;
}

// Library and system messages are sentences; ours run on after a colon.
std::string as_clause(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] + 32);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

// "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed"
// says what failed after its last colon.
std::string openssl_detail(const std::string& line) {
    const std::size_t colon = line.rfind(':');
    if (colon == std::string::npos || colon + 1 == line.size()) return line;
    return line.substr(colon + 1);
}

// Calls a copy, so that a callback may replace or destroy what holds it.
template <typename Function, typename... Args>
void call(const Function& f, const Args&... args) {
    if (!f) return;
    Function copy = f;
    copy(args...);
}

}  // namespace

MqttConnection::MqttConnection(Settings settings) : settings_(std::move(settings)) {
    init_library_once();
    const bool persistent = !settings_.client_id.empty();
    mosq_ = mosquitto_new(persistent ? settings_.client_id.c_str() : nullptr, !persistent, this);
    mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    // Each callback finds its connection in the user data, which is empty
    // once the connection is gone.
    mosquitto_connect_v5_callback_set(
        mosq_, [](mosquitto*, void* obj, int rc, int, const mosquitto_property*) {
            if (obj) static_cast<MqttConnection*>(obj)->connack(rc);
        });
    mosquitto_disconnect_v5_callback_set(
        mosq_, [](mosquitto*, void* obj, int rc, const mosquitto_property*) {
            if (obj) static_cast<MqttConnection*>(obj)->disconnected(rc, errno);
        });
    mosquitto_subscribe_v5_callback_set(mosq_, [](mosquitto*, void* obj, int, int count,
                                                  const int* granted, const mosquitto_property*) {
        if (obj && count > 0) static_cast<MqttConnection*>(obj)->subscribed(granted[0]);
    });
    mosquitto_publish_v5_callback_set(
        mosq_, [](mosquitto*, void* obj, int mid, int, const mosquitto_property*) {
            if (obj) call(static_cast<MqttConnection*>(obj)->published_, mid);
        });
    mosquitto_message_v5_callback_set(
        mosq_, [](mosquitto*, void* obj, const mosquitto_message* m, const mosquitto_property*) {
            if (obj)
                call(static_cast<MqttConnection*>(obj)->message_,
                     std::string_view(static_cast<const char*>(m->payload),
                                      static_cast<std::size_t>(m->payloadlen)));
        });
    mosquitto_log_callback_set(mosq_, [](mosquitto*, void* obj, int level, const char* text) {
        if (obj && level == MOSQ_LOG_ERR) static_cast<MqttConnection*>(obj)->last_error_ = text;
    });
    if (settings_.login)
        mosquitto_username_pw_set(mosq_, settings_.login->user.c_str(),
                                  settings_.login->password.c_str());
    if (settings_.address.tls) {
        // The broker's certificate and host name are always verified: against
        // the given authority or else the system's. Refused, the connection
        // would go out in the clear: it never does.
        const std::string& ca = settings_.ca_file;
        if (!ca.empty() && mosquitto_tls_set(mosq_, ca.c_str(), nullptr, nullptr, nullptr,
                                             nullptr) != MOSQ_ERR_SUCCESS)
            unusable_ = "cannot read the certificate " + ca;
        if (ca.empty() &&
            mosquitto_int_option(mosq_, MOSQ_OPT_TLS_USE_OS_CERTS, 1) != MOSQ_ERR_SUCCESS)
            unusable_ = "no TLS with the system's certificates";
    }
    const bool subscriber = !settings_.subscribe_topic.empty();
    if (persistent || subscriber) {
        // The library has no connect without blocking that takes CONNECT
        // properties, but it keeps those given to a connect it refuses for
        // want of a host and sends them with every later connection.
        mosquitto_property* properties = nullptr;
        if (persistent)
            mosquitto_property_add_int32(
                &properties, MQTT_PROP_SESSION_EXPIRY_INTERVAL,
                static_cast<uint32_t>(std::max(0, settings_.session_expiry_s)));
        // A message far longer than any report is not one; the broker keeps
        // it from a subscriber rather than have it read into memory here.
        if (subscriber)
            mosquitto_property_add_int32(&properties, MQTT_PROP_MAXIMUM_PACKET_SIZE,
                                         kLongestPacket);
        mosquitto_connect_bind_v5(mosq_, nullptr, settings_.address.port, kKeepAliveS, nullptr,
                                  properties);
        mosquitto_property_free_all(&properties);
    }
    housekeeping_.setInterval(kHousekeepingMs);
    QObject::connect(&housekeeping_, &QTimer::timeout, this, [this] { drive(Drive::misc); });
    retry_.setSingleShot(true);
    QObject::connect(&retry_, &QTimer::timeout, this, [this] { try_connect(); });
    answer_.setSingleShot(true);
    QObject::connect(&answer_, &QTimer::timeout, this, [this] {
        unwatch();
        failed("no answer from the broker");
    });
}

MqttConnection::~MqttConnection() {
    *alive_ = false;
    // Destroyed from inside a callback, the library is still in the call that
    // made it: drive() frees it once that returns.
    if (driving_)
        mosquitto_user_data_set(mosq_, nullptr);
    else
        mosquitto_destroy(mosq_);
}

void MqttConnection::start() {
    if (running_) return;
    running_ = true;
    wait_s_ = 1;
    housekeeping_.start();
    try_connect();
}

void MqttConnection::stop() {
    running_ = false;
    if (looking_up_ >= 0) QHostInfo::abortHostLookup(looking_up_);
    looking_up_ = -1;
    retry_.stop();
    answer_.stop();
    housekeeping_.stop();
    const bool was = connected_;
    connected_ = false;
    // Sent at once, or by the write watch when called from inside a callback.
    if (mosquitto_disconnect_v5(mosq_, MQTT_RC_NORMAL_DISCONNECTION, nullptr) != MOSQ_ERR_SUCCESS)
        unwatch();
    else
        watch_writes();
    if (was) call(status_, false, std::string("disconnected"));
}

int MqttConnection::publish(const std::string& topic, std::string_view payload, int expiry_s) {
    if (!connected_) return -1;
    mosquitto_property* expiry = nullptr;
    mosquitto_property_add_int32(&expiry, MQTT_PROP_MESSAGE_EXPIRY_INTERVAL,
                                 static_cast<uint32_t>(std::max(0, expiry_s)));
    int id = -1;
    const int rc = mosquitto_publish_v5(mosq_, &id, topic.c_str(), static_cast<int>(payload.size()),
                                        payload.data(), 1, false, expiry);
    mosquitto_property_free_all(&expiry);
    watch_writes();
    return rc == MOSQ_ERR_SUCCESS ? id : -1;
}

// The library looks the host name up itself, and would block the event loop
// for as long as the resolver waits on a network that is down; the lookup is
// done here first, off the loop's way, and a name that cannot be found is a
// failed try. With the network up, the library's own lookup is then quick.
void MqttConnection::try_connect() {
    if (!running_) return;
    if (!unusable_.empty()) return failed(unusable_);
    const QString host = QString::fromStdString(settings_.address.host);
    if (!QHostAddress().setAddress(host)) {
        looking_up_ = QHostInfo::lookupHost(host, this, [this](const QHostInfo& info) {
            looking_up_ = -1;
            if (!running_) return;
            if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
                return failed("host name not found: " + settings_.address.host);
            connect_now();
        });
        return;
    }
    connect_now();
}

void MqttConnection::connect_now() {
    refusal_.clear();
    last_error_.clear();
    const int rc = tried_
                       ? mosquitto_reconnect_async(mosq_)
                       : mosquitto_connect_bind_async(mosq_, settings_.address.host.c_str(),
                                                      settings_.address.port, kKeepAliveS, nullptr);
    const int error = errno;
    tried_ = true;
    if (rc != MOSQ_ERR_SUCCESS) return failed(reason(rc, error));
    answer_.start(kAnswerMs);
    watch_socket();
}

void MqttConnection::watch_socket() {
    unwatch();
    const int socket = mosquitto_socket(mosq_);
    if (socket < 0) return;
    read_ = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    write_ = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    QObject::connect(read_, &QSocketNotifier::activated, this, [this] { drive(Drive::read); });
    QObject::connect(write_, &QSocketNotifier::activated, this, [this] { drive(Drive::write); });
    // Writable once the connection is made: the library then sends CONNECT.
    write_->setEnabled(true);
}

void MqttConnection::unwatch() {
    // A notifier may be the one whose signal is being handled.
    for (QSocketNotifier** n : {&read_, &write_})
        if (*n) {
            (*n)->setEnabled(false);
            (*n)->deleteLater();
            *n = nullptr;
        }
}

void MqttConnection::watch_writes() {
    if (write_) write_->setEnabled(mosquitto_want_write(mosq_));
}

void MqttConnection::drive(Drive what) {
    const std::shared_ptr<bool> alive = alive_;
    mosquitto* const mosq = mosq_;
    driving_ = true;
    int rc = MOSQ_ERR_SUCCESS;
    switch (what) {
        case Drive::read:
            // The library stops reading at a stale EAGAIN in errno, which
            // would leave messages TLS has already decrypted for later.
            errno = 0;
            rc = mosquitto_loop_read(mosq, 1);
            break;
        case Drive::write:
            rc = mosquitto_loop_write(mosq, 1);
            break;
        case Drive::misc:
            rc = mosquitto_loop_misc(mosq);
            break;
    }
    const int error = errno;
    if (!*alive) {
        mosquitto_destroy(mosq);
        return;
    }
    driving_ = false;
    // A failed TLS handshake closes the socket without telling.
    if (rc != MOSQ_ERR_SUCCESS && read_ && mosquitto_socket(mosq) < 0) {
        disconnected(rc, error);
        if (!*alive) return;  // destroyed by its status callback, which freed the library's part
    } else if (!connected_ && what != Drive::misc && read_ &&
               connect_failed(mosquitto_socket(mosq))) {
        return;  // told, and tried again later; its status callback may have destroyed it
    }
    watch_writes();
}

// A refused connection leaves the socket readable for ever. The library goes
// on waiting on it for its TLS handshake, and the notifier would call it again
// and again, the event loop busy until the broker's answer is given up on.
bool MqttConnection::connect_failed(int socket) {
    if (socket < 0) return false;
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) == 0) return false;
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size);
    unwatch();
    failed(error != 0 ? as_clause(std::strerror(error)) : std::string("connection refused"));
    return true;
}

void MqttConnection::connack(int rc) {
    if (rc != MQTT_RC_SUCCESS) {
        refusal_ = as_clause(mosquitto_reason_string(rc));
        // The broker answers a wrong password so, not only an unknown user.
        if (settings_.login &&
            (rc == MQTT_RC_NOT_AUTHORIZED || rc == MQTT_RC_BAD_USERNAME_OR_PASSWORD))
            refusal_ += ": user name '" + settings_.login->user + "' or its password refused";
        return;
    }
    // A subscriber is up once the broker confirms the subscription.
    if (!settings_.subscribe_topic.empty()) {
        mosquitto_subscribe_v5(mosq_, nullptr, settings_.subscribe_topic.c_str(), 1, 0, nullptr);
        return;
    }
    // Told after the library has queued again what the last connection left
    // unacknowledged, so that what is published in answer follows it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (running_ && mosquitto_socket(mosq_) >= 0) up();
        },
        Qt::QueuedConnection);
}

void MqttConnection::subscribed(int granted_qos) {
    if (granted_qos < MQTT_RC_UNSPECIFIED) return up();
    refusal_ = "subscription refused: " + as_clause(mosquitto_reason_string(granted_qos));
    mosquitto_disconnect_v5(mosq_, MQTT_RC_NORMAL_DISCONNECTION, nullptr);
}

void MqttConnection::up() {
    answer_.stop();
    connected_ = true;
    wait_s_ = 1;
    call(status_, true, std::string());
}

void MqttConnection::disconnected(int rc, int error) {
    connected_ = false;
    unwatch();
    if (!running_) return;
    if (!refusal_.empty())
        failed(refusal_);
    else if (rc == MOSQ_ERR_SUCCESS)
        failed("disconnected");
    else
        failed(reason(rc, error));
}

void MqttConnection::failed(const std::string& why) {
    answer_.stop();
    retry_wait_s_ = wait_s_;
    retry_.start(wait_s_ * 1000);
    wait_s_ = std::min(wait_s_ * 2, kLongestWaitS);
    call(status_, false, why);
}

std::string MqttConnection::reason(int rc, int error) const {
    // The broker's own DISCONNECT carries an MQTT reason code, which lies
    // above the library's error numbers.
    if (rc >= MQTT_RC_UNSPECIFIED) return as_clause(mosquitto_reason_string(rc));
    if ((rc == MOSQ_ERR_TLS || rc == MOSQ_ERR_TLS_HANDSHAKE) && !last_error_.empty())
        return as_clause(openssl_detail(last_error_));
    if (rc == MOSQ_ERR_ERRNO && error != 0) return as_clause(std::strerror(error));
    return as_clause(mosquitto_strerror(rc));
}
