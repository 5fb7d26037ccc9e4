// The sound device, sounds and the mixer, heard by pulling samples through the headless backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gamestate/rules_random.h"
#include "sound/auto_reset_event.h"
#include "sound/file_failures.h"
#include "sound/mixer.h"
#include "sound/music_stream.h"
#include "sound/sound.h"
#include "sound/sound_device.h"
#include "sound/sound_system.h"
#include "sound/sound_test_support.h"

namespace {

using soundtest::Bytes16;
using soundtest::PcmWave;

class SoundMixerTest : public soundtest::SoundTest {
  protected:
    // A stereo 44100 Hz file of `frames` noise frames.
    std::string NoiseFile(const std::string& name, size_t frames, uint32_t seed = 1) {
        return dir.Write(name,
                         PcmWave(2, 44100, 16, Bytes16(soundtest::NoiseSamples(2 * frames, seed))));
    }
    // A file whose every sample is `value`.
    std::string ConstantFile(const std::string& name, uint16_t channels, uint32_t rate,
                             size_t frames, int16_t value) {
        return dir.Write(name, PcmWave(channels, rate, 16,
                                       Bytes16(std::vector<int16_t>(channels * frames, value))));
    }
    // Sample `channel` of frame `frame` of interleaved stereo samples.
    static int16_t StereoSample(const std::vector<int16_t>& samples, int frame, int channel = 0) {
        return samples[static_cast<size_t>(2 * frame + channel)];
    }
    static int CountNonZeroFrames(const std::vector<int16_t>& out) {
        int count = 0;
        for (size_t i = 0; i < out.size(); i += 2) count += (out[i] != 0 || out[i + 1] != 0);
        return count;
    }
};

TEST_F(SoundMixerTest, FullVolumeAtTheOutputRateIsBitExact) {
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 3000);
    CSound* sound = Load(dir.Write("n.wav", PcmWave(2, 44100, 16, Bytes16(noise))));
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->AnyBufferPlaying());
    EXPECT_EQ(Render(100), std::vector<int16_t>(200, 0));  // created stopped

    ASSERT_EQ(sound->StartSound(0, 0), S_OK);
    EXPECT_TRUE(sound->AnyBufferPlaying());
    std::vector<int16_t> out;
    for (int pulled = 0; pulled < 4000; pulled += 333) {
        std::vector<int16_t> part = Render(333);
        out.insert(out.end(), part.begin(), part.end());
    }
    ASSERT_GE(out.size(), noise.size());
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + static_cast<long>(noise.size()), out.end(),
                            [](int16_t s) { return s == 0; }));
    EXPECT_FALSE(sound->AnyBufferPlaying());  // a sound played once ends by itself
}

TEST_F(SoundMixerTest, OtherRatesAndFormatsPlayAtTheRightPitchAndLevel) {
    // 22050 Hz mono: one second of sound lasts 44100 output frames, on both channels.
    CSound* mono = Load(ConstantFile("m.wav", 1, 22050, 22050, 1000));
    ASSERT_EQ(mono->StartSound(0, 0), S_OK);
    std::vector<int16_t> out = Render(50000);
    EXPECT_NEAR(CountNonZeroFrames(out), 44100, 2);
    EXPECT_EQ(out[2 * 1000], 1000);
    EXPECT_EQ(out[2 * 1000 + 1], 1000);

    // 8-bit: 128 is silence, 200 is +72 steps of 256.
    std::vector<uint8_t> eight(4000, 200);
    std::fill(eight.begin(), eight.begin() + 1000, 128);
    CSound* byteSound = Load(dir.Write("b.wav", PcmWave(1, 11025, 8, eight)));
    ASSERT_EQ(byteSound->StartSound(0, 0), S_OK);
    out = Render(20000);
    EXPECT_EQ(out[2 * 100], 0);
    EXPECT_EQ(out[2 * 8000], 72 * 256);
    EXPECT_NEAR(CountNonZeroFrames(out), 3000 * 4, 8);

    // A rising ramp at 32000 Hz comes out as a rising ramp, interpolated between its samples.
    std::vector<int16_t> ramp(3200);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<int16_t>(i * 10);
    CSound* rampSound = Load(dir.Write("r.wav", PcmWave(1, 32000, 16, Bytes16(ramp))));
    ASSERT_EQ(rampSound->StartSound(0, 0), S_OK);
    out = Render(4000);
    for (int frame = 1; frame < 4300 && frame < 4000; ++frame) {
        if (StereoSample(out, frame) == 0) break;
        const double expected = frame * 32000.0 / 44100.0 * 10;
        ASSERT_NEAR(StereoSample(out, frame), expected, 1.5) << frame;
    }
}

