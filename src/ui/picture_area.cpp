#include "ui/picture_area.hpp"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

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

// A point belongs to the pixel whose square [i, i+1) x [j, j+1) holds it, as
// on the map images. Far-off points (marks outside the picture) are pinned
// well outside it so that the conversion stays defined.
int pixel(float v) {
    constexpr float kFar = 1.0e6f;
    if (!(v > -kFar)) return static_cast<int>(-kFar);
    if (!(v < kFar)) return static_cast<int>(kFar);
    return static_cast<int>(std::floor(v));
}

QPoint pixel(float x, float y) {
    return {pixel(x), pixel(y)};
}

// Marks are drawn aliased so that each lands on exactly the pixels its
// geometry names and keeps its palette colour unblended.
struct MarkPainter : QPainter {
    explicit MarkPainter(QImage* image) : QPainter(image) { setRenderHint(Antialiasing, false); }
};

}  // namespace

PictureArea::PictureArea(const QString& name, QSize size, QColor background, QWidget* parent,
                         double units_per_pixel)
    : QWidget(parent),
      units_per_pixel_(units_per_pixel),
      background_(background),
      layer_(size, QImage::Format_ARGB32_Premultiplied) {
    setObjectName(name);
    setFixedSize(size);
    layer_.fill(Qt::transparent);
}

QPoint PictureArea::pixel_at(float x, float y) const {
    const double k = units_per_pixel_;
    return pixel(static_cast<float>(x / k), static_cast<float>(y / k));
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
    MarkPainter p(&layer_);
    p.setPen(pen(colour, width));
    p.drawLine(pixel_at(x1, y1), pixel_at(x2, y2));
    update();
}

void PictureArea::square(float x1, float y1, float x2, float y2, eew::Colour colour, int width,
                         bool filled) {
    // The corners' pixels are both part of the square: (x - 3, y - 3) to
    // (x + 3, y + 3) covers 7 x 7 pixels.
    const QRect box = QRect(pixel_at(x1, y1), pixel_at(x2, y2)).normalized();
    MarkPainter p(&layer_);
    if (filled) p.fillRect(box, to_qcolor(colour));
    p.setPen(pen(colour, width));
    p.setBrush(Qt::NoBrush);
    // An aliased 1 px outline of QRect(x, y, w, h) covers w + 1 columns.
    p.drawRect(box.adjusted(0, 0, -1, -1));
    update();
}

void PictureArea::circle(float x, float y, float radius, eew::Colour colour, int width) {
    MarkPainter p(&layer_);
    p.setPen(pen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(pixel_at(x, y)), radius / units_per_pixel_, radius / units_per_pixel_);
    update();
}

void PictureArea::filled_circle(float x, float y, float radius, eew::Colour fill,
                                eew::Colour outline, int width) {
    MarkPainter p(&layer_);
    p.setPen(pen(outline, width));
    p.setBrush(to_qcolor(fill));
    p.drawEllipse(QPointF(pixel_at(x, y)), radius / units_per_pixel_, radius / units_per_pixel_);
    update();
}

// The pixel is set directly, as an aliased 1 px point would paint it: a
// painter for each of the mechanism panel's 242 dots cost half a millisecond
// per report.
void PictureArea::point(float x, float y, eew::Colour colour) {
    const QPoint at = pixel_at(x, y);
    if (layer_.rect().contains(at)) layer_.setPixel(at, to_qcolor(colour).rgb());
    update();
}

void PictureArea::text(float x, float y, const std::string& text, eew::Colour colour) {
    MarkPainter p(&layer_);
    p.setPen(to_qcolor(colour));
    p.setFont(font());
    const QString s = QString::fromStdString(text);
    p.drawText(QRectF(x / units_per_pixel_, y / units_per_pixel_, layer_.width(), layer_.height()),
               Qt::AlignLeft | Qt::AlignTop, s);
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
