#pragma once

#include <string_view>

#include "quake/report_fields.hpp"

namespace eew {

// Decodes an EEW report into the "00" fields of `report` (code00 … region_name00;
// dist00 and intensity00 are left alone). The text is raw bytes and is not parsed
// as XML: each value lies between fixed marker strings (text/report_elements.hpp), and each field
// is decoded on its own, whatever became of the others. A field whose value is missing or empty
// keeps its previous value, except mip00, which becomes 0, and region_name00, which becomes "". A
// magnitude or mip above 10 is stored as 0. Any text is accepted, however short, long or damaged.
//
// Returns false when a date-time element (origin or send time) holds a value
// that is not a date-time (fewer than six parts, an impossible date); that field
// keeps its previous value and the rest is decoded all the same. Returns true
// otherwise, including when date-time elements are missing. Replay treats false
// as a broken file; live reception ignores it.
bool parse_report(std::string_view text, CurrentReport& report);

}  // namespace eew
