#include "ui/settings_window.hpp"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "view/setform_view.hpp"

using eew::SetformView;

namespace {

constexpr int kRow = 26;
constexpr int kBoxHeight = 22;
constexpr int kLabelWidth = 84;
constexpr int kColumnLeft = 96;
constexpr int kColumnWidth = 120;
constexpr int kGridTop = 34;
constexpr int kGridRows = 5;
constexpr int kLowerTop = kGridTop + kGridRows * kRow + 16;

}  // namespace

SettingsWindow::SettingsWindow(const SetformView& view)
    : view_(view), options_(new QButtonGroup(this)) {
    setObjectName("setform");
    setWindowTitle("setting");
    // "set and close" closes this window, which is deleted only once the
    // click has been handled.
    setAttribute(Qt::WA_DeleteOnClose);
    add_site_grid();
    add_settings_column();

    auto* command1 = new QPushButton("set and close", this);
    command1->setObjectName("Command1");
    command1->setGeometry(kColumnLeft + 2 * kColumnWidth, kLowerTop + 4 * kRow - 2,
                          kColumnWidth - 8, 26);
    setFixedSize(kColumnLeft + 3 * kColumnWidth + 8, kLowerTop + 5 * kRow + 8);
}

void SettingsWindow::add_caption(const char* text, int x, int y, int width, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setGeometry(x, y, width, kBoxHeight);
    label->setBuddy(buddy);
}

QLineEdit* SettingsWindow::add_box(std::string SetformView::*field, const char* name,
                                   const QString& accessible_name, int x, int y, int width) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAccessibleName(accessible_name);
    box->setGeometry(x, y, width, kBoxHeight);
    boxes_.push_back({field, box});
    return box;
}

// The buttons carry no captions of their own; their names are read aloud.
void SettingsWindow::add_flag(bool SetformView::*field, QAbstractButton* button, const char* name,
                              const QString& accessible_name, int x, int y) {
    button->setObjectName(name);
    button->setAccessibleName(accessible_name);
    button->setGeometry(x, y, 22, kBoxHeight);
    flags_.push_back({field, button});
}

void SettingsWindow::add_site_grid() {
    struct Column {
        bool SetformView::*option;
        const char* option_name;
        std::pair<std::string SetformView::*, const char*> boxes[4];
    };
    const Column columns[3] = {
        {&SetformView::Option1,
         "Option1",
         {{&SetformView::Text8, "Text8"},
          {&SetformView::Text3, "Text3"},
          {&SetformView::Text4, "Text4"},
          {&SetformView::Text5, "Text5"}}},
        {&SetformView::Option2,
         "Option2",
         {{&SetformView::Text9, "Text9"},
          {&SetformView::Text10, "Text10"},
          {&SetformView::Text11, "Text11"},
          {&SetformView::Text12, "Text12"}}},
        {&SetformView::Option3,
         "Option3",
         {{&SetformView::Text13, "Text13"},
          {&SetformView::Text14, "Text14"},
          {&SetformView::Text15, "Text15"},
          {&SetformView::Text16, "Text16"}}},
    };
    const char* rows[4] = {"site", "longitude", "latitude", "amp. factor"};
    const std::pair<std::string SetformView::*, const char*> areas[3] = {
        {&SetformView::forecast_area1, "forecast_area1"},
        {&SetformView::forecast_area2, "forecast_area2"},
        {&SetformView::forecast_area3, "forecast_area3"}};
    for (int c = 0; c < 3; ++c) {
        const int x = kColumnLeft + c * kColumnWidth;
        const QString site = QString(" of site %1").arg(c + 1);
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::Box);
        frame->setGeometry(x, kGridTop - 4, kColumnWidth - 8, kGridRows * kRow + 6);
        auto* option = new QRadioButton(this);
        options_->addButton(option);
        add_flag(columns[c].option, option, columns[c].option_name, "use" + site,
                 x + (kColumnWidth - 30) / 2, 6);
        for (int r = 0; r < 4; ++r) {
            QLineEdit* box = add_box(columns[c].boxes[r].first, columns[c].boxes[r].second,
                                     rows[r] + site, x + 4, kGridTop + r * kRow, kColumnWidth - 16);
            if (c == 0) add_caption(rows[r], 8, kGridTop + r * kRow, kLabelWidth, box);
        }
        // The agency's forecast area, chosen by name; its list is as wide as
        // the longest name.
        auto* area = new QComboBox(this);
        area->setObjectName(areas[c].second);
        area->setAccessibleName("forecast area" + site);
        area->setGeometry(x + 4, kGridTop + 4 * kRow, kColumnWidth - 16, kBoxHeight);
        area->view()->setMinimumWidth(170);
        choices_.push_back({areas[c].first, area});
        if (c == 0) add_caption("forecast area", 8, kGridTop + 4 * kRow, kLabelWidth, area);
    }
}

