#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "draw/colour.hpp"
#include "ui/render_pacer.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class PictureArea;

namespace eew {
struct MainView;
struct TextBox;
}  // namespace eew

// The main window: renders the core's MainView. Every control carries its
// system name as object name, by which the control table connects it to its
// handler, and every box and picture an accessible name.
// render() runs after every handler, up to thousands of times a second, so it
// touches only the widgets whose value or colour changed.
class MainWindow : public QWidget {
  public:
    // Asked whether the window may close; true when the close came from the
    // user's close box rather than from the session ending.
    using CloseRequest = std::function<bool(bool from_user)>;

    MainWindow(const eew::MainView& view, CloseRequest close_requested, QWidget* parent = nullptr);

    void render();
    // For handlers that may run thousands of times a second (datagrams): at
    // most one render every 100 ms, the first at once.
    void render_soon();
    PictureArea& main_map() { return *picture1_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* add_button(const char* name, const char* caption, int x, int y);
    QLineEdit* add_box(const char* name, const char* caption, int y);
    // What a text box shows now, as last set from the view.
    struct ShownBox {
        QWidget* widget = nullptr;
        std::string text;
        eew::Rgb back;
        bool shown = false;
    };
    void render_box(ShownBox& box, const eew::TextBox& value);
    void render_notice(const std::string& notice);
    static void render_label(QLabel* label, const std::string& text);
    const eew::MainView& view_;
    CloseRequest close_requested_;
    QPushButton* command_[9] = {};
    QCheckBox* check1_;
    QCheckBox* check2_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text3_;
    QPlainTextEdit* text4_;
    // Shown under the last-message box only while there is a notice.
    QPlainTextEdit* notice_;
    std::string shown_notice_;
    QLabel* label19_;
    QLabel* map_caption_;
    QLabel* window_start_;
    QLabel* window_end_;
    ShownBox boxes_[5];  // Text1 … Text4, the clock line
    // Nobody reads text that changes more than ten times a second; at 1,000
    // reports a second laying out the last message each time would cost more
    // than everything else.
    static constexpr int kRenderInterval = 100;  // ms
    RenderPacer render_pacer_{kRenderInterval, [this] { render(); }};
    PictureArea* picture1_;
};
