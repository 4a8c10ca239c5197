#pragma once

#include <optional>
#include <string_view>

#include "text/date_time.hpp"

namespace eew {

// A report's values lie between fixed marker strings. The text is raw bytes
// and is not parsed as XML, so that a damaged report still yields whatever
// values it holds. The decoder of reports and the pacing of a replayed log
// both read reports this way, and so read the same send time.

// A 0-based index into the report; wide and signed, because the arithmetic
// adds and subtracts marker lengths before anything is checked.
using Pos = long long;

// The first `marker` at or after `from`, or -1 when there is none. Callers add
// offsets to the result unchecked, so a missing marker makes the following search
// start at a fixed place near the top of the text, and whatever lies between
// there and the end marker is taken as the value.
Pos find_from(std::string_view text, std::string_view marker, Pos from);

// The characters from `start` up to, not including, `end`; nothing when there
// are none. Never reaches outside the text, whatever the two positions are.
std::optional<std::string_view> value_between(std::string_view text, Pos start, Pos end);

// Where the end marker is looked for. Most elements look after the value's
// start; p_data, nobs_pol and nmin_pol_err look from the top of the text. That
// differs only when a stray end tag precedes the start tag: the value then
// counts as missing instead of running on to the next end tag.
enum class EndSearch { after_start, from_top };

// An element whose start marker ends in ">", so that it matches only a start tag
// without attributes (or the tail of an end tag).
std::optional<std::string_view> element_value(std::string_view text, std::string_view open,
                                              std::string_view close,
                                              EndSearch search = EndSearch::after_start);

// An element whose start tag may carry attributes: the value starts after the
// first ">" that follows `open`, whatever lies in between.
std::optional<std::string_view> value_after_attributes(std::string_view text, std::string_view open,
                                                       std::string_view close);

// The send_time element's text, undecoded.
std::optional<std::string_view> send_time_value(std::string_view text);

// Decodes only the send time of a report. Returns whether `out` was written;
// when the value is missing or is not a date-time, `out` is left unchanged.
bool extract_send_time(std::string_view text, DateTime& out);

}  // namespace eew
