#pragma once

#include <QTimer>
#include <QWidget>
#include <string>

#include "maps/colour.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class PictureArea;

namespace eew {
class App;
struct MainView;
struct TextBox;
}  // namespace eew

// The main window: renders the core's MainView and forwards clicks to the
// App's handlers. Every control carries its system name as object name.
// render() runs after every handler, up to thousands of times a second, so it
// touches only the widgets whose value or colour changed.
class MainWindow : public QWidget {
  public:
    explicit MainWindow(eew::App& app, QWidget* parent = nullptr);

    void render();
    // For handlers that may run thousands of times a second (datagrams): renders
    // now unless a render ran in the last kRenderInterval, and otherwise once at
    // its end, so a flood of reports costs ~25 renders a second, not one each,
    // and a lone report still shows at once.
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
    // Runs a handler of the core, then shows its outcome.
    template <typename Handler>
    void run(Handler handler);

    eew::App& app_;
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
    ShownBox boxes_[4];  // Text1 … Text4
    QTimer render_timer_;
    bool render_pending_ = false;
    PictureArea* picture1_;
};
