#include "traveltime/spherical_shells.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "text/number_format.hpp"

namespace eew::traveltime {
namespace {

// Within a shell eta = r / v is a power of r, d(eta)/eta = c dr/r, and the
// integrals p dr / (r sqrt(eta^2 - p^2)) and eta^2 dr / (r sqrt(eta^2 - p^2))
// become arccos(p / eta) / c and sqrt(eta^2 - p^2) / c.
double angle_term(double p, double eta) {
    return std::acos(std::min(1.0, p / eta));
}
double time_term(double p, double eta) {
    return std::sqrt(std::max(0.0, eta * eta - p * p));
}

// Below this |c| a shell is treated as having constant eta (v proportional to r).
constexpr double kFlatEta = 1e-9;
// Lets a ray graze a shell boundary whose eta equals p up to rounding.
constexpr double kGrazing = 1.0 + 1e-12;

}  // namespace

SphericalShells::SphericalShells(const VelocityModel& model, Wave wave, double source_depth_km,
                                 double max_shell_km) {
    if (!(source_depth_km >= 0.0) || source_depth_km >= model.floor_km())
        throw ModelError("source depth " + plain_decimal(source_depth_km) +
                         " km lies outside the model (0 to " + plain_decimal(model.floor_km()) +
                         " km)");
    const auto& knots = model.knots;
    for (std::size_t k = 0; k + 1 < knots.size(); ++k) {
        const ModelKnot& a = knots[k];
        const ModelKnot& b = knots[k + 1];
        if (b.depth_km == a.depth_km) continue;
        const auto speed_at = [&](double depth) {
            const double f = (depth - a.depth_km) / (b.depth_km - a.depth_km);
            return a.speed(wave) + f * (b.speed(wave) - a.speed(wave));
        };
        std::vector<double> cuts;
        const int pieces = static_cast<int>(std::ceil((b.depth_km - a.depth_km) / max_shell_km));
        for (int i = 0; i <= pieces; ++i)
            cuts.push_back(a.depth_km + (b.depth_km - a.depth_km) * i / pieces);
        if (source_depth_km > a.depth_km && source_depth_km < b.depth_km) {
            cuts.push_back(source_depth_km);
            std::sort(cuts.begin(), cuts.end());
        }
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            if (cuts[i + 1] <= cuts[i]) continue;
            if (cuts[i] == source_depth_km) source_ = shells_.size();
            add_shells(cuts[i], speed_at(cuts[i]), cuts[i + 1], speed_at(cuts[i + 1]));
        }
    }
}

void SphericalShells::add_shells(double depth_top, double v_top, double depth_bot, double v_bot) {
    Shell shell;
    shell.r_top = kEarthRadiusKm - depth_top;
    shell.r_bot = kEarthRadiusKm - depth_bot;
    shell.eta_top = shell.r_top / v_top;
    shell.eta_bot = shell.r_bot / v_bot;
    shell.c = std::log(shell.eta_top / shell.eta_bot) / std::log(shell.r_top / shell.r_bot);
    shells_.push_back(shell);
}

bool SphericalShells::add_full_shell(const Shell& shell, double p, Leg& leg) {
    if (std::abs(shell.c) < kFlatEta) {
        // A ray with p = eta here would circle the Earth without returning.
        const double cosine = time_term(p, shell.eta_top);
        if (cosine == 0.0) return false;
        const double log_ratio = std::log(shell.r_top / shell.r_bot);
        leg.distance_rad += p / cosine * log_ratio;
        leg.seconds += shell.eta_top * shell.eta_top / cosine * log_ratio;
        return true;
    }
    leg.distance_rad += (angle_term(p, shell.eta_top) - angle_term(p, shell.eta_bot)) / shell.c;
    leg.seconds += (time_term(p, shell.eta_top) - time_term(p, shell.eta_bot)) / shell.c;
    return true;
}

RayEnd SphericalShells::trace(double p, bool downward) const {
    Leg above;  // from the source up to the surface
    for (std::size_t k = 0; k < source_; ++k) {
        const Shell& shell = shells_[k];
        if (p > std::min(shell.eta_top, shell.eta_bot) * kGrazing) return {};
        if (!add_full_shell(shell, p, above)) return {};
    }
    if (!downward) return {true, above.distance_rad, above.seconds};

    Leg below;  // from the source down to the turning point
    for (std::size_t k = source_; k < shells_.size(); ++k) {
        const Shell& shell = shells_[k];
        if (p > shell.eta_top * kGrazing) {
            return {true, above.distance_rad + 2.0 * below.distance_rad,
                    above.seconds + 2.0 * below.seconds};
        }
        if (p >= shell.eta_bot && shell.c > 0.0) {
            below.distance_rad += angle_term(p, shell.eta_top) / shell.c;
            below.seconds += time_term(p, shell.eta_top) / shell.c;
            return {true, above.distance_rad + 2.0 * below.distance_rad,
                    above.seconds + 2.0 * below.seconds};
        }
        if (!add_full_shell(shell, p, below)) return {};
    }
    return {};
}

}  // namespace eew::traveltime
