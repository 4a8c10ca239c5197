#include "desktop/controls.hpp"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/app.hpp"
#include "ui/tray_icon.hpp"

using eew::App;
using eew::SetformView;

namespace {

template <std::string SetformView::*Box>
void setform_edit(App& app, const std::string& text) {
    app.setform_Change(Box, text);
}

template <bool SetformView::*Control>
void setform_toggle(App& app, bool checked) {
    app.setform_Click(Control, checked);
}

// clang-format off
const ControlRow kControls[] = {
    {.window = "main", .control = "Command1", .click = [](App& a) { a.Command1_Click(); }},  // "start"
    {.window = "main", .control = "Command2", .click = [](App& a) { a.Command2_Click(); }},  // "stop"
    {.window = "main", .control = "Command3", .click = [](App& a) { a.Command3_Click(); }},  // "quit"
    {.window = "main", .control = "Command4", .click = [](App& a) { a.Command4_Click(); }},  // "set"
    {.window = "main", .control = "Command5", .click = [](App& a) { a.Command5_Click(); }},  // "mapON"
    {.window = "main", .control = "Command6", .click = [](App& a) { a.Command6_Click(); }},  // "mapOFF"
    {.window = "main", .control = "Command7", .click = [](App& a) { a.Command7_Click(); }},  // "stop play"
    {.window = "main", .control = "Command8", .click = [](App& a) { a.Command8_Click(); }},  // "replay"
    {.window = "main", .control = "Check1", .toggle = [](App& a, bool on) { a.Check1_Click(on); }},  // "PopUP"
    {.window = "main", .control = "Check2", .toggle = [](App& a, bool on) { a.Check2_Click(on); }},  // "LIVO PopUP"

    {.window = "setform", .control = "Command1", .click = [](App& a) { a.setform_Command1_Click(); }},  // "set and close"
    {.window = "setform", .control = "Option1", .toggle = setform_toggle<&SetformView::Option1>},
    {.window = "setform", .control = "Option2", .toggle = setform_toggle<&SetformView::Option2>},
    {.window = "setform", .control = "Option3", .toggle = setform_toggle<&SetformView::Option3>},
    {.window = "setform", .control = "Check1", .toggle = setform_toggle<&SetformView::Check1>},  // "LAN mode"
    {.window = "setform", .control = "Check2", .toggle = setform_toggle<&SetformView::Check2>},  // "voice alarm"
    {.window = "setform", .control = "Check3", .toggle = setform_toggle<&SetformView::Check3>},  // "auto start"
    {.window = "setform", .control = "Text8", .edit = setform_edit<&SetformView::Text8>},    // site 1
    {.window = "setform", .control = "Text3", .edit = setform_edit<&SetformView::Text3>},
    {.window = "setform", .control = "Text4", .edit = setform_edit<&SetformView::Text4>},
    {.window = "setform", .control = "Text5", .edit = setform_edit<&SetformView::Text5>},
    {.window = "setform", .control = "Text9", .edit = setform_edit<&SetformView::Text9>},    // site 2
    {.window = "setform", .control = "Text10", .edit = setform_edit<&SetformView::Text10>},
    {.window = "setform", .control = "Text11", .edit = setform_edit<&SetformView::Text11>},
    {.window = "setform", .control = "Text12", .edit = setform_edit<&SetformView::Text12>},
    {.window = "setform", .control = "Text13", .edit = setform_edit<&SetformView::Text13>},  // site 3
    {.window = "setform", .control = "Text14", .edit = setform_edit<&SetformView::Text14>},
    {.window = "setform", .control = "Text15", .edit = setform_edit<&SetformView::Text15>},
    {.window = "setform", .control = "Text16", .edit = setform_edit<&SetformView::Text16>},
    {.window = "setform", .control = "Text2", .edit = setform_edit<&SetformView::Text2>},    // "port"
    {.window = "setform", .control = "Text6", .edit = setform_edit<&SetformView::Text6>},    // "min. p data"
    {.window = "setform", .control = "Text7", .edit = setform_edit<&SetformView::Text7>},    // "min. M"
    {.window = "setform", .control = "Text1", .edit = setform_edit<&SetformView::Text1>},    // "max distance"
    {.window = "setform", .control = "Text17", .edit = setform_edit<&SetformView::Text17>},  // "disp duration"
    {.window = "setform", .control = "forecast_area1", .choose = setform_edit<&SetformView::forecast_area1>},
    {.window = "setform", .control = "forecast_area2", .choose = setform_edit<&SetformView::forecast_area2>},
    {.window = "setform", .control = "forecast_area3", .choose = setform_edit<&SetformView::forecast_area3>},
};
// clang-format on

}  // namespace

std::span<const ControlRow> control_table() {
    return kControls;
}

void connect_controls(QWidget& window, App& app, const std::function<void()>& after) {
    const QString window_name = window.objectName();
    for (const ControlRow& row : kControls) {
        if (window_name != row.window) continue;
        QWidget* widget = window.findChild<QWidget*>(row.control);
        if (auto* button = qobject_cast<QPushButton*>(widget); button && row.click) {
            // Enter presses a focused button as Space does, outside a dialog too.
            button->setAutoDefault(true);
            QObject::connect(button, &QAbstractButton::clicked, &window, [&app, after, &row] {
                row.click(app);
                after();
            });
        } else if (auto* box = qobject_cast<QAbstractButton*>(widget); box && row.toggle) {
            // The new state however it came: a click, Space, an option button
            // unchecked by its neighbour, or a screen reader's toggle action,
            // which emits no click. The windows set their boxes from the
            // values with signals blocked, so a render runs no handler.
            QObject::connect(box, &QAbstractButton::toggled, &window, [&app, after, &row](bool on) {
                row.toggle(app, on);
                after();
            });
        } else if (auto* line = qobject_cast<QLineEdit*>(widget); line && row.edit) {
            // Changed, not edited: a screen reader's text action sets the
            // text without a key press. The window's render sets its boxes
            // with signals blocked.
            QObject::connect(
                line, &QLineEdit::textChanged, &window,
                [&app, &row](const QString& text) { row.edit(app, text.toStdString()); });
        } else if (auto* list = qobject_cast<QComboBox*>(widget); list && row.choose) {
            // The item's value, however it was chosen: clicked in the list,
            // stepped to with the arrow keys or set by a screen reader.
            QObject::connect(list, &QComboBox::currentIndexChanged, &window,
                             [&app, &row, list](int index) {
                                 row.choose(app, list->itemData(index).toString().toStdString());
                             });
        }
    }
}

void connect_tray(TrayIcon& tray, App& app, const std::function<void()>& after) {
    for (const ControlRow& row : kControls) {
        if (std::string_view(row.window) != "main") continue;
        if (std::string_view(row.control) == "Check1")
            QObject::connect(&tray.popup_action(), &QAction::toggled, &tray.popup_action(),
                             [&app, after, &row](bool on) {
                                 row.toggle(app, on);
                                 after();
                             });
        if (std::string_view(row.control) == "Command3")
            QObject::connect(&tray.quit_action(), &QAction::triggered, &tray.quit_action(),
                             [&app, after, &row] {
                                 row.click(app);
                                 after();
                             });
    }
}