TEST_F(SoundMixerTest, FormatsTheMixerCannotPlayAreRefusedAtCreation) {
    const std::vector<uint8_t> data(600, 1);
    const struct {
        uint16_t tag, channels;
        uint32_t rate;
        uint16_t bits;
    } refused[] = {
        {1, 1, 44100, 24}, {1, 3, 44100, 16}, {3, 2, 44100, 32}, {1, 2, 44100, 12}, {1, 1, 50, 16}};
    for (const auto& f : refused) {
        SCOPED_TRACE(testing::Message() << f.tag << " " << f.channels << " " << f.bits);
        std::vector<uint8_t> fmt = soundtest::FmtContent(f.tag, f.channels, f.rate, f.bits);
        if (f.tag != 1) fmt.insert(fmt.end(), {0, 0});  // no extra format bytes
        const std::string path =
            dir.Write("x.wav", soundtest::RiffFile({{"fmt ", fmt}, {"data", data}}));
        CSound* sound = reinterpret_cast<CSound*>(0x1);
        const size_t boxes = BoxCount();
        EXPECT_EQ(sound::SoundDevice->LoadSound(&sound, path.c_str(), 0, GUID_NULL, 1),
                  DSERR_BADFORMAT);
        EXPECT_EQ(sound, reinterpret_cast<CSound*>(0x1));  // left as it was
        ASSERT_EQ(BoxCount(), boxes + 1);
        EXPECT_NE(backend.MessageBoxes().back().find("Calling: CreateSoundBuffer"),
                  std::string::npos);
    }
}

TEST_F(SoundMixerTest, ExtensiblePcmPlaysLikePcm) {
    std::vector<uint8_t> fmt = soundtest::FmtContent(0xFFFE, 2, 44100, 16);
    fmt.insert(fmt.end(), {22, 0, 16, 0, 3, 0, 0, 0});  // extra size, valid bits, channel mask
    fmt.insert(fmt.end(), {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA,
                           0x00, 0x38, 0x9B, 0x71});
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 100, 4);
    CSound* sound =
        Load(dir.Write("x.wav", soundtest::RiffFile({{"fmt ", fmt}, {"data", Bytes16(noise)}})));
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->StartSound(0, 0), S_OK);
    EXPECT_EQ(Render(100), noise);
}

// A file cut short inside its sample data: the sound is what the file holds, no error, and it
// stays usable. A tiny file whose header claims a quarter of a gigabyte takes no more memory
// than its own size.
TEST_F(SoundMixerTest, ATruncatedFilePlaysWhatItHolds) {
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 500, 8);
    std::vector<uint8_t> bytes = PcmWave(2, 44100, 16, Bytes16(noise));
    bytes.resize(bytes.size() - 800);  // the last 200 frames are missing
    CSound* sound = Load(dir.Write("cut.wav", bytes));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->BufferBytes(), 1200u);
    EXPECT_EQ(BoxCount(), 0u);

    ASSERT_EQ(sound->StartSound(0, 0), S_OK);
    const std::vector<int16_t> out = Render(600);
    EXPECT_TRUE(std::equal(noise.begin(), noise.begin() + 600, out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 600, out.end(), [](int16_t s) { return s == 0; }));

    const std::vector<uint8_t> tiny = soundtest::RiffFile(
        {{"fmt ", soundtest::FmtContent(1, 2, 44100, 16)},
         {"data", std::vector<uint8_t>(56, 3), static_cast<int64_t>(DSBSIZE_MAX)}});
    ASSERT_EQ(tiny.size(), 100u);
    CSound* small = Load(dir.Write("tiny.wav", tiny));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->BufferBytes(), 56u);
    EXPECT_EQ(BoxCount(), 0u);
    void* region = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(sound->BufferAt(0)->Lock(0, 4, &region, &length, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sound->BufferAt(0)->Unlock(region, length, nullptr, 0), S_OK);
}

