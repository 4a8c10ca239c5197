#include "ui/popup_window.hpp"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "ui/picture_area.hpp"
#include "view/popup_view.hpp"

using eew::PopupView;

namespace {

constexpr int kMapX = 4;
constexpr int kMapY = 4;
constexpr QSize kMapSize(671, 700);
constexpr int kRowHeight = 22;
// Rows under the map: the legends, then two rows of values.
constexpr int kUnderMapY = kMapY + 700 + 4;

constexpr int kInfoX = kMapX + 671 + 9;
constexpr int kInfoFirstX = kInfoX + 88;
constexpr int kInfoLatestX = kInfoFirstX + 134;
constexpr int kInfoBoxWidth = 130;

constexpr int kWavesX = kInfoLatestX + kInfoBoxWidth + 8;
constexpr QSize kWavesSize(508, 700);
constexpr std::size_t kWaveRows = 30;

const QColor kPanelColour(255, 224, 192);
const QString kAutoClosePrefix = "automatically closed after";
const QString kAutoCloseCaption = kAutoClosePrefix + QString(15, ' ') + "sec ";

int twips_to_px(double twips, double twips_per_pixel) {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}

// The mechanism's text lines are 150 twips apart: its panel takes the
// largest size of its font that keeps them from running into each other.
QFont mechanism_font(QFont font, double twips_per_pixel) {
    const double line_pitch = 150 / twips_per_pixel;
    for (int px = 16; px > 6; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).height() <= line_pitch) break;
    }
    return font;
}

}  // namespace

PopupWindow::PopupWindow(double twips_per_pixel) {
    setObjectName("popupmap");
    setWindowTitle("new event!");
    add_map(twips_per_pixel);
    add_values();
    add_info_columns();
    add_waveform_panel();
    resize(kWavesX + kWavesSize.width() + 4, kUnderMapY + 3 * (kRowHeight + 2) + 4);
}

QLabel* PopupWindow::caption(const QString& text, int x, int y, int width, QWidget* parent) {
    auto* c = new QLabel(text, parent ? parent : this);
    c->setGeometry(x, y, width, kRowHeight);
    return c;
}

QLineEdit* PopupWindow::box(std::string PopupView::*field, const char* name,
                            const QString& accessible_name, int x, int y, int width) {
    auto* b = new QLineEdit(this);
    b->setObjectName(name);
    b->setAccessibleName(accessible_name);
    b->setReadOnly(true);
    b->setGeometry(x, y, width, kRowHeight);
    bindings_.push_back(
        {[field](const PopupView& v) -> const std::string& { return v.*field; }, b, {}});
    return b;
}

QLabel* PopupWindow::label(std::string PopupView::*field, const char* name, int x, int y, int width,
                           QWidget* parent) {
    return label([field](const PopupView& v) -> const std::string& { return v.*field; }, name, x, y,
                 width, parent);
}

QLabel* PopupWindow::label(Field field, const QString& name, int x, int y, int width,
                           QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(x, y, width, 16);
    bindings_.push_back({std::move(field), l, {}});
    return l;
}

void PopupWindow::add_map(double tpp) {
    picture1_ = new PictureArea("Picture1", kMapSize, Qt::white, this);
    picture1_->setAccessibleName("event map");
    picture1_->move(kMapX, kMapY);

    // The mechanism panel sits over the map's upper-left part.
    const int offset = twips_to_px(1680, tpp);
    picture3_ = new PictureArea("Picture3", QSize(twips_to_px(1455, tpp), twips_to_px(1575, tpp)),
                                kPanelColour, this, tpp);
    picture3_->setAccessibleName("mechanism");
    picture3_->move(kMapX + offset, kMapY + offset);
    picture3_->setFont(mechanism_font(picture3_->font(), tpp));
    caption("source", kMapX + offset, kMapY + offset - kRowHeight, 60)->setBuddy(picture3_);

    // The amplitude legend of the station marks: the unit, then one
    // threshold beside each of the six squares drawn at x = 610.
    label(&PopupView::Label29, "Label29", 610, 560, 50, picture1_);
    std::string PopupView::*const rows[] = {&PopupView::Label30, &PopupView::Label31,
                                            &PopupView::Label32, &PopupView::Label33,
                                            &PopupView::Label34, &PopupView::Label35};
    for (int r = 0; r < 6; ++r) {
        const QByteArray name = "Label" + QByteArray::number(30 + r);
        label(rows[r], name.constData(), 624, 572 + 16 * r, 46, picture1_);
    }

    int x = kMapX;
    for (const char* legend : {"S波　　：赤", "P波　　：青", "表面波：緑"}) {
        caption(QString::fromUtf8(legend), x, kUnderMapY, 84);
        x += 88;
    }
}

