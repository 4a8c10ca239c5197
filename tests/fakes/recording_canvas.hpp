#pragma once

#include <string>
#include <vector>

#include "maps/canvas.hpp"

namespace eew::test {

// Records every drawing call as one line of text, e.g.
// "circle 10 20 r5 c12 w6" (colours as palette index "c12" or "rgb(0,192,0)").
class RecordingCanvas : public Canvas {
  public:
    void clear() override;
    bool load_background(const std::string& path) override;
    void remove_background() override;
    void line(float x1, float y1, float x2, float y2, Colour colour, int width) override;
    void square(float x1, float y1, float x2, float y2, Colour colour, int width,
                bool filled) override;
    void circle(float x, float y, float radius, Colour colour, int width) override;
    void filled_circle(float x, float y, float radius, Colour fill, Colour outline,
                       int width) override;
    void point(float x, float y, Colour colour) override;
    void text(float x, float y, const std::string& text, Colour colour) override;

    std::vector<std::string> calls;
    std::string background;  // path of the current background bitmap
    bool background_loads = true;
};

}  // namespace eew::test
