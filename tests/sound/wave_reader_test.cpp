#include "sound/wave_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "sound/sound_test_support.h"

namespace {

using soundtest::Chunk;
using soundtest::FmtContent;
using soundtest::RiffFile;

class WaveReaderTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::SetBackend(&backend); }
    void TearDown() override { platform::SetBackend(nullptr); }

    // Opens `bytes` as a file; the reader's result.
    HRESULT Open(const std::vector<uint8_t>& bytes) {
        return reader.OpenForReading(dir.Write("test.wav", bytes).c_str());
    }
    std::vector<uint8_t> ReadAll(uint32_t count) {
        std::vector<uint8_t> out(count + 16, 0xEE);
        uint32_t read = 0;
        EXPECT_EQ(reader.Read(out.data(), count, &read), S_OK);
        out.resize(read);
        return out;
    }
    // The trace texts shown in boxes, in order.
    std::vector<std::string> BoxCalls() const {
        std::vector<std::string> calls;
        for (const std::string& box : backend.MessageBoxes()) {
            calls.push_back(box.substr(box.rfind("Calling: ") + 9));
        }
        return calls;
    }

    platform::HeadlessBackend backend;
    testing_support::TempDir dir;
    CWaveReader reader;
    const std::vector<uint8_t> samples = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
};

TEST_F(WaveReaderTest, ReadsFormatAndDataInSequenceThenRewinds) {
    ASSERT_EQ(Open(soundtest::PcmWave(2, 22050, 16, samples)), S_OK);
    const WaveFormat* format = reader.Format();
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->formatTag, 1);
    EXPECT_EQ(format->channels, 2);
    EXPECT_EQ(format->samplesPerSec, 22050u);
    EXPECT_EQ(format->avgBytesPerSec, 88200u);
    EXPECT_EQ(format->blockAlign, 4);
    EXPECT_EQ(format->bitsPerSample, 16);
    EXPECT_EQ(format->extraSize, 0);
    EXPECT_EQ(reader.DataSize(), 12u);

    EXPECT_EQ(ReadAll(5), std::vector<uint8_t>(samples.begin(), samples.begin() + 5));
    // More than remains: exactly the rest, then nothing, both successful.
    EXPECT_EQ(ReadAll(100), std::vector<uint8_t>(samples.begin() + 5, samples.end()));
    EXPECT_TRUE(ReadAll(100).empty());

    EXPECT_EQ(reader.ResetFile(), S_OK);
    EXPECT_EQ(ReadAll(3), std::vector<uint8_t>(samples.begin(), samples.begin() + 3));
    EXPECT_TRUE(backend.DebugLog().empty());
}

TEST_F(WaveReaderTest, AcceptsTheLayoutsRealFilesHave) {
    // An 18-byte PCM "fmt " (with an extra-size field) is PCM with extra size 0.
    std::vector<uint8_t> fmt18 = FmtContent(1, 1, 44100, 16);
    fmt18.insert(fmt18.end(), {0x22, 0x00});
    // Odd-sized chunks are followed by a pad byte.
    const std::vector<uint8_t> odd = {'a', 'b', 'c'};
    const std::vector<std::vector<Chunk>> layouts = {
        {{"fmt ", fmt18}, {"data", samples}},
        {{"fmt ", FmtContent(1, 2, 22050, 16)}, {"LIST", odd}, {"data", samples}},
        {{"data", samples}, {"fmt ", FmtContent(1, 2, 22050, 16)}},
        {{"junk", odd}, {"fmt ", FmtContent(1, 2, 22050, 16)}, {"cue ", odd}, {"data", samples}},
    };
    for (size_t i = 0; i < layouts.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(Open(RiffFile(layouts[i])), S_OK);
        EXPECT_EQ(reader.Format()->extraSize, 0);
        EXPECT_EQ(reader.DataSize(), samples.size());
        EXPECT_EQ(ReadAll(100), samples);
    }
    // An odd-sized data chunk reads without its pad byte.
    ASSERT_EQ(Open(RiffFile({{"fmt ", FmtContent(1, 1, 8000, 8)}, {"data", odd}})), S_OK);
    EXPECT_EQ(ReadAll(100), odd);
    EXPECT_TRUE(backend.MessageBoxes().empty());
}

