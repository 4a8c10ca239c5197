#pragma once

#include <string>

#include "draw/colour.hpp"

namespace eew {

// The drawing primitives of one picture area. Coordinates are in the
// picture's own units (pixels, x right, y down, origin top-left), as floats;
// nothing is clipped by the caller. Line widths are in pixels.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // Removes all drawing and keeps the background image, if any.
    virtual void clear() = 0;
    // Makes the bitmap at `path` the background, removing earlier drawing.
    // Returns false and keeps the plain background colour when it cannot be read.
    virtual bool load_background(const std::string& path) = 0;
    virtual void remove_background() = 0;

    virtual void line(float x1, float y1, float x2, float y2, Colour colour, int width) = 0;
    // An axis-aligned square (or rectangle) with corners (x1, y1) and (x2, y2),
    // outlined in `colour` and, when `filled`, filled with it.
    virtual void square(float x1, float y1, float x2, float y2, Colour colour, int width,
                        bool filled) = 0;
    virtual void circle(float x, float y, float radius, Colour colour, int width) = 0;
    virtual void filled_circle(float x, float y, float radius, Colour fill, Colour outline,
                               int width) = 0;
    virtual void point(float x, float y, Colour colour) = 0;
    // `text` is UTF-8; (x, y) is the top-left corner of the text.
    virtual void text(float x, float y, const std::string& text, Colour colour) = 0;
};

}  // namespace eew
