// Scenery: the sounds of the objects in the woods when they are shot or set in motion.
#include <cmath>

#include "sounds/filters.h"
#include "sounds/noise.h"
#include "sounds/recipes.h"
#include "sounds/reverb.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

// The open air around an object: a reverb of `roomSize`, left to die away.
Clip Outdoors(Samples dry, double roomSize, double wet) {
    TamePeaks(dry, 1.3);
    return WithReverb(MonoClip(std::move(dry)), {roomSize, 0.6, 0.9, 0.015}, wet, 0.5);
}

std::vector<Partial> Scaled(std::vector<Partial> partials, double ratio, double level) {
    for (Partial& partial : partials) {
        partial.hz *= ratio;
        partial.amplitude *= level;
    }
    return partials;
}

// One tick of a clock's escapement: a bright click on a small wooden case that rings briefly.
Samples Tick(Random& random, double pitch, double level) {
    const std::vector<Partial> escapement = Scaled(
        {{2600.0, 0.5, 0.05}, {3900.0, 0.4, 0.035}, {5400.0, 0.25, 0.025}, {620.0, 0.35, 0.1}},
        pitch, level);
    Samples tick =
        RenderStrike(Detuned(escapement, 0.01, random), 0.12, 0.5, 3500.0 * pitch, 0.002, random);
    TamePeaks(tick, 2.5);
    Scale(tick, level);
    return tick;
}

}  // namespace

Clip RockSlide(Random& random) {
    const double seconds = 1.4;
    Samples out = ShapedNoise(random, seconds, NoiseColour::Brown,
                              Envelope{{0.0, 0.0}, {0.05, 1.0}, {0.6, 0.8}, {seconds, 0.0, -2.0}},
                              FilterShape::LowPass, Envelope{{0.0, 300.0}, {seconds, 180.0}}, 0.8);
    // The peak cracks off, then stones of every size tumble down.
    MixInto(out,
            ShapedNoise(random, 0.25, NoiseColour::White,
                        Envelope{{0.0, 0.0}, {0.002, 0.8}, {0.25, 0.0, -3.0}}, FilterShape::LowPass,
                        Envelope{{0.0, 5000.0}, {0.25, 800.0}}, 0.7),
            0);
    MixInto(out,
            RenderCrackle(random, seconds,
                          Envelope{{0.0, 40.0}, {0.3, 120.0}, {1.0, 25.0}, {seconds, 0.0}},
                          Envelope{{0.0, 0.5}, {seconds, 0.2}}, 300.0, 3500.0),
            0, 1.4);
    for (int i = 0; i < 22; ++i) {
        const double at = 0.05 + 1.1 * random.Unit() * random.Unit();
        const double hz = random.Uniform(70.0, 180.0);
        MixInto(out, RenderThump(hz * 1.4, hz, 0.02, random.Uniform(0.06, 0.15), 0.2),
                FramesFor(at), random.Uniform(0.2, 0.5) * (1.0 - at / seconds));
    }
    return Outdoors(std::move(out), 0.5, 0.3);
}

Clip BottleShatter(Random& random) {
    // The crack of the glass, its last ring, then shards tinkling down.
    const std::vector<Partial> bottle = {
        {1750.0, 0.4, 0.12}, {3020.0, 0.3, 0.1}, {4610.0, 0.25, 0.08}, {6250.0, 0.2, 0.06}};
    Samples out = RenderStrike(bottle, 0.2, 0.9, 4000.0, 0.003, random);
    MixInto(out,
            ShapedNoise(random, 0.3, NoiseColour::White,
                        Envelope{{0.0, 0.0}, {0.002, 1.0}, {0.05, 0.3, -3.0}, {0.3, 0.0, -3.0}},
                        FilterShape::HighPass, Envelope{{0.0, 3000.0}}, 0.7),
            0, 0.8);
    for (int i = 0; i < 70; ++i) {
        const double u = random.Unit();
        const double at = 0.01 + 0.65 * u * u;
        const double hz = 2500.0 * std::pow(3.6, random.Unit());
        const Partial shard{hz, random.Uniform(0.1, 0.35) * (1.0 - at), random.Uniform(0.02, 0.12)};
        AddPartials(out, at, &shard, 1, 0.15);
    }
    return Outdoors(std::move(out), 0.4, 0.15);
}

