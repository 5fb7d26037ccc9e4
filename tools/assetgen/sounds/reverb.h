// A small stereo reverb (eight damped combs and four all-passes per side): the air of the woods.
#pragma once

#include <array>
#include <vector>

#include "sounds/clip.h"
#include "sounds/random.h"

namespace assetgen::sound {

struct ReverbSettings {
    double roomSize = 0.5;  // 0 small and short .. 1 large and long
    double damping = 0.5;   // 0 bright .. 1 dark tail
    double width = 1.0;     // 0 mono tail .. 1 wide
    double preDelaySeconds = 0.012;
};

class Reverb {
  public:
    explicit Reverb(const ReverbSettings& settings);

    // One frame in, the wet signal out.
    void Process(double inLeft, double inRight, double& outLeft, double& outRight);

  private:
    struct Comb {
        std::vector<float> line;
        std::size_t index = 0;
        double store = 0.0;
    };
    struct AllPass {
        std::vector<float> line;
        std::size_t index = 0;
    };
    static double RunComb(Comb& comb, double input, double feedback, double damp);
    static double RunAllPass(AllPass& allPass, double input);

    std::array<Comb, 8> combsLeft_, combsRight_;
    std::array<AllPass, 4> allPassesLeft_, allPassesRight_;
    std::vector<float> preDelay_;
    std::size_t preDelayIndex_ = 0;
    double feedback_, damp_, wet1_, wet2_;
};

// `dry` with `wet` reverb mixed in, as a stereo clip lengthened by `tailSeconds`.
Clip WithReverb(const Clip& dry, const ReverbSettings& settings, double wet, double tailSeconds);

// How the woods answer a bang: noise that swells with the energy of the sound and dies away by
// 60 dB in `decaySeconds`, darkened above `darkHz`, different on each side. It has no
// resonances, so even a loud, long tail never rings like a metal room.
struct NoiseTail {
    double level = 0.3;  // of the tail's noise against the sound that feeds it
    double decaySeconds = 0.8;
    double darkHz = 2000.0;
};

// `dry` with its noise tail, as a stereo clip lengthened by `tailSeconds`.
Clip WithNoiseTail(const Samples& dry, const NoiseTail& tail, double tailSeconds, Random& random);

}  // namespace assetgen::sound