TEST_F(SoundMixerTest, LoadSoundArguments) {
    const std::string path = NoiseFile("n.wav", 100);
    CSound* sound = nullptr;
    EXPECT_EQ(sound::SoundDevice->LoadSound(&sound, path.c_str(), 0, GUID_NULL, 0), E_INVALIDARG);
    EXPECT_EQ(sound::SoundDevice->LoadSound(&sound, nullptr, 0, GUID_NULL, 1), E_INVALIDARG);
    EXPECT_EQ(sound::SoundDevice->LoadSound(nullptr, path.c_str(), 0, GUID_NULL, 1), E_INVALIDARG);
    EXPECT_EQ(sound::SoundDevice->LoadSound(&sound, (dir / "none.wav").c_str(), 0, GUID_NULL, 1),
              E_FAIL);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(BoxCount(), 0u);  // a missing file only writes a debugger line

    CSoundDevice closed;
    EXPECT_EQ(closed.LoadSound(&sound, path.c_str(), 0, GUID_NULL, 1), CO_E_NOTINITIALIZED);
    EXPECT_EQ(closed.SetMixFormat(2, 44100, 16), CO_E_NOTINITIALIZED);
}

TEST_F(SoundMixerTest, MixFormatAndDeviceStart) {
    ASSERT_EQ(sound::SoundDevice->SetMixFormat(2, 44100, 16), S_OK);
    EXPECT_EQ(sound::SoundDevice->MixFormat().blockAlign, 4);
    EXPECT_EQ(sound::SoundDevice->MixFormat().avgBytesPerSec, 176400u);
    EXPECT_EQ(backend.AudioSampleRate(), 44100);

    // Without an audio output the device cannot be opened.
    backend.SetAudioAvailable(false);
    CSoundDevice device;
    EXPECT_TRUE(Failed(device.OpenDevice(DSSCL_PRIORITY, 2, 44100, 16)));
    EXPECT_FALSE(device.IsOpen());
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_NE(backend.MessageBoxes()[0].find("Calling: DirectSoundCreate8"), std::string::npos);
}

TEST_F(SoundMixerTest, DuplicatedBuffersPlayTheSameDataIndependently) {
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 1000, 7);
    CSound* sound = Load(dir.Write("n.wav", PcmWave(2, 44100, 16, Bytes16(noise))), 0, 3);
    ASSERT_EQ(sound->BufferCount(), 3u);
    EXPECT_EQ(sound->BufferAt(3), nullptr);

    // Voice 0 now, voice 1 after 300 frames, voice 2 after 500 frames, at -6 dB... each on its
    // own cursor.
    ASSERT_EQ(sound->BufferAt(0)->Play(0, 0, 0), S_OK);
    std::vector<int16_t> out = Render(300);
    ASSERT_EQ(sound->BufferAt(1)->Play(0, 0, 0), S_OK);
    std::vector<int16_t> part = Render(200);
    out.insert(out.end(), part.begin(), part.end());
    ASSERT_EQ(sound->BufferAt(2)->Play(0, 0, 0), S_OK);
    part = Render(1600);
    out.insert(out.end(), part.begin(), part.end());

    auto voice = [&](int start, int frame, int channel) -> int32_t {
        const int at = frame - start;
        return at >= 0 && at < 1000 ? StereoSample(noise, at, channel) : 0;
    };
    for (int frame = 0; frame < 2100; ++frame) {
        for (int channel = 0; channel < 2; ++channel) {
            const int32_t sum =
                voice(0, frame, channel) + voice(300, frame, channel) + voice(500, frame, channel);
            ASSERT_EQ(StereoSample(out, frame, channel), std::clamp(sum, -32768, 32767)) << frame;
        }
    }
    uint32_t cursor = 1;
    sound->BufferAt(1)->GetCurrentPosition(&cursor, nullptr);
    EXPECT_EQ(cursor, 0u);
}

