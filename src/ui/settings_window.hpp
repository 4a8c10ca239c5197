#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace eew {
struct SetformView;
}

// The settings dialog "setting": three framed site columns side by side with
// an option button above each, a column of boxes below with the three check
// boxes beside its first rows, and "set and close" at the lower right. Every
// control carries its system name as object name, by which the control table
// connects it: the user's edits go to the core, which keeps them in the view
// it fills and applies. render() sets the widgets that do not show the view's
// value. Closing the window by any means deletes it, so its edits are gone.
class SettingsWindow : public QWidget {
  public:
    // `view` outlives the window.
    explicit SettingsWindow(const eew::SetformView& view);

    void render();

  private:
    struct TextBinding {
        std::string eew::SetformView::*field;
        QLineEdit* widget;
    };
    struct FlagBinding {
        bool eew::SetformView::*field;
        QAbstractButton* widget;
    };
    struct ChoiceBinding {
        std::string eew::SetformView::*field;
        QComboBox* widget;
    };

    void add_caption(const char* text, int x, int y, int width, QWidget* buddy);
    QLineEdit* add_box(std::string eew::SetformView::*field, const char* name,
                       const QString& accessible_name, int x, int y, int width);
    void add_flag(bool eew::SetformView::*field, QAbstractButton* button, const char* name,
                  const QString& accessible_name, int x, int y);
    void add_site_grid();
    void add_settings_column();
    void render_choices();

    const eew::SetformView& view_;
    QButtonGroup* options_;
    std::vector<TextBinding> boxes_;
    std::vector<FlagBinding> flags_;
    std::vector<ChoiceBinding> choices_;
};
