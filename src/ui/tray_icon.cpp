#include "ui/tray_icon.hpp"

#include <QPainter>
#include <QPixmap>

#include "view/main_view.hpp"

namespace {

QIcon state_icon(const std::string& state) {
    const QColor colour = state == "event"        ? QColor(255, 0, 0)
                          : state == "feed stale" ? QColor(255, 200, 0)
                          : state == "receiving"  ? QColor(0, 170, 0)
                                                  : QColor(150, 150, 150);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(3, 3, 26, 26);
    return QIcon(pixmap);
}

}  // namespace

TrayIcon::TrayIcon(const eew::MainView& view) : view_(view) {
    popup_.setObjectName("tray_Check1");
    popup_.setCheckable(true);
    quit_.setObjectName("tray_Command3");
    menu_.addAction(&popup_);
    menu_.addSeparator();
    menu_.addAction(&quit_);
    icon_.setContextMenu(&menu_);
    render();
    if (QSystemTrayIcon::isSystemTrayAvailable()) icon_.show();
}

// What the program sets is not the user's toggle: no handler hears of it.
void TrayIcon::render() {
    {
        const QSignalBlocker quiet(&popup_);
        popup_.setChecked(view_.Check1.checked);
    }
    if (shown_state_ == view_.tray_state) return;
    shown_state_ = view_.tray_state;
    icon_.setIcon(state_icon(shown_state_));
    icon_.setToolTip(QString::fromStdString("eewclient: " + shown_state_));
}
