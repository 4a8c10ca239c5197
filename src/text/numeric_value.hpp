#pragma once

#include <string_view>

namespace eew {

// The numeric value of a text: blanks, tabs and line feeds anywhere are skipped,
// then the longest leading decimal number (sign, digits, point, fraction,
// exponent) is taken and the rest ignored. A text that does not begin with a
// number gives 0, and so does a number too large for a double.
double numeric_value(std::string_view text);

// Whether numeric_value finds a number at the start of `text` (after the
// skipped blanks), rather than giving 0 for want of one.
bool starts_with_number(std::string_view text);

// The largest integer not greater than `value` (so -2.5 gives -3). NaN gives 0;
// values beyond the range of long long are clamped to it.
long long integer_part(double value);

}  // namespace eew
