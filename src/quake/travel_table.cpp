#include "quake/travel_table.hpp"

#include "text/field_reader.hpp"

namespace eew {

double TravelTable::at(int row, int second) const {
    if (row < 0 || row > kRows || second < 0 || second > kSeconds) return 0.0;
    return km_[static_cast<std::size_t>(row * (kSeconds + 1) + second)];
}

void TravelTable::set(int row, int second, double km) {
    if (row < 0 || row > kRows || second < 0 || second > kSeconds) return;
    km_[static_cast<std::size_t>(row * (kSeconds + 1) + second)] = km;
}

TravelTable read_travel_table(const std::string& path) {
    FieldReader in = FieldReader::open(path);
    TravelTable table;
    constexpr int total = TravelTable::kRows * TravelTable::kSeconds;
    for (int i = 1; i <= TravelTable::kRows; ++i) {
        for (int t = 1; t <= TravelTable::kSeconds; ++t) {
            const int n = (i - 1) * TravelTable::kSeconds + t;
            table.set(i, t,
                      in.number("number " + std::to_string(n) + " of " + std::to_string(total) +
                                " (depth row " + std::to_string(i) + ", second " +
                                std::to_string(t) + ")"));
        }
    }
    return table;
}

}  // namespace eew
