#include "fakes/recording_canvas.hpp"

#include <cstdio>

namespace eew::test {
namespace {

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string colour(Colour c) {
    if (c.palette_index() >= 0) return "c" + std::to_string(c.palette_index());
    const Rgb v = c.value();
    return "rgb(" + std::to_string(v.r) + "," + std::to_string(v.g) + "," + std::to_string(v.b) +
           ")";
}

}  // namespace

void RecordingCanvas::clear() {
    calls.push_back("clear");
}

bool RecordingCanvas::load_background(const std::string& path) {
    calls.push_back("background " + path);
    background = background_loads ? path : "";
    return background_loads;
}

void RecordingCanvas::remove_background() {
    calls.push_back("remove background");
    background.clear();
}

void RecordingCanvas::line(float x1, float y1, float x2, float y2, Colour c, int width) {
    calls.push_back("line " + num(x1) + " " + num(y1) + " " + num(x2) + " " + num(y2) + " " +
                    colour(c) + " w" + std::to_string(width));
}

void RecordingCanvas::square(float x1, float y1, float x2, float y2, Colour c, int width,
                             bool filled) {
    calls.push_back(std::string(filled ? "filled square " : "square ") + num(x1) + " " + num(y1) +
                    " " + num(x2) + " " + num(y2) + " " + colour(c) + " w" + std::to_string(width));
}

void RecordingCanvas::circle(float x, float y, float radius, Colour c, int width) {
    calls.push_back("circle " + num(x) + " " + num(y) + " r" + num(radius) + " " + colour(c) +
                    " w" + std::to_string(width));
}

void RecordingCanvas::filled_circle(float x, float y, float radius, Colour fill, Colour outline,
                                    int width) {
    calls.push_back("disc " + num(x) + " " + num(y) + " r" + num(radius) + " " + colour(fill) +
                    " rim " + colour(outline) + " w" + std::to_string(width));
}

void RecordingCanvas::point(float x, float y, Colour c) {
    calls.push_back("point " + num(x) + " " + num(y) + " " + colour(c));
}

void RecordingCanvas::text(float x, float y, const std::string& t, Colour c) {
    calls.push_back("text " + num(x) + " " + num(y) + " " + colour(c) + " " + t);
}

}  // namespace eew::test
