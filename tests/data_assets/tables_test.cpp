#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "app/paths.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"
#include "text/shift_jis.hpp"

namespace eew {
namespace {

const Paths& shipped() {
    static const Paths paths = build_paths(EEW_SHIPPED_PROGRAM_FOLDER);
    return paths;
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool is_key(const std::string& key) {
    if (key.empty() || key.front() == '_' || key.back() == '_') return false;
    for (char c : key)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return key.find("__") == std::string::npos;
}

bool has_non_ascii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// Rows up to the first empty key, as the lookup sees them.
std::map<std::string, std::string> region_rows(const RegionTable& table, int& count) {
    std::map<std::string, std::string> rows;
    count = 0;
    for (int i = 1; i <= RegionTable::kCapacity && !table.region_table[i][1].empty(); ++i) {
        rows[table.region_table[i][1]] = table.region_table[i][2];
        ++count;
    }
    return rows;
}

TEST(ShippedTables, AreShiftJisWithCrLfLineEnds) {
    for (const std::string& file : {region_table_path(shipped()), ref_sites_path(shipped())}) {
        SCOPED_TRACE(file);
        const std::string bytes = read_bytes(file);
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(sjis_to_utf8(bytes).has_value());
        EXPECT_FALSE(is_valid_utf8(bytes)) << "saved as UTF-8";
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        for (std::size_t at = bytes.find('\n'); at != std::string::npos;
             at = bytes.find('\n', at + 1))
            ASSERT_EQ(bytes[at - 1], '\r') << "bare line feed at byte " << at;
    }
}

TEST(ShippedRegionTable, FitsTheTableWithUniqueAsciiKeysAndJapaneseNames) {
    const RegionTable table = read_region_table(region_table_path(shipped()));
    int count = 0;
    const auto rows = region_rows(table, count);
    EXPECT_GE(count, 150);
    EXPECT_LE(count, RegionTable::kCapacity);
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(count)) << "a key is used twice";
    std::set<std::string> names;
    for (const auto& [key, name] : rows) {
        EXPECT_TRUE(is_key(key)) << key;
        EXPECT_TRUE(has_non_ascii(name)) << key;
        EXPECT_EQ(name.find("\xEF\xBF\xBD"), std::string::npos) << key << " does not decode";
        EXPECT_TRUE(names.insert(name).second) << name << " appears twice";
    }
}

TEST(ShippedRegionTable, SimulatorRegionKeysGiveTheAgencyNames) {
    const RegionTable table = read_region_table(region_table_path(shipped()));
    int count = 0;
    const auto rows = region_rows(table, count);
    const std::map<std::string, std::string> expected{
        {"ibaraki_south", "茨城県南部"},
        {"chiba_northwest", "千葉県北西部"},
        {"tokyo_bay", "東京湾"},
        {"kanagawa_east", "神奈川県東部"},
        {"tokyo_23_wards", "東京都２３区"},
        {"off_fukushima", "福島県沖"},
        {"off_miyagi", "宮城県沖"},
        {"off_sanriku", "三陸沖"},
        {"off_kushiro", "釧路沖"},
        {"hyuga_nada", "日向灘"},
        {"off_wakayama_south", "和歌山県南方沖"},
        {"off_ogasawara_islands_west", "小笠原諸島西方沖"},
        {"japan_sea_central", "日本海中部"},
        {"off_mie_southeast", "三重県南東沖"},
    };
    for (const auto& [key, name] : expected) {
        const auto row = rows.find(key);
        ASSERT_NE(row, rows.end()) << key;
        EXPECT_EQ(row->second, name) << key;
    }
}

TEST(ShippedReferenceSites, AreTheFortySevenOfficesInsideJapan) {
    const ReferenceSites sites = read_reference_sites(ref_sites_path(shipped()));
    ASSERT_EQ(sites.ref_number, 47);
    std::set<std::string> names;
    for (int i = 1; i <= sites.ref_number; ++i) {
        SCOPED_TRACE(sites.sitename_ref[i]);
        EXPECT_GE(sites.longitude_ref[i], 122.0);
        EXPECT_LE(sites.longitude_ref[i], 154.0);
        EXPECT_GE(sites.latitude_ref[i], 20.0);
        EXPECT_LE(sites.latitude_ref[i], 46.0);
        EXPECT_GE(sites.ampfac_ref[i], 1.0);
        EXPECT_LE(sites.ampfac_ref[i], 2.0);
        EXPECT_TRUE(has_non_ascii(sites.sitename_ref[i]));
        EXPECT_EQ(sites.sitename_ref[i].find("\xEF\xBF\xBD"), std::string::npos);
        EXPECT_TRUE(names.insert(sites.sitename_ref[i]).second);
    }
}

TEST(ShippedReferenceSites, KnownOfficesSitWhereTheyAre) {
    const ReferenceSites sites = read_reference_sites(ref_sites_path(shipped()));
    struct Office {
        const char* name;
        double longitude;
        double latitude;
    };
    for (const Office& office :
         {Office{"北海道札幌市", 141.3469, 43.0642}, Office{"東京都新宿区", 139.6917, 35.6894},
          Office{"大阪府大阪市", 135.5200, 34.6864}, Office{"沖縄県那覇市", 127.6811, 26.2125}}) {
        SCOPED_TRACE(office.name);
        int found = 0;
        for (int i = 1; i <= sites.ref_number; ++i)
            if (sites.sitename_ref[i] == office.name) found = i;
        ASSERT_NE(found, 0);
        EXPECT_NEAR(sites.longitude_ref[found], office.longitude, 0.00005);
        EXPECT_NEAR(sites.latitude_ref[found], office.latitude, 0.00005);
    }
}

}  // namespace
}  // namespace eew
