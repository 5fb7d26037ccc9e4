// Recording answers at the platform seam and playing them back: the coding, the file, and the
// two backends around a headless machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/replay/recording_backend.h"
#include "platform/replay/replay_backend.h"
#include "platform/replay/round_file.h"

namespace {

using namespace platform;
using namespace platform::replay;

// What a small game asks each frame; returns what it saw, so two runs can be compared.
std::string PlayFrame(Backend& machine) {
    std::string seen;
    Event event;
    while (machine.PollEvent(event)) seen += "E" + std::to_string(static_cast<int>(event.type));
    for (int i = 0; i < 7; ++i) seen += " t" + std::to_string(machine.Ticks());
    for (int key : {vk::LButton, vk::RButton, vk::Escape, int{'1'}, int{'2'}, vk::Menu})
        seen += machine.KeyDown(key) ? "D" : "u";
    const Point cursor = machine.CursorPos();
    seen += " " + std::to_string(cursor.x) + "," + std::to_string(cursor.y);
    seen += machine.TakeTypedText();
    seen += machine.Observe(true) ? "o" : "-";
    static const uint16_t frame[ScreenWidth * ScreenHeight] = {};
    seen += machine.Present(frame, ScreenWidth) == PresentResult::Ok ? "P" : "L";
    return seen + "\n";
}

struct Recorded {
    std::string seen;
    RoundFile file;
};

// Plays `frames` frames of a scripted machine and records them.
Recorded RecordFrames(int frames) {
    HeadlessBackend machine;
    machine.OpenWindow("test");
    RecordingBackend recorder(machine);
    RoundFile header;
    header.gameVersion = "test";
    header.assetFingerprint = 0x1234;
    header.inheritance = "inherited";
    recorder.Begin(header);
    Recorded recorded;
    for (int f = 0; f < frames; ++f) {
        machine.AdvanceTime(16 + (f % 3 == 0 ? 1 : 0));
        if (f % 50 == 10) machine.Click(vk::LButton);
        if (f % 200 == 100) machine.SetKey('2', true);
        if (f % 200 == 101) machine.SetKey('2', false);
        if (f % 4 == 0) machine.SetCursor(200 + f % 400, 300 - f % 100);
        if (f == 300) machine.QueueText("Jäger");
        if (f == 400) machine.LoseSurfacesOnNextPresent();
        if (f % 120 == 0) recorder.Checkpoint(0xABCDEF00u + static_cast<uint64_t>(f));
        recorded.seen += PlayFrame(recorder);
    }
    recorded.file = recorder.End();
    return recorded;
}

std::string Replay(const RoundFile& file, int frames, std::string* divergence = nullptr) {
    HeadlessBackend machine;
    machine.OpenWindow("test");
    ReplayBackend player(machine, file, ReplayBackend::Pace::AsFastAsPossible);
    player.Start();
    std::string seen;
    for (int f = 0; f < frames; ++f) {
        if (f % 120 == 0) player.Checkpoint(0xABCDEF00u + static_cast<uint64_t>(f));
        seen += PlayFrame(player);
    }
    if (divergence) *divergence = player.Divergence();
    return seen;
}

TEST(RoundRecording, AReplayAnswersTheGameExactlyAsTheRecordedMachineDid) {
    const Recorded recorded = RecordFrames(1500);
    RoundFileProblem problem;
    const auto file = DecodeRoundFile(EncodeRoundFile(recorded.file), problem);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->inheritance, "inherited");
    EXPECT_EQ(file->assetFingerprint, 0x1234u);
    EXPECT_GT(file->blocks.size(), 2u);  // long rounds come in blocks
    std::string divergence;
    EXPECT_EQ(Replay(*file, 1500, &divergence), recorded.seen);
    EXPECT_EQ(divergence, "");
}

TEST(RoundRecording, AFrameInWhichLittleChangesCostsAboutAByte) {
    // 1500 frames of about twenty answers each, the cursor moving every fourth frame.
    const std::string bytes = EncodeRoundFile(RecordFrames(1500).file);
    EXPECT_LT(bytes.size(), 1500u * 2);
}

