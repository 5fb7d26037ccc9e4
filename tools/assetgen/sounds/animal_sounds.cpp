// Animals: the calls they make when hit.
#include "sounds/filters.h"
#include "sounds/recipes.h"
#include "sounds/reverb.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

// The open air of the woods: a short, dark, quiet reverb, left to die away.
Clip InTheWoods(Samples dry) {
    TamePeaks(dry, 1.4);
    return WithReverb(MonoClip(std::move(dry)), {0.35, 0.8, 0.8, 0.02}, 0.12, 0.5);
}

Samples Grunt(double seconds, double pitch, Random& random) {
    VocalCall grunt;
    grunt.seconds = seconds;
    grunt.pitchHz = {{0.0, pitch}, {seconds * 0.3, pitch * 1.15}, {seconds, pitch * 0.8}};
    grunt.loudness = {{0.0, 0.0}, {0.02, 1.0}, {seconds * 0.6, 0.8}, {seconds, 0.0, -2.0}};
    grunt.formants = {{320.0, 4.0, 0.0}, {850.0, 5.0, -4.0}, {2200.0, 6.0, -12.0}};
    grunt.formantScale = {{0.0, 0.85}, {0.05, 1.0}, {seconds, 0.9}};
    grunt.pulseWidth = 0.15;
    grunt.tiltHz = 1800.0;
    grunt.breath = 0.25;
    grunt.jitter = 0.05;
    grunt.roughness = 0.6;
    Samples out = RenderVocalCall(grunt, random);
    // The snort through the snout.
    MixInto(out,
            ShapedNoise(random, seconds, NoiseColour::White,
                        Envelope{{0.0, 0.0}, {0.015, 0.3}, {seconds, 0.0, -3.0}},
                        FilterShape::BandPass, Envelope{{0.0, 1300.0}}, 2.0),
            0, 0.5);
    return out;
}

}  // namespace

Clip BoarGrunt(Random& random) {
    Samples out;
    MixInto(out, Grunt(0.18, 100.0, random), 0);
    MixInto(out, Grunt(0.2, 92.0, random), FramesFor(0.27));
    MixInto(out, Grunt(0.34, 84.0, random), FramesFor(0.58));
    return InTheWoods(std::move(out));
}

Clip DuckQuack(Random& random) {
    Samples out;
    const double starts[] = {0.0, 0.23, 0.46};
    for (int i = 0; i < 3; ++i) {
        const double seconds = i == 0 ? 0.2 : 0.16;
        const double pitch = 230.0 - 18.0 * i;
        VocalCall quack;
        quack.seconds = seconds;
        quack.pitchHz = {{0.0, pitch * 1.1}, {0.04, pitch}, {seconds, pitch * 0.85}};
        quack.loudness = {{0.0, 0.0}, {0.012, 1.0}, {seconds * 0.7, 0.75}, {seconds, 0.0, -2.0}};
        quack.formants = {{1000.0, 5.0, 0.0}, {2300.0, 7.0, -1.0}, {3400.0, 8.0, -8.0}};
        quack.formantScale = {{0.0, 0.65}, {0.04, 1.0}, {seconds, 0.8}};
        quack.pulseWidth = 0.1;
        quack.tiltHz = 5000.0;
        quack.breath = 0.1;
        quack.jitter = 0.02;
        quack.roughness = 0.3;
        MixInto(out, RenderVocalCall(quack, random), FramesFor(starts[i]), 1.0 - 0.12 * i);
    }
    return InTheWoods(std::move(out));
}

Clip MoleSqueak(Random& random) {
    Samples out;
    for (int i = 0; i < 2; ++i) {
        const double lift = 1.0 + 0.12 * i;
        Whistle squeak{
            .seconds = 0.13,
            .pitchHz = {{0.0, 2600.0 * lift}, {0.04, 3500.0 * lift}, {0.13, 2800.0 * lift}},
            .loudness = {{0.0, 0.0}, {0.01, 1.0}, {0.09, 0.8}, {0.13, 0.0}},
            .second = 0.3,
            .third = 0.1,
            .breath = 0.2,
            .vibratoHz = 38.0,
            .vibratoDepth = 0.03};
        MixInto(out, RenderWhistle(squeak, random), FramesFor(0.19 * i));
    }
    return InTheWoods(std::move(out));
}

Clip QuailCall(Random& random) {
    // "Pick, wer-wick": one sharp note, a pause, two quick ones.
    struct Note {
        double start, seconds, low, high, end;
    };
    const Note notes[] = {{0.0, 0.075, 2000.0, 3150.0, 2600.0},
                          {0.27, 0.06, 2250.0, 2750.0, 2700.0},
                          {0.39, 0.075, 2100.0, 3250.0, 2700.0}};
    Samples out;
    for (const Note& note : notes) {
        Whistle whistle{
            .seconds = note.seconds,
            .pitchHz = {{0.0, note.low}, {note.seconds * 0.3, note.high}, {note.seconds, note.end}},
            .loudness = {{0.0, 0.0}, {0.008, 1.0}, {note.seconds * 0.7, 0.7}, {note.seconds, 0.0}},
            .second = 0.18,
            .third = 0.05,
            .breath = 0.05};
        MixInto(out, RenderWhistle(whistle, random), FramesFor(note.start));
    }
    return InTheWoods(std::move(out));
}

