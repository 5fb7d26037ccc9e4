// Helpers for the sound tests: WAVE files written into a scratch directory, and a fixture that
// runs the sound layer on the headless backend.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "sound/sound_system.h"
#include "support/temp_dir.h"

namespace soundtest {

// One RIFF chunk: identifier and content (a pad byte is added behind odd sizes).
struct Chunk {
    std::string id;
    std::vector<uint8_t> content;
    // When set, the size field claims this many bytes instead of the content's size.
    int64_t claimedSize = -1;
};

inline void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> FmtContent(uint16_t tag, uint16_t channels, uint32_t rate,
                                       uint16_t bits) {
    std::vector<uint8_t> out;
    const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    Put16(out, tag);
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * block);
    Put16(out, block);
    Put16(out, bits);
    return out;
}

inline std::vector<uint8_t> RiffFile(const std::vector<Chunk>& chunks, const char* form = "WAVE") {
    std::vector<uint8_t> body(form, form + 4);
    for (const Chunk& chunk : chunks) {
        body.insert(body.end(), chunk.id.begin(), chunk.id.end());
        Put32(body, chunk.claimedSize >= 0 ? static_cast<uint32_t>(chunk.claimedSize)
                                           : static_cast<uint32_t>(chunk.content.size()));
        body.insert(body.end(), chunk.content.begin(), chunk.content.end());
        if (chunk.content.size() % 2) body.push_back(0);
    }
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

inline std::vector<uint8_t> PcmWave(uint16_t channels, uint32_t rate, uint16_t bits,
                                    const std::vector<uint8_t>& data) {
    return RiffFile({{"fmt ", FmtContent(1, channels, rate, bits)}, {"data", data}});
}

// Little-endian bytes of 16-bit samples.
inline std::vector<uint8_t> Bytes16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> out;
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

// Deterministic, non-repeating sample values.
inline std::vector<int16_t> NoiseSamples(size_t count, uint32_t seed = 1) {
    std::vector<int16_t> out(count);
    uint32_t x = seed * 2654435761u + 12345;
    for (auto& s : out) {
        x = x * 1664525u + 1013904223u;
        s = static_cast<int16_t>(x >> 16);
    }
    return out;
}

// The headless backend installed, the sound device open at 44100 Hz stereo 16-bit in
// sound::SoundDevice, and everything reset afterwards.
class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Opens the device; false when the backend has no audio.
    bool OpenDevice();
    CSound* Load(const std::string& path, uint32_t flags = 0, uint32_t buffers = 1);
    std::vector<int16_t> Render(int frames) { return backend.RenderAudio(frames); }
    size_t BoxCount() const { return backend.MessageBoxes().size(); }

    platform::HeadlessBackend backend;
    testing_support::TempDir dir;
    std::vector<CSound*> loaded;
};

}  // namespace soundtest
