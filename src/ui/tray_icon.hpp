#pragma once

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <string>

namespace eew {
struct MainView;
}

// The program in the desktop's tray, where it has one: an icon for the state
// (grey idle, green receiving, yellow a stale feed, red an event) and a menu
// with "PopUP" and "quit". The actions exist, and can be triggered, on a
// desktop without a tray too; render() sets them from the view.
class TrayIcon {
  public:
    explicit TrayIcon(const eew::MainView& view);

    QAction& popup_action() { return popup_; }
    QAction& quit_action() { return quit_; }
    QSystemTrayIcon& icon() { return icon_; }
    void render();

  private:
    const eew::MainView& view_;
    QMenu menu_;
    QAction popup_{"PopUP"};
    QAction quit_{"quit"};
    QSystemTrayIcon icon_;
    std::string shown_state_;
};
