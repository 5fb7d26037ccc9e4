// The synthesiser's own seeded random numbers, identical on every build and machine.
#pragma once

#include <cstdint>
#include <string_view>

namespace assetgen::sound {

// SplitMix64: small, fast and fully determined by its seed.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t NextBits() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(NextBits() >> 11) * 0x1.0p-53; }
    // Uniform in [-1, 1).
    double Bipolar() { return Unit() * 2.0 - 1.0; }
    double Uniform(double low, double high) { return low + (high - low) * Unit(); }
    // Uniform integer in [0, count).
    int Below(int count) { return static_cast<int>(Unit() * count); }

  private:
    std::uint64_t state_;
};

// A seed derived from a name (FNV-1a), so each sound draws its own sequence.
constexpr std::uint64_t SeedFromName(std::string_view name) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

}  // namespace assetgen::sound
