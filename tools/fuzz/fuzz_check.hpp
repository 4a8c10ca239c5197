#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "maps/canvas.hpp"

namespace eew::fuzz {

// A broken invariant is a finding: libFuzzer keeps the input that caused it.
inline void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// A canvas that draws nothing and insists on finite coordinates: a NaN or an
// infinity reaching the painter would draw garbage or nothing.
class FiniteCanvas : public Canvas {
  public:
    void clear() override {}
    bool load_background(const std::string&) override { return true; }
    void remove_background() override {}
    void line(float x1, float y1, float x2, float y2, Colour, int) override {
        finite({x1, y1, x2, y2});
    }
    void square(float x1, float y1, float x2, float y2, Colour, int, bool) override {
        finite({x1, y1, x2, y2});
    }
    void circle(float x, float y, float radius, Colour, int) override { finite({x, y, radius}); }
    void filled_circle(float x, float y, float radius, Colour, Colour, int) override {
        finite({x, y, radius});
    }
    void point(float x, float y, Colour) override { finite({x, y}); }
    void text(float x, float y, const std::string&, Colour) override { finite({x, y}); }

  private:
    static void finite(std::initializer_list<float> values) {
        for (float v : values)
            check(std::isfinite(v), "a drawing coordinate is finite");
    }
};

}  // namespace eew::fuzz
