// Weapons: shotgun, crossbow, machine gun and dynamite, with their reloads and empty clicks.
#include "sounds/filters.h"
#include "sounds/recipes.h"
#include "sounds/reverb.h"
#include "sounds/voices.h"

namespace assetgen::sound {

namespace {

// The sharp front of a shot: a few milliseconds of bright noise.
Samples MuzzleCrack(Random& random, double seconds, double highPassHz) {
    return ShapedNoise(
        random, seconds + 0.02, NoiseColour::White,
        Envelope{{0.0, 0.0}, {0.0003, 1.0}, {seconds, 0.2, -3.0}, {seconds + 0.02, 0.0}},
        FilterShape::HighPass, Envelope{{0.0, highPassHz}}, 0.7);
}

// The roar behind the crack: pink noise whose brightness closes as it dies.
Samples BlastBody(Random& random, double seconds, double openHz, double closedHz,
                  double closeSeconds) {
    return ShapedNoise(random, seconds, NoiseColour::Pink,
                       Envelope{{0.0, 0.0}, {0.001, 1.0}, {0.03, 0.4, -3.0}, {seconds, 0.0, -3.0}},
                       FilterShape::LowPass,
                       Envelope{{0.0, openHz}, {closeSeconds, closedHz, -3.0}}, 0.8);
}

// A metal-on-metal clack of a gun's action.
Samples ActionClack(Random& random, double brightness, double level) {
    const std::vector<Partial> metal = Detuned({{1850.0 * brightness, 0.5, 0.05},
                                                {3100.0 * brightness, 0.45, 0.04},
                                                {4550.0 * brightness, 0.35, 0.03},
                                                {6200.0 * brightness, 0.25, 0.02}},
                                               0.03, random);
    Samples clack = RenderStrike(metal, 0.12, 1.2, 3500.0 * brightness, 0.004, random);
    MixInto(clack, RenderThump(240.0, 200.0, 0.02, 0.07, 0.12), 0, 0.5);
    Scale(clack, level);
    return clack;
}

// Metal sliding on metal: band-passed noise that swells and stops.
Samples Slide(Random& random, double seconds, double hz, double level) {
    return ShapedNoise(random, seconds, NoiseColour::White,
                       Envelope{{0.0, 0.0}, {seconds * 0.7, level, 1.5}, {seconds, 0.0}},
                       FilterShape::BandPass, Envelope{{0.0, hz * 0.8}, {seconds, hz * 1.2}}, 1.5);
}

// A forest answers a loud bang: two darkened echoes from the tree lines, then the long, dark
// rumble of the woods. The whole is driven into saturation, as a loud bang overloads ear and
// microphone alike.
Clip OutdoorBang(Samples dry, double echoLevel, const NoiseTail& tail, double tailSeconds,
                 double drive, Random& random) {
    Samples echo = LowPassed(dry, 1800.0);
    MixInto(dry, echo, FramesFor(0.17), echoLevel);
    MixInto(dry, LowPassed(echo, 1200.0), FramesFor(0.31), echoLevel * 0.55);
    TamePeaks(dry, 1.0);
    Clip out = WithNoiseTail(dry, tail, tailSeconds, random);
    TamePeaks(out.left, drive);
    TamePeaks(out.right, drive);
    return out;
}

}  // namespace

Clip ShotgunBlast(Random& random) {
    Samples dry = MuzzleCrack(random, 0.008, 1500.0);
    MixInto(dry, BlastBody(random, 0.45, 7000.0, 450.0, 0.25), 0, 1.8);
    MixInto(dry, RenderThump(150.0, 48.0, 0.08, 0.4, 0.5), 0, 0.7);
    // The boom rolls on through the trees for a moment: the weight of the big gun.
    MixInto(dry,
            ShapedNoise(random, 0.7, NoiseColour::Pink,
                        Envelope{{0.0, 0.0}, {0.02, 0.6}, {0.15, 0.45}, {0.7, 0.0, -2.0}},
                        FilterShape::LowPass, Envelope{{0.0, 2500.0}, {0.7, 500.0, -2.0}}, 0.7),
            0, 1.0);
    return OutdoorBang(std::move(dry), 0.3, {0.3, 0.9, 1800.0}, 0.8, 3.0, random);
}

Clip ShotgunReload(Random& random) {
    // A shell pushed into the magazine, then the pump drawn back and driven home.
    Samples out(FramesFor(0.75), 0.0f);
    const std::vector<Partial> shell =
        Detuned({{2800.0, 0.3, 0.03}, {4100.0, 0.25, 0.025}, {6300.0, 0.15, 0.02}}, 0.02, random);
    MixInto(out, RenderStrike(shell, 0.08, 0.6, 3000.0, 0.003, random), FramesFor(0.02), 0.6);
    MixInto(out, RenderThump(190.0, 150.0, 0.03, 0.06, 0.08), FramesFor(0.02), 0.35);
    MixInto(out, Slide(random, 0.07, 2400.0, 0.5), FramesFor(0.22), 0.8);
    MixInto(out, ActionClack(random, 0.95, 0.9), FramesFor(0.29), 1.0);
    MixInto(out, Slide(random, 0.06, 2800.0, 0.5), FramesFor(0.41), 0.8);
    MixInto(out, ActionClack(random, 1.1, 1.0), FramesFor(0.47), 1.0);
    out.resize(FramesFor(0.75));
    TamePeaks(out, 1.8);
    return WithReverb(MonoClip(std::move(out)), {0.2, 0.7, 0.6, 0.005}, 0.12, 0.3);
}

Clip ShotgunEmptyClick(Random& random) {
    // The hammer falls on nothing: a dry snap that the steel of the receiver rings on for a
    // moment, and the tiny tick of the sear behind it.
    const std::vector<Partial> snap = {{3300.0, 0.6, 0.03},  {5100.0, 0.4, 0.02},
                                       {7400.0, 0.3, 0.015}, {1900.0, 0.3, 0.05},
                                       {1150.0, 0.25, 0.08}, {640.0, 0.15, 0.08}};
    Samples out = RenderStrike(snap, 0.15, 1.0, 4000.0, 0.003, random);
    const std::vector<Partial> tick = Detuned(snap, 0.05, random);
    MixInto(out, RenderStrike(tick, 0.06, 0.5, 5000.0, 0.002, random), FramesFor(0.022), 0.3);
    out.resize(FramesFor(0.15));
    TamePeaks(out, 2.0);
    return MonoClip(std::move(out));
}

Clip CrossbowShot(Random& random) {
    // The string snaps forward (twang), the limbs hit their stops (thwack), the bolt hisses away.
    Samples twang = RenderPluck(
        {.hz = 104.0, .seconds = 0.7, .brightness = 0.9, .sustain = 0.45, .pickPosition = 0.12},
        random);
    const double harmonics[] = {1.0, 0.7, 0.5, 0.4, 0.3, 0.22, 0.16, 0.12, 0.08, 0.05};
    Samples snapPitch = Envelope{{0.0, 330.0}, {0.05, 150.0, -3.0}, {0.2, 104.0, -2.0}}.Render(0.2);
    Samples snap = HarmonicTone(snapPitch, harmonics, 10);
    ApplyEnvelope(snap, StrikeEnvelope(0.001, 0.15, 0.2));
    MixInto(twang, snap, 0, 0.25);

    const std::vector<Partial> limbs =
        Detuned({{210.0, 0.6, 0.09}, {470.0, 0.45, 0.06}, {890.0, 0.3, 0.04}, {1400.0, 0.2, 0.03}},
                0.02, random);
    Samples out = RenderStrike(limbs, 0.2, 0.8, 1200.0, 0.004, random);
    MixInto(out, twang, 0, 0.9);
    Samples hiss =
        ShapedNoise(random, 0.4, NoiseColour::White,
                    Envelope{{0.0, 0.0}, {0.03, 0.5, 1.0}, {0.12, 0.35}, {0.4, 0.0, -2.0}},
                    FilterShape::BandPass, Envelope{{0.0, 2600.0}, {0.4, 700.0, -2.0}}, 2.0);
    MixInto(out, hiss, FramesFor(0.01), 0.6);
    TamePeaks(out, 2.0);
    return WithReverb(MonoClip(std::move(out)), {0.5, 0.6, 1.0, 0.01}, 0.25, 0.35);
}

Clip CrossbowReload(Random& random) {
    // The crank winds the string back over a ratchet and the nut catches it.
    const double clicks[] = {0.0, 0.085, 0.16, 0.225, 0.28, 0.33, 0.375, 0.415};
    Samples out(FramesFor(0.8), 0.0f);
    const std::vector<Partial> pawl = {
        {2400.0, 0.5, 0.025}, {3600.0, 0.35, 0.02}, {5200.0, 0.25, 0.012}, {760.0, 0.2, 0.03}};
    for (double at : clicks) {
        Samples click = RenderStrike(Detuned(pawl, 0.03, random), 0.06, 0.7, 3000.0, 0.002, random);
        MixInto(out, click, FramesFor(0.02 + at), random.Uniform(0.45, 0.6));
    }
    // The string creaks as it tightens.
    Whistle creak{.seconds = 0.45,
                  .pitchHz = Envelope{{0.0, 260.0}, {0.45, 420.0}},
                  .loudness = Envelope{{0.0, 0.0}, {0.1, 0.05}, {0.4, 0.04}, {0.45, 0.0}},
                  .second = 0.5,
                  .third = 0.4,
                  .breath = 0.3,
                  .vibratoHz = 23.0,
                  .vibratoDepth = 0.02};
    MixInto(out, RenderWhistle(creak, random), FramesFor(0.02), 1.0);
    // The nut catches: the loud click of a loaded crossbow.
    const std::vector<Partial> latch = Detuned(
        {{1500.0, 0.5, 0.06}, {2600.0, 0.45, 0.05}, {3900.0, 0.3, 0.035}, {5600.0, 0.2, 0.025}},
        0.02, random);
    MixInto(out, RenderStrike(latch, 0.15, 1.2, 2500.0, 0.004, random), FramesFor(0.56), 1.0);
    MixInto(out, RenderThump(170.0, 140.0, 0.02, 0.08, 0.12), FramesFor(0.56), 0.5);
    out.resize(FramesFor(0.8));
    TamePeaks(out, 1.8);
    return WithReverb(MonoClip(std::move(out)), {0.2, 0.7, 0.6, 0.005}, 0.12, 0.3);
}

Clip CrossbowEmptyClick(Random& random) {
    // The trigger lever knocks on the wooden stock: duller than the gun's click.
    const std::vector<Partial> wood = {{900.0, 0.5, 0.07},
                                       {1700.0, 0.35, 0.045},
                                       {2600.0, 0.25, 0.03},
                                       {480.0, 0.3, 0.09},
                                       {250.0, 0.3, 0.1}};
    Samples out = RenderStrike(wood, 0.16, 0.6, 1800.0, 0.003, random);
    const std::vector<Partial> tick = {{4200.0, 0.2, 0.02}, {6100.0, 0.12, 0.015}};
    MixInto(out, RenderStrike(tick, 0.05, 0.2, 5000.0, 0.002, random), FramesFor(0.004), 0.5);
    out.resize(FramesFor(0.16));
    TamePeaks(out, 2.0);
    return MonoClip(std::move(out));
}

Clip MachineGunRound(Random& random) {
    // One round. Held down, the game restarts the file for every round, 50 ms apart: crack,
    // body and the action's clack all sound within that time; a tap leaves the tail ringing.
    Samples dry = MuzzleCrack(random, 0.004, 2000.0);
    MixInto(dry, BlastBody(random, 0.08, 5000.0, 700.0, 0.04), 0, 1.2);
    MixInto(dry, RenderThump(122.0, 70.0, 0.03, 0.06, 0.08), 0, 0.8);
    MixInto(dry, ActionClack(random, 1.3, 0.25), FramesFor(0.03), 1.0);
    // No echoes: the rounds of a burst come faster than the tree lines could answer them.
    return OutdoorBang(std::move(dry), 0.0, {0.45, 0.6, 2000.0}, 0.35, 2.5, random);
}

Clip DynamiteBlast(Random& random) {
    const double seconds = 1.55;
    Samples dry = MuzzleCrack(random, 0.012, 800.0);
    Scale(dry, 1.5);
    MixInto(dry, RenderThump(95.0, 32.0, 0.25, 1.2, seconds), 0, 0.5);
    MixInto(dry,
            ShapedNoise(random, seconds, NoiseColour::Brown,
                        Envelope{{0.0, 0.0}, {0.01, 1.0}, {0.3, 0.6, -2.0}, {seconds, 0.0, -3.0}},
                        FilterShape::LowPass, Envelope{{0.0, 400.0}, {1.0, 160.0}}, 0.7),
            0, 1.0);
    MixInto(dry, BlastBody(random, 0.9, 8000.0, 300.0, 0.5), 0, 2.5);
    // Stones and earth rain down.
    MixInto(
        dry,
        RenderCrackle(random, seconds, Envelope{{0.0, 0.0}, {0.12, 0.0}, {0.25, 70.0}, {1.4, 4.0}},
                      Envelope{{0.0, 0.15}, {1.5, 0.03}}, 1200.0, 7000.0),
        0, 1.0);
    return OutdoorBang(std::move(dry), 0.2, {0.3, 1.2, 1200.0}, 0.35, 3.0, random);
}

}  // namespace assetgen::sound
