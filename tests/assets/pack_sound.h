// A sound of the generated pack as the game reads it, for the asset tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/wave_reader.h"

namespace assettest {

constexpr double kFullScale = 32768.0;

// A sound as the game reads it: its format and its 16-bit samples, channels interleaved.
struct LoadedSound {
    WaveFormat format;
    uint32_t dataSize = 0;
    std::vector<int16_t> samples;

    int Channels() const { return format.channels; }
    size_t Frames() const { return samples.size() / std::max<size_t>(1, format.channels); }
    double Seconds() const { return static_cast<double>(Frames()) / 44100.0; }
    double At(size_t frame, int channel) const {
        return samples[frame * format.channels + static_cast<size_t>(channel)] / kFullScale;
    }
    // One channel, or the mean of two.
    std::vector<double> Mono() const {
        std::vector<double> mono(Frames());
        for (size_t i = 0; i < mono.size(); ++i) {
            double sum = 0.0;
            for (int c = 0; c < Channels(); ++c) sum += At(i, c);
            mono[i] = sum / Channels();
        }
        return mono;
    }
};

inline std::string DataPath(const char* relative) {
    return std::string(TQ_DATA_DIR) + "/" + relative;
}

// Reads the whole file through CWaveReader in pieces, as the mixer's loaders do.
inline ::testing::AssertionResult Load(const char* relative, LoadedSound& sound) {
    CWaveReader reader;
    const std::string path = DataPath(relative);
    if (reader.OpenForReading(path.c_str()) != S_OK) {
        return ::testing::AssertionFailure() << relative << " does not open";
    }
    if (reader.Format() == nullptr)
        return ::testing::AssertionFailure() << relative << " has no format";
    sound.format = *reader.Format();
    sound.dataSize = reader.DataSize();
    std::vector<uint8_t> bytes;
    uint8_t piece[8192];
    for (;;) {
        uint32_t read = 0;
        if (reader.Read(piece, sizeof piece, &read) != S_OK) {
            return ::testing::AssertionFailure() << relative << " fails to read";
        }
        if (read == 0) break;
        bytes.insert(bytes.end(), piece, piece + read);
    }
    if (bytes.size() != sound.dataSize) {
        return ::testing::AssertionFailure()
               << relative << ": read " << bytes.size() << " of " << sound.dataSize << " bytes";
    }
    sound.samples.resize(bytes.size() / 2);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return ::testing::AssertionSuccess();
}

}  // namespace assettest
