#pragma once

#include <array>

namespace eew {

// Peak value (kine) at which each amplitude class 1..6 begins; entry 0 unused.
using AmplitudeThresholds = std::array<double, 7>;

// The amplitude class 1..6 of peak value `v` in kine: the highest class whose
// threshold v reaches, 1 below the threshold of class 2. Class 1 has no lower
// bound, so its threshold is never consulted.
int amplitude_class(double v, const AmplitudeThresholds& amp_class_threshold);

}  // namespace eew
