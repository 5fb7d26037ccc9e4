#include "gamestate/rules_random.h"

namespace gamestate {

RulesRandom Random;

void RulesRandom::Seed(uint32_t seed) {
    seed_ = seed;
    if (seed == 0) seed = 1;
    // The first word keeps the seed's bits; the others follow from it taken as a signed number,
    // by x * 16807 mod (2^31 - 1) computed without overflow (Schrage's method).
    words_[0] = seed;
    int32_t word = static_cast<int32_t>(seed);
    for (size_t i = 1; i < Degree; ++i) {
        const int32_t hi = word / 127773;
        const int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        words_[i] = static_cast<uint32_t>(word);
    }
    front_ = Separation;
    rear_ = 0;
    for (size_t i = 0; i < Degree * 10; ++i) Next();
    drawn_ = 0;
}

int32_t RulesRandom::Next() {
    uint32_t& front = words_[front_];
    front += words_[rear_];
    const auto result = static_cast<int32_t>(front >> 1);
    if (++front_ == Degree) front_ = 0;
    if (++rear_ == Degree) rear_ = 0;
    ++drawn_;
    return result;
}

void RulesRandom::Restore(uint32_t seed, uint64_t drawn) {
    Seed(seed);
    for (uint64_t i = 0; i < drawn; ++i) Next();
}

}  // namespace gamestate
