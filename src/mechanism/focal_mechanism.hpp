#pragma once

namespace eew {

class Canvas;

// A focal mechanism as a report gives it: the P (pressure) and T (tension)
// axes as azimuth clockwise from north and angle from the downward vertical,
// in degrees, and the polarity observations behind it.
struct FocalMechanism {
    double azp = 0;
    double thp = 0;
    double azt = 0;
    double tht = 0;
    double nobs_pol = 0;   // polarity observations
    double n_pol_err = 0;  // polarity misfits
    friend bool operator==(const FocalMechanism&, const FocalMechanism&) = default;
};

// The angle in radians whose sine has the sign and share of p and whose
// cosine those of q, in -pi < angle <= pi; angle_of(0, 0) is -pi / 2.
double angle_of(double p, double q);

// Azimuth (0 <= azimuth < 360, 0 for a vertical vector) and incidence from
// the downward vertical (0..180) in degrees of the vector (north, east, down).
void axis_angles(double x, double y, double z, double& azimuth, double& incidence);

// Where a direction lands on the mechanism panel, in twips from its top-left
// corner: lower-hemisphere equal-area projection, north up, radius 500
// around (700, 550).
struct PanelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PanelPoint&, const PanelPoint&) = default;
};
PanelPoint project_direction(double azimuth, double incidence);

// Clears the mechanism panel (1455 x 1575 twips; coordinates in twips) and
// draws the diagram: outer circle, both nodal planes as dotted great circles,
// centre cross, P axis (open) and T axis (filled) with their labels and the
// three text lines. Below 15 polarity observations it shows the "no data"
// notice instead.
void draw_mechanism(Canvas& panel, const FocalMechanism& mechanism);

}  // namespace eew
