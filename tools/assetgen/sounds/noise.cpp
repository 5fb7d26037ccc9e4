#include "sounds/noise.h"

namespace assetgen::sound {

Samples WhiteNoise(Random& random, double seconds) {
    Samples out(FramesFor(seconds));
    for (float& s : out) s = static_cast<float>(random.Bipolar());
    return out;
}

Samples PinkNoiseSamples(Random& random, double seconds) {
    Samples out(FramesFor(seconds));
    PinkNoise pink;
    for (float& s : out) s = static_cast<float>(pink.Next(random));
    return out;
}

Samples BrownNoiseSamples(Random& random, double seconds) {
    Samples out(FramesFor(seconds));
    BrownNoise brown;
    for (float& s : out) s = static_cast<float>(brown.Next(random));
    return out;
}

}  // namespace assetgen::sound
