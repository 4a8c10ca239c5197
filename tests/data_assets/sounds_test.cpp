#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/paths.hpp"
#include "data_assets/file_bytes.hpp"

namespace eew {
namespace {

using test::little_endian;

// The shipped sounds keep the plain 44-byte header: "fmt " then "data" and
// nothing after the samples.
TEST(ShippedSounds, AreAudibleMonoSixteenBitPcmShorterThanThreeSeconds) {
    const Paths paths = build_paths(EEW_SHIPPED_PROGRAM_FOLDER);
    std::vector<std::string> files(paths.file_sound_si.begin() + 1, paths.file_sound_si.end());
    files.push_back(paths.file_sound);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string wav = test::read_bytes(file);
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(wav.substr(0, 4) + wav.substr(8, 8) + wav.substr(36, 4), "RIFFWAVEfmt data");
        EXPECT_EQ(little_endian(wav, 4, 4), wav.size() - 8);
        EXPECT_EQ(little_endian(wav, 40, 4), wav.size() - 44);
        EXPECT_EQ(little_endian(wav, 20, 2), 1u);   // PCM
        EXPECT_EQ(little_endian(wav, 22, 2), 1u);   // channels
        EXPECT_EQ(little_endian(wav, 34, 2), 16u);  // bits a sample
        const double samples = (wav.size() - 44) / 2, rate = little_endian(wav, 24, 4);
        EXPECT_GE(rate, 8000);
        EXPECT_LT(samples / rate, 3.0);
        double sum = 0;
        for (std::size_t i = 44; i + 1 < wav.size(); i += 2)
            sum += std::pow(static_cast<std::int16_t>(little_endian(wav, i, 2)), 2);
        EXPECT_GT(std::sqrt(sum / samples), 1000) << "quieter than -30 dBFS";
    }
}

}  // namespace
}  // namespace eew
