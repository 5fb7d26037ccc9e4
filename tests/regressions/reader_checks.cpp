#include "regressions/reader_checks.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/round_inheritance.h"
#include "display/bmp_decoder.h"
#include "persistence/atomic_file.h"
#include "persistence/high_scores.h"
#include "persistence/ini_file.h"
#include "persistence/options.h"
#include "platform/replay/round_file.h"
#include "platform/replay/round_stream.h"
#include "presentation/main_menu.h"
#include "sound/sound.h"

namespace readercheck {

namespace {

// The knobs a check turns besides the file itself (where to draw, what to key, how to resample)
// come from a hash of the file, so that every input file replays exactly.
uint64_t Hash(const uint8_t* data, size_t size) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 0x100000001b3ull;
    return h;
}

// Draws numbers from the hash, a few bits at a time.
class Knobs {
  public:
    explicit Knobs(uint64_t seed) : state_(seed | 1) {}
    uint32_t Below(uint32_t limit) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return limit ? static_cast<uint32_t>(state_ % limit) : 0;
    }
    bool Flip() { return Below(2) == 1; }

  private:
    uint64_t state_;
};

std::string MakeScratchDir() {
    static std::atomic<int> counter{0};
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error)) {
        base = std::filesystem::temp_directory_path(error);
    }
    const std::filesystem::path dir =
        base / ("tq_readercheck_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(dir, error);
    return error ? std::string() : dir.string();
}

// ---- BMP ----

// Pictures above this many pixels are checked a little less, to keep the fuzzer quick.
constexpr size_t kLargePicture = size_t{1} << 22;

// Every row's opaque runs lie inside the row, in order, cover exactly the pixels that are not the
// key, and nothing else.
std::string CheckSpans(const CBitmapSurface& surface, uint16_t keyPixel) {
    const uint16_t* pixels = surface.DirectDrawSurface();
    const int width = surface.Width();
    for (int y = 0; y < surface.Height(); ++y) {
        const uint16_t* row = pixels + display::PixelIndex(0, y, width);
        int x = 0;
        for (const auto* span = surface.RowSpansBegin(y); span != surface.RowSpansEnd(y); ++span) {
            if (span->length == 0 || span->start < x || span->start + span->length > width) {
                return "keyed runs out of order or outside the row";
            }
            for (; x < span->start; ++x) {
                if (row[x] != keyPixel) return "an opaque pixel outside every run";
            }
            for (; x < span->start + span->length; ++x) {
                if (row[x] == keyPixel) return "a key-coloured pixel inside a run";
            }
        }
        for (; x < width; ++x) {
            if (row[x] != keyPixel) return "an opaque pixel right of the last run";
        }
    }
    return "";
}

