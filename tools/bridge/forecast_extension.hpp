#pragma once

#include <string>

#include "bridge/telegram.hpp"

namespace eew::bridge {

// The agency's own forecast carried by a telegram, as the element the bridge
// appends to a report after every element the receiver reads:
//   <jma_forecast warning="W" max="MAX"><area code="CCC" from="LO" to="HI"
//    arrival="T" kind="K"/>…</jma_forecast>
// one area per EBI group in the telegram's order. W is 1 when RT says the
// telegram includes a warning; intensities are class texts ("4", "5-" … "7"),
// empty when unknown ("to" empty means "or more"); T is the arrival of the
// main shaking in the feed's local date-time form, empty when none is given;
// K the warning and arrival digits as written. ASCII only. Empty when the
// telegram has no EBI block.
std::string forecast_extension(const Telegram& t);

}  // namespace eew::bridge
