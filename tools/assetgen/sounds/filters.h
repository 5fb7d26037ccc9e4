// Filters: biquads, one-pole smoothing, a tunable state-variable filter and resonators.
#pragma once

#include "sounds/clip.h"

namespace assetgen::sound {

// A second-order section (transposed direct form II) with the usual audio-cookbook designs.
class Biquad {
  public:
    static Biquad LowPass(double hz, double q);
    static Biquad HighPass(double hz, double q);
    // Band-pass with 0 dB at the centre.
    static Biquad BandPass(double hz, double q);
    static Biquad Peak(double hz, double q, double gainDb);

    double Process(double x) {
        const double y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }
    void ProcessInPlace(Samples& samples);

  private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);

    double b0_, b1_, b2_, a1_, a2_;
    double z1_ = 0.0, z2_ = 0.0;
};

// One-pole low-pass, for gentle darkening and for smoothing control signals.
class OnePoleLowPass {
  public:
    explicit OnePoleLowPass(double hz) { SetCutoff(hz); }
    void SetCutoff(double hz);
    double Process(double x) {
        state_ += coefficient_ * (x - state_);
        return state_;
    }

  private:
    double coefficient_ = 1.0;
    double state_ = 0.0;
};

// Blocks DC with a pole just inside the unit circle (about 10 Hz).
class DcBlocker {
  public:
    double Process(double x) {
        const double y = x - previousIn_ + 0.9986 * previousOut_;
        previousIn_ = x;
        previousOut_ = y;
        return y;
    }

  private:
    double previousIn_ = 0.0, previousOut_ = 0.0;
};

// A zero-delay-feedback state-variable filter whose cutoff may change every frame.
class StateVariableFilter {
  public:
    struct Outputs {
        double lowPass, bandPass, highPass;
    };
    void SetCutoff(double hz, double q);
    Outputs Process(double x);

  private:
    double g_ = 0.1, k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double ic1_ = 0.0, ic2_ = 0.0;
};

// Low-passes `samples` with a cutoff that follows `hzPerFrame` (the last value holds).
void SweptLowPass(Samples& samples, const Samples& hzPerFrame, double q);
// Band-passes `samples` with a centre that follows `hzPerFrame`, normalised to 0 dB at the centre.
void SweptBandPass(Samples& samples, const Samples& hzPerFrame, double q);

Samples LowPassed(Samples samples, double hz, double q = 0.707);
Samples HighPassed(Samples samples, double hz, double q = 0.707);
Samples BandPassed(Samples samples, double hz, double q);

// Tanh saturation with `drive`; unity slope for small signals.
void Saturate(Samples& samples, double drive);

// Scales `samples` to a peak of 1, then rounds off the peaks by `drive` (tanh) and scales back to
// a peak of 1: lone spikes no longer set the level of the whole sound.
void TamePeaks(Samples& samples, double drive);

}  // namespace assetgen::sound
