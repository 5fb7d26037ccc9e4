#include "sounds/envelopes.h"

#include <cmath>

namespace assetgen::sound {

namespace {

double Shape(double x, double curve) {
    if (std::abs(curve) < 1e-6) return x;
    return (1.0 - std::exp(-curve * x)) / (1.0 - std::exp(-curve));
}

}  // namespace

Envelope& Envelope::Then(double afterSeconds, double value, double curve) {
    const double start = points_.empty() ? 0.0 : points_.back().time;
    points_.push_back({start + afterSeconds, value, curve});
    return *this;
}

double Envelope::ValueAt(double seconds) const {
    if (points_.empty()) return 0.0;
    if (seconds <= points_.front().time) return points_.front().value;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const EnvelopePoint& from = points_[i - 1];
        const EnvelopePoint& to = points_[i];
        if (seconds <= to.time) {
            const double span = to.time - from.time;
            const double x = span > 0.0 ? (seconds - from.time) / span : 1.0;
            // A negative curve moves fast at first: the shape is mirrored from the slow one.
            return from.value + (to.value - from.value) * Shape(x, -to.curve);
        }
    }
    return points_.back().value;
}

Samples Envelope::Render(double seconds) const {
    Samples out(FramesFor(seconds));
    if (points_.empty()) return out;
    std::size_t segment = 1;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRateHz;
        while (segment < points_.size() && t > points_[segment].time) ++segment;
        if (t <= points_.front().time) {
            out[i] = static_cast<float>(points_.front().value);
        } else if (segment >= points_.size()) {
            out[i] = static_cast<float>(points_.back().value);
        } else {
            const EnvelopePoint& from = points_[segment - 1];
            const EnvelopePoint& to = points_[segment];
            const double span = to.time - from.time;
            const double x = span > 0.0 ? (t - from.time) / span : 1.0;
            out[i] = static_cast<float>(from.value + (to.value - from.value) * Shape(x, -to.curve));
        }
    }
    return out;
}

Samples StrikeEnvelope(double attack, double decay, double length) {
    Samples out(FramesFor(length));
    const std::size_t attackFrames = FramesFor(attack);
    const double fall = std::exp(-6.907755 / (decay * kSampleRateHz));
    double level = 1.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i < attackFrames) {
            out[i] = static_cast<float>(static_cast<double>(i) / static_cast<double>(attackFrames));
        } else {
            out[i] = static_cast<float>(level);
            level *= fall;
        }
    }
    return out;
}

double DbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

double GainToDb(double gain) {
    return gain > 1e-12 ? 20.0 * std::log10(gain) : -240.0;
}

double MidiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

}  // namespace assetgen::sound