TEST_F(WaveReaderTest, KeepsTheExtraBytesOfOtherFormatTags) {
    std::vector<uint8_t> fmt = FmtContent(2, 1, 22050, 4);
    fmt.insert(fmt.end(), {3, 0, 0xAA, 0xBB, 0xCC});
    ASSERT_EQ(Open(RiffFile({{"fmt ", fmt}, {"data", samples}})), S_OK);
    EXPECT_EQ(reader.Format()->formatTag, 2);
    EXPECT_EQ(reader.Format()->extraSize, 3);
    EXPECT_EQ(reader.Format()->extra, (std::vector<uint8_t>{0xAA, 0xBB, 0xCC}));
}

TEST_F(WaveReaderTest, RefusesFilesThatAreNotWaveWithoutABox) {
    EXPECT_EQ(reader.OpenForReading((dir / "missing.wav").c_str()), E_FAIL);
    EXPECT_TRUE(backend.DebugLog().starts_with("dsutil("));
    EXPECT_TRUE(backend.DebugLog().ends_with("): FindResource (hr=E_FAIL (0x80004005))\n"));

    std::vector<uint8_t> notRiff = soundtest::PcmWave(1, 8000, 8, samples);
    notRiff[0] = 'X';
    EXPECT_EQ(Open(notRiff), E_FAIL);
    EXPECT_EQ(Open(RiffFile({{"fmt ", FmtContent(1, 1, 8000, 8)}, {"data", samples}}, "AVI ")),
              E_FAIL);
    EXPECT_TRUE(backend.MessageBoxes().empty());
    EXPECT_NE(backend.DebugLog().find("mmioFOURCC (hr=E_FAIL (0x80004005))\n"), std::string::npos);
    EXPECT_NE(backend.DebugLog().find("ReadMMIO (hr=E_FAIL (0x80004005))\n"), std::string::npos);
    EXPECT_EQ(reader.DataSize(), 0u);
    EXPECT_EQ(reader.OpenForReading(nullptr), E_INVALIDARG);
}

