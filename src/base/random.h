// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one random generator: seeded once from the clock at start-up; tests seed it.

#include <cstdint>
#include <random>

namespace tq {

class Random {
  public:
    Random();  // seeded from the clock
    explicit Random(uint64_t seed) : engine_(seed) {}
    void Seed(uint64_t seed) { engine_.seed(seed); }
    void SeedFromClock();
    // Uniform integer 0 .. n - 1; n must be at least 1.
    int Int(int n);
    // Uniform real in [0, 1).
    double Real();

  private:
    std::mt19937_64 engine_;
};

}  // namespace tq
