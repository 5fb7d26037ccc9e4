// Reads RIFF WAVE files: checks the structure, keeps the sample format and hands out the bytes of
// the "data" chunk in sequence, with a rewind to its start.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "diag/result_codes.h"

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

// The "fmt " chunk: its 16 fixed bytes, the extra size (0 for PCM) and, for other format tags,
// the extra bytes.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
    std::vector<uint8_t> extra;
};

class CWaveReader {
  public:
    CWaveReader() = default;
    ~CWaveReader();
    CWaveReader(const CWaveReader&) = delete;
    CWaveReader& operator=(const CWaveReader&) = delete;

    // Opens `path`, reads its format and positions at the first sample byte. E_INVALIDARG for a
    // null path, E_FAIL (traced) for a missing or malformed file.
    HRESULT OpenForReading(const char* path);
    // Back to the first byte of the sample data; the whole "data" chunk counts as unread again.
    // A chunk that claims more bytes than the file holds counts as the bytes that are there.
    HRESULT ResetFile();
    // Copies up to `count` unread sample bytes to `dest`; `*read` is how many. At the end of the
    // data: success with 0 bytes. E_FAIL when the file ends before its "data" chunk does (it was
    // cut short after it was opened).
    HRESULT Read(uint8_t* dest, uint32_t count, uint32_t* read);
    // The "data" chunk's size as found at opening (no more than the file holds behind the chunk's
    // header); 0 until a successful opening.
    uint32_t DataSize() const { return dataSize_; }
    // The format of the opened file, or null before one was read.
    const WaveFormat* Format() const { return hasFormat_ ? &format_ : nullptr; }
    // The path given to the last OpenForReading.
    const std::string& Path() const { return path_; }
    // Closes the file; the format stays available. Always 0.
    HRESULT CloseFile();

    // How many files all readers have opened so far (any thread): what a frame must not do.
    static uint64_t FilesOpened();

  private:
    // A chunk as entered: where its content starts and how many bytes it holds.
    struct Chunk {
        char id[4] = {};
        uint32_t size = 0;
        char formType[4] = {};
        uint64_t contentOffset = 0;
    };

    HRESULT ReadMMIO();
    bool ReadBytes(void* dest, size_t count);
    bool Seek(uint64_t offset);
    // How many bytes the open file holds behind `offset`.
    uint64_t BytesAfter(uint64_t offset) const;
    // Searches from the current position up to `end` for a chunk `id` and enters it.
    bool DescendTo(const char id[4], uint64_t end, Chunk& found);

    WaveFormat format_;
    bool hasFormat_ = false;
    std::FILE* file_ = nullptr;
    Chunk riffChunk_;
    Chunk dataChunk_;
    uint32_t unreadBytes_ = 0;  // of the data chunk
    uint32_t dataSize_ = 0;
    std::string path_;
};