Clip HareSqueal(Random& random) {
    VocalCall squeal;
    squeal.seconds = 0.65;
    squeal.pitchHz = {{0.0, 700.0}, {0.08, 1150.0}, {0.4, 1050.0}, {0.65, 780.0}};
    squeal.loudness = {{0.0, 0.0}, {0.03, 1.0}, {0.45, 0.85}, {0.65, 0.0, -2.0}};
    squeal.formants = {{1300.0, 3.0, 0.0}, {2800.0, 4.0, -3.0}, {4200.0, 5.0, -8.0}};
    squeal.pulseWidth = 0.25;
    squeal.tiltHz = 6000.0;
    squeal.breath = 0.15;
    squeal.jitter = 0.02;
    squeal.roughness = 0.35;
    squeal.vibratoHz = 9.0;
    squeal.vibratoDepth = 0.03;
    return InTheWoods(RenderVocalCall(squeal, random));
}

Clip DeerRoar(Random& random) {
    VocalCall roar;
    roar.seconds = 1.3;
    roar.pitchHz = {{0.0, 95.0}, {0.2, 140.0}, {0.9, 125.0}, {1.3, 80.0}};
    roar.loudness = {{0.0, 0.0}, {0.15, 0.9}, {0.9, 1.0}, {1.3, 0.0, -2.0}};
    roar.formants = {
        {270.0, 3.0, 0.0}, {650.0, 4.0, -2.0}, {1400.0, 5.0, -8.0}, {2600.0, 6.0, -14.0}};
    roar.formantScale = {{0.0, 0.8}, {0.3, 1.0}, {1.0, 1.0}, {1.3, 0.85}};
    roar.pulseWidth = 0.12;
    roar.tiltHz = 2500.0;
    roar.breath = 0.25;
    roar.jitter = 0.05;
    roar.roughness = 0.5;
    return InTheWoods(RenderVocalCall(roar, random));
}

Clip RavenCaw(Random& random) {
    Samples out;
    for (int i = 0; i < 2; ++i) {
        const double seconds = 0.3;
        const double pitch = 400.0 - 30.0 * i;
        VocalCall caw;
        caw.seconds = seconds;
        caw.pitchHz = {{0.0, pitch * 0.95}, {0.05, pitch * 1.12}, {seconds, pitch * 0.9}};
        caw.loudness = {{0.0, 0.0}, {0.02, 1.0}, {0.2, 0.8}, {seconds, 0.0, -2.0}};
        caw.formants = {{1100.0, 4.0, 0.0}, {1800.0, 5.0, -2.0}, {2800.0, 6.0, -8.0}};
        caw.formantScale = {{0.0, 0.8}, {0.05, 1.0}, {seconds, 0.9}};
        caw.pulseWidth = 0.12;
        caw.tiltHz = 4000.0;
        caw.breath = 0.3;
        caw.jitter = 0.06;
        caw.roughness = 0.8;
        MixInto(out, RenderVocalCall(caw, random), FramesFor(0.42 * i), 1.0 - 0.1 * i);
    }
    return InTheWoods(std::move(out));
}

Clip BearGrowl(Random& random) {
    VocalCall growl;
    growl.seconds = 1.45;
    growl.pitchHz = {{0.0, 70.0}, {0.4, 92.0}, {1.0, 80.0}, {1.45, 58.0}};
    growl.loudness = {{0.0, 0.0}, {0.2, 0.8}, {0.6, 1.0}, {1.15, 0.7}, {1.45, 0.0, -2.0}};
    growl.formants = {{300.0, 3.0, 0.0}, {700.0, 4.0, -3.0}, {1500.0, 5.0, -10.0}};
    growl.formantScale = {{0.0, 0.85}, {0.5, 1.05}, {1.45, 0.9}};
    growl.pulseWidth = 0.1;
    growl.tiltHz = 1500.0;
    growl.breath = 0.4;
    growl.jitter = 0.1;
    growl.roughness = 0.7;
    growl.roughnessRatio = 0.33;
    return InTheWoods(RenderVocalCall(growl, random));
}

Clip WoodpeckerCall(Random& random) {
    // The green woodpecker's laugh: a run of bright notes, slowly falling.
    Samples out;
    const int notes = 10;
    for (int i = 0; i < notes; ++i) {
        const double pitch = 1950.0 - 35.0 * i;
        const double seconds = 0.075;
        Whistle note{.seconds = seconds,
                     .pitchHz = {{0.0, pitch * 1.06}, {seconds, pitch * 0.94}},
                     .loudness = {{0.0, 0.0}, {0.01, 1.0}, {0.05, 0.7}, {seconds, 0.0}},
                     .second = 0.45,
                     .third = 0.25,
                     .breath = 0.1};
        MixInto(out, RenderWhistle(note, random), FramesFor(0.11 * i), 1.0 - 0.04 * i);
    }
    return InTheWoods(std::move(out));
}

}  // namespace assetgen::sound
