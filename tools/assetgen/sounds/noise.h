// Noise sources: white, pink and brown, all drawn from the synthesiser's seeded generator.
#pragma once

#include "sounds/clip.h"
#include "sounds/random.h"

namespace assetgen::sound {

// Pink noise (-3 dB per octave) by Paul Kellet's economy filter.
class PinkNoise {
  public:
    double Next(Random& random) {
        const double white = random.Bipolar();
        b0_ = 0.99765 * b0_ + white * 0.0990460;
        b1_ = 0.96300 * b1_ + white * 0.2965164;
        b2_ = 0.57000 * b2_ + white * 1.0526913;
        return (b0_ + b1_ + b2_ + white * 0.1848) * 0.2;
    }

  private:
    double b0_ = 0.0, b1_ = 0.0, b2_ = 0.0;
};

// Brown noise (-6 dB per octave): leaky integrated white noise.
class BrownNoise {
  public:
    double Next(Random& random) {
        level_ = 0.995 * level_ + 0.06 * random.Bipolar();
        return level_;
    }

  private:
    double level_ = 0.0;
};

Samples WhiteNoise(Random& random, double seconds);
Samples PinkNoiseSamples(Random& random, double seconds);
Samples BrownNoiseSamples(Random& random, double seconds);

}  // namespace assetgen::sound