Clip FlyAgaricBurst(Random& random) {
    // A soft plop as the cap tears off, a puff of spores, and a swish as it flies up.
    Whistle plop{.seconds = 0.09,
                 .pitchHz = {{0.0, 240.0}, {0.05, 520.0, -2.0}, {0.09, 560.0}},
                 .loudness = {{0.0, 0.0}, {0.003, 1.0}, {0.09, 0.0, -3.0}},
                 .second = 0.2};
    Samples out = RenderWhistle(plop, random);
    MixInto(out,
            ShapedNoise(random, 0.15, NoiseColour::Pink,
                        Envelope{{0.0, 0.0}, {0.005, 0.8}, {0.15, 0.0, -3.0}},
                        FilterShape::BandPass, Envelope{{0.0, 900.0}}, 1.2),
            0, 1.2);
    MixInto(out,
            ShapedNoise(random, 0.5, NoiseColour::White,
                        Envelope{{0.0, 0.0}, {0.06, 0.25}, {0.5, 0.0, -2.0}}, FilterShape::LowPass,
                        Envelope{{0.0, 3000.0}}, 0.7),
            FramesFor(0.02), 0.8);
    MixInto(out,
            ShapedNoise(random, 0.55, NoiseColour::White,
                        Envelope{{0.0, 0.0}, {0.15, 0.35, 1.0}, {0.55, 0.0, -2.0}},
                        FilterShape::BandPass, Envelope{{0.0, 600.0}, {0.55, 2200.0}}, 2.5),
            FramesFor(0.05), 1.0);
    return Outdoors(std::move(out), 0.4, 0.12);
}

Clip SiloLiftOff(Random& random) {
    const double seconds = 1.5;
    // Ignition, then the roar of the engine opening up as the silo rises; it fades and darkens
    // as the silo flies off.
    Samples out = RenderThump(75.0, 40.0, 0.2, 0.6, 0.7);
    Scale(out, 0.8);
    Samples roar =
        ShapedNoise(random, seconds, NoiseColour::White,
                    Envelope{{0.0, 0.0}, {0.08, 0.6}, {0.5, 1.0}, {0.9, 0.9}, {seconds, 0.0, -2.0}},
                    FilterShape::LowPass,
                    Envelope{{0.0, 400.0}, {0.8, 3200.0, -2.0}, {seconds, 600.0, -1.0}}, 0.9);
    MixInto(out, roar, 0, 1.0);
    MixInto(out,
            ShapedNoise(random, seconds, NoiseColour::Brown,
                        Envelope{{0.0, 0.0}, {0.1, 1.0}, {0.9, 0.8}, {seconds, 0.0, -2.0}},
                        FilterShape::LowPass, Envelope{{0.0, 250.0}, {seconds, 120.0}}, 0.7),
            0, 1.0);
    MixInto(out,
            RenderCrackle(random, seconds, Envelope{{0.0, 50.0}, {0.6, 220.0}, {seconds, 20.0}},
                          Envelope{{0.0, 0.3}, {0.8, 0.4}, {seconds, 0.0}}, 600.0, 4000.0),
            0, 0.5);
    Whistle whine{.seconds = seconds,
                  .pitchHz = {{0.0, 300.0}, {seconds, 950.0, 1.0}},
                  .loudness = {{0.0, 0.0}, {0.4, 0.06}, {0.9, 0.09}, {seconds, 0.0}},
                  .second = 0.5,
                  .third = 0.3};
    MixInto(out, RenderWhistle(whine, random), 0);
    Saturate(out, 1.5);
    return Outdoors(std::move(out), 0.5, 0.3);
}