TEST_F(WaveReaderTest, RefusesBrokenWaveFilesWithTheBoxOfTheFirstFailingStep) {
    std::vector<uint8_t> truncatedFmt = RiffFile({{"fmt ", FmtContent(1, 1, 8000, 8)}});
    truncatedFmt.resize(truncatedFmt.size() - 4);  // the chunk claims 16 bytes, 12 are there
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::vector<std::string> boxes;
    } cases[] = {
        {"empty file", {}, {"mmioDescend"}},
        {"no fmt", RiffFile({{"data", samples}}), {"mmioDescend"}},
        {"short fmt",
         RiffFile({{"fmt ", std::vector<uint8_t>(14, 1)}, {"data", samples}}),
         {"sizeof(PCMWAVEFORMAT)"}},
        {"truncated fmt", truncatedFmt, {"mmioRead"}},
        {"no data", RiffFile({{"fmt ", FmtContent(1, 1, 8000, 8)}}), {"mmioDescend", "ResetFile"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t before = backend.MessageBoxes().size();
        EXPECT_EQ(Open(c.bytes), E_FAIL);
        std::vector<std::string> calls = BoxCalls();
        calls.erase(calls.begin(), calls.begin() + static_cast<long>(before));
        EXPECT_EQ(calls, c.boxes);
        EXPECT_EQ(reader.DataSize(), 0u);
    }
    // Every failure of the format step also leaves the line "ReadMMIO" (without a box).
    EXPECT_NE(backend.DebugLog().find("ReadMMIO"), std::string::npos);
}

TEST_F(WaveReaderTest, DataClaimingMoreThanTheFileHoldsCountsWhatIsThere) {
    // A 56-byte file whose "data" chunk claims the largest buffer a sound may have.
    const std::vector<uint8_t> bytes = RiffFile(
        {{"fmt ", FmtContent(1, 1, 8000, 8)}, {"data", samples, static_cast<int64_t>(0x0FFFFFFF)}});
    ASSERT_EQ(Open(bytes), S_OK);
    EXPECT_EQ(reader.DataSize(), samples.size()) << "never more than the file holds";
    EXPECT_EQ(ReadAll(4), std::vector<uint8_t>(samples.begin(), samples.begin() + 4));
    EXPECT_EQ(ReadAll(1000), std::vector<uint8_t>(samples.begin() + 4, samples.end()));
    EXPECT_EQ(ReadAll(1000), std::vector<uint8_t>{}) << "the end of the data";
    ASSERT_EQ(reader.ResetFile(), S_OK);
    EXPECT_EQ(ReadAll(1000), samples);
    EXPECT_EQ(BoxCalls(), std::vector<std::string>{});
}

TEST_F(WaveReaderTest, AFileCutShortAfterItWasOpenedFailsTheReadThatReachesItsEnd) {
    std::vector<uint8_t> many(100000);
    for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<uint8_t>(i * 7);
    const std::string path =
        dir.Write("test.wav", RiffFile({{"fmt ", FmtContent(1, 1, 8000, 8)}, {"data", many}}));
    ASSERT_EQ(reader.OpenForReading(path.c_str()), S_OK);
    EXPECT_EQ(ReadAll(4), std::vector<uint8_t>(many.begin(), many.begin() + 4));
    std::filesystem::resize_file(path, 44 + 50000);
    std::vector<uint8_t> rest(many.size());
    uint32_t read = 99;
    EXPECT_EQ(reader.Read(rest.data(), 100000, &read), E_FAIL);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(BoxCalls(), std::vector<std::string>{"mmioinfoIn.pchNext"});
    // A rewind counts the data that is left.
    ASSERT_EQ(reader.ResetFile(), S_OK);
    EXPECT_EQ(reader.DataSize(), many.size()) << "the size found at opening";
    EXPECT_EQ(ReadAll(100000), std::vector<uint8_t>(many.begin(), many.begin() + 50000));
}

TEST_F(WaveReaderTest, ChunksOutsideTheRiffSizeAreNotFound) {
    std::vector<uint8_t> bytes = soundtest::PcmWave(1, 8000, 8, samples);
    // Shrink the RIFF size so that it ends right behind the "fmt " chunk.
    bytes[4] = 4 + 8 + 16;
    bytes[5] = bytes[6] = bytes[7] = 0;
    EXPECT_EQ(Open(bytes), E_FAIL);
    EXPECT_EQ(BoxCalls(), (std::vector<std::string>{"mmioDescend", "ResetFile"}));
}

TEST_F(WaveReaderTest, CallsWithoutAFileOrDestination) {
    uint8_t byte = 0;
    uint32_t read = 0;
    EXPECT_EQ(reader.Read(&byte, 1, &read), CO_E_NOTINITIALIZED);
    EXPECT_EQ(reader.ResetFile(), CO_E_NOTINITIALIZED);
    ASSERT_EQ(Open(soundtest::PcmWave(1, 8000, 8, samples)), S_OK);
    EXPECT_EQ(reader.Read(nullptr, 1, &read), E_INVALIDARG);
    EXPECT_EQ(reader.Read(&byte, 1, nullptr), E_INVALIDARG);
    EXPECT_EQ(reader.CloseFile(), S_OK);
    EXPECT_EQ(reader.Read(&byte, 1, &read), CO_E_NOTINITIALIZED);
    EXPECT_NE(reader.Format(), nullptr);  // the format outlives the file
}

// Every prefix of a file and every single corrupted byte is either refused or read within the
// bounds of what the file holds (the sanitizer build checks the memory side).
TEST_F(WaveReaderTest, CorruptFilesNeverReadOutOfBounds) {
    std::vector<uint8_t> fmt = FmtContent(0x55, 2, 44100, 16);
    fmt.insert(fmt.end(), {2, 0, 9, 9});
    const std::vector<uint8_t> good =
        RiffFile({{"fmt ", fmt}, {"LIST", {1, 2, 3}}, {"data", std::vector<uint8_t>(40, 7)}});
    auto exercise = [&](const std::vector<uint8_t>& bytes) {
        CWaveReader r;
        if (Failed(r.OpenForReading(dir.Write("c.wav", bytes).c_str()))) return;
        std::vector<uint8_t> out(64);
        uint32_t read = 0;
        for (int i = 0; i < 3 && Succeeded(r.Read(out.data(), 17, &read)) && read > 0; ++i) {
            EXPECT_LE(read, 17u);
        }
    };
    for (size_t length = 0; length <= good.size(); ++length) {
        exercise(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(length)));
    }
    for (size_t at = 0; at < good.size(); ++at) {
        for (const uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}}) {
            std::vector<uint8_t> bytes = good;
            bytes[at] = value;
            exercise(bytes);
        }
    }
}

}  // namespace
