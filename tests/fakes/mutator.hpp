#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace eew::test {

// Damaged copies of a valid input, from a fixed seed so that every run sees
// the same inputs and a failure can be repeated.
class Mutator {
  public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    // `valid` with one damage, chosen at random: bytes overwritten, a cut at
    // any length, a huge field (a run of thousands of one byte) inserted, one
    // of `markers` erased or moved to the very end, a slice repeated, or
    // nothing of it left but random bytes.
    std::string mutate(std::string_view valid, const std::vector<std::string_view>& markers = {});

    std::string random_bytes(std::size_t length);
    // A number in 0..n-1; n must not be 0.
    std::size_t below(std::size_t n) { return random_() % n; }

  private:
    std::mt19937 random_;
};

}  // namespace eew::test
