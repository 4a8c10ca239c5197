#include "quake/region_table.hpp"

#include "text/field_reader.hpp"
#include "text/shift_jis.hpp"

namespace eew {

RegionTable read_region_table(const std::string& path) {
    FieldReader in = FieldReader::open(path);
    // Without rows every report would show a blank region name.
    if (in.at_end()) throw DataFileError(path, "The file \"" + path + "\" holds no regions.");
    RegionTable table;
    for (int i = 1; i <= RegionTable::kCapacity && !in.at_end(); ++i) {
        const std::string row = "row " + std::to_string(i);
        table.region_table[i][1] = in.text(row + ", column 1 (the region key)");
        table.region_table[i][2] =
            decode_for_display(in.text(row + ", column 2 (the display name)"));
    }
    return table;
}

}  // namespace eew
