// Every control of every window, operated as a person operates it: with the
// mouse, with the keyboard and through a screen reader's actions; and every
// box and picture read by its name.
#include "desktop/controls.hpp"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <set>

#include "fakes/log_text.hpp"
#include "fakes/started_desktop.hpp"
#include "feedlib/feed_framing.hpp"
#include "feedlib/report_text.hpp"
#include "ui/picture_area.hpp"

namespace eew {
namespace {

enum class Means { mouse, keyboard, screen_reader };

// A person presses a button or a box: a click, focus and Enter (buttons) or
// Space (check and option boxes), or the accessible action a screen reader
// offers, which presses a button as an animated click a moment later.
void operate(QWidget* w, Means means) {
    ASSERT_NE(w, nullptr);
    // The press may close the window, which then deletes the button.
    const QPointer<QAbstractButton> button = qobject_cast<QAbstractButton*>(w);
    switch (means) {
        case Means::mouse:
            QTest::mouseClick(w, Qt::LeftButton);
            break;
        case Means::keyboard:
            w->setFocus(Qt::TabFocusReason);
            QTest::keyClick(w, qobject_cast<QPushButton*>(w) ? Qt::Key_Return : Qt::Key_Space);
            break;
        case Means::screen_reader: {
            QAccessibleActionInterface* actions =
                QAccessible::queryAccessibleInterface(w)->actionInterface();
            ASSERT_FALSE(actions->actionNames().isEmpty());
            actions->doAction(actions->actionNames().first());
            ASSERT_TRUE(QTest::qWaitFor([&] { return !button || !button->isDown(); }, 2000));
            break;
        }
    }
}

// The same person replaces the text of a box.
void type(QWidget* w, const QString& text, Means means) {
    if (means == Means::screen_reader) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        a->editableTextInterface()->replaceText(0, a->textInterface()->characterCount(), text);
        return;
    }
    if (means == Means::mouse) QTest::mouseClick(w, Qt::LeftButton);
    w->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, text);
}

// The same person picks the first area of a list box: from its opened list
// with the mouse or after a screen reader's "show menu", with the arrow key.
void choose_first(QWidget* w, Means means) {
    auto* list = qobject_cast<QComboBox*>(w);
    ASSERT_NE(list, nullptr);
    if (means == Means::keyboard) {
        w->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w, Qt::Key_Down);
        return;
    }
    if (means == Means::mouse) {
        QTest::mouseClick(w, Qt::LeftButton);
    } else {
        QAccessible::queryAccessibleInterface(w)->actionInterface()->doAction(
            QAccessibleActionInterface::showMenuAction());
    }
    QAbstractItemView* items = list->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return items->isVisible(); }, 2000));
    if (means == Means::mouse) {
        // A release right after the list opened is taken for the opening
        // click's own; a person's second click comes later.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect first = items->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, first.center());
    } else {
        QTest::keyClick(items, Qt::Key_Down);
        QTest::keyClick(items, Qt::Key_Return);
    }
}

struct Walk {
    explicit Walk(Means m) : means(m) {}
    void press(const std::string& window, const std::string& name) {
        operate(d.find(window, name), means);
        pressed.insert(window + "." + name);
    }
    bool enabled(const std::string& name) { return d.find("main", name)->isEnabled(); }
    bool checked(const std::string& window, const std::string& name) {
        return d.find(window, name)->property("checked").toBool();
    }

    Means means;
    test::StartedDesktop d{{std::pair<std::string, std::string>(
        "data/forecast_area_table.csv", "250,福島県中通り\r\n251,福島県浜通り\r\n")}};
    std::set<std::string> pressed;
};

// The log of one report of the default quake, for "replay".
std::string replay_log() {
    return test::log_text({feedlib::report_text({.code = "20240401085000", .magnitude = 5.5})});
}

