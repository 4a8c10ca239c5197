#include "quake/lpwave_settings.hpp"

#include "text/field_reader.hpp"
#include "text/shift_jis.hpp"

namespace eew {

LongPeriodSettings read_lpwave_settings(const std::string& path) {
    FieldReader in = FieldReader::open(path);
    LongPeriodSettings s;
    in.text("record 1 of 3 (the label of the long-period wave speed)");
    s.lpwave_velocity = in.number("record 1 of 3 (the long-period wave speed)");
    s.lpwave_message = decode_for_display(in.text("record 2 of 3 (the long-period message)"));
    in.text("record 3 of 3 (the label of the intensity threshold)");
    s.intensity_min = in.number("record 3 of 3 (the intensity threshold)");
    return s;
}

}  // namespace eew