TEST_F(SoundMixerTest, StartingRewindsEveryBufferAndPicksAFreeOne) {
    CSound* sound = Load(NoiseFile("n.wav", 20000), 0, 3);
    for (uint32_t start = 0; start < 3; ++start) {
        EXPECT_EQ(sound->GetFreeBuffer(), sound->BufferAt(start));
        ASSERT_EQ(sound->StartSound(0, 0), S_OK);
        Render(100);
    }
    // All three play; the fourth start takes one of them, and every buffer starts over. The
    // choice draws on a generator of the sound's own: never on the rules' numbers.
    const uint64_t rulesDrawn = gamestate::Random.drawn();
    CSoundBuffer* chosen = sound->GetFreeBuffer();
    EXPECT_EQ(gamestate::Random.drawn(), rulesDrawn);
    EXPECT_TRUE(chosen == sound->BufferAt(0) || chosen == sound->BufferAt(1) ||
                chosen == sound->BufferAt(2));
    ASSERT_EQ(sound->StartSound(0, 0), S_OK);
    for (uint32_t i = 0; i < 3; ++i) {
        uint32_t cursor = 1, status = 0;
        sound->BufferAt(i)->GetCurrentPosition(&cursor, nullptr);
        sound->BufferAt(i)->GetStatus(&status);
        EXPECT_EQ(cursor, 0u);
        EXPECT_EQ(status, DSBSTATUS_PLAYING);
    }

    EXPECT_EQ(sound->StopSound(), S_OK);
    EXPECT_FALSE(sound->AnyBufferPlaying());
    bool restored = true;
    EXPECT_EQ(sound->RestoreBuffer(sound->BufferAt(0), &restored), S_FALSE);
    EXPECT_FALSE(restored);
    EXPECT_EQ(sound->RestoreBuffer(nullptr, nullptr), CO_E_NOTINITIALIZED);
}

TEST_F(SoundMixerTest, StartingAPlayingSoundRestartsItAndStopKeepsTheCursor) {
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 2000, 3);
    CSound* sound = Load(dir.Write("n.wav", PcmWave(2, 44100, 16, Bytes16(noise))));
    ASSERT_EQ(sound->StartSound(0, 0), S_OK);
    Render(700);
    ASSERT_EQ(sound->StopSound(), S_OK);
    uint32_t cursor = 0;
    sound->BufferAt(0)->GetCurrentPosition(&cursor, nullptr);
    EXPECT_EQ(cursor, 700u * 4);
    EXPECT_EQ(Render(10), std::vector<int16_t>(20, 0));

    ASSERT_EQ(sound->StartSound(0, 0), S_OK);
    std::vector<int16_t> out = Render(50);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), noise.begin()));
}

TEST_F(SoundMixerTest, LoopingPlaysSeamlesslyUntilStopped) {
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 777, 5);
    CSound* sound = Load(dir.Write("n.wav", PcmWave(2, 44100, 16, Bytes16(noise))));
    ASSERT_EQ(sound->StartSound(0, DSBPLAY_LOOPING), S_OK);
    uint32_t status = 0;
    sound->BufferAt(0)->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    const std::vector<int16_t> out = Render(777 * 5 + 123);
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], noise[i % noise.size()]) << i;
}

TEST_F(SoundMixerTest, VolumeInHundredthsOfADecibel) {
    EXPECT_EQ(GainFromVolume(0), kUnityGain);
    EXPECT_EQ(GainFromVolume(-10000), 0);
    EXPECT_EQ(GainFromVolume(-2000), 6554);                // -20 dB = 1/10
    EXPECT_NEAR(GainFromVolume(-602), kUnityGain / 2, 8);  // -6 dB: about one half

    CSound* fixed = Load(ConstantFile("c.wav", 2, 44100, 1000, 20000));
    EXPECT_EQ(fixed->BufferAt(0)->SetVolume(-600), DSERR_CONTROLUNAVAIL);

    CSound* sound = Load(ConstantFile("v.wav", 2, 44100, 1000, 20000), DSBCAPS_CTRLVOLUME);
    CSoundBuffer* buffer = sound->BufferAt(0);
    EXPECT_EQ(buffer->SetVolume(1), E_INVALIDARG);
    EXPECT_EQ(buffer->SetVolume(-10001), E_INVALIDARG);
    ASSERT_EQ(buffer->SetVolume(-2000), S_OK);
    int32_t volume = 0;
    EXPECT_EQ(buffer->GetVolume(&volume), S_OK);
    EXPECT_EQ(volume, -2000);
    ASSERT_EQ(sound->StartSound(0, DSBPLAY_LOOPING), S_OK);
    EXPECT_EQ(Render(10)[4], 2000);  // 20000 * 6554 / 65536
    ASSERT_EQ(buffer->SetVolume(-10000), S_OK);
    EXPECT_EQ(Render(10), std::vector<int16_t>(20, 0));
}

TEST_F(SoundMixerTest, TheMixIsClamped) {
    CSound* a = Load(ConstantFile("a.wav", 2, 44100, 100, 30000));
    CSound* b = Load(ConstantFile("b.wav", 2, 44100, 100, 30000));
    CSound* c = Load(ConstantFile("c.wav", 2, 44100, 100, -30000));
    a->StartSound(0, 0);
    b->StartSound(0, 0);
    EXPECT_EQ(Render(1)[0], 32767);
    c->StartSound(0, 0);
    EXPECT_EQ(Render(1)[0], 30000);  // 30000 + 30000 - 30000, no clamping inside the sum
}

