// Opens every sound the game plays with the game's own WAVE reader and checks what a player
// would hear: the format the mixer expects, lengths that fit their use, no clipping, starts and
// ends without clicks and tails that die away, music that loops without a seam, and each sound
// like what it stands for. (How loud each is in the mix: sound_loudness_game_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "assets/pack_sound.h"
#include "gamestate/sound_files.h"
#include "sound/wave_reader.h"

namespace {

using assettest::DataPath;
using assettest::kFullScale;
using assettest::Load;
using assettest::LoadedSound;
using gamestate::SoundUse;
namespace file = gamestate::sound_file;

constexpr double kPi = 3.14159265358979323846;

double Db(double gain) {
    return 20.0 * std::log10(std::max(gain, 1e-9));
}

double PeakDb(const LoadedSound& sound) {
    int peak = 0;
    for (int16_t s : sound.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return Db(peak / kFullScale);
}

double RmsDb(const std::vector<double>& x, size_t first, size_t count) {
    double sum = 0.0;
    for (size_t i = first; i < first + count && i < x.size(); ++i) sum += x[i] * x[i];
    return Db(std::sqrt(sum / static_cast<double>(std::max<size_t>(1, count))));
}

// The fundamental of a steady tone, by the strongest autocorrelation between 250 and 1000 Hz.
double PitchHz(const std::vector<double>& x, size_t first, size_t count) {
    double bestScore = -1e9;
    size_t bestLag = 0;
    for (size_t lag = 44; lag <= 176; ++lag) {
        double score = 0.0;
        for (size_t i = first; i < first + count; ++i) score += x[i] * x[i + lag];
        if (score > bestScore) bestScore = score, bestLag = lag;
    }
    return 44100.0 / static_cast<double>(bestLag);
}

// `x` through a second-order high-pass at `hz` (Butterworth).
std::vector<double> HighPassed(std::vector<double> x, double hz) {
    const double w = 2.0 * kPi * hz / 44100.0;
    const double alpha = std::sin(w) / std::sqrt(2.0), cosine = std::cos(w);
    const double a0 = 1.0 + alpha;
    const double b0 = (1.0 + cosine) / 2.0 / a0, b1 = -(1.0 + cosine) / a0, b2 = b0;
    const double a1 = -2.0 * cosine / a0, a2 = (1.0 - alpha) / a0;
    double z1 = 0.0, z2 = 0.0;
    for (double& v : x) {
        const double y = b0 * v + z1;
        z1 = b1 * v - a1 * y + z2;
        z2 = b2 * v - a2 * y;
        v = y;
    }
    return x;
}

// A radix-2 FFT, enough to look at the spectrum of a sound.
void Fft(std::vector<std::complex<double>>& v) {
    const size_t n = v.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(v[i], v[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
        for (size_t start = 0; start < n; start += len) {
            std::complex<double> w(1.0, 0.0);
            for (size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> odd = v[start + k + len / 2] * w;
                v[start + k + len / 2] = v[start + k] - odd;
                v[start + k] += odd;
                w *= step;
            }
        }
    }
}

constexpr size_t kFftSize = 2048;
constexpr double kBinHz = 44100.0 / kFftSize;

// The frequency of bin k.
double BinHz(size_t k) {
    return static_cast<double>(k) * kBinHz;
}

// The power spectrum of the 2048 frames from `first`, Hann-windowed.
std::vector<double> PowerSpectrum(const std::vector<double>& x, size_t first) {
    std::vector<std::complex<double>> v(kFftSize);
    for (size_t i = 0; i < kFftSize; ++i) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / kFftSize);
        v[i] = first + i < x.size() ? x[first + i] * window : 0.0;
    }
    Fft(v);
    std::vector<double> power(kFftSize / 2);
    for (size_t k = 0; k < power.size(); ++k) power[k] = std::norm(v[k]);
    return power;
}

// The power spectrum summed over the whole sound.
std::vector<double> WholeSpectrum(const std::vector<double>& x) {
    std::vector<double> sum(kFftSize / 2, 0.0);
    for (size_t first = 0; first < x.size(); first += kFftSize / 2) {
        const std::vector<double> power = PowerSpectrum(x, first);
        for (size_t k = 0; k < sum.size(); ++k) sum[k] += power[k];
    }
    return sum;
}

double BandShare(const std::vector<double>& power, double lowHz, double highHz) {
    double band = 0.0, total = 0.0;
    for (size_t k = 1; k < power.size(); ++k) {
        total += power[k];
        if (BinHz(k) >= lowHz && BinHz(k) < highHz) band += power[k];
    }
    return band / total;
}

// The frequency below which half of the power lies.
double MedianHz(const std::vector<double>& power) {
    double total = 0.0;
    for (size_t k = 1; k < power.size(); ++k) total += power[k];
    double below = 0.0;
    for (size_t k = 1; k < power.size(); ++k) {
        below += power[k];
        if (below >= total / 2.0) return BinHz(k);
    }
    return 22050.0;
}

// The strongest frequency from `lowHz` to `highHz`.
double StrongestHz(const std::vector<double>& power, double lowHz, double highHz) {
    size_t best = 0;
    for (size_t k = static_cast<size_t>(lowHz / kBinHz); BinHz(k) < highHz; ++k) {
        if (best == 0 || power[k] > power[best]) best = k;
    }
    return BinHz(best);
}

// The level of each 5 ms frame, dB.
std::vector<double> FrameLevels(const std::vector<double>& x) {
    const size_t frame = 220;
    std::vector<double> level;
    for (size_t first = 0; first + frame <= x.size(); first += frame) {
        level.push_back(RmsDb(x, first, frame));
    }
    return level;
}

// Times in seconds where the sound strikes anew: the level of a 5 ms frame rises by 12 dB over
// the quietest of the three frames before it, within 30 dB of the loudest frame.
std::vector<double> Onsets(const std::vector<double>& x) {
    const size_t frame = 220;
    const std::vector<double> level = FrameLevels(x);
    const double loudest = *std::max_element(level.begin(), level.end());
    std::vector<double> onsets;
    double lastOnset = -1.0;
    for (size_t k = 0; k < level.size(); ++k) {
        double before = k == 0 ? -200.0 : level[k - 1];
        for (size_t back = 2; back <= 3 && back <= k; ++back)
            before = std::min(before, level[k - back]);
        const double t = static_cast<double>(k * frame) / 44100.0;
        if (level[k] > loudest - 30.0 && level[k] - before > 12.0 && t - lastOnset > 0.04) {
            onsets.push_back(t);
            lastOnset = t;
        }
    }
    return onsets;
}

std::vector<double> MonoOf(const char* path) {
    LoadedSound sound;
    EXPECT_TRUE(Load(path, sound));
    return sound.Mono();
}

class SoundFile : public ::testing::TestWithParam<gamestate::SoundFile> {};

TEST_P(SoundFile, OpensWithTheGameReaderInTheMixFormatAndRewinds) {
    const gamestate::SoundFile& expected = GetParam();
    LoadedSound sound;
    ASSERT_TRUE(Load(expected.path, sound));
    const WaveFormat& f = sound.format;
    EXPECT_EQ(f.formatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(f.samplesPerSec, 44100u);
    EXPECT_EQ(f.bitsPerSample, 16);
    if (expected.use == SoundUse::Music) {
        EXPECT_EQ(f.channels, 2) << "the streamed music is built around stereo";
    } else {
        EXPECT_TRUE(f.channels == 1 || f.channels == 2);
    }
    EXPECT_EQ(f.blockAlign, f.channels * 2);
    EXPECT_EQ(f.avgBytesPerSec, 44100u * f.blockAlign);
    EXPECT_EQ(sound.dataSize % f.blockAlign, 0u);

    // The looping music and every lost buffer are refilled after a rewind.
    CWaveReader reader;
    ASSERT_EQ(reader.OpenForReading(DataPath(expected.path).c_str()), S_OK);
    uint8_t first[64], again[64];
    uint32_t read = 0;
    ASSERT_EQ(reader.Read(first, sizeof first, &read), S_OK);
    ASSERT_EQ(reader.ResetFile(), S_OK);
    ASSERT_EQ(reader.Read(again, sizeof again, &read), S_OK);
    EXPECT_EQ(0, std::memcmp(first, again, sizeof first));
}

TEST_P(SoundFile, LengthFitsItsUse) {
    const gamestate::SoundFile& expected = GetParam();
    LoadedSound sound;
    ASSERT_TRUE(Load(expected.path, sound));
    switch (expected.use) {
        case SoundUse::Effect:
            EXPECT_GT(sound.Seconds(), 0.03);
            EXPECT_LT(sound.Seconds(), 2.0) << "an effect is short";
            break;
        case SoundUse::Fanfare:
            EXPECT_GT(sound.Seconds(), 1.0);
            EXPECT_LT(sound.Seconds(), 4.0) << "a horn call must not hold up play";
            break;
        case SoundUse::Music:
            EXPECT_GE(sound.Seconds(), 60.0);
            EXPECT_LE(sound.Seconds(), 120.0);
            break;
    }
}

TEST_P(SoundFile, StaysUnderFullScaleWithoutOffset) {
    LoadedSound sound;
    ASSERT_TRUE(Load(GetParam().path, sound));
    EXPECT_LT(PeakDb(sound), -0.5) << "clipped or too hot";
    double sum = 0.0;
    for (int16_t s : sound.samples) sum += s;
    EXPECT_LT(std::abs(sum / static_cast<double>(sound.samples.size()) / kFullScale), 0.005)
        << "DC offset";
}

TEST_P(SoundFile, StartsAndEndsWithoutAClick) {
    LoadedSound sound;
    ASSERT_TRUE(Load(GetParam().path, sound));
    ASSERT_GT(sound.Frames(), 4u);
    const size_t last = sound.Frames() - 1;
    for (int c = 0; c < sound.Channels(); ++c) {
        for (size_t i : {size_t{0}, size_t{1}, last - 1, last}) {
            EXPECT_LT(std::abs(sound.At(i, c)), 0.005) << "frame " << i << " channel " << c;
        }
    }
}

std::string SoundName(const ::testing::TestParamInfo<gamestate::SoundFile>& info) {
    std::string name = info.param.path + 7;  // without "sounds/"
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EverySound, SoundFile, ::testing::ValuesIn(gamestate::SoundManifest),
                         SoundName);

// A sound that ends while it still rings is cut off, however softly its last frames fade. Short
// strikes and clicks are made of their own decay and are left out.
TEST(SoundPack, EffectsEndOnceTheyHaveDiedAway) {
    for (const gamestate::SoundFile& expected : gamestate::SoundManifest) {
        if (expected.use == SoundUse::Music) continue;  // a loop has no end
        LoadedSound sound;
        ASSERT_TRUE(Load(expected.path, sound));
        if (sound.Seconds() < 0.25) continue;
        const size_t endSamples = 2205 * static_cast<size_t>(sound.Channels());  // 50 ms
        int peak = 0, endPeak = 0;
        for (size_t i = 0; i < sound.samples.size(); ++i) {
            const int level = std::abs(static_cast<int>(sound.samples[i]));
            peak = std::max(peak, level);
            if (i + endSamples >= sound.samples.size()) endPeak = std::max(endPeak, level);
        }
        EXPECT_LT(Db(static_cast<double>(endPeak) / peak), -35.0)
            << expected.path << " still sounds at its end";
    }
}

TEST(SoundPack, MusicEndFlowsIntoItsStart) {
    for (const char* path : {file::MenuTune, file::GameTune}) {
        LoadedSound music;
        ASSERT_TRUE(Load(path, music));
        const std::vector<double> x = music.Mono();
        // The tune plays on through the seam: neither end fades out or in.
        const size_t quarterSecond = 11025;
        const double end = RmsDb(x, x.size() - quarterSecond, quarterSecond);
        const double start = RmsDb(x, 0, quarterSecond);
        const double whole = RmsDb(x, 0, x.size());
        EXPECT_GT(end, whole - 12.0) << path;
        EXPECT_GT(start, whole - 12.0) << path;
        // Across the seam the wave steps no further than it does between neighbouring frames
        // anywhere in the piece.
        for (int c = 0; c < music.Channels(); ++c) {
            double largestStep = 0.0;
            for (size_t i = 1; i < music.Frames(); ++i) {
                largestStep = std::max(largestStep, std::abs(music.At(i, c) - music.At(i - 1, c)));
            }
            EXPECT_LE(std::abs(music.At(0, c) - music.At(music.Frames() - 1, c)), largestStep);
        }
    }
}

TEST(SoundPack, MusicPiecesAreDifferentTunes) {
    LoadedSound menu, game;
    ASSERT_TRUE(Load(file::MenuTune, menu));
    ASSERT_TRUE(Load(file::GameTune, game));
    const std::vector<double> a = menu.Mono(), b = game.Mono();
    double cross = 0.0, energyA = 0.0, energyB = 0.0;
    for (size_t i = 0; i < 441000; ++i) {
        cross += a[i] * b[i];
        energyA += a[i] * a[i];
        energyB += b[i] * b[i];
    }
    EXPECT_LT(std::abs(cross) / std::sqrt(energyA * energyB), 0.5);
}

TEST(SoundPack, BellsRingThreeNotesOfOneMajorChord) {
    double pitch[3];
    const char* bells[] = {file::BellNote1, file::BellNote2, file::BellNote3};
    for (int i = 0; i < 3; ++i) {
        LoadedSound bell;
        ASSERT_TRUE(Load(bells[i], bell));
        pitch[i] = PitchHz(bell.Mono(), 4410, 8820);
    }
    // Notes 1, 2 and 3 rise as root, major third and fifth, so any order is a tune.
    EXPECT_NEAR(pitch[1] / pitch[0], 1.26, 0.03);
    EXPECT_NEAR(pitch[2] / pitch[0], 1.498, 0.03);
}

TEST(SoundPack, AnimalsCallInTheirOwnRegister) {
    struct Call {
        const char* path;
        double lowHz, highHz;  // where half of its power lies below
    };
    // Growls and grunts low, quacks, caws and squeals in the middle, squeaks and the quail high.
    const Call calls[] = {{file::BearHit, 80, 400},          {file::BoarHit, 80, 400},
                          {file::DeerHit, 80, 450},          {file::DuckHit, 600, 2000},
                          {file::RavenHit, 600, 2000},       {file::HareHit, 700, 2000},
                          {file::WoodpeckerHit, 1200, 2600}, {file::QuailHit, 2000, 4500},
                          {file::MoleHit, 2000, 5000}};
    for (const Call& call : calls) {
        const double median = MedianHz(WholeSpectrum(MonoOf(call.path)));
        EXPECT_GT(median, call.lowHz) << call.path;
        EXPECT_LT(median, call.highHz) << call.path;
    }
    // The quail calls three notes; the woodpecker laughs in a long run.
    EXPECT_EQ(Onsets(MonoOf(file::QuailHit)).size(), 3u);
    EXPECT_GE(Onsets(MonoOf(file::WoodpeckerHit)).size(), 8u);
}

TEST(SoundPack, WeaponsSoundLikeTheirAction) {
    // The shotgun is one bang with a deep boom.
    const std::vector<double> shot = MonoOf(file::ShotgunShot);
    EXPECT_EQ(Onsets(shot).size(), 1u);
    EXPECT_GT(BandShare(WholeSpectrum(shot), 30, 250), 0.3);
    // The machine gun's file is one round: held, the game restarts it every 50 ms, so its crack,
    // body and the action's clack all sound within those 50 ms; then only a quieter echo rings.
    // A tap is one shot.
    const std::vector<double> round = MonoOf(file::MachineGunShot);
    EXPECT_EQ(Onsets(round).size(), 1u);
    const std::vector<double> level = FrameLevels(round);
    const size_t framesIn50Ms = 10;
    ASSERT_GT(level.size(), framesIn50Ms);
    const auto loudest = std::max_element(level.begin(), level.end());
    EXPECT_LT(loudest - level.begin(), 3) << "the crack comes first";
    EXPECT_GT(*std::max_element(level.begin() + 6, level.begin() + framesIn50Ms), *loudest - 15.0)
        << "the clack follows within 50 ms";
    EXPECT_LT(*std::max_element(level.begin() + framesIn50Ms, level.end()), *loudest - 10.0);
    // Reloading is a sequence of mechanical steps; an empty gun clicks once, briefly.
    EXPECT_GE(Onsets(MonoOf(file::ShotgunReload)).size(), 3u);
    EXPECT_GE(Onsets(MonoOf(file::CrossbowReload)).size(), 4u);
    for (const char* click : {file::ShotgunEmpty, file::CrossbowEmpty}) {
        const std::vector<double> x = MonoOf(click);
        EXPECT_LT(x.size(), 44100u / 5) << click;
        EXPECT_EQ(Onsets(x).size(), 1u) << click;
    }
    // The dynamite rumbles on well after the shotgun has died away.
    EXPECT_GT(MonoOf(file::DynamiteBlast).size(), shot.size() + 44100 / 4);
}

TEST(SoundPack, ClockTicksFasterInTheLastSecondsInView) {
    // Played once a second: four ticks when the clock is in view, tick and tock when it is not.
    EXPECT_EQ(Onsets(MonoOf(file::ClockTick)).size(), 4u);
    EXPECT_EQ(Onsets(MonoOf(file::ClockTickAway)).size(), 2u);
}

// The strongest pitch from 300 to 1000 Hz in each loud stretch of 2048 frames, refined between
// bins.
std::vector<double> PitchTrack(const std::vector<double>& x) {
    double loudest = -200.0;
    for (size_t first = 0; first + kFftSize <= x.size(); first += kFftSize / 2) {
        loudest = std::max(loudest, RmsDb(x, first, kFftSize));
    }
    std::vector<double> track;
    for (size_t first = 0; first + kFftSize <= x.size(); first += kFftSize / 2) {
        if (RmsDb(x, first, kFftSize) < loudest - 15.0) continue;
        const std::vector<double> power = PowerSpectrum(x, first);
        const size_t k = static_cast<size_t>(StrongestHz(power, 300.0, 1000.0) / kBinHz + 0.5);
        const double a = std::log(power[k - 1]), b = std::log(power[k]), c = std::log(power[k + 1]);
        track.push_back(BinHz(k) + 0.5 * (a - c) / (a - 2.0 * b + c) * kBinHz);
    }
    return track;
}

TEST(SoundPack, HornCallsAreNaturalHornTunesThatDiffer) {
    const double fundamentalHz = 116.54;  // a horn in B flat
    std::vector<std::vector<long>> tunes;
    for (const char* path : {file::StreakFanfare, file::StageFanfare, file::UnlockFanfare}) {
        std::vector<long> tune;
        for (double hz : PitchTrack(MonoOf(path))) {
            const double harmonic = hz / fundamentalHz;
            EXPECT_NEAR(harmonic, std::round(harmonic), 0.15) << path << " plays " << hz << " Hz";
            if (tune.empty() || tune.back() != std::lround(harmonic))
                tune.push_back(std::lround(harmonic));
        }
        EXPECT_GE(tune.size(), 3u) << path;
        tunes.push_back(tune);
    }
    EXPECT_NE(tunes[0], tunes[1]);
    EXPECT_NE(tunes[0], tunes[2]);
    EXPECT_NE(tunes[1], tunes[2]);
}

// A click is a jump of the wave: a burst of every frequency for a moment. Above 12 kHz a horn has
// almost nothing of its own, so there a click stands out of the frames beside it.
TEST(SoundPack, HornCallsPlayWithoutClicks) {
    for (const char* path : {file::StreakFanfare, file::StageFanfare, file::UnlockFanfare}) {
        std::vector<double> x = MonoOf(path);
        for (int pass = 0; pass < 2; ++pass) x = HighPassed(x, 12000.0);
        const std::vector<double> level = FrameLevels(x);
        for (size_t k = 1; k + 1 < level.size(); ++k) {
            EXPECT_LT(level[k] - std::max(level[k - 1], level[k + 1]), 10.0)
                << path << " clicks at " << k * 5 << " ms";
        }
    }
}

TEST(SoundPack, MusicHasMelodyBassAndRhythm) {
    for (const char* path : {file::MenuTune, file::GameTune}) {
        const std::vector<double> x = MonoOf(path);
        const std::vector<double> power = WholeSpectrum(x);
        EXPECT_GT(BandShare(power, 30, 250), 0.05) << path << ": no bass";
        EXPECT_GT(BandShare(power, 400, 2500), 0.3) << path << ": no melody";
        // A tune, not a drone: the leading pitch moves through many notes.
        std::vector<long> notes;
        for (double hz : PitchTrack(x)) notes.push_back(std::lround(12.0 * std::log2(hz / 440.0)));
        std::sort(notes.begin(), notes.end());
        EXPECT_GE(std::unique(notes.begin(), notes.end()) - notes.begin(), 6) << path;
        const double seconds = static_cast<double>(x.size()) / 44100.0;
        EXPECT_GT(static_cast<double>(Onsets(x).size()) / seconds, 0.3) << path << ": no beat";
    }
}

// How strongly each of the twelve pitch classes (C = 0) sounds from `first` to `last` (frames),
// from the power of the notes from 200 Hz to 2 kHz.
std::vector<double> PitchClasses(const std::vector<double>& x, size_t first, size_t last) {
    std::vector<double> classes(12, 0.0);
    for (size_t at = first; at + kFftSize <= last; at += kFftSize / 2) {
        const std::vector<double> power = PowerSpectrum(x, at);
        for (size_t k = 1; k < power.size(); ++k) {
            const double hz = BinHz(k);
            if (hz < 200.0 || hz > 2000.0) continue;
            const long note = std::lround(12.0 * std::log2(hz / 440.0)) + 9;  // C = 0
            classes[static_cast<size_t>(((note % 12) + 12) % 12)] += power[k];
        }
    }
    return classes;
}

// The round's tune plays for as long as the round: besides its two parts in D it has a third,
// a trio in G, so that the loop does not simply come round twice. D major has C sharp and leans
// on A, its dominant; G major has C and rests on G.
TEST(SoundPack, RoundTuneHasAThirdPartInAnotherKey) {
    const std::vector<double> x = MonoOf(file::GameTune);
    const size_t quarter = x.size() / 4;
    const size_t c = 0, cSharp = 1, g = 7, a = 9;
    for (size_t part = 0; part < 3; ++part) {
        const std::vector<double> key = PitchClasses(x, part * quarter, (part + 1) * quarter);
        EXPECT_GT(key[cSharp], key[c]) << "quarter " << part + 1 << " in D";
        EXPECT_GT(key[a], key[g]) << "quarter " << part + 1 << " in D";
    }
    const std::vector<double> trio = PitchClasses(x, 3 * quarter, x.size());
    EXPECT_GT(trio[c], trio[cSharp]) << "the last quarter in G";
    EXPECT_GT(trio[g], trio[a]) << "the last quarter in G";
}

}  // namespace
