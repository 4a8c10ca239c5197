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
    std::string mutate(std::string_view valid, const std::vector<std::string_view>& markers = {}) {
        std::string s(valid);
        const std::size_t at = below(s.size() + 1);
        switch (below(7)) {
            case 0:
                for (std::size_t n = 1 + below(8); n > 0 && !s.empty(); --n)
                    s[below(s.size())] = static_cast<char>(random_());
                break;
            case 1:
                s.resize(at);
                break;
            case 2:
                s.insert(at, 1000 + below(30000), "09-.e,\r "[below(8)]);
                break;
            case 3:
            case 4: {
                if (markers.empty()) break;
                const std::string_view marker = markers[below(markers.size())];
                const std::size_t found = s.find(marker);
                if (found != std::string::npos) s.erase(found, marker.size());
                if (below(2) == 0) s += marker;  // a marker with nothing after it
                break;
            }
            case 5:
                s.insert(at, s.substr(below(s.size() + 1), below(200)));
                break;
            default:
                s = random_bytes(below(2 * s.size() + 2));
        }
        return s;
    }

    std::string random_bytes(std::size_t length) {
        std::string s(length, '\0');
        for (char& c : s)
            c = static_cast<char>(random_());
        return s;
    }
    // A number in 0..n-1; n must not be 0.
    std::size_t below(std::size_t n) { return random_() % n; }

  private:
    std::mt19937 random_;
};

}  // namespace eew::test