TEST_F(SoundMixerTest, FillBufferRepeatsTheFileOrPadsWithSilence) {
    for (const uint16_t bits : {uint16_t{16}, uint16_t{8}}) {
        SCOPED_TRACE(bits);
        const std::vector<uint8_t> data = {11, 22, 33, 44, 55, 66};
        const std::string path = dir.Write("f.wav", PcmWave(1, 44100, bits, data));
        auto reader = std::make_unique<CWaveReader>();
        ASSERT_EQ(reader->OpenForReading(path.c_str()), S_OK);
        SoundBufferDesc desc;
        desc.bufferBytes = 16;
        desc.format = reader->Format();
        std::vector<std::unique_ptr<CSoundBuffer>> buffers(1);
        ASSERT_EQ(sound::SoundDevice->CreateSoundBuffer(desc, &buffers[0]), S_OK);
        CSound sound(std::move(buffers), 16, std::move(reader));

        auto contents = [&] {
            void* region = nullptr;
            uint32_t length = 0;
            EXPECT_EQ(sound.BufferAt(0)->Lock(0, 16, &region, &length, nullptr, nullptr, 0), S_OK);
            std::vector<uint8_t> bytes(static_cast<uint8_t*>(region),
                                       static_cast<uint8_t*>(region) + length);
            sound.BufferAt(0)->Unlock(region, 0, nullptr, 0);
            return bytes;
        };
        const uint8_t silence = bits == 8 ? 128 : 0;
        std::vector<uint8_t> padded = data;
        padded.resize(16, silence);
        EXPECT_EQ(contents(), padded);  // as constructed

        ASSERT_EQ(sound.FillBufferWithSound(sound.BufferAt(0), true), S_OK);
        EXPECT_EQ(contents(), (std::vector<uint8_t>{11, 22, 33, 44, 55, 66, 11, 22, 33, 44, 55, 66,
                                                    11, 22, 33, 44}));
        ASSERT_EQ(sound.FillBufferWithSound(sound.BufferAt(0), false), S_OK);
        EXPECT_EQ(contents(), padded);
        EXPECT_EQ(sound.FillBufferWithSound(nullptr, false), CO_E_NOTINITIALIZED);
    }
}

TEST_F(SoundMixerTest, NotificationPositionsSetTheirEventAsTheCursorPassesThem) {
    const std::string path = NoiseFile("n.wav", 1000);
    auto reader = std::make_unique<CWaveReader>();
    ASSERT_EQ(reader->OpenForReading(path.c_str()), S_OK);
    SoundBufferDesc desc;
    desc.flags = DSBCAPS_CTRLPOSITIONNOTIFY;
    desc.bufferBytes = 4000;
    desc.format = reader->Format();
    std::unique_ptr<CSoundBuffer> buffer;
    ASSERT_EQ(sound::SoundDevice->CreateSoundBuffer(desc, &buffer), S_OK);
    AutoResetEvent event;
    const PositionNotify positions[] = {{1999, &event}, {3999, &event}};
    ASSERT_EQ(buffer->SetNotificationPositions(2, positions), S_OK);
    const PositionNotify outside[] = {{4000, &event}};
    EXPECT_EQ(buffer->SetNotificationPositions(1, outside), E_INVALIDARG);

    buffer->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(buffer->SetNotificationPositions(2, positions), DSERR_INVALIDCALL);
    Render(499);  // the cursor stands on byte 1996: the frame holding byte 1999 is not played
    EXPECT_FALSE(event.TryWait());
    Render(1);
    EXPECT_TRUE(event.TryWait());
    EXPECT_EQ(buffer->NotificationsPassed(), 1u);
    Render(500 + 1000 * 3);  // three more laps: both positions three times each
    EXPECT_TRUE(event.TryWait());
    EXPECT_EQ(buffer->NotificationsPassed(), 8u);
}

