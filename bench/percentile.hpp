#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace eew::bench {

// The nearest-rank percentile `q` (0 to 1) of the samples; q = 1 is the maximum.
inline double percentile(std::vector<double> samples, double q) {
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::min(samples.size(), std::max<std::size_t>(rank, 1)) - 1];
}

}  // namespace eew::bench
