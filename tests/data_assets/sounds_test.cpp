#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/paths.hpp"

namespace eew {
namespace {

struct PcmWav {
    std::string problem;  // empty when the file is a well-formed PCM WAV file
    int format = 0;
    int channels = 0;
    int bits = 0;
    std::uint32_t rate = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t little_endian(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Walks the RIFF chunks; the samples are read only for 16-bit data.
PcmWav read_pcm_wav(const std::string& bytes) {
    PcmWav wav;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        wav.problem = "not a RIFF/WAVE file";
        return wav;
    }
    bool have_format = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = little_endian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body) {
            wav.problem = "chunk '" + id + "' runs past the end of the file";
            return wav;
        }
        if (id == "fmt " && size >= 16) {
            wav.format = static_cast<int>(little_endian(bytes, body, 2));
            wav.channels = static_cast<int>(little_endian(bytes, body + 2, 2));
            wav.rate = little_endian(bytes, body + 4, 4);
            wav.bits = static_cast<int>(little_endian(bytes, body + 14, 2));
            have_format = true;
        } else if (id == "data") {
            if (!have_format) {
                wav.problem = "sample data before the format chunk";
                return wav;
            }
            if (wav.bits == 16)
                for (std::size_t i = 0; i + 1 < size; i += 2)
                    wav.samples.push_back(
                        static_cast<std::int16_t>(little_endian(bytes, body + i, 2)));
            return wav;
        }
        at = body + size + (size & 1);
    }
    wav.problem = "no sample data";
    return wav;
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> shipped_sounds() {
    const Paths paths = build_paths(EEW_SHIPPED_PROGRAM_FOLDER);
    std::vector<std::string> files{paths.file_sound};
    for (int i = 1; i <= 10; ++i)
        files.push_back(paths.file_sound_si[i]);
    return files;
}

double rms_dbfs(const std::vector<std::int16_t>& samples) {
    double sum = 0;
    for (std::int16_t s : samples)
        sum += static_cast<double>(s) * s;
    return 20 * std::log10(std::sqrt(sum / samples.size()) / 32768.0);
}

TEST(ShippedSounds, EveryFileIsMonoSixteenBitPcm) {
    for (const std::string& file : shipped_sounds()) {
        SCOPED_TRACE(file);
        const PcmWav wav = read_pcm_wav(read_bytes(file));
        ASSERT_EQ(wav.problem, "");
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_GE(wav.rate, 8000u);
    }
}

TEST(ShippedSounds, EveryFileIsShorterThanThreeSeconds) {
    for (const std::string& file : shipped_sounds()) {
        SCOPED_TRACE(file);
        const PcmWav wav = read_pcm_wav(read_bytes(file));
        ASSERT_EQ(wav.problem, "");
        ASSERT_GT(wav.rate * wav.channels, 0u);
        EXPECT_LT(static_cast<double>(wav.samples.size()) / (wav.rate * wav.channels), 3.0);
    }
}

TEST(ShippedSounds, EveryFileIsClearlyAudibleAndNotClipped) {
    for (const std::string& file : shipped_sounds()) {
        SCOPED_TRACE(file);
        const PcmWav wav = read_pcm_wav(read_bytes(file));
        ASSERT_EQ(wav.problem, "");
        ASSERT_FALSE(wav.samples.empty());
        EXPECT_GT(rms_dbfs(wav.samples), -30.0);
        int peak = 0;
        for (std::int16_t s : wav.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, 32767);
    }
}

TEST(WavCheck, DamagedFilesAreRecognised) {
    std::string good = read_bytes(build_paths(EEW_SHIPPED_PROGRAM_FOLDER).file_sound);
    ASSERT_EQ(read_pcm_wav(good).problem, "");
    EXPECT_EQ(read_pcm_wav(good.substr(0, good.size() - 1)).problem,
              "chunk 'data' runs past the end of the file");
    EXPECT_EQ(read_pcm_wav("").problem, "not a RIFF/WAVE file");
    EXPECT_EQ(read_pcm_wav(good.substr(0, 36)).problem, "no sample data");
}

}  // namespace
}  // namespace eew
