#pragma once

#include <QImage>
#include <QWidget>

#include "draw/canvas.hpp"

// A fixed-size picture area: a plain background colour, an optional bitmap
// over it and a transparent drawing layer on top, drawn through the Canvas
// primitives. Drawing coordinates and radii are in `units_per_pixel` units
// (1 for pixels, the screen's twips per pixel for a panel measured in twips);
// line widths are always pixels.
class PictureArea : public QWidget, public eew::Canvas {
  public:
    PictureArea(const QString& name, QSize size, QColor background, QWidget* parent = nullptr,
                double units_per_pixel = 1);

    void clear() override;
    bool load_background(const std::string& path) override;
    void remove_background() override;
    void line(float x1, float y1, float x2, float y2, eew::Colour colour, int width) override;
    void square(float x1, float y1, float x2, float y2, eew::Colour colour, int width,
                bool filled) override;
    void circle(float x, float y, float radius, eew::Colour colour, int width) override;
    void filled_circle(float x, float y, float radius, eew::Colour fill, eew::Colour outline,
                       int width) override;
    void point(float x, float y, eew::Colour colour) override;
    void text(float x, float y, const std::string& text, eew::Colour colour) override;

    // What the area shows now: background, bitmap and drawing.
    QImage rendered() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPoint pixel_at(float x, float y) const;

    double units_per_pixel_;
    QColor background_;
    QImage bitmap_;
    QImage layer_;
};
