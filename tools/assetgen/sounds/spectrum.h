// Short-time spectra for the listening sheets.
#pragma once

#include <vector>

#include "sounds/clip.h"

namespace assetgen::sound {

// Magnitudes in dBFS of the `size`-point (power of two) Hann-windowed spectrum of `samples`
// centred on frame `centre`; size / 2 bins from 0 Hz up.
std::vector<double> SpectrumDb(const Samples& samples, std::size_t centre, std::size_t size);

}  // namespace assetgen::sound
