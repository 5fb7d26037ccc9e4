// The random numbers of the game's rules.
//
// Every rule that leaves something to chance (where an animal appears, how fast it runs, the
// quotas, the bell tune, the trophies) draws from this one generator, and nothing else does. It
// gives exactly the sequence that Debian's C library gives for srand/rand, so the rounds
// recorded and the frames checked so far stay valid, and a build with another C library (the
// browser's) plays the same numbers. Owning it also makes a round replayable: the generator's
// whole state is its seed and how many numbers were drawn since.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace gamestate {

// An additive feedback generator, x[i] = x[i-3] + x[i-31] (mod 2^32), whose output is the
// upper 31 bits of each new word. Its 31 words start from the seed through the minimal
// standard generator, and the first 310 outputs are thrown away.
class RulesRandom {
  public:
    static constexpr int32_t Max = 0x7FFFFFFF;

    RulesRandom() { Seed(1); }

    // Starts the sequence for `seed`. Seed 0 gives the sequence of seed 1.
    void Seed(uint32_t seed);
    // The next number, 0 .. Max.
    int32_t Next();

    uint32_t seed() const { return seed_; }
    // How many numbers were drawn since the last Seed.
    uint64_t drawn() const { return drawn_; }
    // Puts the generator where Seed(seed) and `drawn` draws leave it.
    void Restore(uint32_t seed, uint64_t drawn);

  private:
    static constexpr size_t Degree = 31;
    static constexpr size_t Separation = 3;

    std::array<uint32_t, Degree> words_{};
    size_t front_ = Separation;
    size_t rear_ = 0;
    uint32_t seed_ = 1;
    uint64_t drawn_ = 0;
};

// The game's one generator and the two calls the rules make.
extern RulesRandom Random;
inline int32_t Rand() {
    return Random.Next();
}
inline void SeedRand(uint32_t seed) {
    Random.Seed(seed);
}

}  // namespace gamestate
