#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "front_table.hpp"
#include "quake/travel_table.hpp"
#include "ray_fan.hpp"

namespace eew::traveltime {
namespace {

TEST(TravelTableText, WritesTenNumbersALineWithThreeDecimalsAndCrLf) {
    const std::vector<std::vector<double>> rows = {
        {0, 0, 1.5, 2.25, 3.0004, 4.0006, 10, 20, 30, 40, 1234.5678, 99999}, {7.1, 8.2}};
    EXPECT_EQ(travel_table_text(rows),
              "0.000,0.000,1.500,2.250,3.000,4.001,10.000,20.000,30.000,40.000\r\n"
              "1234.568,99999.000\r\n"
              "7.100,8.200\r\n");
}

// Spot checks that the committed files are what the generator makes of the
// shipped model, each row for the top of its depth range; a full regeneration
// takes too long for a test.
TEST(ShippedTravelTables, ReadByTheProgramGrowWithTimeAndAreTheJma2001Fronts) {
    const std::string source = EEW_SOURCE_DIR;
    const VelocityModel jma2001 =
        read_velocity_model(source + "/tools/traveltime/models/jma2001.txt");
    for (const auto& [file, wave] :
         {std::pair{"traveltime300.dat", Wave::S}, std::pair{"traveltimep300.dat", Wave::P}}) {
        SCOPED_TRACE(file);
        const TravelTable table = read_travel_table(source + "/data/" + file);
        for (int i = 1; i <= TravelTable::kRows; ++i)
            for (int t = 2; t <= TravelTable::kSeconds; ++t)
                ASSERT_TRUE(table.at(i, t) > table.at(i, t - 1) ||
                            table.at(i, t - 1) + table.at(i, t) == 0.0)
                    << "row " << i << " second " << t;
        for (const auto& [row, depth_km] : {std::pair{1, 0.0}, {17, 80.0}, {81, 400.0}}) {
            EXPECT_EQ(row_source_depth_km(row), depth_km);
            const RayFan fan(jma2001, wave, depth_km, kTableSeconds);
            for (int t : {1, 5, 30, 90, 200, 300})
                EXPECT_NEAR(table.at(row, t), fan.front_distance_km(t), 0.0011)
                    << "row " << row << " second " << t;
        }
    }
}

}  // namespace
}  // namespace eew::traveltime