void PopupWindow::add_values() {
    const int y1 = kUnderMapY + kRowHeight + 2;
    const int y2 = y1 + kRowHeight + 2;

    // The seconds-left box fills the blank run of its caption.
    QLabel* auto_close = caption(kAutoCloseCaption, 280, kUnderMapY, 300);
    const QFontMetrics fm(auto_close->font());
    const int run_start = fm.horizontalAdvance(kAutoClosePrefix + ' ');
    const int run_width = fm.horizontalAdvance(QString(13, ' '));
    auto_close->setBuddy(box(&PopupView::Text65, "Text65", "automatically closed after, seconds",
                             280 + run_start, kUnderMapY, run_width));

    caption("magnitude", 4, y1, 70)
        ->setBuddy(box(&PopupView::Text6, "Text6", "magnitude", 76, y1, 44));
    caption("Mi", 128, y1, 18)->setBuddy(box(&PopupView::Text66, "Text66", "Mi", 148, y1, 44));
    caption("depth", 200, y1, 40)
        ->setBuddy(box(&PopupView::Text64, "Text64", "depth", 242, y1, 44));
    caption("distance", 294, y1, 56);
    caption("(epicentral)", 350, y1, 78)
        ->setBuddy(box(&PopupView::Text25, "Text25", "distance (epicentral), km", 430, y1, 48));
    caption("km", 482, y1, 24);

    caption("intensity", 4, y2, 70)
        ->setBuddy(box(&PopupView::Text27, "Text27", "intensity", 76, y2, 44));
    caption("count down", 128, y2, 76)
        ->setBuddy(box(&PopupView::Text26, "Text26", "count down", 206, y2, 44));
    caption("elapsed time", 258, y2, 84)
        ->setBuddy(box(&PopupView::Text8, "Text8", "elapsed time, seconds", 344, y2, 44));
    caption("sec", 392, y2, 28);
    // The agency's forecast stands in the column beside; these are not it.
    caption("(own estimate)", 428, y2, 130);

    QLabel* cls = label(&PopupView::Label37, "Label37", 560, y1, 115, this);
    cls->setFixedHeight(2 * kRowHeight + 2);
    cls->setAlignment(Qt::AlignCenter);
    cls->setStyleSheet("color: rgb(255, 0, 0); font-weight: bold; font-size: 28pt;");
}

void PopupWindow::add_info_columns() {
    caption("first info", kInfoFirstX, kMapY, kInfoBoxWidth);
    caption("latest info", kInfoLatestX, kMapY, kInfoBoxWidth);
    struct Row {
        const char* caption;
        std::string PopupView::*first;
        const char* first_name;
        std::string PopupView::*latest;
        const char* latest_name;
    };
    const Row rows[] = {
        {"origin time", &PopupView::Text5, "Text5", &PopupView::Text15, "Text15"},
        {"M", &PopupView::Text7, "Text7", &PopupView::Text16, "Text16"},
        {"latitude", &PopupView::Text10, "Text10", &PopupView::Text17, "Text17"},
        {"longitude", &PopupView::Text11, "Text11", &PopupView::Text18, "Text18"},
        {"depth", &PopupView::Text12, "Text12", &PopupView::Text19, "Text19"},
        {"p num", &PopupView::Text14, "Text14", &PopupView::Text21, "Text21"},
        {"sequence", &PopupView::Text13, "Text13", &PopupView::Text20, "Text20"},
        {"region", &PopupView::Text54, "Text54", &PopupView::Text62, "Text62"},
    };
    int y = kMapY + kRowHeight + 2;
    for (const Row& r : rows) {
        const QString name = r.caption;
        QLineEdit* first =
            box(r.first, r.first_name, name + ", first info", kInfoFirstX, y, kInfoBoxWidth);
        QLineEdit* latest =
            box(r.latest, r.latest_name, name + ", latest info", kInfoLatestX, y, kInfoBoxWidth);
        // The region row's own box is the latest; the first is its second.
        caption(r.caption, kInfoX, y, 86)
            ->setBuddy(r.latest == &PopupView::Text62 ? latest : first);
        y += kRowHeight + 2;
    }
    const int wide = kInfoLatestX + kInfoBoxWidth - kInfoFirstX;
    // Under the sequence and region of the latest report: how late it came.
    caption("delay", kInfoX, y, 86)
        ->setBuddy(delay_box_ = box(&PopupView::report_delay, "report_delay",
                                    "delay of the latest report", kInfoFirstX, y, wide));
    y += kRowHeight + 2;
    caption("location", kInfoX, y, 86)
        ->setBuddy(box(&PopupView::Text1, "Text1", "location", kInfoFirstX, y, wide));

    y += 2 * (kRowHeight + 2);
    caption("nearest reference site", kInfoX, y, wide);
    const QString ref = "nearest reference site";
    y += kRowHeight + 2;
    caption("site", kInfoX, y, 86)
        ->setBuddy(box(&PopupView::Text2, "Text2", ref, kInfoFirstX, y, wide));
    y += kRowHeight + 2;
    caption("distance", kInfoX, y, 86)
        ->setBuddy(box(&PopupView::Text3, "Text3", ref + ", distance, km", kInfoFirstX, y, 60));
    caption("km", kInfoFirstX + 64, y, 24);
    y += kRowHeight + 2;
    caption("intensity", kInfoX, y, 86)
        ->setBuddy(box(&PopupView::Text63, "Text63", ref + ", intensity", kInfoFirstX, y, 60));
    y += kRowHeight + 2;
    caption("count down", kInfoX, y, 86)
        ->setBuddy(box(&PopupView::Text4, "Text4", ref + ", count down", kInfoFirstX, y, 60));
    caption("sec", kInfoFirstX + 64, y, 28);

    // The official figure for the site's area, apart from the program's own.
    y += 2 * (kRowHeight + 2);
    const int column = kInfoLatestX + kInfoBoxWidth - kInfoX;
    caption("agency forecast (official)", kInfoX, y, column);
    y += kRowHeight + 2;
    caption("area", kInfoX, y, 86)
        ->setBuddy(box(&PopupView::agency_area, "agency_area", "agency forecast, area", kInfoFirstX,
                       y, wide));
    y += kRowHeight + 2;
    QLabel* forecast =
        label(&PopupView::agency_forecast, "agency_forecast", kInfoX, y, column, this);
    forecast->setAccessibleName("agency forecast");
    forecast->setWordWrap(true);
    forecast->setFixedHeight(2 * kRowHeight);
    forecast->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    forecast->setStyleSheet("color: rgb(192, 0, 0); font-weight: bold;");
}

