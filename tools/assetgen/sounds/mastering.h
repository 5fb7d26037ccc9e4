// Mastering: level measurement, DC removal, edge fades, peak normalisation and a loudness cap.
#pragma once

#include "sounds/clip.h"

namespace assetgen::sound {

struct LevelReport {
    double seconds = 0.0;
    int channels = 1;
    double peakDb = -240.0;     // highest absolute sample, dBFS
    double rmsDb = -240.0;      // whole-clip RMS over all channels, dBFS
    double loudestDb = -240.0;  // highest RMS of any 100 ms window, dBFS
    double dcOffset = 0.0;      // mean sample value
    double edgeStart = 0.0;     // largest absolute value of the first frame
    double edgeEnd = 0.0;       // largest absolute value of the last frame
};

LevelReport MeasureLevels(const Clip& clip);

struct MasteringPlan {
    double peakDb = -1.0;
    // Sustained sounds are turned down until their loudest 100 ms window (ear-weighted) is no
    // louder than this.
    double loudestCapDb = 0.0;
    double fadeInSeconds = 0.0015;
    double fadeOutSeconds = 0.02;
    // Cut the tail once it stays below this level relative to the peak (0 keeps the length).
    double trimBelowDb = -70.0;
    bool removeDc = true;
};

void Master(Clip& clip, const MasteringPlan& plan);

// The individual steps, in the order `Master` runs them.
void RemoveDc(Clip& clip);
void TrimQuietTail(Clip& clip, double belowPeakDb);
void FadeEdges(Clip& clip, double fadeInSeconds, double fadeOutSeconds);
void NormalisePeak(Clip& clip, double peakDb);
void CapLoudness(Clip& clip, double loudestCapDb);

}  // namespace assetgen::sound
