// Writes clips as RIFF WAVE files: PCM, 44100 Hz, 16 bits, one or two channels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sounds/clip.h"

namespace assetgen::sound {

// The 16-bit sample frames of `clip`, interleaved, rounded to nearest and clamped.
std::vector<std::int16_t> ToPcm16(const Clip& clip);

// The complete file contents: RIFF header, "fmt " chunk and "data" chunk.
std::vector<std::uint8_t> EncodeWave(const Clip& clip);

bool WriteWave(const std::filesystem::path& path, const Clip& clip, std::string& error);

}  // namespace assetgen::sound
