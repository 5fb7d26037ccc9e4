// Mastering: level measurement, DC removal, edge fades, and the levelling that places every
// sound in the one mix: at its loudness, under a true-peak ceiling.
#pragma once

#include "sounds/clip.h"

namespace assetgen::sound {

struct LevelReport {
    double seconds = 0.0;
    int channels = 1;
    double truePeakDb = -240.0;     // highest between the samples, dBTP
    double momentaryLufs = -120.0;  // the loudest 400 ms
    double integratedLufs = -120.0;
    double dcOffset = 0.0;   // mean sample value
    double edgeStart = 0.0;  // largest absolute value of the first frame
    double edgeEnd = 0.0;    // largest absolute value of the last frame
};

LevelReport MeasureLevels(const Clip& clip);

// How loud a sound is to be, and how it is measured.
enum class LoudnessMeasure {
    LoudestMoment,  // an effect: its loudest 400 ms
    Average,        // a loop: its integrated loudness; only a gain, so the seam stays whole
};

struct MasteringPlan {
    double loudnessLufs = -23.0;
    LoudnessMeasure measure = LoudnessMeasure::LoudestMoment;
    // A sound the game restarts every `restartSeconds` while a key is held, `restarts` times in
    // a row, is measured as it is heard then: its starts one after another, then the whole.
    double restartSeconds = 0.0;
    int restarts = 0;
    // No effect goes over this between its samples: it sounds over the music, and the room it
    // leaves keeps the mix under full scale. A little under -3 dBTP, as meters read the peaks
    // between samples a little differently.
    double truePeakCeilingDb = -3.3;
    double fadeInSeconds = 0.0005;
    double fadeOutSeconds = 0.05;  // at most a fifth of the clip
    // Cut the tail once it stays below this level relative to the peak (0 keeps the length).
    double trimBelowDb = -70.0;
    bool removeDc = true;
};

void Master(Clip& clip, const MasteringPlan& plan);

// How loud the clip is as the plan measures it, LUFS.
double MixLoudness(const Clip& clip, const MasteringPlan& plan);

// The individual steps, in the order `Master` runs them.
void RemoveDc(Clip& clip);
void TrimQuietTail(Clip& clip, double belowPeakDb);
void FadeEdges(Clip& clip, double fadeInSeconds, double fadeOutSeconds);
// Turns the clip to its loudness; an effect's peaks that would pass the ceiling are held down by
// a limiter that reacts within a millisecond and lets go over 40 ms.
void Level(Clip& clip, const MasteringPlan& plan);
void LimitTruePeak(Clip& clip, double ceilingDb);

}  // namespace assetgen::sound
