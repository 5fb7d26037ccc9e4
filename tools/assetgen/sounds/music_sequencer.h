// The sequencer: places the notes of a tune on a loop and mixes the band into stereo. The loop
// is rendered around a circle, so whatever rings past the end sounds again at the start, and
// the reverb runs over the loop twice so that its tail is the tail of the previous pass: the end
// of the file flows into its start without a seam.
#pragma once

#include <vector>

#include "sounds/clip.h"
#include "sounds/music_instruments.h"
#include "sounds/music_score.h"
#include "sounds/random.h"
#include "sounds/reverb.h"

namespace assetgen::sound {

// A player in the band: an instrument, its level, its place from left (-1) to right (+1) and
// how much of it goes to the reverb.
struct Player {
    Instrument instrument;
    double gain;
    double pan;
    double reverbSend;
};

class LoopArrangement {
  public:
    LoopArrangement(double beatsPerMinute, double loopBeats);

    double BeatSeconds() const { return 60.0 / beatsPerMinute_; }

    void Play(const Player& player, double beat, double beats, int midi, double velocity);
    void PlayAll(const Player& player, const std::vector<ScoreNote>& notes, double velocity,
                 int transpose = 0);
    void Hit(const Player& player, double beat, double velocity);

    // The loop, exactly `loopBeats` long. `random` humanises timing and dynamics a little.
    Clip Render(Random& random, const ReverbSettings& reverb) const;

  private:
    struct Event {
        Player player;
        double beat;
        double beats;
        int midi;  // -1 for percussion
        double velocity;
    };

    double beatsPerMinute_;
    double loopBeats_;
    std::vector<Event> events_;
};

}  // namespace assetgen::sound