// The whole table, pressed once each by each means, in the order a person
// would use them; after each press what the person then sees. The settings
// boxes are typed into, one value each, and land in the configuration file.
TEST(Controls, EveryControlWorksByMouseKeyboardAndScreenReader) {
    for (Means means : {Means::mouse, Means::keyboard, Means::screen_reader}) {
        SCOPED_TRACE(static_cast<int>(means));
        Walk w(means);
        test::StartedDesktop& d = w.d;
        QWidget* main = d.find("main");

        w.press("main", "Command1");  // "start"
        EXPECT_EQ(std::pair(w.enabled("Command1"), w.enabled("Command2")), std::pair(false, true));
        EXPECT_TRUE(d.send("noise while receiving"));
        w.press("main", "Command2");  // "stop"
        EXPECT_EQ(std::pair(w.enabled("Command1"), w.enabled("Command2")), std::pair(true, false));
        EXPECT_TRUE(d.platform.feed_closed());

        w.press("main", "Command5");  // "mapON": the window widens to the map
        EXPECT_EQ(std::tuple(main->width(), w.enabled("Command5"), w.enabled("Command6")),
                  std::tuple(614, false, true));
        w.press("main", "Command6");  // "mapOFF"
        EXPECT_EQ(std::tuple(main->width(), w.enabled("Command5"), w.enabled("Command6")),
                  std::tuple(184, true, false));

        w.press("main", "Command4");  // "set"
        ASSERT_TRUE(d.showing("setform"));
        // In the table's order: the three sites' name, longitude, latitude and
        // factor, then port, stations, M, distance and display time.
        const char* const typed[] = {"A",    "135.5", "34.7", "1.2",   "B",    "140.9",
                                     "38.3", "1",     "C",    "139.7", "35.7", "1.5",
                                     "9100", "2",     "3.5",  "300",   "120"};
        const char* const* next = typed;
        for (const ControlRow& row : control_table()) {
            if (!row.edit) continue;
            type(d.find("setform", row.control), *next++, means);
            w.pressed.insert(std::string("setform.") + row.control);
        }
        for (const ControlRow& row : control_table()) {
            if (!row.choose) continue;
            choose_first(d.find("setform", row.control), means);
            w.pressed.insert(std::string("setform.") + row.control);
        }
        for (const char* flag : {"Option2", "Option1", "Check1", "Check2", "Check3", "Check1"})
            w.press("setform", flag);  // site 2, voice off, auto start on; LAN off again
        w.press("setform", "Option3");
        w.press("setform", "Command1");  // "set and close"
        EXPECT_FALSE(d.showing("setform"));
        // Lines 1..17 from the boxes, then the option and the three switches.
        EXPECT_EQ(d.folder.read("data/tavi.config"),
                  "9100\r\n2\r\n3.5\r\n300\r\n120\r\nA\r\n135.5\r\n34.7\r\n1.2\r\nB\r\n140.9\r\n"
                  "38.3\r\n1\r\nC\r\n139.7\r\n35.7\r\n1.5\r\n3\r\n0\r\n0\r\n1\r\n");
        EXPECT_EQ(d.folder.read("data/forecast_areas"), "250\r\n250\r\n250\r\n");

        d.folder.write("log/chosen", replay_log());
        d.platform.chosen_file = d.folder.path() + "/log/chosen";
        w.press("main", "Command8");  // "replay"
        EXPECT_EQ(std::tuple(d.showing("popupmap"), w.enabled("Command8"), w.enabled("Command7")),
                  std::tuple(true, false, true));
        w.press("main", "Command7");  // "stop play"
        EXPECT_EQ(std::tuple(d.showing("popupmap"), w.enabled("Command8"), w.enabled("Command7")),
                  std::tuple(false, true, false));

        d.receive(feedlib::report_text({}));
        ASSERT_TRUE(d.showing("popupmap"));
        w.press("main", "Check1");  // "PopUP" off: the announced quake is put away
        EXPECT_EQ(
            std::tuple(d.showing("popupmap"), d.showing("message"), w.checked("main", "Check1")),
            std::tuple(false, false, false));
        w.press("main", "Check1");  // and on: it comes back
        EXPECT_EQ(
            std::tuple(d.showing("popupmap"), d.showing("message"), w.checked("main", "Check1")),
            std::tuple(true, true, true));
        w.press("main", "Check2");  // "LIVO PopUP" stays ticked, and is read so
        d.tick();
        EXPECT_TRUE(w.checked("main", "Check2") && d.m().main_view.Check2.checked);
        w.press("main", "Check2");
        EXPECT_FALSE(d.m().main_view.Check2.checked);

        w.press("main", "Command3");  // "quit"
        EXPECT_EQ(std::tuple(d.platform.exit_code, main->isVisible(), d.showing("popupmap")),
                  std::tuple(0, false, false));
        EXPECT_TRUE(d.folder.exists("data/24hours.dat"));

        std::set<std::string> rows;
        for (const ControlRow& row : control_table())
            rows.insert(std::string(row.window) + "." + row.control);
        EXPECT_EQ(w.pressed, rows);
    }
}