Clip PowerSwitch(Random& random) {
    // The lever clacks home; sparks and the buzz of the current follow.
    const double seconds = 0.9;
    const std::vector<Partial> lever = {
        {1200.0, 0.5, 0.06}, {2100.0, 0.4, 0.05}, {3300.0, 0.3, 0.035}, {4700.0, 0.2, 0.025}};
    Samples out = RenderStrike(lever, 0.15, 0.5, 2500.0, 0.004, random);
    MixInto(out, RenderThump(130.0, 100.0, 0.02, 0.08, 0.12), 0, 0.6);
    Samples buzz(FramesFor(seconds - 0.03));
    Phasor hum;
    for (std::size_t i = 0; i < buzz.size(); ++i) {
        const double phase = hum.Next(100.0);
        buzz[i] = static_cast<float>(Pulse(phase, 100.0 / kSampleRateHz, 0.15) +
                                     0.4 * random.Bipolar() * (phase < 0.2 ? 1.0 : 0.2));
    }
    buzz = BandPassed(std::move(buzz), 1500.0, 0.6);
    ApplyEnvelope(
        buzz, Envelope{{0.0, 0.0}, {0.03, 0.5}, {0.55, 0.4}, {seconds - 0.03, 0.0, -2.0}}.Render(
                  seconds - 0.03));
    MixInto(out, buzz, FramesFor(0.03), 0.8);
    MixInto(
        out,
        RenderCrackle(random, seconds, Envelope{{0.0, 0.0}, {0.02, 180.0}, {0.5, 60.0}, {0.8, 0.0}},
                      Envelope{{0.0, 0.5}, {0.8, 0.2}}, 2000.0, 8000.0),
        0, 0.8);
    return Outdoors(std::move(out), 0.3, 0.1);
}

Clip PowerBoxCover(Random& random) {
    // A loose sheet of metal: low inharmonic modes in close pairs that beat as it wobbles off.
    std::vector<Partial> sheet = {{420.0, 0.5, 0.5},   {690.0, 0.45, 0.4},   {1130.0, 0.4, 0.35},
                                  {1580.0, 0.3, 0.3},  {2210.0, 0.25, 0.25}, {2970.0, 0.2, 0.2},
                                  {3800.0, 0.12, 0.15}};
    const std::size_t modes = sheet.size();
    for (std::size_t i = 0; i < modes; ++i) {
        sheet.push_back({sheet[i].hz * 1.012, sheet[i].amplitude * 0.7, sheet[i].decaySeconds});
    }
    Samples out = RenderStrike(sheet, 0.7, 0.3, 2000.0, 0.004, random);
    return Outdoors(std::move(out), 0.4, 0.12);
}

Clip PotKnock(Random& random) {
    // A hollow clay "tonk".
    const std::vector<Partial> clay = {
        {560.0, 0.6, 0.18}, {1320.0, 0.35, 0.12}, {2240.0, 0.2, 0.08}, {3350.0, 0.1, 0.05}};
    Samples out = RenderStrike(clay, 0.5, 0.25, 1500.0, 0.003, random);
    MixInto(out, RenderThump(230.0, 200.0, 0.02, 0.12, 0.2), 0, 0.5);
    return Outdoors(std::move(out), 0.4, 0.12);
}

Clip ScarecrowCreak(Random& random) {
    // Stick and slip of wood turning on wood: an uneven train of catches through the pole's
    // resonances, with the rustle of straw.
    const double seconds = 0.75;
    const Samples rate =
        Envelope{{0.0, 30.0}, {0.2, 60.0}, {0.45, 95.0}, {0.75, 45.0}}.Render(seconds);
    const std::vector<Partial> pole = {
        {480.0, 1.0, 0.04}, {1150.0, 0.6, 0.03}, {2300.0, 0.3, 0.02}};
    Samples out(FramesFor(seconds), 0.0f);
    for (double t = 0.0; t < seconds - 0.05;) {
        const std::size_t at = FramesFor(t);
        const std::vector<Partial> caught =
            Scaled(pole, 1.0 + 0.03 * random.Bipolar(), random.Uniform(0.6, 1.0));
        AddPartials(out, t, caught.data(), static_cast<int>(caught.size()), 0.05);
        t += (1.0 + 0.25 * random.Bipolar()) /
             static_cast<double>(rate[std::min(at, rate.size() - 1)]);
    }
    out.resize(FramesFor(seconds));
    ApplyEnvelope(out,
                  Envelope{{0.0, 0.0}, {0.05, 1.0}, {0.6, 0.9}, {seconds, 0.0}}.Render(seconds));
    MixInto(out,
            ShapedNoise(random, seconds, NoiseColour::White,
                        Envelope{{0.0, 0.0}, {0.1, 0.1}, {0.6, 0.06}, {seconds, 0.0}},
                        FilterShape::HighPass, Envelope{{0.0, 4000.0}}, 0.7),
            0);
    return Outdoors(std::move(out), 0.4, 0.12);
}