TEST(RoundRecording, AGameThatAsksOtherwiseIsCaughtAtTheFrameItDoes) {
    const Recorded recorded = RecordFrames(200);
    HeadlessBackend machine;
    machine.OpenWindow("test");
    ReplayBackend player(machine, recorded.file, ReplayBackend::Pace::AsFastAsPossible);
    player.Start();
    for (int f = 0; f < 60; ++f) {
        if (f % 120 == 0) player.Checkpoint(0xABCDEF00u + static_cast<uint64_t>(f));
        PlayFrame(player);
    }
    player.KeyDown('3');  // a key the recorded game never asked for here
    EXPECT_EQ(player.Divergence(),
              "frame 60: the game asked KeyDown 51 where the recording has PollEvent");
}

TEST(RoundRecording, AStateThatDiffersFromTheRecordedDigestIsADivergence) {
    const Recorded recorded = RecordFrames(300);
    HeadlessBackend machine;
    machine.OpenWindow("test");
    ReplayBackend player(machine, recorded.file, ReplayBackend::Pace::AsFastAsPossible);
    player.Start();
    for (int f = 0; f < 300 && !player.Diverged(); ++f) {
        if (f % 120 == 0) player.Checkpoint(f == 240 ? 1 : 0xABCDEF00u + static_cast<uint64_t>(f));
        PlayFrame(player);
    }
    EXPECT_EQ(player.Divergence(), "frame 240: the state of the game differs from the recording");
}

TEST(RoundRecording, TheWatchersEscapeEndsTheReplayEarly) {
    const Recorded recorded = RecordFrames(100);
    HeadlessBackend machine;
    machine.OpenWindow("test");
    ReplayBackend player(machine, recorded.file, ReplayBackend::Pace::AsFastAsPossible);
    player.Start();
    player.Checkpoint(0xABCDEF00u);
    for (int f = 0; f < 30; ++f) PlayFrame(player);
    EXPECT_FALSE(player.Stopped());
    machine.SetKey(vk::Escape, true);
    PlayFrame(player);
    EXPECT_TRUE(player.Stopped());
    EXPECT_FALSE(player.Finished());
    EXPECT_FALSE(player.Diverged());
}

TEST(RoundRecording, TheEndOfTheRecordingAsksTheGameToQuitOnce) {
    const Recorded recorded = RecordFrames(10);
    HeadlessBackend machine;
    machine.OpenWindow("test");
    ReplayBackend player(machine, recorded.file, ReplayBackend::Pace::AsFastAsPossible);
    player.Start();
    player.Checkpoint(0xABCDEF00u);
    for (int f = 0; f < 10; ++f) PlayFrame(player);
    Event event;
    ASSERT_TRUE(player.PollEvent(event));
    EXPECT_EQ(event.type, EventType::Quit);
    EXPECT_FALSE(player.PollEvent(event));
    EXPECT_TRUE(player.Finished());
    EXPECT_FALSE(player.Diverged());
}

TEST(RoundRecording, FilesThatAreNotWholeRoundsAreRefusedWithTheReason) {
    const std::string bytes = EncodeRoundFile(RecordFrames(100).file);
    RoundFileProblem problem;
    EXPECT_FALSE(DecodeRoundFile("PK\x03\x04 not a round", problem));
    EXPECT_EQ(problem, RoundFileProblem::NotARound);

    std::string other = bytes;
    other[8] = 2;  // a later format
    EXPECT_FALSE(DecodeRoundFile(other, problem));
    EXPECT_EQ(problem, RoundFileProblem::OtherFormat);

    for (size_t cut : {size_t{9}, size_t{20}, bytes.size() - 1}) {
        EXPECT_FALSE(DecodeRoundFile(std::string_view(bytes).substr(0, cut), problem)) << cut;
        EXPECT_EQ(problem, RoundFileProblem::Damaged) << cut;
    }
}

TEST(RoundRecording, ADamagedStreamEndsTheReplayAsDamagedOrDiverged) {
    Recorded recorded = RecordFrames(300);
    for (RoundBlock& block : recorded.file.blocks) {
        for (size_t i = 10; i < block.bytes.size(); i += 37) block.bytes[i] ^= 0x5A;
    }
    std::string divergence;
    Replay(recorded.file, 300, &divergence);
    EXPECT_NE(divergence, "");
}

}  // namespace
