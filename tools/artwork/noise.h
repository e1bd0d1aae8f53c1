// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gradient noise for the stone textures: Perlin's improved noise in two dimensions, fractal sums
// of it and a small deterministic generator, so the artwork comes out the same on every run.

#include <array>
#include <cmath>
#include <cstdint>

namespace artwork {

class Rng {
  public:
    explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return s_;
    }
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }  // [0,1)
    double Range(double a, double b) { return a + (b - a) * Unit(); }

  private:
    uint64_t s_;
};

class Perlin {
  public:
    explicit Perlin(uint64_t seed) {
        for (int i = 0; i < 256; ++i) p_[i] = i;
        Rng rng(seed);
        for (int i = 255; i > 0; --i) {
            const int j = static_cast<int>(rng.Next() % static_cast<uint64_t>(i + 1));
            std::swap(p_[i], p_[j]);
        }
        for (int i = 0; i < 256; ++i) p_[256 + i] = p_[i];
    }

    // About -1..1.
    double Noise(double x, double y) const {
        const double fx = std::floor(x), fy = std::floor(y);
        const int X = static_cast<int>(fx) & 255, Y = static_cast<int>(fy) & 255;
        x -= fx;
        y -= fy;
        const double u = Fade(x), v = Fade(y);
        const int a = p_[X] + Y, b = p_[X + 1] + Y;
        return Lerp(v, Lerp(u, Grad(p_[a], x, y), Grad(p_[b], x - 1, y)),
                    Lerp(u, Grad(p_[a + 1], x, y - 1), Grad(p_[b + 1], x - 1, y - 1)));
    }

    // Fractal sum, about -1..1.
    double Fbm(double x, double y, int octaves, double gain = 0.5) const {
        double sum = 0, amp = 1, norm = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += amp * Noise(x, y);
            norm += amp;
            amp *= gain;
            x = x * 2.03 + 17.1;
            y = y * 2.03 + 9.7;
        }
        return sum / norm;
    }

    // Sum of absolute values, 0..about 1: the "turbulence" that bends marble veins.
    double Turbulence(double x, double y, int octaves) const {
        double sum = 0, amp = 1, norm = 0;
        for (int i = 0; i < octaves; ++i) {
            sum += amp * std::fabs(Noise(x, y));
            norm += amp;
            amp *= 0.5;
            x = x * 2.01 + 31.3;
            y = y * 2.01 + 5.9;
        }
        return sum / norm;
    }

  private:
    static double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
    static double Lerp(double t, double a, double b) { return a + t * (b - a); }
    static double Grad(int hash, double x, double y) {
        switch (hash & 7) {
            case 0:
                return x + y;
            case 1:
                return -x + y;
            case 2:
                return x - y;
            case 3:
                return -x - y;
            case 4:
                return x;
            case 5:
                return -x;
            case 6:
                return y;
            default:
                return -y;
        }
    }
    std::array<int, 512> p_{};
};

}  // namespace artwork
