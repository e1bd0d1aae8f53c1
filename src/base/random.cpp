// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/random.h"

#include <chrono>

namespace tq {

Random::Random() {
    SeedFromClock();
}

void Random::SeedFromClock() {
    engine_.seed(static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

int Random::Int(int n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

double Random::Real() {
    return std::generate_canonical<double, 53>(engine_);
}

}  // namespace tq
