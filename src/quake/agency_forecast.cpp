#include "quake/agency_forecast.hpp"

namespace eew {

const AgencyArea* area_entry(const AgencyForecast& forecast, int code) {
    for (const AgencyArea& a : forecast.areas)
        if (a.code == code) return &a;
    return nullptr;
}

std::string intensity_class_japanese(const std::string& class_text) {
    if (class_text.size() == 2 && class_text[1] == '-') return class_text.substr(0, 1) + "弱";
    if (class_text.size() == 2 && class_text[1] == '+') return class_text.substr(0, 1) + "強";
    return class_text;
}

std::string intensity_range_japanese(const AgencyArea& area) {
    const std::string lower = intensity_class_japanese(area.lower);
    if (area.upper.empty()) return lower.empty() ? "" : lower + "以上";
    const std::string upper = intensity_class_japanese(area.upper);
    return lower == upper || lower.empty() ? upper : lower + "〜" + upper;
}

}  // namespace eew
