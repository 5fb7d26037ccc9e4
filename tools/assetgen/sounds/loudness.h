// Loudness as a listener hears it, after ITU-R BS.1770: the K-weighted power of both speakers in
// LUFS, and the true peak that a sound reaches between its samples once it is converted to
// analogue. A mono clip is measured as the game plays it: the same on both speakers.
#pragma once

#include "sounds/clip.h"

namespace assetgen::sound {

// The loudest 400 ms of `clip` (windows every 10 ms, silence before and after it), in LUFS:
// how loud an effect sounds when it is played. -70 or lower for silence.
double MomentaryMaxLufs(const Clip& clip);

// The loudness of the whole clip in LUFS (gated 400 ms blocks every 100 ms): how loud a piece of
// music sounds over its length.
double IntegratedLufs(const Clip& clip);

// For every frame, the highest absolute value on either channel from it up to the next frame,
// eight times oversampled.
Samples InterSamplePeaks(const Clip& clip);

// The highest of those, in dB relative to full scale (dBTP).
double TruePeakDb(const Clip& clip);

}  // namespace assetgen::sound
