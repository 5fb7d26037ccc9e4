#include "sounds/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace assetgen::sound {

namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::int16_t ToSample(float value) {
    const double scaled = std::clamp(static_cast<double>(value), -1.0, 1.0) * 32767.0;
    return static_cast<std::int16_t>(std::lround(scaled));
}

}  // namespace

std::vector<std::int16_t> ToPcm16(const Clip& clip) {
    const std::size_t channels = clip.IsStereo() ? 2 : 1;
    std::vector<std::int16_t> pcm(clip.Frames() * channels);
    for (std::size_t i = 0; i < clip.Frames(); ++i) {
        pcm[i * channels] = ToSample(clip.left[i]);
        if (channels == 2) pcm[i * 2 + 1] = ToSample(clip.right[i]);
    }
    return pcm;
}

std::vector<std::uint8_t> EncodeWave(const Clip& clip) {
    const std::uint32_t channels = clip.IsStereo() ? 2 : 1;
    const std::uint32_t blockAlign = channels * 2;
    const std::vector<std::int16_t> pcm = ToPcm16(clip);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, channels);
    PutU32(out, kSampleRate);
    PutU32(out, kSampleRate * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (std::int16_t sample : pcm) PutU16(out, static_cast<std::uint16_t>(sample));
    return out;
}

bool WriteWave(const std::filesystem::path& path, const Clip& clip, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        error = "cannot create " + path.parent_path().string() + ": " + ec.message();
        return false;
    }
    const std::vector<std::uint8_t> bytes = EncodeWave(clip);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

}  // namespace assetgen::sound
