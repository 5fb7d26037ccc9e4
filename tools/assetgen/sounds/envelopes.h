// Envelopes: piecewise curves for loudness, pitch and filter contours.
#pragma once

#include <initializer_list>
#include <vector>

#include "sounds/clip.h"

namespace assetgen::sound {

// One corner of an envelope: at `time` seconds it reaches `value`. `curve` shapes the segment
// that ends here: 0 straight, negative moves fast at first (a natural decay), positive slowly.
struct EnvelopePoint {
    double time;
    double value;
    double curve = 0.0;
};

class Envelope {
  public:
    Envelope() = default;
    Envelope(std::initializer_list<EnvelopePoint> points) : points_(points) {}

    // Adds a corner `afterSeconds` past the last one.
    Envelope& Then(double afterSeconds, double value, double curve = 0.0);

    double ValueAt(double seconds) const;
    double Length() const { return points_.empty() ? 0.0 : points_.back().time; }
    // The envelope over `seconds`; before the first corner it holds the first value, after the last
    // corner the last value.
    Samples Render(double seconds) const;

  private:
    std::vector<EnvelopePoint> points_;
};

// A struck envelope: a straight rise over `attack` seconds, then an exponential fall that loses
// 60 dB in `decay` seconds, rendered over `length` seconds.
Samples StrikeEnvelope(double attack, double decay, double length);

// Amplitude ratio of a level in decibels.
double DbToGain(double db);
double GainToDb(double gain);

// Frequency of a MIDI note number (69 = A 440 Hz).
double MidiToHz(double note);

}  // namespace assetgen::sound
