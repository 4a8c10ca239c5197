#include "ui/map_legend.hpp"

#include <QPainter>

#include "draw/colour.hpp"

namespace {

QColor palette_qcolor(int index) {
    const eew::Rgb c = eew::palette_colour(index);
    return QColor(c.r, c.g, c.b);
}

}  // namespace

MapLegend::MapLegend(QWidget* parent) : QWidget(parent) {
    setObjectName("MapLegend");
    setFixedSize(425, 44);
}

void MapLegend::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 2, 40, 16), Qt::AlignLeft | Qt::AlignVCenter, "depth");
    // Depth classes 1..6 in the map's colours, with the class boundaries
    // (km) written under the joins.
    static constexpr const char* kBounds[] = {"-20", "-40", "-60", "-80", "-100"};
    for (int i = 0; i < 6; ++i) {
        p.fillRect(QRect(44 + 24 * i, 4, 24, 12), palette_qcolor(eew::kDepthColorTable[i + 1]));
    }
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    p.setFont(small);
    for (int i = 0; i < 5; ++i) {
        p.drawText(QRect(44 + 24 * (i + 1) - 14, 18, 28, 14), Qt::AlignCenter, kBounds[i]);
    }
    p.setFont(font());
    p.drawText(QRect(210, 2, 20, 16), Qt::AlignLeft | Qt::AlignVCenter, "M");
    // Disc radii follow the map: 1.4 pixels per magnitude unit.
    static constexpr const char* kMagnitudes[] = {"1-2", "3-4", "5-6", "7-8"};
    static constexpr double kMidMagnitude[] = {1.5, 3.5, 5.5, 7.5};
    for (int i = 0; i < 4; ++i) {
        const double r = 1.4 * kMidMagnitude[i];
        const QPointF centre(236 + 48 * i, 10);
        p.setBrush(Qt::white);
        p.drawEllipse(centre, r, r);
        p.setFont(small);
        p.drawText(QRectF(centre.x() + r + 2, 2, 36, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   kMagnitudes[i]);
        p.setFont(font());
    }
}
