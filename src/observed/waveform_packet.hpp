#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace eew {

inline constexpr int kWaveSlots = 30;     // stations 1..30, ten per packet
inline constexpr int kWaveSamples = 410;  // samples 1..410 per station

// The last waveform packets: the header of the latest one and the station
// slots every packet fills in its own range. Slots keep their contents until
// a packet with the same packet number overwrites them, across events too.
// Index 0 of every array is unused.
struct WaveformPacket {
    // A slot never filled reads as distance and P time 0.
    WaveformPacket() {
        wave_distance.fill(0.0);
        wave_p_time.fill(0.0);
    }

    double eqnum = 0;    // event number
    double iseq = 0;     // sequence number
    double ipkt = 0;     // packet number 1..3
    double pmin = 0;     // start of the time axis, s
    double nobsall = 0;  // station records in the packet

    std::array<std::string, kWaveSlots + 1> wave_station_code;
    std::array<std::string, kWaveSlots + 1> wave_polarity;
    // Nothing while the slot is blanked by its packet and not yet refilled.
    std::array<std::optional<double>, kWaveSlots + 1> wave_distance{};
    std::array<double, kWaveSlots + 1> wave_peak{};                   // thousandths of a kine
    std::array<std::optional<double>, kWaveSlots + 1> wave_p_time{};  // s, on the axis of pmin
    std::array<double, kWaveSlots + 1> wave_sample_count{};
    // wave_samples[slot][j], j = 1..410; values 0..255.
    std::vector<std::array<double, kWaveSamples + 1>> wave_samples =
        std::vector<std::array<double, kWaveSamples + 1>>(kWaveSlots + 1);
};

// The slot that record `record` (1-based) of the packet goes to, or nothing
// when it lies outside slots 1..30 (a packet number above 3, say).
std::optional<int> wave_slot(double ipkt, long long record);

// A record's sample count as a loop bound: its integer part, at least 0.
long long sample_loop_count(double wave_sample_count);

// Decodes the packet text `wdata` into `w`. Stops silently at the first
// failure (a slot outside 1..30, a sample beyond 410, a pair that is not two
// hexadecimal digits, a record cut short); what was stored before stays.
// When eqnum x iseq x ipkt is 0 only those three fields change.
void decode_waveform_packet(std::string_view wdata, WaveformPacket& w);

}  // namespace eew
