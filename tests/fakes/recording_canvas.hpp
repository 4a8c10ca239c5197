#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "draw/canvas.hpp"

namespace eew::test {

// Records every drawing call as one line of text, e.g.
// "circle 10 20 r5 c12 w6" (colours as palette index "c12" or "rgb(0,192,0)").
class RecordingCanvas : public Canvas {
  public:
    void clear() override { calls.push_back("clear"); }
    bool load_background(const std::string& path) override {
        calls.push_back("background " + path);
        background = background_loads ? path : "";
        return background_loads;
    }
    void remove_background() override {
        calls.push_back("remove background");
        background.clear();
    }
    void line(float x1, float y1, float x2, float y2, Colour c, int width) override {
        record("line %g %g %g %g %s w%d", x1, y1, x2, y2, name(c).c_str(), width);
    }
    void square(float x1, float y1, float x2, float y2, Colour c, int width, bool filled) override {
        record("%s %g %g %g %g %s w%d", filled ? "filled square" : "square", x1, y1, x2, y2,
               name(c).c_str(), width);
    }
    void circle(float x, float y, float radius, Colour c, int width) override {
        record("circle %g %g r%g %s w%d", x, y, radius, name(c).c_str(), width);
    }
    void filled_circle(float x, float y, float radius, Colour fill, Colour outline,
                       int width) override {
        record("disc %g %g r%g %s rim %s w%d", x, y, radius, name(fill).c_str(),
               name(outline).c_str(), width);
    }
    void point(float x, float y, Colour c) override {
        record("point %g %g %s", x, y, name(c).c_str());
    }
    void text(float x, float y, const std::string& text, Colour c) override {
        record("text %g %g %s %s", x, y, name(c).c_str(), text.c_str());
    }

    std::vector<std::string> calls;
    std::string background;  // path of the current background bitmap
    bool background_loads = true;

  private:
    // printf-style, into a call of any length; floats go in as doubles.
    template <typename... Args>
    void record(const char* pattern, Args... args) {
        std::string call(std::snprintf(nullptr, 0, pattern, args...), '\0');
        std::snprintf(call.data(), call.size() + 1, pattern, args...);
        calls.push_back(call);
    }
    // Formatted rather than concatenated: GCC 12 at -O2 warns falsely
    // (-Wrestrict) on a literal added to a temporary string.
    static std::string name(Colour c) {
        const Rgb v = c.value();
        char text[32];
        if (c.palette_index() >= 0)
            std::snprintf(text, sizeof text, "c%d", c.palette_index());
        else
            std::snprintf(text, sizeof text, "rgb(%d,%d,%d)", v.r, v.g, v.b);
        return text;
    }
};

}  // namespace eew::test
