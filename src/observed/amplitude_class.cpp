#include "observed/amplitude_class.hpp"

namespace eew {

int amplitude_class(double v, const AmplitudeThresholds& amp_class_threshold) {
    int cls = 6;
    while (cls >= 2 && v < amp_class_threshold[static_cast<std::size_t>(cls)])
        --cls;
    return cls;
}

}  // namespace eew
