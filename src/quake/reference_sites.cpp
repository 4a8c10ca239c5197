#include "quake/reference_sites.hpp"

#include <algorithm>
#include <filesystem>

#include "text/field_reader.hpp"
#include "text/numeric_value.hpp"
#include "text/shift_jis.hpp"

namespace eew {

ReferenceSites read_reference_sites(const std::string& path) {
    ReferenceSites sites;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return sites;
    try {
        FieldReader in = FieldReader::open(path);
        long long announced = integer_part(in.number("the number of sites"));
        const int count = static_cast<int>(std::clamp<long long>(announced, 0, sites.kCapacity));
        for (int i = 1; i <= count; ++i) {
            const double lon = in.number("a longitude");
            const double lat = in.number("a latitude");
            const double amp = in.number("an amplification factor");
            const std::string name = in.text("a site name");
            sites.longitude_ref[i] = lon;
            sites.latitude_ref[i] = lat;
            sites.ampfac_ref[i] = amp;
            sites.sitename_ref[i] = decode_for_display(name);
            sites.ref_number = i;
        }
    } catch (const DataFileError&) {
        // A short file keeps the sites read completely before the end.
    }
    return sites;
}

}  // namespace eew
