#include "sound/wave_reader.h"

#include <sys/stat.h>

#include <atomic>
#include <cstring>
#include <new>

#include "diag/trace_error.h"

namespace {

constexpr char kRiff[4] = {'R', 'I', 'F', 'F'};
constexpr char kList[4] = {'L', 'I', 'S', 'T'};
constexpr char kWave[4] = {'W', 'A', 'V', 'E'};
constexpr char kFmt[4] = {'f', 'm', 't', ' '};
constexpr char kData[4] = {'d', 'a', 't', 'a'};

constexpr uint32_t kPcmFormatBytes = 16;  // the fixed part of a "fmt " chunk

bool SameId(const char a[4], const char b[4]) {
    return std::memcmp(a, b, 4) == 0;
}

uint16_t Little16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Little32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::atomic<uint64_t> FilesOpenedSoFar{0};

}  // namespace

uint64_t CWaveReader::FilesOpened() {
    return FilesOpenedSoFar.load();
}

CWaveReader::~CWaveReader() {
    CloseFile();
}

bool CWaveReader::ReadBytes(void* dest, size_t count) {
    return std::fread(dest, 1, count, file_) == count;
}

bool CWaveReader::Seek(uint64_t offset) {
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

// Reads chunk headers from the current position until one named `id` starts before `end`; the
// file is then positioned at its content (behind the form type for "RIFF" and "LIST"). Chunks of
// odd size are followed by a pad byte.
bool CWaveReader::DescendTo(const char id[4], uint64_t end, Chunk& found) {
    off_t here = ftello(file_);
    if (here < 0) return false;
    uint64_t position = static_cast<uint64_t>(here);
    while (position < end) {
        uint8_t header[8];
        if (!ReadBytes(header, sizeof header)) return false;
        Chunk chunk;
        std::memcpy(chunk.id, header, 4);
        chunk.size = Little32(header + 4);
        chunk.contentOffset = position + 8;
        if (SameId(chunk.id, id)) {
            if (SameId(id, kRiff) || SameId(id, kList)) {
                if (!ReadBytes(chunk.formType, 4)) return false;
            }
            found = chunk;
            return true;
        }
        position = chunk.contentOffset + chunk.size + (chunk.size & 1u);
        if (!Seek(position)) return false;
    }
    return false;
}

HRESULT CWaveReader::OpenForReading(const char* path) {
    if (!path) return E_INVALIDARG;

    format_ = WaveFormat{};
    hasFormat_ = false;
    dataSize_ = 0;
    unreadBytes_ = 0;
    CloseFile();
    path_ = path;

    file_ = std::fopen(path, "rb");
    ++FilesOpenedSoFar;
    if (!file_) {
        // A missing file would next be looked up among sounds built into the program; there are
        // none, so the trace names that lookup as the step that failed.
        return TQ_SOUND_TRACE("FindResource", E_FAIL, false);
    }
    HRESULT hr = ReadMMIO();
    if (Failed(hr)) {
        CloseFile();
        return TQ_SOUND_TRACE("ReadMMIO", hr, false);
    }
    hr = ResetFile();
    if (Failed(hr)) return TQ_SOUND_TRACE("ResetFile", hr, true);

    dataSize_ = dataChunk_.size;
    return S_OK;
}

HRESULT CWaveReader::ReadMMIO() {
    hasFormat_ = false;

    // The first chunk has to be "RIFF" with the form type "WAVE".
    uint8_t header[8];
    if (!ReadBytes(header, sizeof header)) return TQ_SOUND_TRACE("mmioDescend", E_FAIL, true);
    std::memcpy(riffChunk_.id, header, 4);
    riffChunk_.size = Little32(header + 4);
    riffChunk_.contentOffset = 8;
    std::memset(riffChunk_.formType, 0, 4);
    if (SameId(riffChunk_.id, kRiff) || SameId(riffChunk_.id, kList)) {
        if (!ReadBytes(riffChunk_.formType, 4)) {
            return TQ_SOUND_TRACE("mmioDescend", E_FAIL, true);
        }
    }
    if (!SameId(riffChunk_.id, kRiff) || !SameId(riffChunk_.formType, kWave)) {
        return TQ_SOUND_TRACE("mmioFOURCC", E_FAIL, false);
    }

    const uint64_t riffEnd = riffChunk_.contentOffset + riffChunk_.size;
    Chunk fmtChunk;
    if (!DescendTo(kFmt, riffEnd, fmtChunk)) return TQ_SOUND_TRACE("mmioDescend", E_FAIL, true);
    if (fmtChunk.size < kPcmFormatBytes) {
        return TQ_SOUND_TRACE("sizeof(PCMWAVEFORMAT)", E_FAIL, true);
    }

    uint8_t fixed[kPcmFormatBytes];
    if (!ReadBytes(fixed, sizeof fixed)) return TQ_SOUND_TRACE("mmioRead", E_FAIL, true);
    WaveFormat format;
    format.formatTag = Little16(fixed);
    format.channels = Little16(fixed + 2);
    format.samplesPerSec = Little32(fixed + 4);
    format.avgBytesPerSec = Little32(fixed + 8);
    format.blockAlign = Little16(fixed + 12);
    format.bitsPerSample = Little16(fixed + 14);

    if (format.formatTag != WAVE_FORMAT_PCM) {
        // Other format tags carry an extra size and that many format bytes. These are read on
        // from the file even where the chunk is shorter, so a file whose format chunk
        // understates its extra bytes still opens the same way as it always has.
        uint8_t extraSize[2];
        if (!ReadBytes(extraSize, sizeof extraSize)) {
            return TQ_SOUND_TRACE("mmioRead", E_FAIL, true);
        }
        format.extraSize = Little16(extraSize);
        try {
            format.extra.resize(format.extraSize);
        } catch (const std::bad_alloc&) {
            return TQ_SOUND_TRACE("new", E_FAIL, true);
        }
        if (format.extraSize > 0 && !ReadBytes(format.extra.data(), format.extraSize)) {
            return TQ_SOUND_TRACE("mmioRead", E_FAIL, true);
        }
    }

    // Leave the "fmt " chunk (behind its pad byte).
    if (!Seek(fmtChunk.contentOffset + fmtChunk.size + (fmtChunk.size & 1u))) {
        return TQ_SOUND_TRACE("mmioAscend", E_FAIL, true);
    }
    format_ = std::move(format);
    hasFormat_ = true;
    return S_OK;
}

uint64_t CWaveReader::BytesAfter(uint64_t offset) const {
    struct stat info {};
    if (::fstat(fileno(file_), &info) != 0 || info.st_size < 0) return 0;
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    return size > offset ? size - offset : 0;
}

HRESULT CWaveReader::ResetFile() {
    if (!file_) return CO_E_NOTINITIALIZED;
    if (!Seek(riffChunk_.contentOffset + 4)) return TQ_SOUND_TRACE("mmioSeek", E_FAIL, true);
    // "data" may come before or after "fmt ".
    Chunk data;
    if (!DescendTo(kData, riffChunk_.contentOffset + riffChunk_.size, data)) {
        return TQ_SOUND_TRACE("mmioDescend", E_FAIL, true);
    }
    // A file cut short gives what it holds: a claim beyond its end would size a sound's buffer
    // by bytes that are not there (up to 256 MB for a 100-byte file) and fail its read.
    const uint64_t available = BytesAfter(data.contentOffset);
    if (data.size > available) data.size = static_cast<uint32_t>(available);
    dataChunk_ = data;
    unreadBytes_ = data.size;
    return S_OK;
}

HRESULT CWaveReader::Read(uint8_t* dest, uint32_t count, uint32_t* read) {
    if (!file_) return CO_E_NOTINITIALIZED;
    if (!dest || !read) return E_INVALIDARG;
    *read = 0;

    if (count > unreadBytes_) count = unreadBytes_;
    unreadBytes_ -= count;

    if (count > 0 && std::fread(dest, 1, count, file_) != count) {
        // The file ends before its "data" chunk does.
        return TQ_SOUND_TRACE("mmioinfoIn.pchNext", E_FAIL, true);
    }
    *read = count;
    return S_OK;
}

HRESULT CWaveReader::CloseFile() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    return S_OK;
}
