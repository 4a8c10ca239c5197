#pragma once

#include <string>
#include <vector>

namespace eew {

// A travel-time table: entry (i, t) is the epicentral distance in km that a
// wave front has reached t seconds after the origin, for depth index i
// (depths 5(i-1) to under 5i km). Rows 1..81 and seconds 1..300 are loaded;
// row 0 and second 0 stay 0.
class TravelTable {
  public:
    static constexpr int kRows = 81;
    static constexpr int kSeconds = 300;

    // 0 outside rows 0..81 and seconds 0..300.
    double at(int row, int second) const;
    void set(int row, int second, double km);

  private:
    std::vector<double> km_ = std::vector<double>((kRows + 1) * (kSeconds + 1), 0.0);
};

// Reads 81 x 300 numbers, row by row, however they are spread over lines.
// Throws DataFileError when the file is missing or ends early.
TravelTable read_travel_table(const std::string& path);

}  // namespace eew
