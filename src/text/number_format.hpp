#pragma once

#include <string>

namespace eew {

// Plain decimal notation with no superfluous digits: 0.5, 9000, -12.25.
// Never an exponent; -0 is written as 0; NaN and infinities as 0.
std::string plain_decimal(double value);

// The "0.0" display format: one decimal, rounded half away from zero.
std::string one_decimal(double value);
// The value a reader sees in that format: 4.96 is 5.0, 5.05 is 5.1.
double as_shown_to_one_decimal(double value);

}  // namespace eew