// The user may leave the replay's file dialog or its "invalid file" box open
// for minutes: a quake that comes in meanwhile is received, announced and
// counted down at once, and the replay chosen afterwards does not take it over.
TEST(Controls, AQuakeDuringTheReplayDialogsIsAnnouncedAtOnceAndNotTakenOver) {
    test::StartedDesktop d;
    QTest::mouseClick(d.find("main", "Command1"), Qt::LeftButton);  // "start"
    d.folder.write("log/broken", "not a log\r\nnor this\r\n\r\n");
    d.platform.chosen_file = d.folder.path() + "/log/broken";
    std::vector<std::string> seen;
    d.platform.during_dialog = [&] {
        ASSERT_TRUE(d.send("noise message " + std::to_string(seen.size())));
        d.tick();
        seen.push_back(d.shown("main", "Text4") + " " + d.shown("main", "Text1"));
    };
    QTest::mouseClick(d.find("main", "Command8"), Qt::LeftButton);  // "replay"
    EXPECT_EQ(d.platform.messages, std::vector<std::string>{"invalid file"});
    EXPECT_EQ(seen,
              (std::vector<std::string>{"noise message 0 09:00:07", "noise message 1 09:00:08"}));

    d.folder.write("log/chosen", replay_log());
    d.platform.chosen_file = d.folder.path() + "/log/chosen";
    d.platform.during_dialog = [&] {
        ASSERT_TRUE(d.send(feedlib::report_text({})));
        d.tick();
        seen = {d.showing("popupmap") ? "pop-up" : "", d.shown("main", "Label19"),
                d.shown("popupmap", "Text26")};
    };
    QTest::mouseClick(d.find("main", "Command8"), Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"pop-up", "地震発生", "-2"}));
    EXPECT_EQ(std::tuple(d.m().followed.code, d.m().events.event_flag,
                         d.find("main", "Command7")->isEnabled()),
              std::tuple("20240401090000", EventFlag::followed, false));
    EXPECT_NE(d.m().main_view.notice.find("The replay did not start"), std::string::npos);
}

std::string accessible_name(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString();
}

// A control nobody connects is a dead button: every control a person can
// operate, in every window, has its row. And a screen reader announces each
// box and picture by its caption or role, never as "text".
TEST(Controls, EveryOperableControlHasARowAndEveryBoxAndPictureAName) {
    test::StartedDesktop d;
    d.app().Command4_Click();  // "set"
    d.receive(feedlib::report_text({}));
    std::set<std::string> rows, operable;
    for (const ControlRow& row : control_table())
        rows.insert(std::string(row.window) + "." + row.control);
    for (const char* window : {"main", "setform", "popupmap", "message"}) {
        ASSERT_NE(d.find(window), nullptr) << window;
        for (QWidget* w : d.find(window)->findChildren<QWidget*>()) {
            const std::string name = std::string(window) + "." + w->objectName().toStdString();
            auto* line = qobject_cast<QLineEdit*>(w);
            auto* plain = qobject_cast<QPlainTextEdit*>(w);
            auto* button = qobject_cast<QAbstractButton*>(w);
            auto* list = qobject_cast<QComboBox*>(w);
            if (button || list || (line && !line->isReadOnly()) || (plain && !plain->isReadOnly()))
                operable.insert(name);
            if (button || list || line || plain || dynamic_cast<PictureArea*>(w)) {
                EXPECT_NE(accessible_name(w), "") << name;
            }
        }
    }
    EXPECT_EQ(operable, rows);
    // clang-format off
    const std::tuple<const char*, const char*, const char*> names[] = {
        {"main", "Text1", "time"}, {"main", "Text3", "status"}, {"main", "Text4", "last message"},
        {"main", "Picture1", "main map"}, {"main", "Label19", "地震発生"},
        {"popupmap", "Text26", "count down"}, {"popupmap", "Text16", "M, latest info"},
        {"popupmap", "Text7", "M, first info"}, {"popupmap", "Picture1", "event map"},
        {"popupmap", "Picture3", "mechanism"}, {"setform", "Text10", "longitude of site 2"},
        {"setform", "Check1", "LAN mode"}};
    // clang-format on
    for (auto [window, name, expected] : names)
        EXPECT_EQ(accessible_name(d.find(window, name)), expected) << window << "." << name;
    // Announced as the windows and pictures they are.
    const auto role = [&](const char* window, const char* name = "") {
        return QAccessible::queryAccessibleInterface(d.find(window, name))->role();
    };
    EXPECT_EQ(std::tuple(role("main"), role("popupmap"), role("setform"), role("main", "Picture1")),
              std::tuple(QAccessible::Window, QAccessible::Window, QAccessible::Dialog,
                         QAccessible::Graphic));
}

}  // namespace
}  // namespace eew
