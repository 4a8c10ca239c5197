#include "ui/picture_area.hpp"

#include <QPaintEvent>
#include <QPainter>

namespace {

QColor to_qcolor(eew::Colour c) {
    const eew::Rgb v = c.value();
    return QColor(v.r, v.g, v.b);
}

QPen pen(eew::Colour c, int width) {
    QPen p(to_qcolor(c));
    p.setWidth(width < 1 ? 1 : width);
    return p;
}

}  // namespace

PictureArea::PictureArea(const QString& name, QSize size, QColor background, QWidget* parent)
    : QWidget(parent), background_(background), layer_(size, QImage::Format_ARGB32_Premultiplied) {
    setObjectName(name);
    setFixedSize(size);
    layer_.fill(Qt::transparent);
}

void PictureArea::clear() {
    layer_.fill(Qt::transparent);
    update();
}

bool PictureArea::load_background(const std::string& path) {
    QImage image;
    const bool ok = image.load(QString::fromStdString(path));
    bitmap_ = ok ? image : QImage();
    clear();
    return ok;
}

void PictureArea::remove_background() {
    bitmap_ = QImage();
    update();
}

void PictureArea::line(float x1, float y1, float x2, float y2, eew::Colour colour, int width) {
    QPainter p(&layer_);
    p.setPen(pen(colour, width));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    update();
}

void PictureArea::square(float x1, float y1, float x2, float y2, eew::Colour colour, int width,
                         bool filled) {
    QPainter p(&layer_);
    p.setPen(pen(colour, width));
    p.setBrush(filled ? QBrush(to_qcolor(colour)) : Qt::NoBrush);
    p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    update();
}

void PictureArea::circle(float x, float y, float radius, eew::Colour colour, int width) {
    QPainter p(&layer_);
    p.setPen(pen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(x, y), radius, radius);
    update();
}

void PictureArea::filled_circle(float x, float y, float radius, eew::Colour fill,
                                eew::Colour outline, int width) {
    QPainter p(&layer_);
    p.setPen(pen(outline, width));
    p.setBrush(to_qcolor(fill));
    p.drawEllipse(QPointF(x, y), radius, radius);
    update();
}

void PictureArea::point(float x, float y, eew::Colour colour) {
    QPainter p(&layer_);
    p.setPen(pen(colour, 1));
    p.drawPoint(QPointF(x, y));
    update();
}

void PictureArea::text(float x, float y, const std::string& text, eew::Colour colour) {
    QPainter p(&layer_);
    p.setPen(to_qcolor(colour));
    p.setFont(font());
    const QString s = QString::fromStdString(text);
    p.drawText(QRectF(x, y, layer_.width(), layer_.height()), Qt::AlignLeft | Qt::AlignTop, s);
    update();
}

QImage PictureArea::rendered() const {
    QImage out(layer_.size(), QImage::Format_RGB32);
    out.fill(background_);
    QPainter p(&out);
    if (!bitmap_.isNull()) p.drawImage(0, 0, bitmap_);
    p.drawImage(0, 0, layer_);
    return out;
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, rendered());
}
