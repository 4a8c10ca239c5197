#pragma once

#include "quake/estimates.hpp"
#include "quake/reference_sites.hpp"
#include "quake/report_fields.hpp"

namespace eew {

// Returns the epicentral distance in km on a sphere of radius 6371.05 km.
// Arguments in degrees east and north. Never returns 0: coincident points (and
// NaN arguments) give 0.00001 km so that logarithms stay defined. Distances of
// 90 degrees or more, up to antipodal points, come out right.
double epicentral_distance(double lon1, double lat1, double lon2, double lat2);

// Returns the instrumental intensity expected at `distance` km from the
// epicentre of an event of intensity magnitude `magnitude` at `depth` km, on
// ground amplifying by `amp`; always within 0..7.4. An amplification factor
// that is not positive counts as 1, and any input that leaves the relation
// undefined (NaN) gives 0.
double estimate_intensity(double magnitude, double depth, double distance, double amp);

// The integer part of (intensity + 0.5), truncating toward zero: halves round
// up for the non-negative values estimate_intensity gives. NaN gives 0.
int round_intensity(double intensity);

// Measures the followed event's epicentre against every reference site and
// keeps the nearest one (the earlier site on a tie) with its intensity. With
// no reference site there is none: dist_ref_min is 99999.9, ref_site_i_min 0
// and intensity_ref 0.
void evaluate_reference_sites(const FollowedEvent& followed, const ReferenceSites& refs,
                              Estimates& estimates);

}  // namespace eew
