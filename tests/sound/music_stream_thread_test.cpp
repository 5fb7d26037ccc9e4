// Streamed music: segment sizes, refills, looping and the music thread, heard through the
// headless backend.
#include "sound/music_stream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "sound/file_failures.h"
#include "sound/sound_system.h"
#include "sound/sound_test_support.h"

namespace {

using soundtest::Bytes16;
using soundtest::PcmWave;

constexpr uint32_t kSegment = 66148;
constexpr uint32_t kBufferBytes = 8 * kSegment;  // 529184
constexpr int kSegmentFrames = kSegment / 4;

class MusicStreamTest : public soundtest::SoundTest {
  protected:
    // Opens a 44100 Hz stereo music file of `frames` noise frames as the music stream.
    std::vector<int16_t> OpenNoiseMusic(int frames, uint32_t seed = 11) {
        std::vector<int16_t> noise = soundtest::NoiseSamples(2 * static_cast<size_t>(frames), seed);
        sound::OpenMusic(dir.Write("music.wav", PcmWave(2, 44100, 16, Bytes16(noise))).c_str());
        return noise;
    }

    // Pulls `frames` frames in pieces of the size an audio device asks for; after each piece,
    // refills as the music thread would (directly, or by waiting for the real thread).
    std::vector<int16_t> Stream(int frames, bool threaded = false) {
        std::vector<int16_t> out;
        out.reserve(2 * static_cast<size_t>(frames));
        for (int pulled = 0; pulled < frames; pulled += kPiece) {
            std::vector<int16_t> piece = Render(std::min(kPiece, frames - pulled));
            out.insert(out.end(), piece.begin(), piece.end());
            if (threaded) {
                WaitForRefills();
            } else if (sound::MusicEvent.TryWait()) {
                while (sound::MusicStream->SegmentsDue() > 0) {
                    EXPECT_EQ(sound::MusicStream->RefillNextSegment(true), S_OK);
                }
            }
        }
        return out;
    }

    void WaitForRefills() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard lock(sound::MusicLock());
                if (sound::MusicStream->SegmentsDue() == 0) return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ADD_FAILURE() << "the music thread did not refill";
    }

    static void ExpectLooped(const std::vector<int16_t>& out, const std::vector<int16_t>& music) {
        for (size_t i = 0; i < out.size(); ++i) {
            ASSERT_EQ(out[i], music[i % music.size()]) << "sample " << i;
        }
    }

    static constexpr int kPiece = 1024;
};

TEST_F(MusicStreamTest, SegmentsAreThreeEighthsOfASecondInWholeFrames) {
    EXPECT_EQ(sound::MusicSegmentBytes(44100, 4), kSegment);
    EXPECT_EQ(sound::MusicSegmentBytes(22050, 4), 33072u);
    EXPECT_EQ(sound::MusicSegmentBytes(22050, 2), 16536u);
    EXPECT_EQ(sound::MusicSegmentBytes(11025, 1), 4134u);
    EXPECT_EQ(sound::MusicSegmentBytes(44100, 0), 0u);

    OpenNoiseMusic(1000);
    ASSERT_NE(sound::MusicStream, nullptr);
    EXPECT_EQ(sound::MusicStream->SegmentBytes(), kSegment);
    EXPECT_EQ(sound::MusicStream->BufferBytes(), kBufferBytes);
    const std::vector<PositionNotify> positions =
        sound::MusicStream->BufferAt(0)->NotificationPositions();
    ASSERT_EQ(positions.size(), 8u);
    for (uint32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(positions[i].offset, i * kSegment + kSegment - 1);
        EXPECT_EQ(positions[i].event, &sound::MusicEvent);
    }
    EXPECT_EQ(positions[7].offset, 529183u);
    EXPECT_EQ(sound::MusicStream->BufferAt(0)->CreationFlags() & 0x10180u, 0x10180u);
}