// Draws the surface (or a part of it) somewhere on or off the screen; a rectangle that fits must
// draw exactly its opaque pixels, any other must draw nothing and be refused.
std::string CheckKeyedDraw(CDisplayDevice& display, const CBitmapSurface& surface,
                           uint16_t keyPixel, Knobs& knobs) {
    const int width = surface.Width();
    const int height = surface.Height();
    Rect source{0, 0, width, height};
    const bool partial = knobs.Flip();
    if (partial) {
        source.left = static_cast<int>(knobs.Below(static_cast<uint32_t>(width) + 2)) - 1;
        source.top = static_cast<int>(knobs.Below(static_cast<uint32_t>(height) + 2)) - 1;
        source.right = static_cast<int>(knobs.Below(static_cast<uint32_t>(width) + 2));
        source.bottom = static_cast<int>(knobs.Below(static_cast<uint32_t>(height) + 2));
    }
    const uint32_t x = knobs.Below(CDisplayDevice::Pitch + 40);
    const uint32_t y = knobs.Below(600 + 40);
    const bool fits = source.left >= 0 && source.top >= 0 && source.right <= width &&
                      source.bottom <= height && source.left < source.right &&
                      source.top < source.bottom &&
                      x + static_cast<uint32_t>(source.Width()) <= 800u &&
                      y + static_cast<uint32_t>(source.Height()) <= 600u;

    const uint16_t background = static_cast<uint16_t>(knobs.Below(0x10000));
    display.ClearBackBuffer(background);
    const HRESULT hr = display.DrawSurface(x, y, const_cast<CBitmapSurface*>(&surface),
                                           partial ? &source : nullptr);
    if (!fits) {
        if (hr != DDERR_INVALIDRECT) return "a rectangle that does not fit was not refused";
        const uint16_t* back = display.BackBuffer();
        for (size_t i = 0; i < 800u * 600u; ++i) {
            if (back[i] != background) return "a refused draw changed the screen";
        }
        return "";
    }
    if (hr != S_OK) return "a rectangle that fits was refused";
    const uint16_t* back = display.BackBuffer();
    const uint16_t* pixels = surface.DirectDrawSurface();
    // The rectangle and a border of one pixel around it.
    for (int dy = -1; dy <= source.Height(); ++dy) {
        for (int dx = -1; dx <= source.Width(); ++dx) {
            const int64_t bx = int64_t{x} + dx;
            const int64_t by = int64_t{y} + dy;
            if (bx < 0 || by < 0 || bx >= 800 || by >= 600) continue;
            uint16_t expected = background;
            if (dx >= 0 && dy >= 0 && dx < source.Width() && dy < source.Height()) {
                const uint16_t p =
                    pixels[display::PixelIndex(source.left + dx, source.top + dy, width)];
                if (p != keyPixel) expected = p;
            }
            if (back[by * CDisplayDevice::Pitch + bx] != expected) {
                return "the keyed draw put a wrong pixel on the screen";
            }
        }
    }
    return "";
}

}  // namespace

Rig::Rig() {
    previous_ = platform::CurrentBackend();
    platform::SetBackend(&backend_);
    backend_.OpenWindow("reader checks");
    const bool screen = display_.OpenFullScreen(800, 600, 16) == S_OK;
    sound_ = std::make_unique<CSoundDevice>();
    const bool audio = Succeeded(sound_->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16));
    dir_ = MakeScratchDir();
    ready_ = screen && audio && !dir_.empty();
}

Rig::~Rig() {
    sound_.reset();
    display_.ReleaseObjects();
    platform::SetBackend(previous_);
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
}

