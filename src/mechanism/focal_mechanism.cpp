#include "mechanism/focal_mechanism.hpp"

#include <cmath>
#include <string>

#include "draw/canvas.hpp"

namespace eew {
namespace {

// Pi to eight decimals, as the diagram's anchors are defined with it: a
// horizontal axis lands a hair inside the circle, at x 1199 rather than 1200.
constexpr double kPi = 3.14159265;
constexpr double kDegree = kPi / 180;
constexpr double kRadius = 500;
constexpr double kCentreX = 700;
constexpr double kCentreHeight = 550;
constexpr double kBaseLine = kCentreHeight + kRadius + 50;
constexpr int kPlanePoints = 121;
constexpr double kPlaneStep = 1.5;  // degrees; 121 points cover 180
constexpr double kMarkerRadius = kRadius / 20;
constexpr double kMinimumObservations = 15;

const Colour kInk = Colour::palette(0);

struct Vec {
    double n, e, d;  // north, east, down
};

Vec operator+(Vec a, Vec b) {
    return {a.n + b.n, a.e + b.e, a.d + b.d};
}
Vec operator-(Vec a, Vec b) {
    return {a.n - b.n, a.e - b.e, a.d - b.d};
}
Vec operator*(Vec a, double k) {
    return {a.n * k, a.e * k, a.d * k};
}
Vec cross(Vec a, Vec b) {
    return {a.e * b.d - a.d * b.e, a.d * b.n - a.n * b.d, a.n * b.e - a.e * b.n};
}

Vec direction(double azimuth, double angle) {
    const double a = azimuth * kDegree, t = angle * kDegree;
    return {std::cos(a) * std::sin(t), std::sin(a) * std::sin(t), std::cos(t)};
}

// An axis is a line: one pointing upwards (angle above 90) is shown by its
// lower end, so that its marker stays inside the circle and its text line
// names the direction the marker shows.
struct Axis {
    double azimuth, angle;
};
Axis lower_end(double azimuth, double angle) {
    if (angle <= 90) return {azimuth, angle};
    return {std::fmod(azimuth + 180, 360), 180 - angle};
}

// The great circle through the null axis C and the pole `pole`, swept
// downward from where it is horizontal, one point every 1.5 degrees.
void nodal_plane(Canvas& panel, Vec c, Vec pole) {
    const double phi = angle_of(-pole.d, c.d);
    const double s = c.d * std::cos(phi) - pole.d * std::sin(phi) < 0 ? -1 : 1;
    for (int j = 0; j < kPlanePoints; ++j) {
        const double theta = phi + s * kPlaneStep * kDegree * j;
        const Vec v = c * std::sin(theta) + pole * std::cos(theta);
        double a = 0, i = 0;
        axis_angles(v.n, v.e, v.d, a, i);
        const PanelPoint q = project_direction(a, i);
        panel.point(q.x, q.y, kInk);
    }
}

void axis_marker(Canvas& panel, Axis axis, bool filled, const char* label) {
    const PanelPoint q = project_direction(axis.azimuth, axis.angle);
    if (filled)
        panel.filled_circle(q.x, q.y, kMarkerRadius, kInk, kInk, 1);
    else
        panel.circle(q.x, q.y, kMarkerRadius, kInk, 1);
    panel.text(q.x + 50, q.y - 75, label, kInk);
}

std::string whole(double v) {
    return std::to_string(static_cast<long long>(std::floor(v)));
}

}  // namespace

double angle_of(double p, double q) {
    if (q == 0) return p > 0 ? kPi / 2 : -kPi / 2;
    if (q < 0) return std::atan(p / q) + (p >= 0 ? kPi : -kPi);
    return std::atan(p / q);
}

void axis_angles(double x, double y, double z, double& azimuth, double& incidence) {
    const double h = std::sqrt(x * x + y * y);
    const double i = angle_of(h, z);
    double a = 0;
    if (!(i < 0.0001)) {
        a = angle_of(y, x);
        if (a < 0) a += 6.2831853;
    }
    azimuth = a / kDegree;
    incidence = i / kDegree;
}

PanelPoint project_direction(double azimuth, double incidence) {
    const double r = kRadius * std::sqrt(2.0) * std::sin(incidence * kDegree / 2);
    const double a = azimuth * kDegree;
    const double x = std::floor(kCentreX + r * std::sin(a));
    const double u = std::floor(kCentreHeight + r * std::cos(a));
    return {static_cast<int>(x), static_cast<int>(kBaseLine - u)};
}

void draw_mechanism(Canvas& panel, const FocalMechanism& m) {
    panel.clear();
    // NaN (no value) counts as too few.
    if (!(m.nobs_pol >= kMinimumObservations)) {
        panel.text(0, 400, "       mechanism", kInk);
        panel.text(0, 600, "        --no data--", kInk);
        return;
    }
    panel.circle(kCentreX, kCentreHeight, kRadius, kInk, 1);

    const Vec p = direction(m.azp, m.thp);
    const Vec t = direction(m.azt, m.tht);
    const double k = std::sqrt(2.0) / 2;
    const Vec a = (p + t) * k;  // poles of the nodal planes
    const Vec b = (t - p) * k;
    const Vec c = cross(a, b);  // null axis
    nodal_plane(panel, c, a);
    nodal_plane(panel, c, b);

    panel.line(700, 525, 700, 575, kInk, 1);
    panel.line(725, 550, 675, 550, kInk, 1);

    const Axis pa = lower_end(m.azp, m.thp);
    const Axis ta = lower_end(m.azt, m.tht);
    axis_marker(panel, pa, false, "P");
    axis_marker(panel, ta, true, "T");

    // Top to bottom: the counts, the P axis, the T axis.
    panel.text(100, 1020, "n=" + whole(m.nobs_pol) + "  n_err=" + whole(m.n_pol_err), kInk);
    panel.text(100, 1170, "azp=" + whole(pa.azimuth) + " thp=" + whole(pa.angle), kInk);
    panel.text(100, 1320, "azt=" + whole(ta.azimuth) + " tht=" + whole(ta.angle), kInk);
}

}  // namespace eew
