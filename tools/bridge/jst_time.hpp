#pragma once

#include "bridge/telegram.hpp"
#include "text/date_time.hpp"

namespace eew::bridge {

// The computer's local date-time at the moment the Japan Standard Time (UTC+9)
// date-time `t` names, by the time-zone rules in force (TZ). The receiver
// counts down against its local clock, so every time sent must be local.
DateTime local_time_of(const JstTime& t);

}  // namespace eew::bridge