TEST_F(MusicStreamTest, ALongFileStreamsBitExactAcrossItsEndAndTheBufferLaps) {
    // 1.7 buffers long: the stream laps the buffer several times and wraps the file twice.
    const std::vector<int16_t> music = OpenNoiseMusic(kBufferBytes / 4 * 17 / 10);
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    const std::vector<int16_t> out = Stream(kBufferBytes / 4 * 4 + 777);
    ExpectLooped(out, music);
    EXPECT_EQ(sound::MusicStream->SegmentsDue(), 0u);
}

TEST_F(MusicStreamTest, AShortFileIsRepeatedInsideTheBufferAndKeepsLooping) {
    const std::vector<int16_t> music = OpenNoiseMusic(12345);
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    ExpectLooped(Stream(kBufferBytes / 4 * 3), music);
}

TEST_F(MusicStreamTest, TheMusicThreadRefillsWhatIsPlayed) {
    const std::vector<int16_t> music = OpenNoiseMusic(kBufferBytes / 4 + 4321);
    sound::StartMusicThread([] { return true; });
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    ExpectLooped(Stream(kBufferBytes / 4 * 3, true), music);
    EXPECT_TRUE(sound::MusicThreadRunning());
    sound::StopMusicThread();
    EXPECT_FALSE(sound::MusicThreadRunning());
}

// Without threads (the browser build) the frame loop refills what was played: frames that mix a
// display frame's sound, now and then a slow one that mixes two segments at once, still play the
// file bit-exact. With the music switched off nothing is refilled.
TEST_F(MusicStreamTest, TheFrameLoopRefillsWhatIsPlayedWhereThereIsNoThread) {
    const std::vector<int16_t> music = OpenNoiseMusic(kBufferBytes / 4 + 4321);
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    std::vector<int16_t> out;
    for (int frame = 0; out.size() < 2 * size_t{kBufferBytes / 4 * 3}; ++frame) {
        const std::vector<int16_t> mixed = Render(frame % 40 == 39 ? 2 * kSegmentFrames : 706);
        out.insert(out.end(), mixed.begin(), mixed.end());
        sound::RefillMusicWithoutThread([] { return true; });
    }
    ExpectLooped(out, music);

    Render(kSegmentFrames + 10);
    const uint32_t writeOffset = sound::MusicStream->NextWriteOffset();
    sound::RefillMusicWithoutThread([] { return false; });
    EXPECT_EQ(sound::MusicStream->NextWriteOffset(), writeOffset);
    EXPECT_GT(sound::MusicStream->SegmentsDue(), 0u);
}

