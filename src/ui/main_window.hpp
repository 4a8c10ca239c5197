#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class PictureArea;

namespace eew {
class App;
struct MainView;
}  // namespace eew

// The main window: renders the core's MainView and forwards clicks to the
// App's handlers. Every control carries its system name as object name.
class MainWindow : public QWidget {
  public:
    explicit MainWindow(eew::App& app, QWidget* parent = nullptr);

    void render();
    PictureArea& main_map() { return *picture1_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* add_button(const char* name, const char* caption, int x, int y);
    QLineEdit* add_box(const char* name, const char* caption, int y);
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
    QLabel* label19_;
    QLabel* map_caption_;
    QLabel* window_start_;
    QLabel* window_end_;
    PictureArea* picture1_;
};
