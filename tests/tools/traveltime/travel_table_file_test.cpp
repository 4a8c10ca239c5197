#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/temp_folder.hpp"
#include "front_table.hpp"
#include "quake/travel_table.hpp"
#include "ray_fan.hpp"

namespace eew::traveltime {
namespace {

const std::string kSource = EEW_SOURCE_DIR;

TEST(TravelTableText, WritesTenNumbersALineWithThreeDecimalsAndCrLf) {
    const std::vector<std::vector<double>> rows = {
        {0, 0, 1.5, 2.25, 3.0004, 4.0006, 10, 20, 30, 40, 1234.5678, 99999}, {7.1, 8.2}};
    EXPECT_EQ(travel_table_text(rows),
              "0.000,0.000,1.500,2.250,3.000,4.001,10.000,20.000,30.000,40.000\r\n"
              "1234.568,99999.000\r\n"
              "7.100,8.200\r\n");
}

TEST(TravelTableText, IsReadBackByTheProgramsReader) {
    std::vector<std::vector<double>> rows(kTableRows, std::vector<double>(kTableSeconds));
    for (int i = 0; i < kTableRows; ++i)
        for (int t = 0; t < kTableSeconds; ++t)
            rows[i][t] = i * 1000 + t + 0.125;
    const test::TempFolder folder;
    folder.write("table.dat", travel_table_text(rows));
    const TravelTable table = read_travel_table(folder.path() + "/table.dat");
    EXPECT_EQ(table.at(1, 1), 0.125);
    EXPECT_EQ(table.at(2, 11), 1010.125);
    EXPECT_EQ(table.at(81, 300), 80299.125);
}

TEST(RowSourceDepth, IsTheTopOfTheRowsDepthRange) {
    EXPECT_EQ(row_source_depth_km(1), 0.0);
    EXPECT_EQ(row_source_depth_km(3), 10.0);
    EXPECT_EQ(row_source_depth_km(81), 400.0);
}

struct ShippedTable {
    const char* file;
    Wave wave;
    double km_at_300_s_min, km_at_300_s_max;
};

const ShippedTable kShipped[] = {{"traveltime300.dat", Wave::S, 1200, 1400},
                                 {"traveltimep300.dat", Wave::P, 2400, 2600}};

TEST(ShippedTravelTables, ReadWithTheProgramsReaderAndGrowWithTime) {
    for (const ShippedTable& shipped : kShipped) {
        SCOPED_TRACE(shipped.file);
        const TravelTable table = read_travel_table(kSource + "/data/" + shipped.file);
        for (int i = 1; i <= TravelTable::kRows; ++i) {
            for (int t = 2; t <= TravelTable::kSeconds; ++t) {
                const double before = table.at(i, t - 1), now = table.at(i, t);
                ASSERT_TRUE(now > before || (now == 0.0 && before == 0.0))
                    << "row " << i << " second " << t;
            }
            ASSERT_GT(table.at(i, TravelTable::kSeconds), 0.0) << "row " << i;
        }
        EXPECT_GT(table.at(1, 1), 0.0);  // a surface source is felt at once
        EXPECT_GE(table.at(1, 300), shipped.km_at_300_s_min);
        EXPECT_LE(table.at(1, 300), shipped.km_at_300_s_max);
    }
}

// Spot checks that the files are what the generator makes of the shipped
// model; a full regeneration takes too long for a test.
TEST(ShippedTravelTables, AreTheFrontsOfTheJma2001Model) {
    const VelocityModel jma2001 =
        read_velocity_model(kSource + "/tools/traveltime/models/jma2001.txt");
    for (const ShippedTable& shipped : kShipped) {
        SCOPED_TRACE(shipped.file);
        const TravelTable table = read_travel_table(kSource + "/data/" + shipped.file);
        for (int row : {1, 17, 81}) {
            const RayFan fan(jma2001, shipped.wave, row_source_depth_km(row), kTableSeconds);
            for (int t : {1, 5, 30, 90, 200, 300})
                EXPECT_NEAR(table.at(row, t), fan.front_distance_km(t), 0.0011)
                    << "row " << row << " second " << t;
        }
    }
}

}  // namespace
}  // namespace eew::traveltime