Clip TroughGurgle(Random& random) {
    // Water runs into the trough: a pouring hiss and a stream of bubbles.
    const double seconds = 1.55;
    Samples out =
        ShapedNoise(random, seconds, NoiseColour::Pink,
                    Envelope{{0.0, 0.0}, {0.1, 0.35}, {1.2, 0.3}, {seconds, 0.0}},
                    FilterShape::BandPass, Envelope{{0.0, 700.0}, {seconds, 1100.0}}, 0.8);
    for (int i = 0; i < 60; ++i) {
        const double at = random.Uniform(0.02, seconds - 0.1);
        const double hz = random.Uniform(350.0, 1400.0);
        MixInto(out, RenderBubble(hz, random.Uniform(0.3, 1.0), random.Uniform(0.02, 0.06)),
                FramesFor(at), random.Uniform(0.2, 0.5));
    }
    out.resize(FramesFor(seconds));
    return Outdoors(std::move(out), 0.3, 0.1);
}

Clip CorkPop(Random& random) {
    // The plop of the bottle neck ringing up as the cork leaves, and a breath of gas.
    Whistle plop{.seconds = 0.12,
                 .pitchHz = {{0.0, 420.0}, {0.02, 820.0, -2.0}, {0.12, 900.0}},
                 .loudness = {{0.0, 0.0}, {0.001, 1.0}, {0.12, 0.0, -4.0}},
                 .second = 0.2};
    Samples out = RenderWhistle(plop, random);
    MixInto(out,
            ShapedNoise(random, 0.005, NoiseColour::White, Envelope{{0.0, 1.0}, {0.005, 0.0}},
                        FilterShape::HighPass, Envelope{{0.0, 1000.0}}, 0.7),
            0, 0.3);
    MixInto(out,
            ShapedNoise(random, 0.15, NoiseColour::White, Envelope{{0.0, 0.25}, {0.15, 0.0, -2.0}},
                        FilterShape::HighPass, Envelope{{0.0, 5000.0}}, 0.7),
            FramesFor(0.005), 1.0);
    return Outdoors(std::move(out), 0.3, 0.1);
}

Clip TinCanClang(Random& random) {
    // The shot pings off the can; the can lands with a smaller clank.
    const std::vector<Partial> can = {{980.0, 0.4, 0.35},  {1480.0, 0.35, 0.3}, {2210.0, 0.3, 0.25},
                                      {2960.0, 0.25, 0.2}, {3870.0, 0.2, 0.15}, {5120.0, 0.15, 0.1},
                                      {6400.0, 0.1, 0.08}};
    Samples out = RenderStrike(can, 0.45, 0.4, 5000.0, 0.002, random);
    MixInto(
        out,
        RenderStrike(Detuned(Scaled(can, 1.0, 0.4), 0.02, random), 0.4, 0.3, 3000.0, 0.003, random),
        FramesFor(0.32));
    return Outdoors(std::move(out), 0.3, 0.1);
}

Clip WoodpeckerKnock(Random& random) {
    // The beak on a hollow trunk: a hard knock and the wood's short ring.
    const std::vector<Partial> trunk = {
        {820.0, 0.5, 0.07}, {1460.0, 0.35, 0.05}, {2350.0, 0.25, 0.035}, {3300.0, 0.15, 0.025}};
    Samples out = RenderStrike(trunk, 0.12, 0.8, 2000.0, 0.002, random);
    MixInto(out, RenderThump(320.0, 280.0, 0.01, 0.06, 0.08), 0, 0.4);
    out.resize(FramesFor(0.12));
    TamePeaks(out, 2.0);
    return MonoClip(std::move(out));
}

Clip ClockTickUrgent(Random& random) {
    // Four hurried ticks a second, high and hard.
    Samples out(FramesFor(0.95), 0.0f);
    for (int i = 0; i < 4; ++i) {
        MixInto(out, Tick(random, i % 2 == 0 ? 1.3 : 1.18, i == 3 ? 1.0 : 0.8),
                FramesFor(0.25 * i));
    }
    out.resize(FramesFor(0.95));
    // Dry: a room's echo would blur each tick into two.
    return MonoClip(std::move(out));
}

Clip ClockTickCalm(Random& random) {
    // An unhurried tick and a deeper tock.
    Samples out(FramesFor(0.8), 0.0f);
    MixInto(out, Tick(random, 1.0, 1.0), 0);
    MixInto(out, Tick(random, 0.7, 0.85), FramesFor(0.5));
    out.resize(FramesFor(0.8));
    return MonoClip(std::move(out));
}

}  // namespace assetgen::sound
