#pragma once

#include <string>

#include "maps/canvas.hpp"

namespace eew::bench {

// A canvas that records how many drawing calls it got and nothing else, so
// that a benchmark of the report chain measures the chain and not the
// formatting of a text record per call, as the tests' recording canvas does.
class CountingCanvas : public Canvas {
  public:
    void clear() override { ++calls; }
    bool load_background(const std::string&) override { return ++calls > 0; }
    void remove_background() override { ++calls; }
    void line(float, float, float, float, Colour, int) override { ++calls; }
    void square(float, float, float, float, Colour, int, bool) override { ++calls; }
    void circle(float, float, float, Colour, int) override { ++calls; }
    void filled_circle(float, float, float, Colour, Colour, int) override { ++calls; }
    void point(float, float, Colour) override { ++calls; }
    void text(float, float, const std::string&, Colour) override { ++calls; }

    long long calls = 0;
};

}  // namespace eew::bench
