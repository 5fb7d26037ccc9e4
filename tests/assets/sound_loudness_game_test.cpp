// How loud each sound of the pack is in the mix, measured as a listener hears it by a real
// loudness meter (libebur128, EBU R128): the music well under the effects, the shotgun on top,
// the animals' calls just under it, every click the player needs above the music, and room below
// full scale for the music under every effect.
#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/pack_sound.h"
#include "gamestate/sound_files.h"
#include "world/weapon.h"

namespace {

namespace file = gamestate::sound_file;
using gamestate::SoundUse;

struct Loudness {
    double loudestLufs;     // the loudest 400 ms, every 10 ms
    double integratedLufs;  // the whole file, gated
    double truePeakDb;
};

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

// Measures samples as the game plays them: a mono sound is heard on both speakers alike.
// Silence of 400 ms before and after lets a short sound fill a whole window.
Loudness Measure(std::vector<int16_t> samples, int channelCount) {
    if (samples.empty() || channelCount < 1) return {-200.0, -200.0, -200.0};
    const auto channels = static_cast<unsigned>(channelCount);
    std::unique_ptr<ebur128_state, StateDeleter> meter(
        ebur128_init(channels, 44100, EBUR128_MODE_M | EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
    if (channels == 1) ebur128_set_channel(meter.get(), 0, EBUR128_DUAL_MONO);
    const size_t window = 17640, hop = 441;
    const std::vector<int16_t> silence(window * channels, 0);
    ebur128_add_frames_short(meter.get(), silence.data(), window);
    const size_t frames = samples.size() / channels;
    samples.resize((frames + window) * channels, 0);
    double loudest = -200.0;
    for (size_t at = 0; at < frames + window; at += hop) {
        const size_t count = std::min(hop, frames + window - at);
        ebur128_add_frames_short(meter.get(), samples.data() + at * channels, count);
        double momentary = -200.0;
        ebur128_loudness_momentary(meter.get(), &momentary);
        loudest = std::max(loudest, momentary);
    }
    Loudness result{loudest, -200.0, -200.0};
    ebur128_loudness_global(meter.get(), &result.integratedLufs);
    double peak = 0.0;
    for (unsigned c = 0; c < channels; ++c) {
        double channelPeak = 0.0;
        ebur128_true_peak(meter.get(), c, &channelPeak);
        peak = std::max(peak, channelPeak);
    }
    result.truePeakDb = 20.0 * std::log10(std::max(peak, 1e-10));
    return result;
}

Loudness Measure(const char* relative) {
    static std::map<std::string, Loudness> measured;
    const auto known = measured.find(relative);
    if (known != measured.end()) return known->second;
    assettest::LoadedSound sound;
    EXPECT_TRUE(assettest::Load(relative, sound));
    return measured[relative] = Measure(sound.samples, sound.Channels());
}

// The machine gun held down: the game restarts its sound for every round of a magazine, one
// round every so many milliseconds, and the last round plays out.
Loudness MeasureMachineGunHeld() {
    const world::WeaponTraits& gun = world::WeaponTable[world::MachineGun];
    assettest::LoadedSound round;
    EXPECT_TRUE(assettest::Load(file::MachineGunShot, round));
    const size_t period =
        std::min(round.samples.size(), static_cast<size_t>(44100 * gun.readyAfterShotMs / 1000) *
                                           static_cast<size_t>(round.Channels()));
    std::vector<int16_t> held;
    for (int32_t i = 0; i < gun.magazine; ++i) {
        held.insert(held.end(), round.samples.begin(),
                    round.samples.begin() + static_cast<long>(period));
    }
    held.insert(held.end(), round.samples.begin(), round.samples.end());
    return Measure(held, round.Channels());
}

const char* const kAnimalCalls[] = {file::BoarHit,  file::DuckHit, file::MoleHit,
                                    file::QuailHit, file::HareHit, file::DeerHit,
                                    file::RavenHit, file::BearHit, file::WoodpeckerHit};

TEST(SoundPack, MusicSitsWellUnderTheEffects) {
    for (const char* tune : {file::MenuTune, file::GameTune}) {
        EXPECT_NEAR(Measure(tune).integratedLufs, -23.0, 1.0) << tune;
    }
}

// Every effect sounds over the music: each leaves 3 dB of room below full scale for it, also
// between its samples, where the converter's wave runs higher than the samples.
TEST(SoundPack, NoEffectComesWithin3DbOfFullScale) {
    for (const gamestate::SoundFile& sound : gamestate::SoundManifest) {
        if (sound.use == SoundUse::Music) continue;
        EXPECT_LE(Measure(sound.path).truePeakDb, -3.0) << sound.path;
    }
}

TEST(SoundPack, TheShotgunIsTheLoudestThingInARoundAndTheAnimalsCallJustUnderIt) {
    const double shotgun = Measure(file::ShotgunShot).loudestLufs;
    for (const gamestate::SoundFile& sound : gamestate::SoundManifest) {
        if (sound.path == file::ShotgunShot) continue;
        EXPECT_LT(Measure(sound.path).loudestLufs, shotgun) << sound.path;
    }
    EXPECT_LT(MeasureMachineGunHeld().loudestLufs, shotgun) << "the machine gun, held down";
    for (const char* call : kAnimalCalls) {
        const double loudness = Measure(call).loudestLufs;
        EXPECT_LE(loudness, shotgun - 1.0) << call;
        EXPECT_GE(loudness, shotgun - 4.0) << call;
    }
}

// An empty weapon, a reload, the clock's last seconds and the woodpecker's knock tell the player
// something: each stands above the music it sounds over.
TEST(SoundPack, TheClicksThePlayerNeedsStandAboveTheMusic) {
    const double music =
        std::max(Measure(file::MenuTune).integratedLufs, Measure(file::GameTune).integratedLufs);
    for (const char* click :
         {file::ShotgunEmpty, file::CrossbowEmpty, file::ShotgunReload, file::CrossbowReload,
          file::ClockTick, file::ClockTickAway, file::WoodpeckerKnock}) {
        EXPECT_GE(Measure(click).loudestLufs, music + 2.0) << click;
    }
}

// Things of a kind sound alike: the hint melody's three bells, and the objects the shots hit.
TEST(SoundPack, BellsAndObjectsSoundEquallyLoud) {
    const double bell = Measure(file::BellNote1).loudestLufs;
    for (const char* other : {file::BellNote2, file::BellNote3}) {
        EXPECT_NEAR(Measure(other).loudestLufs, bell, 0.5) << other;
    }
    std::vector<double> objects;
    for (const char* object :
         {file::PeakCrumbles, file::BottleShatters, file::FlyAgaricBursts, file::SiloLaunch,
          file::SwitchThrown, file::PowerBoxCover, file::PotKnocked, file::ScarecrowTurns,
          file::TroughGurgles, file::CorkPops, file::TinCanClangs}) {
        objects.push_back(Measure(object).loudestLufs);
    }
    EXPECT_LT(*std::max_element(objects.begin(), objects.end()) -
                  *std::min_element(objects.begin(), objects.end()),
              3.0);
}

}  // namespace
