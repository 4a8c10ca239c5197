#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "app/paths.hpp"
#include "data_assets/file_bytes.hpp"
#include "quake/reference_sites.hpp"
#include "quake/region_table.hpp"

namespace eew {
namespace {

const std::string kFolder = EEW_SHIPPED_PROGRAM_FOLDER;

// The keys the simulator's scenarios send, so that renaming one in the table
// fails here.
std::set<std::string> scenario_region_keys() {
    std::set<std::string> keys;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder + "/tools/scenarios")) {
        if (entry.path().extension() != ".scenario") continue;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            std::string word, key;
            if (fields >> word >> key && word == "region") keys.insert(key);
        }
    }
    return keys;
}

TEST(ShippedRegionTable, ReadsEveryRowWithUniqueAsciiKeysIncludingTheScenarios) {
    const std::string path = region_table_path(build_paths(kFolder));
    const RegionTable table = read_region_table(path);
    std::set<std::string> keys;
    for (int i = 1; i <= RegionTable::kCapacity && !table.region_table[i][1].empty(); ++i) {
        const std::string& key = table.region_table[i][1];
        EXPECT_EQ(key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_"), std::string::npos)
            << key;
        EXPECT_EQ(table.region_table[i][2].find("\xEF\xBF\xBD"), std::string::npos) << key;
        EXPECT_TRUE(keys.insert(key).second) << key << " appears twice";
    }
    // Every line of the file is a row that was read.
    EXPECT_EQ(keys.size(), std::ranges::count(test::read_bytes(path), '\n'));
    EXPECT_GE(keys.size(), 150u);
    const std::set<std::string> wanted = scenario_region_keys();
    EXPECT_TRUE(std::ranges::includes(keys, wanted) && !wanted.empty());
}

TEST(ShippedReferenceSites, AreFortySevenOfficesInJapanWithTokyosWhereItIs) {
    const ReferenceSites sites = read_reference_sites(ref_sites_path(build_paths(kFolder)));
    ASSERT_EQ(sites.ref_number, 47);
    int tokyo = 0;
    for (int i = 1; i <= sites.ref_number; ++i) {
        const double lon = sites.longitude_ref[i], lat = sites.latitude_ref[i];
        EXPECT_TRUE(lon >= 122 && lon <= 154 && lat >= 20 && lat <= 46 &&
                    sites.ampfac_ref[i] >= 1 && sites.ampfac_ref[i] <= 2)
            << i;
        if (sites.sitename_ref[i] == "東京都新宿区") tokyo = i;
    }
    ASSERT_NE(tokyo, 0);
    EXPECT_NEAR(sites.longitude_ref[tokyo], 139.6917, 0.00005);
    EXPECT_NEAR(sites.latitude_ref[tokyo], 35.6894, 0.00005);
}

}  // namespace
}  // namespace eew
