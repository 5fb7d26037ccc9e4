// The behaviour steps of the animals: boar, flying duck, mole, quail, hare, deer, the apple that
// rides on a boar, and the perched raven.
#pragma once

#include "world/entity.h"

namespace world {

// One behaviour step of an animal, `seconds` after its last draw. False when the step ended early
// (a mole or hare that dives or has dived), which skips the world wrap.
bool updateAnimal(Entity& e, float seconds);

// The x ranges (inclusive) where a mole or hare walking in `plane` may dive into a hole, and the
// chance denominator of a dive there.
struct HoleRange {
    int32_t kind;
    int32_t plane;
    float from;
    float to;
    int oneIn;
};
extern const HoleRange HoleRanges[12];

}  // namespace world
