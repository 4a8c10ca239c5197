#include "ui/main_window.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>

#include "ui/map_legend.hpp"
#include "ui/picture_area.hpp"
#include "view/main_view.hpp"

namespace {

constexpr int kColumnWidth = 172;
constexpr int kMapLeft = 184;  // the column of controls is 2760 twips wide
constexpr int kText4Top = 272;
constexpr int kText4Height = 182;
constexpr int kClockTop = kText4Top + kText4Height + 4;
constexpr int kNoticeHeight = 96;

// A palette, not a style sheet: setting a style sheet re-polishes the widget
// and its children, which costs more than the rest of a report put together.
void set_colours(QWidget* box, eew::Rgb back) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, QColor(back.r, back.g, back.b));
    p.setColor(QPalette::Text, Qt::black);
    box->setPalette(p);
}

void set_text(QWidget* box, const std::string& text) {
    const QString s = QString::fromStdString(text);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setText(s);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->setPlainText(s);
    }
}

}  // namespace

MainWindow::MainWindow(const eew::MainView& view, CloseRequest close_requested, QWidget* parent)
    : QWidget(parent), view_(view), close_requested_(std::move(close_requested)) {
    setObjectName("main");
    setWindowTitle("eewclient");

    command_[1] = add_button("Command1", "start", 8, 8);
    command_[2] = add_button("Command2", "stop", 94, 8);
    command_[5] = add_button("Command5", "mapON", 8, 38);
    command_[6] = add_button("Command6", "mapOFF", 94, 38);
    command_[8] = add_button("Command8", "replay", 8, 68);
    command_[7] = add_button("Command7", "stop play", 94, 68);
    command_[4] = add_button("Command4", "set", 8, 98);
    command_[3] = add_button("Command3", "quit", 94, 98);

    check1_ = new QCheckBox("PopUP", this);
    check1_->setObjectName("Check1");
    check1_->setGeometry(8, 130, 84, 22);
    check2_ = new QCheckBox("LIVO PopUP", this);
    check2_->setObjectName("Check2");
    check2_->setGeometry(94, 130, 92, 22);

    text1_ = add_box("Text1", "time", 158);
    text2_ = add_box("Text2", "events", 184);
    text3_ = add_box("Text3", "status", 210);

    label19_ = new QLabel(this);
    label19_->setObjectName("Label19");
    label19_->setGeometry(8, 238, kColumnWidth, 28);
    label19_->setAlignment(Qt::AlignCenter);
    label19_->setStyleSheet("color: rgb(255, 0, 0); font-weight: bold; font-size: 16pt;");

    text4_ = new QPlainTextEdit(this);
    text4_->setObjectName("Text4");
    text4_->setAccessibleName("last message");
    text4_->setReadOnly(true);
    text4_->setWordWrapMode(QTextOption::WrapAnywhere);
    text4_->setGeometry(8, kText4Top, kColumnWidth, kText4Height);
    notice_ = new QPlainTextEdit(this);
    notice_->setObjectName("notice");
    notice_->setAccessibleName("notice");
    notice_->setReadOnly(true);
    notice_->setWordWrapMode(QTextOption::WrapAnywhere);
    notice_->setGeometry(8, kText4Top + kText4Height - kNoticeHeight, kColumnWidth, kNoticeHeight);
    set_colours(notice_, eew::palette_colour(14));
    notice_->hide();
    boxes_[0].widget = text1_;
    boxes_[1].widget = text2_;
    boxes_[2].widget = text3_;
    boxes_[3].widget = text4_;
    // The clock's check, under the last message: the countdowns are only as
    // right as this computer's clock.
    auto* clock = new QLineEdit(this);
    clock->setObjectName("clock_line");
    clock->setAccessibleName("clock");
    clock->setReadOnly(true);
    clock->setGeometry(8, kClockTop, kColumnWidth, 22);
    boxes_[4].widget = clock;
    setFixedSize(kMapLeft, 488);

    picture1_ = new PictureArea("Picture1", QSize(425, 457), QColor(192, 255, 192), this);
    picture1_->setAccessibleName("main map");
    picture1_->move(kMapLeft, 24);
    map_caption_ = new QLabel(this);
    map_caption_->setGeometry(kMapLeft, 2, 140, 20);
    window_start_ = new QLabel(this);
    window_start_->setGeometry(kMapLeft + 150, 2, 120, 20);
    window_start_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* dash = new QLabel("--", this);
    dash->setGeometry(kMapLeft + 274, 2, 16, 20);
    dash->setAlignment(Qt::AlignCenter);
    window_end_ = new QLabel(this);
    window_end_->setGeometry(kMapLeft + 294, 2, 120, 20);
    auto* legend = new MapLegend(this);
    legend->setAccessibleName("depth and magnitude legend");
    legend->move(kMapLeft, 486);

    setFixedSize(kMapLeft + 425 + 8, 536);
}

