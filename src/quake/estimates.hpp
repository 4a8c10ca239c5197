#pragma once

#include <array>

namespace eew {

// Estimates for the followed event: its rounded intensity at the site and the
// nearest reference site with its distance and intensity.
struct Estimates {
    int iintensity = 0;
    std::array<double, 51> dist_ref{};
    double dist_ref_min = 99999.9;
    int ref_site_i_min = 0;
    double intensity_ref = 0;
};

}  // namespace eew
