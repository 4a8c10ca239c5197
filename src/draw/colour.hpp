#pragma once

#include <array>
#include <cstdint>

namespace eew {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The 16 colours of the classic PC text mode. An index outside 0..15 gives
// black, so a stray colour value can never index past the table.
Rgb palette_colour(int index);

// A drawing colour, given either as a palette index or as RGB.
class Colour {
  public:
    static Colour palette(int index) { return Colour(palette_colour(index), index); }
    static Colour rgb(int r, int g, int b) {
        return Colour(Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                          static_cast<std::uint8_t>(b)},
                      -1);
    }
    Rgb value() const { return rgb_; }
    // The palette index it was made from, or -1 for an RGB colour.
    int palette_index() const { return index_; }
    friend bool operator==(const Colour&, const Colour&) = default;

  private:
    Colour(Rgb rgb, int index) : rgb_(rgb), index_(index) {}
    Rgb rgb_;
    int index_;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

// Palette index of each depth class 1..6 (entry 0 reads as black).
using DepthColorTable = std::array<int, 7>;

// The depth colours the program uses: red, yellow, green, dark green, blue,
// dark blue from shallow to deep.
inline constexpr DepthColorTable kDepthColorTable{0, 12, 14, 10, 2, 9, 1};

// The palette index of a depth class. A class outside 0..6 can only come from
// a negative depth, so it is drawn as the shallowest class, 1.
int depth_class_colour(const DepthColorTable& table, int depth_class);

}  // namespace eew