TEST_F(MusicStreamTest, WithMusicSwitchedOffASegmentEndCausesNoRefill) {
    OpenNoiseMusic(kBufferBytes);
    sound::StartMusicThread([] { return false; });
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    Render(kSegmentFrames + 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::lock_guard lock(sound::MusicLock());
    EXPECT_EQ(sound::MusicStream->NextWriteOffset(), 0u);
    EXPECT_EQ(sound::MusicStream->SegmentsDue(), 1u);
}

TEST_F(MusicStreamTest, RefillWithoutLoopPadsWithSilenceAndStopsAtTheEnd) {
    const std::vector<int16_t> music = OpenNoiseMusic(kSegmentFrames * 9 + 100);
    ASSERT_EQ(sound::PlayMusic(false), S_OK);
    CMusicStream& stream = *sound::MusicStream;
    std::vector<int16_t> out;
    for (int segment = 0; segment < 12 && stream.AnyBufferPlaying(); ++segment) {
        std::vector<int16_t> piece = Render(kSegmentFrames);
        out.insert(out.end(), piece.begin(), piece.end());
        ASSERT_EQ(stream.RefillNextSegment(false), S_OK);
        if (segment == 0) {
            EXPECT_FALSE(stream.PadWithSilence());
        } else if (segment == 1) {
            EXPECT_TRUE(stream.PadWithSilence());  // segment 9 holds the end
        }
    }
    EXPECT_FALSE(stream.AnyBufferPlaying());
    EXPECT_GE(stream.PlayedBytes(), music.size() * 2);
    ASSERT_GE(out.size(), music.size());
    EXPECT_TRUE(std::equal(music.begin(), music.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + static_cast<long>(music.size()), out.end(),
                            [](int16_t s) { return s == 0; }));
}

TEST_F(MusicStreamTest, PlayedBytesCountTheCursorWrap) {
    OpenNoiseMusic(kBufferBytes);
    CMusicStream& stream = *sound::MusicStream;
    stream.SetStreamStateForTests(500000, 0);
    ASSERT_EQ(stream.BufferAt(0)->SetCurrentPosition(40000), S_OK);
    ASSERT_EQ(stream.RefillNextSegment(true), S_OK);
    EXPECT_EQ(stream.PlayedBytes(), 69184u);
    EXPECT_EQ(stream.LastPlayCursor(), 40000u);
    EXPECT_EQ(stream.NextWriteOffset(), kSegment);
}

TEST_F(MusicStreamTest, OpeningAndPlayingWhatCannotBeRead) {
    EXPECT_EQ(sound::PlayMusic(true), E_FAIL);
    sound::OpenMusic((dir / "none.wav").c_str());
    EXPECT_EQ(sound::MusicStream, nullptr);

    OpenNoiseMusic(5000);
    CMusicStream* current = sound::MusicStream;
    ASSERT_NE(current, nullptr);
    sound::OpenMusic((dir / "none.wav").c_str());
    EXPECT_EQ(sound::MusicStream, current);
    EXPECT_EQ(BoxCount(), 0u);

    // A format the mixer cannot play: no stream, a debugger line only.
    sound::OpenMusic(
        dir.Write("odd.wav", soundtest::RiffFile({{"fmt ", soundtest::FmtContent(1, 2, 44100, 24)},
                                                  {"data", std::vector<uint8_t>(600, 1)}}))
            .c_str());
    EXPECT_EQ(sound::MusicStream, nullptr);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_NE(backend.DebugLog().find("CreateSoundBuffer (hr=DSERR_BADFORMAT"), std::string::npos);
}

// A music file that fails is reported once, by the thread that calls ShowFileFailures (the
// main thread, between frames), and is not opened again.
class FailingMusicTest : public MusicStreamTest {
  protected:
    // Waits until the music thread has given up the stream.
    static bool WaitUntilDead() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard lock(sound::MusicLock());
                if (sound::MusicStream && sound::MusicStream->IsDead()) return true;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }
    std::vector<std::string> BoxCalls() const {
        std::vector<std::string> calls;
        for (const std::string& box : backend.MessageBoxes()) {
            const size_t call = box.rfind("Calling: ") + 9;
            calls.push_back(box.substr(call, box.find('\n', call) - call));
        }
        return calls;
    }
};

TEST_F(FailingMusicTest, ARefillThatFailsEndsItsStreamNeverTheMusicThread) {
    const std::string path =
        dir.Write("cut.wav",
                  PcmWave(2, 44100, 16, Bytes16(soundtest::NoiseSamples(kBufferBytes / 2 * 2, 5))));
    sound::OpenMusic(path.c_str());
    sound::StartMusicThread([] { return true; });
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    // The file loses its end while it plays: the first refill finds half a segment.
    std::filesystem::resize_file(path, 44 + kBufferBytes + kSegment / 2);
    Render(kSegmentFrames + 10);
    ASSERT_TRUE(WaitUntilDead());

    EXPECT_EQ(BoxCount(), 0u) << "the music thread shows no box";
    ASSERT_TRUE(sound::MusicLock().try_lock()) << "and holds no lock";
    sound::MusicLock().unlock();
    EXPECT_TRUE(sound::MusicThreadRunning());
    EXPECT_FALSE(sound::MusicStream->AnyBufferPlaying()) << "the stream stops";

    sound::ShowFileFailures();
    sound::ShowFileFailures();
    EXPECT_EQ(BoxCalls(), std::vector<std::string>{"mmioinfoIn.pchNext"}) << "one box, once";

    // Not opened or started again.
    CMusicStream* dead = sound::MusicStream;
    sound::OpenMusic(path.c_str());
    EXPECT_EQ(sound::MusicStream, dead);
    EXPECT_EQ(sound::PlayMusic(true), E_FAIL);

    // The next tune streams: the thread refills it.
    const std::vector<int16_t> music = OpenNoiseMusic(kBufferBytes / 4 + 999);
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    ExpectLooped(Stream(kBufferBytes / 4 * 3, true), music);
    sound::ShowFileFailures();
    EXPECT_EQ(BoxCount(), 1u);
}