TEST_F(SoundMixerTest, RecentlyStartedSoundsKeepsTheLast200) {
    CSound* a = Load(NoiseFile("a.wav", 10));
    CSound* b = Load(NoiseFile("b.wav", 10));
    for (int i = 0; i < 150; ++i) {
        a->StartSound(0, 0);
        b->StartSound(0, 0);
    }
    const std::vector<std::string> recent = sound::RecentlyStartedSounds();
    ASSERT_EQ(recent.size(), 200u);
    EXPECT_EQ(recent.front(), a->Path());
    EXPECT_EQ(recent.back(), b->Path());
    EXPECT_EQ(recent[1], b->Path());
}

TEST_F(SoundMixerTest, LazySoundsAreCreatedOnceAndMissingFilesAreNotReadAgain) {
    CSound* slot = nullptr;
    const std::string path = NoiseFile("lazy.wav", 300);
    EXPECT_EQ(sound::PlayLazily(slot, path.c_str()), S_OK);
    ASSERT_NE(slot, nullptr);
    loaded.push_back(slot);
    CSound* first = slot;
    EXPECT_EQ(sound::PlayLazily(slot, path.c_str()), S_OK);
    EXPECT_EQ(slot, first);
    EXPECT_TRUE(slot->AnyBufferPlaying());

    CSound* missing = nullptr;
    const std::string none = (dir / "none.wav");
    EXPECT_EQ(sound::PlayLazily(missing, none.c_str()), E_FAIL);
    const size_t logged = backend.DebugLog().size();
    EXPECT_EQ(sound::PlayLazily(missing, none.c_str()), E_FAIL);
    EXPECT_EQ(backend.DebugLog().size(), logged);
    EXPECT_EQ(missing, nullptr);

    // Without a device nothing happens.
    sound::ResetSoundSystem();
    CSound* other = nullptr;
    EXPECT_EQ(sound::PlayLazily(other, path.c_str()), CO_E_NOTINITIALIZED);
    EXPECT_EQ(sound::PlayOneShot(path.c_str()), CO_E_NOTINITIALIZED);
    EXPECT_EQ(other, nullptr);
}

TEST_F(SoundMixerTest, AFileThatFailsIsReadOnceWhicheverWayTheGameAsksForIt) {
    // No "fmt " chunk: the reader stops with a box.
    const std::string broken =
        dir.Write("broken.wav", soundtest::RiffFile({{"data", std::vector<uint8_t>(400, 0)}}));
    CSound* slot = nullptr;
    EXPECT_FALSE(sound::LoadSoundOnce(slot, broken.c_str()));
    EXPECT_EQ(slot, nullptr);
    EXPECT_TRUE(backend.MessageBoxes().empty()) << "reported between frames, not at once";
    const std::string log = backend.DebugLog();
    EXPECT_FALSE(sound::LoadSoundOnce(slot, broken.c_str(), DSBCAPS_CTRLVOLUME));
    EXPECT_EQ(sound::PlayLazily(slot, broken.c_str()), E_FAIL);
    EXPECT_EQ(sound::PlayOneShot(broken.c_str()), E_FAIL);
    sound::OpenMusic(broken.c_str());
    EXPECT_EQ(backend.DebugLog(), log) << "not read again";

    sound::ShowFileFailures();
    sound::ShowFileFailures();
    const std::vector<std::string> boxes = backend.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("\nCalling: mmioDescend\nSound: " + broken), std::string::npos)
        << boxes[0];
}

TEST_F(SoundMixerTest, OneShotPlaysOverlapWithoutRestartingEachOther) {
    const std::vector<int16_t> noise = soundtest::NoiseSamples(2 * 1000, 9);
    const std::string path = dir.Write("knock.wav", PcmWave(2, 44100, 16, Bytes16(noise)));
    ASSERT_EQ(sound::PlayOneShot(path.c_str()), S_OK);
    std::vector<int16_t> out = Render(400);
    ASSERT_EQ(sound::PlayOneShot(path.c_str()), S_OK);
    std::vector<int16_t> part = Render(1000);
    out.insert(out.end(), part.begin(), part.end());
    for (int frame = 0; frame < 1400; ++frame) {
        int32_t sum = frame < 1000 ? StereoSample(noise, frame) : 0;
        if (frame >= 400) sum += StereoSample(noise, frame - 400);
        ASSERT_EQ(StereoSample(out, frame), std::clamp(sum, -32768, 32767)) << frame;
    }
    // Many plays reuse the same few voices instead of a new sound each.
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(sound::PlayOneShot(path.c_str()), S_OK);
    EXPECT_EQ(sound::RecentlyStartedSounds().back(), path);
}

}  // namespace