void SettingsWindow::add_settings_column() {
    const std::pair<std::string SetformView::*, const char*> boxes[5] = {
        {&SetformView::Text2, "Text2"},
        {&SetformView::Text6, "Text6"},
        {&SetformView::Text7, "Text7"},
        {&SetformView::Text1, "Text1"},
        {&SetformView::Text17, "Text17"}};
    const char* captions[5] = {"port", "min. p data", "min. M", "max distance", "disp duration"};
    for (int r = 0; r < 5; ++r) {
        const int y = kLowerTop + r * kRow;
        QLineEdit* box = add_box(boxes[r].first, boxes[r].second, captions[r], kColumnLeft + 4, y,
                                 kColumnWidth - 16);
        add_caption(captions[r], 8, y, kLabelWidth, box);
    }
    const std::pair<bool SetformView::*, const char*> checks[3] = {
        {&SetformView::Check1, "Check1"},
        {&SetformView::Check2, "Check2"},
        {&SetformView::Check3, "Check3"}};
    const char* labels[3] = {"LAN mode", "voice alarm", "auto start"};
    for (int r = 0; r < 3; ++r) {
        const int x = kColumnLeft + kColumnWidth + 4, y = kLowerTop + r * kRow;
        auto* check = new QCheckBox(this);
        add_flag(checks[r].first, check, checks[r].second, labels[r], x, y);
        add_caption(labels[r], x + 26, y, kColumnWidth, check);
    }
}

void SettingsWindow::render() {
    // A box that shows its value already is left alone: setting it again
    // would move the cursor of someone typing. What the program sets is not
    // the user's edit, so no handler hears of it.
    for (const TextBinding& b : boxes_) {
        const QString value = QString::fromStdString(view_.*b.field);
        const QSignalBlocker quiet(b.widget);
        if (b.widget->text() != value) b.widget->setText(value);
    }
    // An exclusive group cannot be left with no option checked, which the
    // view may ask for; it is exclusive again once the values are set.
    options_->setExclusive(false);
    for (const FlagBinding& f : flags_) {
        const QSignalBlocker quiet(f.widget);
        f.widget->setChecked(view_.*f.field);
    }
    options_->setExclusive(true);
    render_choices();
}

// The list is filled once, from the areas the view offers: "none", then each
// area by name with its code as the item's value. A chosen code the table
// does not name (the table is missing, or older) is offered by its code, so
// that it shows, and stays unless the user picks another.
void SettingsWindow::render_choices() {
    for (const ChoiceBinding& c : choices_) {
        const QSignalBlocker quiet(c.widget);
        if (c.widget->count() == 0) {
            c.widget->addItem("(none)", QString());
            for (const auto& [code, name] : view_.forecast_area_choices)
                c.widget->addItem(QString::fromStdString(name), QString::fromStdString(code));
        }
        const QString code = QString::fromStdString(view_.*c.field);
        if (c.widget->findData(code) < 0) c.widget->addItem(code, code);
        c.widget->setCurrentIndex(c.widget->findData(code));
    }
}
