#include "quake/forecast_area_table.hpp"

#include "text/field_reader.hpp"
#include "text/shift_jis.hpp"

namespace eew {

const std::string* forecast_area_name(const ForecastAreaTable& table, int code) {
    for (const auto& [c, name] : table.areas)
        if (c == code) return &name;
    return nullptr;
}

ForecastAreaTable read_forecast_area_table(const std::string& path) {
    FieldReader in = FieldReader::open(path);
    ForecastAreaTable table;
    while (!in.at_end() && static_cast<int>(table.areas.size()) < ForecastAreaTable::kCapacity) {
        const std::string row = "row " + std::to_string(table.areas.size() + 1);
        const std::string code = in.text(row + ", column 1 (the area code)");
        int value = 0;
        for (char c : code)
            value = value * 10 + (c - '0');
        if (code.size() != 3 || code.find_first_not_of("0123456789") != std::string::npos)
            throw DataFileError(path, "The file \"" + path + "\" has \"" + code +
                                          "\" where a three-digit area code should be: " + row +
                                          ".");
        table.areas.emplace_back(value, decode_for_display(in.text(row + ", column 2 (the name)")));
    }
    return table;
}

}  // namespace eew
