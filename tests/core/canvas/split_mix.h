// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small seeded generator of the tests' own, so that the same seed gives the same calls with
// every standard library (the std:: distributions differ between them) and under node and wine.

#include <cstdint>

namespace tarrowen::testing {

// splitmix64 (Steele, Lea, Flood 2014).
class SplitMix {
  public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // In [0, n); the slight bias of the modulo does not matter here.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // In [0, 1): the top 53 bits as the fraction of a double.
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + unit() * (hi - lo); }

  private:
    std::uint64_t state_;
};

}  // namespace tarrowen::testing
