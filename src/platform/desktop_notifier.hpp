#pragma once

#include <QDBusConnection>
#include <QObject>
#include <optional>
#include <string>
#include <utility>

// Critical notifications through the desktop's notification service
// (org.freedesktop.Notifications on the session bus). Each new one replaces
// the one shown last, by the id the service returned for it; without a
// service nothing is shown and nothing is said: the program's own windows
// still warn.
class DesktopNotifier : public QObject {
  public:
    explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus());

    void notify(const std::string& summary, const std::string& body);
    void close();

  private:
    void send(const QString& summary, const QString& body);

    QDBusConnection bus_;
    uint shown_id_ = 0;     // the service's id of the notification shown, 0 for none
    bool waiting_ = false;  // for the service to tell the id of the last one sent
    bool closing_ = false;  // closed before the service told its id
    // Asked for while the service had not told the id yet: sent once it has,
    // so that it replaces the notification instead of adding one.
    std::optional<std::pair<QString, QString>> next_;
};
