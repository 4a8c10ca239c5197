#include "draw/colour.hpp"

namespace eew {

Rgb palette_colour(int index) {
    static constexpr Rgb kPalette[16] = {
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
    if (index < 0 || index > 15) return kPalette[0];
    return kPalette[index];
}

int depth_class_colour(const DepthColorTable& table, int depth_class) {
    if (depth_class < 0 || depth_class > 6) depth_class = 1;
    return table[depth_class];
}

}  // namespace eew
