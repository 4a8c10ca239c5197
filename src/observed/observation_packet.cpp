#include "observed/observation_packet.hpp"

#include "observed/packet_field.hpp"
#include "text/numeric_value.hpp"

namespace eew {
namespace {

constexpr std::size_t kFirstRecord = 12;
constexpr std::size_t kRecordLength = 18;

}  // namespace

int shown_records(const ObservationPacket& o) {
    const long long n = integer_part(o.nobs);
    if (n < 0) return 0;
    return n > kObsRecords ? kObsRecords : static_cast<int>(n);
}

void decode_observation_packet(std::string_view odata, ObservationPacket& o) {
    o.nobs = numeric_value(packet_field(odata, 9, 3));
    const int records = shown_records(o);
    for (int i = 1; i <= records; ++i) {
        const std::size_t q = kFirstRecord + kRecordLength * static_cast<std::size_t>(i - 1);
        const auto r = static_cast<std::size_t>(i);
        o.obs_latitude[r] = std::string(packet_field(odata, q, 5));
        o.obs_longitude[r] = std::string(packet_field(odata, q + 5, 6));
        o.obs_peak[r] = numeric_value(packet_field(odata, q + 11, 7));
    }
}

}  // namespace eew
