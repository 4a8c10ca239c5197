#pragma once

#include <string>

namespace eew::test {

// Texts of the local network's fixed-layout packets, numbers right-aligned
// in their fields.
std::string wave_header(int eqnum, int iseq, int ipkt, double pmin, int nobsall);
// A station record of a waveform packet; `samples` is the hexadecimal run,
// `n` the announced sample count (-1: as many as `samples` holds).
std::string wave_record(const std::string& code, const std::string& polarity, double distance,
                        double peak, double p_time, const std::string& samples, int n = -1);

std::string obs_header(int nobs);
std::string obs_record(const std::string& latitude, const std::string& longitude, double peak);

}  // namespace eew::test
