#include "quake/distance_intensity.hpp"

#include <algorithm>
#include <climits>
#include <cmath>

#include "text/numeric_value.hpp"

namespace eew {

double epicentral_distance(double lon1, double lat1, double lon2, double lat2) {
    const double rad = 3.14159 / 180;
    const double th1 = rad * (90 - lat1);
    const double ph1 = rad * lon1;
    const double th2 = rad * (90 - lat2);
    const double ph2 = rad * lon2;
    const double x = std::sin(th2) * std::sin(ph1 - ph2);
    const double c =
        std::sin(th1) * std::sin(th2) * std::cos(ph1 - ph2) + std::cos(th2) * std::cos(th1);
    const double z =
        std::cos(th1) * std::sin(th2) * std::cos(ph1 - ph2) - std::cos(th2) * std::sin(th1);
    const double s = std::sqrt(std::abs(z * z + x * x));
    // A vanishing sine with a negative cosine means antipodal points, not coincident ones.
    if (s > 0.00001 || c < 0) return std::atan2(s, c) * 6371.05;
    return 0.00001;
}

double estimate_intensity(double magnitude, double depth, double distance, double amp) {
    if (!(amp > 0)) amp = 1;
    const double r = std::sqrt(depth * depth + distance * distance);
    const double t = r / 3.5;
    const double geometric = 2 * magnitude - 0.8686 * std::log(r);
    const double anelastic = ((2 * 3.1416 * 3.0) * t) / 400 / std::log(10.0);
    double i = geometric - anelastic - 6.0;
    i += 0.8686 * std::log(amp);
    if (std::isnan(i) || i < 0) return 0;
    return std::min(i, 7.4);
}

int round_intensity(double intensity) {
    const long long whole = integer_part(std::trunc(intensity + 0.5));
    return static_cast<int>(std::clamp<long long>(whole, INT_MIN, INT_MAX));
}

void evaluate_reference_sites(const FollowedEvent& f, const ReferenceSites& refs, Estimates& e) {
    const int n = std::clamp(refs.ref_number, 0, ReferenceSites::kCapacity);
    for (int i = 1; i <= n; ++i) {
        e.dist_ref[i] = epicentral_distance(f.longitude, f.latitude, refs.longitude_ref[i],
                                            refs.latitude_ref[i]);
    }
    e.dist_ref_min = 99999.9;
    e.ref_site_i_min = 0;
    for (int i = 1; i <= n; ++i) {
        if (e.dist_ref[i] < e.dist_ref_min) {
            e.dist_ref_min = e.dist_ref[i];
            e.ref_site_i_min = i;
        }
    }
    const int near = e.ref_site_i_min;
    e.intensity_ref =
        near == 0 ? 0 : estimate_intensity(f.mip, f.depth, e.dist_ref[near], refs.ampfac_ref[near]);
}

}  // namespace eew