TEST_F(FailingMusicTest, AFileThatCannotBeOpenedOrFilledIsReportedOnceAndLeftAlone) {
    // No "data" chunk: its opening fails with two traced boxes, reported as one.
    const std::string broken = dir.Write(
        "broken.wav", soundtest::RiffFile({{"fmt ", soundtest::FmtContent(1, 2, 44100, 16)}}));
    for (int frame = 0; frame < 100; ++frame) {
        sound::OpenMusic(broken.c_str());
        EXPECT_EQ(sound::PlayMusic(true), E_FAIL);
        sound::ShowFileFailures();
    }
    EXPECT_EQ(sound::MusicStream, nullptr);
    EXPECT_EQ(BoxCalls(), std::vector<std::string>{"mmioDescend"});
    EXPECT_NE(backend.MessageBoxes()[0].find("\nSound: " + broken), std::string::npos)
        << "the box names the file";
    EXPECT_NE(backend.DebugLog().find("ResetFile"), std::string::npos) << "traced all the same";

    // A file that loses its sample data after it was opened fails the fill of its start.
    const std::string path = dir.Write(
        "late.wav", PcmWave(2, 44100, 16, Bytes16(soundtest::NoiseSamples(kBufferBytes, 6))));
    sound::OpenMusic(path.c_str());
    ASSERT_NE(sound::MusicStream, nullptr);
    std::filesystem::resize_file(path, 30);
    EXPECT_NE(sound::PlayMusic(true), S_OK);
    EXPECT_FALSE(sound::MusicStream->AnyBufferPlaying());
    EXPECT_EQ(BoxCount(), 1u) << "reported between frames, not at once";
    for (int frame = 0; frame < 100; ++frame) {
        EXPECT_EQ(sound::PlayMusic(true), E_FAIL);
        sound::ShowFileFailures();
    }
    EXPECT_EQ(BoxCalls(), (std::vector<std::string>{"mmioDescend", "mmioDescend"}));
}

TEST_F(MusicStreamTest, OtherFormatsStreamAtTheirOwnRate) {
    // 22050 Hz mono: segments of 16536 bytes, and one second of file lasts one second.
    std::vector<int16_t> music(22050 * 3, 0);
    for (size_t i = 0; i < music.size(); ++i) music[i] = static_cast<int16_t>(100 + i % 7000);
    sound::OpenMusic(dir.Write("mono.wav", PcmWave(1, 22050, 16, Bytes16(music))).c_str());
    ASSERT_NE(sound::MusicStream, nullptr);
    EXPECT_EQ(sound::MusicStream->SegmentBytes(), 16536u);
    ASSERT_EQ(sound::PlayMusic(true), S_OK);
    const std::vector<int16_t> out = Stream(44100 * 5);
    // The same sample frame of the file comes back every 3 seconds of output.
    for (size_t frame = 0; frame < 44100 * 2; frame += 997) {
        ASSERT_EQ(out[2 * frame], out[2 * (frame + 44100 * 3)]) << frame;
    }
}

}  // namespace
