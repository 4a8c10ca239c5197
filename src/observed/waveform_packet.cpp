#include "observed/waveform_packet.hpp"

#include <cmath>

#include "observed/packet_field.hpp"
#include "text/numeric_value.hpp"

namespace eew {
namespace {

constexpr std::size_t kFirstRecord = 26;
constexpr std::size_t kRecordHead = 37;

double number(std::string_view text, std::size_t position, std::size_t width) {
    return numeric_value(packet_field(text, position, width));
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of the two hexadecimal digits at `position`, or nothing.
std::optional<double> sample_at(std::string_view text, std::size_t position) {
    const std::string_view pair = packet_field(text, position, 2);
    if (pair.size() != 2) return std::nullopt;
    const int high = hex_digit(pair[0]);
    const int low = hex_digit(pair[1]);
    if (high < 0 || low < 0) return std::nullopt;
    return 16 * high + low;
}

// Reads the record at `q` into `slot`; false when it stops at a failure.
bool decode_record(std::string_view text, std::size_t& q, int slot, WaveformPacket& w) {
    const auto s = static_cast<std::size_t>(slot);
    w.wave_station_code[s] = std::string(packet_field(text, q, 4));
    w.wave_polarity[s] = std::string(packet_field(text, q + 4, 2));
    w.wave_distance[s] = number(text, q + 6, 3);
    w.wave_peak[s] = number(text, q + 21, 7);
    w.wave_p_time[s] = number(text, q + 28, 6);
    w.wave_sample_count[s] = number(text, q + 34, 3);
    const long long n = sample_loop_count(w.wave_sample_count[s]);
    for (long long j = 1; j <= n; ++j) {
        if (j > kWaveSamples) return false;
        const auto value = sample_at(text, q + kRecordHead + 2 * static_cast<std::size_t>(j - 1));
        if (!value) return false;
        w.wave_samples[s][static_cast<std::size_t>(j)] = *value;
    }
    q += kRecordHead + 2 * static_cast<std::size_t>(n);
    return true;
}

}  // namespace

std::optional<int> wave_slot(double ipkt, long long record) {
    const double slot = 10 * (ipkt - 1) + static_cast<double>(record);
    if (!(slot >= 1 && slot <= kWaveSlots) || slot != std::floor(slot)) return std::nullopt;
    return static_cast<int>(slot);
}

long long sample_loop_count(double wave_sample_count) {
    const long long n = integer_part(wave_sample_count);
    return n < 0 ? 0 : n;
}

void decode_waveform_packet(std::string_view wdata, WaveformPacket& w) {
    w.eqnum = number(wdata, 10, 4);
    w.iseq = number(wdata, 14, 2);
    w.ipkt = number(wdata, 16, 2);
    if (w.eqnum * w.iseq * w.ipkt == 0) return;
    w.pmin = number(wdata, 18, 6);
    w.nobsall = number(wdata, 24, 2);

    for (int i = 1; i <= 10; ++i) {
        const auto slot = wave_slot(w.ipkt, i);
        if (!slot) return;
        const auto s = static_cast<std::size_t>(*slot);
        w.wave_station_code[s] = " ";
        w.wave_polarity[s] = " ";
        w.wave_distance[s].reset();
        w.wave_p_time[s].reset();
    }
    std::size_t q = kFirstRecord;
    const long long records = integer_part(w.nobsall);
    for (long long i = 1; i <= records; ++i) {
        const auto slot = wave_slot(w.ipkt, i);
        if (!slot || !decode_record(wdata, q, *slot, w)) return;
    }
}

}  // namespace eew