QPushButton* MainWindow::add_button(const char* name, const char* caption, int x, int y) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(x, y, 82, 26);
    return b;
}

QLineEdit* MainWindow::add_box(const char* name, const char* caption, int y) {
    auto* label = new QLabel(caption, this);
    label->setGeometry(8, y, 46, 22);
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    // Read by its caption, not as "text".
    box->setAccessibleName(caption);
    label->setBuddy(box);
    box->setReadOnly(true);
    box->setGeometry(56, y, kColumnWidth - 48, 22);
    return box;
}

void MainWindow::render_soon() {
    render_pacer_.request();
}

void MainWindow::render() {
    const eew::MainView& v = view_;
    const eew::Button* buttons[9] = {nullptr,     &v.Command1, &v.Command2,
                                     &v.Command3, &v.Command4, &v.Command5,
                                     &v.Command6, &v.Command7, &v.Command8};
    for (int i = 1; i <= 8; ++i)
        command_[i]->setEnabled(buttons[i]->enabled);
    {
        QSignalBlocker b1(check1_), b2(check2_);
        check1_->setChecked(v.Check1.checked);
        check2_->setChecked(v.Check2.checked);
    }
    render_box(boxes_[0], v.Text1);
    render_box(boxes_[1], v.Text2);
    render_box(boxes_[2], v.Text3);
    render_box(boxes_[3], v.Text4);
    render_box(boxes_[4], v.clock_line);
    render_label(label19_, v.Label19);
    render_notice(v.notice);
    render_label(map_caption_, v.map_caption);
    render_label(window_start_, v.map_window_start);
    render_label(window_end_, v.map_window_end);
    // The size "mapON" or "mapOFF" chose; none before start-up.
    const QSize size(v.window_width, v.window_height);
    if (!size.isEmpty() && this->size() != size) setFixedSize(size);
}

void MainWindow::render_box(ShownBox& box, const eew::TextBox& value) {
    if (!box.shown || box.back != value.back) set_colours(box.widget, value.back);
    if (!box.shown || box.text != value.text) set_text(box.widget, value.text);
    box.text = value.text;
    box.back = value.back;
    box.shown = true;
}

void MainWindow::render_notice(const std::string& notice) {
    if (shown_notice_ == notice) return;
    shown_notice_ = notice;
    notice_->setPlainText(QString::fromStdString(notice));
    notice_->setVisible(!notice.empty());
    const int height = notice.empty() ? kText4Height : kText4Height - kNoticeHeight - 4;
    text4_->setFixedHeight(height);
}

void MainWindow::render_label(QLabel* label, const std::string& text) {
    const QString s = QString::fromStdString(text);
    if (label->text() != s) label->setText(s);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window system also closes windows when the session ends; that is
    // not the user's close box, and the list was saved when the session asked.
    const bool from_user = event->spontaneous() && !qGuiApp->isSavingSession();
    if (close_requested_(from_user)) {
        event->accept();
    } else {
        event->ignore();
    }
}
