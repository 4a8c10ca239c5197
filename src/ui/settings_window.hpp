#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace eew {
struct SetformView;
}

// The settings dialog "setting": three framed site columns side by side with
// an option button above each, a column of boxes below with the three check
// boxes beside its first rows, and "set and close" at the lower right. Every
// control carries its system name as object name. The user's edits go
// straight into the view, which the core fills and applies; render() sets
// only the widgets whose value changed. Closing the window by any means
// deletes it, so its edits are gone.
class SettingsWindow : public QWidget {
  public:
    // `view` outlives the window; `set_and_close` runs the dialog's command.
    SettingsWindow(eew::SetformView& view, std::function<void()> set_and_close);

    void render();

  private:
    struct TextBinding {
        std::string eew::SetformView::*field;
        QLineEdit* widget;
        std::string shown;
        bool rendered = false;
    };
    struct FlagBinding {
        bool eew::SetformView::*field;
        QAbstractButton* widget;
        bool shown = false;
        bool rendered = false;
    };

    void add_caption(const char* text, int x, int y, int width, QWidget* buddy);
    QLineEdit* add_box(std::string eew::SetformView::*field, const char* name, int x, int y,
                       int width);
    void add_flag(bool eew::SetformView::*field, QAbstractButton* button, const char* name, int x,
                  int y);
    void add_site_grid();
    void add_settings_column();
    // Copies what the option buttons and check boxes show into the view.
    void take_flags();

    eew::SetformView& view_;
    std::function<void()> set_and_close_;
    QButtonGroup* options_;
    // Reserved up front: the edit handlers keep pointers into it.
    std::vector<TextBinding> boxes_;
    std::vector<FlagBinding> flags_;
};
