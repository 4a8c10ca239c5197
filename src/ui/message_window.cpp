#include "ui/message_window.hpp"

#include <QLabel>

#include "view/message_view.hpp"

namespace {

constexpr int kWidth = 560;
constexpr int kLineHeight = 30;

}  // namespace

MessageWindow::MessageWindow() {
    setObjectName("message");
    setWindowTitle("message");
    QFont f = font();
    // The captions name the Windows font; the IPA font stands in where it is
    // missing, also when no substitution has been set up.
    f.setFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic"});
    f.setPointSize(12);
    setFont(f);
    for (int i = 0; i < 6; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(i < 5 ? QString("Label%1").arg(i + 1) : QString("agency_line"));
        l->setWordWrap(true);
        labels_[i] = l;
    }
    // The warning sentence gets the most room and weight.
    labels_[0]->setGeometry(8, 6, kWidth - 16, kLineHeight);
    labels_[1]->setGeometry(8, 6 + kLineHeight, kWidth - 16, kLineHeight);
    labels_[2]->setGeometry(8, 6 + 2 * kLineHeight, kWidth - 16, 2 * kLineHeight);
    labels_[2]->setStyleSheet("color: rgb(255, 0, 0); font-weight: bold;");
    labels_[3]->setGeometry(8, 6 + 4 * kLineHeight, kWidth - 16, kLineHeight);
    labels_[4]->setGeometry(8, 6 + 5 * kLineHeight, kWidth - 16, kLineHeight);
    // The agency's own forecast for the site's area, under the program's sentences.
    labels_[5]->setGeometry(8, 6 + 6 * kLineHeight, kWidth - 16, 2 * kLineHeight);
    labels_[5]->setStyleSheet("color: rgb(192, 0, 0);");
    resize(kWidth, 12 + 8 * kLineHeight);
}

void MessageWindow::render(const eew::MessageView& v) {
    const std::string* values[6] = {&v.Label1, &v.Label2, &v.Label3,
                                    &v.Label4, &v.Label5, &v.agency_line};
    for (int i = 0; i < 6; ++i) {
        if (*values[i] == shown_[i]) continue;
        shown_[i] = *values[i];
        labels_[i]->setText(QString::fromStdString(shown_[i]));
    }
}