void PopupWindow::add_waveform_panel() {
    struct Small {
        const char* caption;
        int caption_width;
        std::string PopupView::*field;
        const char* name;
    };
    const Small small[] = {{"seq", 28, &PopupView::wave_seq, "wave_seq"},
                           {"pkt", 28, &PopupView::wave_pkt, "wave_pkt"},
                           {"nobsall", 52, &PopupView::wave_nobsall, "wave_nobsall"},
                           {"length", 46, &PopupView::wave_length, "wave_length"}};
    int x = kWavesX;
    for (const Small& f : small) {
        caption(f.caption, x, kMapY, f.caption_width)
            ->setBuddy(box(f.field, f.name, f.caption, x + f.caption_width, kMapY, 56));
        x += f.caption_width + 64;
    }
    picture2_ = new PictureArea("Picture2", kWavesSize, kPanelColour, this);
    picture2_->setAccessibleName("observed waves");
    picture2_->move(kWavesX, kMapY + kRowHeight + 2);
    QLabel* title = caption("observed waves", 0, 4, kWavesSize.width(), picture2_);
    title->setAlignment(Qt::AlignCenter);
    title->setBuddy(picture2_);
    caption("stn, pol, dis", 8, 26, 90, picture2_);
    add_waveform_rows();
}

void PopupWindow::add_waveform_rows() {
    // Row k's label spans the 19 px around its trace's baseline, 50 + 19 (k - 1).
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(11);
    for (std::size_t k = 0; k < kWaveRows; ++k) {
        QLabel* row =
            label([k](const PopupView& v) -> const std::string& { return v.wave_row_labels[k]; },
                  QString("wave_row_labels%1").arg(k + 1), 8, 0, 65, picture2_);
        row->setGeometry(8, 48 + 19 * static_cast<int>(k), 65, 19);
        row->setFont(fixed);
    }
    // The time axis under the rows, at 0, 10 and 20 s (13 px a second from x = 75).
    for (std::size_t t = 0; t < 3; ++t) {
        QLabel* axis =
            label([t](const PopupView& v) -> const std::string& { return v.wave_time_axis[t]; },
                  QString("wave_time_axis%1").arg(t + 1), 0, 640, 41, picture2_);
        axis->move(75 + 130 * static_cast<int>(t) - 20, 640);
        axis->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
}

void PopupWindow::render(const PopupView& v) {
    if (delay_late_ != v.report_delay_late) {
        delay_late_ = v.report_delay_late;
        QPalette p = delay_box_->palette();
        p.setColor(QPalette::Base, delay_late_ ? QColor(255, 255, 0) : QColor(Qt::white));
        delay_box_->setPalette(p);
    }
    for (Binding& b : bindings_) {
        const std::string& value = b.field(v);
        if (value == b.shown) continue;
        b.shown = value;
        const QString text = QString::fromStdString(value);
        if (auto* line = qobject_cast<QLineEdit*>(b.widget)) {
            line->setText(text);
        } else {
            static_cast<QLabel*>(b.widget)->setText(text);
        }
    }
}