std::string Rig::Write(const std::string& name, const uint8_t* data, size_t size) const {
    const std::string path = PathOf(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return "";
    const bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok ? path : "";
}

std::string CheckBmp(Rig& rig, const uint8_t* data, size_t size) {
    Knobs knobs(Hash(data, size));
    display::DecodedBitmap picture;
    const bool decoded = display::DecodeBmp(data, size, picture);
    if (decoded) {
        if (picture.width <= 0 || picture.height <= 0 || picture.width > display::MaxBitmapSide ||
            picture.height > display::MaxBitmapSide) {
            return "decoded a picture of a size out of range";
        }
        if (picture.pixels.size() != display::PixelCount(picture.width, picture.height)) {
            return "the decoded pixels do not fill the picture";
        }
        for (COLORREF c : picture.pixels) {
            if (c & 0xFF000000u) return "a decoded colour with bits above blue";
        }
    }

    const std::string path = rig.Write("picture.bmp", data, size);
    if (path.empty()) return "could not write the scratch file";
    CBitmapSurface* loaded = nullptr;
    HRESULT hr = rig.Display().LoadBitmapSurface(&loaded, path.c_str(), 0, 0);
    std::unique_ptr<CBitmapSurface> surface(loaded);
    if (!decoded) {
        if (Succeeded(hr) || surface) return "LoadBitmapSurface took a picture DecodeBmp refused";
        return "";
    }
    if (hr != S_OK || !surface) return "LoadBitmapSurface refused a picture DecodeBmp read";
    if (surface->Width() != picture.width || surface->Height() != picture.height) {
        return "the surface does not have the picture's size";
    }
    for (int i = 0; i < 4; ++i) {
        const int x = static_cast<int>(knobs.Below(static_cast<uint32_t>(picture.width)));
        const int y = static_cast<int>(knobs.Below(static_cast<uint32_t>(picture.height)));
        if (surface->ReadPixelColour(x, y) !=
            Rgb565ToColourRef(ColourRefToRgb565(picture.At(x, y)))) {
            return "a surface pixel differs from the decoded picture";
        }
    }

    // Key on a colour of the picture, or on one of the game's two key colours.
    COLORREF key = PanelKeyColour;
    switch (knobs.Below(3)) {
        case 0:
            key = picture.At(static_cast<int>(knobs.Below(static_cast<uint32_t>(picture.width))),
                             static_cast<int>(knobs.Below(static_cast<uint32_t>(picture.height))));
            break;
        case 1:
            key = SpriteKeyColour;
            break;
    }
    if (surface->SetKeyColour(key) != S_OK) return "SetKeyColour refused a loaded surface";
    const uint16_t keyPixel = ColourRefToRgb565(key);
    std::string problem = CheckSpans(*surface, keyPixel);
    if (problem.empty()) problem = CheckKeyedDraw(rig.Display(), *surface, keyPixel, knobs);
    if (!problem.empty()) return problem;

    // The same file resampled to another size, and a resampled copy of any source rectangle,
    // even one reaching outside the picture. Very large pictures skip this third decoding.
    if (picture.pixels.size() > kLargePicture) return "";
    const int width = 1 + static_cast<int>(knobs.Below(64));
    const int height = 1 + static_cast<int>(knobs.Below(64));
    loaded = nullptr;
    hr = rig.Display().LoadBitmapSurface(&loaded, path.c_str(), width, height);
    std::unique_ptr<CBitmapSurface> resampled(loaded);
    if (hr != S_OK || !resampled) return "LoadBitmapSurface refused to resample a picture";
    if (resampled->Width() != width || resampled->Height() != height) {
        return "the resampled surface does not have the size asked for";
    }
    if (resampled->ReadPixelColour(0, 0) !=
        Rgb565ToColourRef(ColourRefToRgb565(picture.At(0, 0)))) {
        return "the resampled surface does not start with the picture's first pixel";
    }
    const auto around = [&](int side) {
        return static_cast<int>(knobs.Below(static_cast<uint32_t>(side) * 2 + 3)) - side - 1;
    };
    const int sx = around(picture.width);
    const int sy = around(picture.height);
    const int sw = around(picture.width);
    const int sh = around(picture.height);
    hr = resampled->CopyBitmapIn(&picture, sx, sy, sw, sh);
    if (hr != S_OK && hr != E_INVALIDARG) return "CopyBitmapIn gave an unexpected result";
    return "";
}

// ---- WAVE ----

std::string CheckWave(Rig& rig, const uint8_t* data, size_t size) {
    Knobs knobs(Hash(data, size));
    const std::string path = rig.Write("sound.wav", data, size);
    if (path.empty()) return "could not write the scratch file";

    // The reader on its own: the data chunk comes out in pieces of any size, as bytes that are in
    // the file, never more than the chunk claims, and again from the start after a rewind.
    CWaveReader reader;
    HRESULT hr = reader.OpenForReading(path.c_str());
    if (hr != S_OK && hr != E_FAIL) return "OpenForReading gave an unexpected result";
    const bool opened = hr == S_OK;
    const uint32_t dataSize = reader.DataSize();
    std::vector<uint8_t> head;  // the first sample bytes, as read in pieces
    constexpr size_t kHeadBytes = 4096;
    if (!opened) {
        if (dataSize != 0) return "a refused file reports a data size";
    } else {
        if (!reader.Format()) return "an opened file has no format";
        // A sound's buffer is sized by the data size: never more than the file itself holds.
        if (dataSize > size) return "the data size claims more bytes than the file holds";
        static constexpr uint32_t kPieces[] = {1, 7, 4096, 3, 65536};
        std::vector<uint8_t> piece(65536 + 16);
        uint64_t total = 0;
        for (int i = 0;; ++i) {
            const uint32_t want = kPieces[i % 5];
            uint32_t got = 0xDEADBEEF;
            hr = reader.Read(piece.data(), want, &got);
            if (hr == E_FAIL) return "a read failed although the file holds the data it counts";
            if (hr != S_OK) return "Read gave an unexpected result";
            if (got > want) return "Read gave more bytes than asked for";
            if (got == 0) {
                if (total != dataSize) return "the data ended before its data size";
                break;
            }
            total += got;
            if (total > dataSize) return "Read went past the end of the data chunk";
            if (total > size) return "Read gave more bytes than the file holds";
            const size_t keep =
                std::min<size_t>(got, kHeadBytes - std::min(head.size(), kHeadBytes));
            head.insert(head.end(), piece.begin(), piece.begin() + static_cast<long>(keep));
        }
        if (!head.empty() &&
            std::search(data, data + size, head.begin(), head.end()) == data + size) {
            return "Read gave bytes that are not in the file";
        }
        if (reader.ResetFile() != S_OK) return "ResetFile failed on an opened file";
        std::vector<uint8_t> again(std::min<size_t>(head.size(), 64));
        uint32_t got = 0;
        if (!again.empty()) {
            if (reader.Read(again.data(), static_cast<uint32_t>(again.size()), &got) != S_OK ||
                got != again.size() || !std::equal(again.begin(), again.end(), head.begin())) {
                return "after ResetFile the data does not start over";
            }
        }
    }
    reader.CloseFile();

    // The whole file into a sound with two voices, played for a moment.
    const uint32_t flags = knobs.Flip() ? DSBCAPS_CTRLVOLUME : 0;
    CSound* loaded = nullptr;
    hr = rig.Sound().LoadSound(&loaded, path.c_str(), flags, GUID_NULL, 2);
    std::unique_ptr<CSound> sound(loaded);
    if (Failed(hr)) {
        if (sound) return "a failed LoadSound handed out a sound";
        return "";
    }
    if (!sound) return "LoadSound succeeded without a sound";
    if (!opened) return "LoadSound took a file the reader refused";
    if (sound->BufferBytes() != dataSize || sound->BufferCount() != 2) {
        return "the sound does not hold the data chunk in two buffers";
    }
    CSoundBuffer* first = sound->BufferAt(0);
    const uint32_t compare =
        static_cast<uint32_t>(std::min<size_t>({head.size(), 64, first->BufferBytes()}));
    if (compare > 0) {
        void* region = nullptr;
        uint32_t length = 0;
        if (first->Lock(0, compare, &region, &length, nullptr, nullptr, 0) != S_OK) {
            return "the loaded buffer cannot be locked";
        }
        const bool same = length == compare && std::memcmp(region, head.data(), compare) == 0;
        first->Unlock(region, length, nullptr, 0);
        if (!same) return "the loaded buffer does not start with the file's sample data";
    }
    if (flags & DSBCAPS_CTRLVOLUME) {
        first->SetVolume(-static_cast<int32_t>(knobs.Below(10001)));
    }
    if (Failed(sound->StartSound(0, knobs.Flip() ? DSBPLAY_LOOPING : 0))) {
        return "a loaded sound does not start";
    }
    rig.Backend().RenderAudio(1 + static_cast<int>(knobs.Below(2048)));
    uint32_t cursor = 0;
    for (uint32_t i = 0; i < sound->BufferCount(); ++i) {
        if (Failed(sound->BufferAt(i)->GetCurrentPosition(&cursor, nullptr)) ||
            cursor >= sound->BufferBytes()) {
            return "a play cursor outside its buffer";
        }
    }
    sound->StopSound();
    return "";
}

// ---- score.dat ----

namespace {

bool EntryIsValid(const persistence::HighScoreTable& table, int i) {
    using persistence::HighScoreFieldSize;
    if (!std::memchr(table.names[i], '\0', HighScoreFieldSize) ||
        !std::memchr(table.checksums[i], '\0', HighScoreFieldSize)) {
        return false;
    }
    return persistence::EntryDigest(table.scores[i], table.names[i]) == table.checksums[i];
}

bool EntryIsEmpty(const persistence::HighScoreTable& table, int i) {
    static const char zeros[persistence::HighScoreFieldSize] = {};
    return table.scores[i] == 0 && std::memcmp(table.names[i], zeros, sizeof zeros) == 0 &&
           std::memcmp(table.checksums[i], zeros, sizeof zeros) == 0;
}

bool SameEntries(const persistence::HighScoreTable& a, const persistence::HighScoreTable& b) {
    return std::memcmp(a.scores, b.scores, sizeof a.scores) == 0 &&
           std::memcmp(a.names, b.names, sizeof a.names) == 0 &&
           std::memcmp(a.checksums, b.checksums, sizeof a.checksums) == 0;
}

}  // namespace

std::string CheckScoreFile(Rig& rig, const uint8_t* data, size_t size) {
    using namespace persistence;
    Knobs knobs(Hash(data, size));
    const std::string path = rig.Write("score.dat", data, size);
    if (path.empty()) return "could not write the scratch file";

    // A run of valid entries straight from the file, then nothing.
    HighScoreTable table;
    LoadHighScores(table, path);
    std::vector<uint8_t> file(HighScoreFileSize, 0);
    std::copy(data, data + std::min<size_t>(size, HighScoreFileSize), file.begin());
    int valid = 0;
    while (valid < HighScoreCount && EntryIsValid(table, valid)) {
        const uint8_t* record = file.data() + static_cast<size_t>(valid) * HighScoreRecordSize;
        int32_t score = 0;
        for (int b = 3; b >= 0; --b)
            score = static_cast<int32_t>((uint32_t(score) << 8) | record[b]);
        if (table.scores[valid] != score ||
            std::memcmp(table.names[valid], record + 4, HighScoreFieldSize) != 0 ||
            std::memcmp(table.checksums[valid], record + 4 + HighScoreFieldSize,
                        HighScoreFieldSize) != 0) {
            return "a loaded entry differs from its record in the file";
        }
        ++valid;
    }
    for (int i = valid; i < HighScoreCount; ++i) {
        if (!EntryIsEmpty(table, i)) return "an entry after the first refused one is not empty";
    }

    // Saving what was loaded keeps the valid records byte for byte and reads back the same.
    HighScoreTable saved = table;
    const std::string copyPath = rig.PathOf("score-copy.dat");
    if (!SaveHighScores(saved, copyPath)) return "SaveHighScores failed";
    const std::optional<std::string> written = ReadWholeFile(copyPath);
    if (!written || written->size() != size_t{HighScoreFileSize}) {
        return "the saved file does not have 2080 bytes";
    }
    if (std::memcmp(written->data(), file.data(),
                    static_cast<size_t>(valid) * HighScoreRecordSize) != 0) {
        return "saving changed a loaded record";
    }
    HighScoreTable reread;
    LoadHighScores(reread, copyPath);
    if (!SameEntries(reread, saved)) return "a saved table does not read back the same";

    // A round score offered to the loaded table is saved and reads back as the table holds it.
    const int32_t roundScore = static_cast<int32_t>(knobs.Below(0xFFFFFFFFu)) | 1;
    EnterRoundScore(saved, roundScore, copyPath);
    LoadHighScores(reread, copyPath);
    if (!SameEntries(reread, saved)) return "the table after a new score does not read back";
    return "";
}

// ---- INI ----

namespace {

// The file's lines as the INI reader splits them, without the line breaks (and without any
// carriage returns at the line ends, which a write may normalise).
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The new file is the old one with the option's line replaced or inserted, or with the option's
// section appended: every other line is kept.
bool OnlyTheOptionChanged(std::string_view before, std::string_view after, std::string_view pair) {
    const std::vector<std::string_view> old = Lines(before);
    const std::vector<std::string_view> now = Lines(after);
    if (now.size() == old.size()) {
        size_t differing = 0;
        for (size_t i = 0; i < old.size(); ++i) {
            if (old[i] != now[i]) {
                if (now[i] != pair) return false;
                ++differing;
            }
        }
        return differing <= 1;
    }
    if (now.size() == old.size() + 1) {
        size_t i = 0;
        while (i < old.size() && old[i] == now[i]) ++i;
        return now[i] == pair && std::equal(old.begin() + static_cast<long>(i), old.end(),
                                            now.begin() + static_cast<long>(i) + 1);
    }
    if (now.size() == old.size() + 2) {
        return std::equal(old.begin(), old.end(), now.begin()) && now[old.size()] == "[options]" &&
               now[old.size() + 1] == pair;
    }
    return false;
}

}  // namespace

std::string CheckIniFile(Rig& rig, const uint8_t* data, size_t size) {
    using namespace persistence;
    Knobs knobs(Hash(data, size));
    const std::string path = rig.Write("tannenquirl.ini", data, size);
    if (path.empty()) return "could not write the scratch file";
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    Options before;
    LoadOptions(before, path);
    if (before.MusicOn != 0 && before.MusicOn != 2) return "the music option is neither on nor off";
    if (IniFile::Parse(text).Serialize() != text) {
        return "a file written back untouched is not the same file";
    }
    if (size > (1u << 20)) return "";  // too long to be read as an options file

    const char* value = knobs.Flip() ? "1" : "0";
    if (!SaveSoundOption(value, path)) return "SaveSoundOption failed";
    const std::optional<std::string> after = ReadWholeFile(path);
    if (!after) return "the written file cannot be read";
    Options reread;
    LoadOptions(reread, path);
    if (reread.MusicOn != (value[0] == '1' ? 0 : 2)) return "the written option does not read back";
    if (reread.StreamMusic != before.StreamMusic) return "writing the sound option changed another";
    if (!OnlyTheOptionChanged(text, *after, std::string("sound=") + value)) {
        return "writing the sound option changed other lines";
    }
    if (!SaveSoundOption(value, path) || ReadWholeFile(path) != after) {
        return "writing the same option again changed the file";
    }
    return "";
}

std::string CheckRoundFile(Rig&, const uint8_t* data, size_t size) {
    using namespace platform::replay;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RoundFileProblem problem = RoundFileProblem::None;
    const std::optional<RoundFile> file = DecodeRoundFile(bytes, problem);
    if (!file) return problem == RoundFileProblem::None ? "refused without a reason" : "";
    if (problem != RoundFileProblem::None) return "read, yet a problem was named";
    if (EncodeRoundFile(*file) != bytes) return "the file read does not code back to its bytes";

    // Every answer a replay could ask for decodes or is refused; a replay reads no more answers
    // than the game asks questions, so the check stops where a long round would.
    RoundStreamReader reader;
    uint64_t read = 0;
    for (const RoundBlock& block : file->blocks) {
        reader.BeginBlock(block.bytes);
        for (uint32_t i = 0; i < block.answers && read < 200000; ++i, ++read) {
            Answer answer;
            if (!reader.Read(answer)) break;
            if (static_cast<int>(answer.call) > static_cast<int>(Call::End))
                return "an answer to a question the game never asks";
        }
    }

    // The inheritance is applied whole or not at all, and what was applied is what comes back.
    if (!presentation::Menu) presentation::CreateMainMenu();
    const std::string before = app::CaptureRoundInheritance();
    if (!app::ApplyRoundInheritance(file->inheritance)) {
        return app::CaptureRoundInheritance() == before ? ""
                                                        : "a refused inheritance changed the game";
    }
    const std::string applied = app::CaptureRoundInheritance();
    if (!app::ApplyRoundInheritance(applied) || app::CaptureRoundInheritance() != applied)
        return "an applied inheritance does not come back as it went in";
    return "";
}

}  // namespace readercheck
