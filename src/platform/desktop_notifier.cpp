#include "platform/desktop_notifier.hpp"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = "org.freedesktop.Notifications";
const QString kPath = "/org/freedesktop/Notifications";

}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus) : bus_(std::move(bus)) {}

void DesktopNotifier::notify(const std::string& summary, const std::string& body) {
    if (!bus_.isConnected()) return;
    closing_ = false;
    const QString s = QString::fromStdString(summary), b = QString::fromStdString(body);
    if (waiting_) {
        next_ = {s, b};
        return;
    }
    send(s, b);
}

void DesktopNotifier::send(const QString& summary, const QString& body) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    // Urgency 2, critical: it stays until the event ends and closes it.
    const QVariantMap hints{{"urgency", QVariant::fromValue(uchar(2))}};
    call << QString("eewclient") << shown_id_ << QString("dialog-warning") << summary << body
         << QStringList() << hints << 0;
    waiting_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 2000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        waiting_ = false;
        const QDBusPendingReply<uint> reply = *w;
        if (!reply.isError()) shown_id_ = reply.value();
        if (closing_) return close();
        if (next_) {
            const auto [summary, body] = *std::exchange(next_, std::nullopt);
            send(summary, body);
        }
    });
}

void DesktopNotifier::close() {
    if (!bus_.isConnected()) return;
    next_.reset();
    if (waiting_) {
        closing_ = true;  // once the service has said which it is
        return;
    }
    if (shown_id_ == 0) return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, "CloseNotification");
    call << shown_id_;
    bus_.asyncCall(call, 2000);
    shown_id_ = 0;
    closing_ = false;
}
