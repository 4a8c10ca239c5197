#pragma once

#include <optional>
#include <string_view>

#include "quake/agency_forecast.hpp"

namespace eew {

// The agency's forecast a report may carry after its own elements:
//   <jma_forecast warning="W" max="MAX"><area code="CCC" from="LO" to="HI"
//    arrival="T" kind="K"/>…</jma_forecast>
// Nothing when the report has none, and nothing when the element is
// malformed in any way: cut, a quote missing, a value out of its form, a byte
// outside ASCII, more than AgencyForecast::kMaxAreas areas. A forecast read
// in part could name the user's area wrongly; read whole or not at all, it
// never touches the report's other fields.
std::optional<AgencyForecast> parse_agency_forecast(std::string_view report);

}  // namespace eew
