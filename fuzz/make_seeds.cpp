// Writes the seed corpora of the fuzz targets: small valid files of every variant each reader
// knows, and a few that are nearly valid. score.dat seeds are written by the game's own
// SaveHighScores.
//
//   fuzz_seeds DIR    writes DIR/bmp, DIR/wave, DIR/score and DIR/ini (fuzz/corpus in the tree)
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/round_inheritance.h"
#include "display/colour.h"
#include "persistence/high_scores.h"
#include "platform/headless/headless_backend.h"
#include "platform/replay/recording_backend.h"
#include "presentation/main_menu.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}
void AppendText(Bytes& out, const char* text) {
    out.insert(out.end(), text, text + std::strlen(text));
}

bool WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// ---- BMP ----

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// A palette of `count` entries, BGR plus a reserved byte (3 bytes each for the core header).
// Entry 0 is magenta, the game's panel key colour, so that keying has something to remove.
Bytes Palette(int count, bool core) {
    Bytes out;
    for (int i = 0; i < count; ++i) {
        const COLORREF c =
            i == 0 ? PanelKeyColour
                   : MakeColourRef(static_cast<uint8_t>(40 * i), static_cast<uint8_t>(255 - 16 * i),
                                   static_cast<uint8_t>(90 + 7 * i));
        out.push_back(BlueOf(c));
        out.push_back(GreenOf(c));
        out.push_back(RedOf(c));
        if (!core) out.push_back(0);
    }
    return out;
}

// A small picture with a key-coloured frame (index 0) around stripes of the other indices.
int PatternIndex(int x, int y, int width, int height, int colours) {
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1) return 0;
    return 1 + (x + 2 * y) % (colours - 1);
}

// Rows of `bits`-bit pixels, padded to four bytes, bottom row first unless `topDown`.
template <typename Pixel>
Bytes Rows(int width, int height, int bits, bool topDown, Pixel pixel) {
    Bytes out;
    const size_t stride = ((static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32) * 4;
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const uint32_t v = pixel(x, y);
            if (bits < 8) {
                const int perByte = 8 / bits;
                row[static_cast<size_t>(x / perByte)] |=
                    static_cast<uint8_t>(v << (8 - bits * (x % perByte + 1)));
            } else {
                for (int b = 0; b < bits / 8; ++b)
                    row[static_cast<size_t>(x * (bits / 8) + b)] =
                        static_cast<uint8_t>(v >> (8 * b));
            }
        }
        Append(out, row);
    }
    return out;
}

struct BmpParts {
    uint32_t infoSize = 40;
    int width = 0;
    int height = 0;  // negative: top-down
    int bits = 24;
    uint32_t compression = kRgb;
    uint32_t paletteEntries = 0;  // the header's count; 0 = as many as the bit count allows
    Bytes masks;                  // behind a 40-byte header, or inside a longer one
    Bytes palette;
    Bytes pixels;
};

Bytes Bmp(const BmpParts& p) {
    Bytes info;
    Put32(info, p.infoSize);
    if (p.infoSize == 12) {
        Put16(info, static_cast<uint32_t>(p.width));
        Put16(info, static_cast<uint32_t>(p.height));
        Put16(info, 1);
        Put16(info, static_cast<uint32_t>(p.bits));
    } else {
        Put32(info, static_cast<uint32_t>(p.width));
        Put32(info, static_cast<uint32_t>(p.height));
        Put16(info, 1);
        Put16(info, static_cast<uint32_t>(p.bits));
        Put32(info, p.compression);
        Put32(info, static_cast<uint32_t>(p.pixels.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, p.paletteEntries);
        Put32(info, 0);
        if (p.infoSize > 40) {
            Bytes rest = p.masks;
            rest.resize(p.infoSize - 40, 0);
            Append(info, rest);
        } else {
            Append(info, p.masks);
        }
    }
    Bytes out = {'B', 'M'};
    const uint32_t offset = static_cast<uint32_t>(14 + info.size() + p.palette.size());
    Put32(out, static_cast<uint32_t>(offset + p.pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Append(out, info);
    Append(out, p.palette);
    Append(out, p.pixels);
    return out;
}

BmpParts Indexed(int width, int height, int bits, bool topDown = false) {
    const int colours = 1 << bits;
    BmpParts p;
    p.width = width;
    p.height = topDown ? -height : height;
    p.bits = bits;
    p.palette = Palette(colours, false);
    p.pixels = Rows(width, height, bits, topDown, [&](int x, int y) {
        return static_cast<uint32_t>(PatternIndex(x, y, width, height, colours));
    });
    return p;
}

// RGB of the pattern: the key colour on the frame, a gradient inside.
COLORREF PatternColour(int x, int y, int width, int height) {
    if (PatternIndex(x, y, width, height, 8) == 0) return PanelKeyColour;
    return MakeColourRef(static_cast<uint8_t>(30 * x), static_cast<uint8_t>(50 * y),
                         static_cast<uint8_t>(200 - 20 * x));
}

// 8-bit run-length data: runs, an absolute run, a delta, ends of lines and of the picture.
Bytes Rle8Pixels() {
    return {3, 1, 2, 2, 0, 3, 4, 5, 6, 0,  // run of 3, run of 2, absolute 4 5 6 + pad
            0, 0,                          // end of line
            8, 3, 0, 0,                    // a whole row of 3
            0, 2, 2, 1,                    // delta: 2 right, 1 down
            4, 7, 0, 0,                    // run of 4, end of line
            2, 1, 0, 4, 9, 9, 8, 8, 0, 0,  // run, absolute of 4, end of line
            0, 1};                         // end of picture
}
Bytes Rle4Pixels() {
    return {4,  0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0,  // run of 4, absolute of 5 + pad
            10, 0xAB, 0, 0,                             // a whole row, end of line
            0,  2,    3, 1,                             // delta
            3,  0xF1, 0, 0,                             // run, end of line
            0,  1};                                     // end of picture
}

void WriteBmpSeeds(const fs::path& dir) {
    WriteFile(dir / "indexed1.bmp", Bmp(Indexed(9, 4, 1)));
    WriteFile(dir / "indexed4.bmp", Bmp(Indexed(7, 5, 4)));
    BmpParts shortPalette = Indexed(6, 3, 4);
    shortPalette.paletteEntries = 5;
    shortPalette.palette.resize(5 * 4);
    shortPalette.pixels = Rows(6, 3, 4, false, [](int x, int y) { return uint32_t((x + y) % 5); });
    WriteFile(dir / "indexed4_five_colours.bmp", Bmp(shortPalette));
    WriteFile(dir / "indexed8_topdown.bmp", Bmp(Indexed(6, 6, 8, true)));

    BmpParts core = Indexed(5, 3, 8);
    core.infoSize = 12;
    core.palette = Palette(256, true);
    WriteFile(dir / "core_header8.bmp", Bmp(core));

    BmpParts rgb555;
    rgb555.width = 5;
    rgb555.height = 4;
    rgb555.bits = 16;
    rgb555.pixels = Rows(5, 4, 16, false, [](int x, int y) {
        const COLORREF c = PatternColour(x, y, 5, 4);
        return uint32_t(((RedOf(c) >> 3) << 10) | ((GreenOf(c) >> 3) << 5) | (BlueOf(c) >> 3));
    });
    WriteFile(dir / "rgb555.bmp", Bmp(rgb555));

    BmpParts rgb565 = rgb555;
    rgb565.compression = kBitFields;
    Put32(rgb565.masks, 0xF800);
    Put32(rgb565.masks, 0x07E0);
    Put32(rgb565.masks, 0x001F);
    rgb565.pixels = Rows(5, 4, 16, false, [](int x, int y) {
        return uint32_t(ColourRefToRgb565(PatternColour(x, y, 5, 4)));
    });
    WriteFile(dir / "bitfields565.bmp", Bmp(rgb565));

    BmpParts alpha = rgb565;
    alpha.compression = kAlphaBitFields;
    Put32(alpha.masks, 0);
    WriteFile(dir / "alphabitfields565.bmp", Bmp(alpha));

    BmpParts rgb24;
    rgb24.width = 7;
    rgb24.height = 3;
    rgb24.bits = 24;
    rgb24.pixels = Rows(7, 3, 24, false, [](int x, int y) {
        const COLORREF c = PatternColour(x, y, 7, 3);
        return uint32_t(BlueOf(c) | (GreenOf(c) << 8) | (RedOf(c) << 16));
    });
    WriteFile(dir / "rgb24.bmp", Bmp(rgb24));

    BmpParts rgb32;
    rgb32.width = 4;
    rgb32.height = 4;
    rgb32.bits = 32;
    rgb32.pixels = Rows(4, 4, 32, false, [](int x, int y) {
        const COLORREF c = PatternColour(x, y, 4, 4);
        return uint32_t(BlueOf(c) | (GreenOf(c) << 8) | (RedOf(c) << 16));
    });
    WriteFile(dir / "rgb32.bmp", Bmp(rgb32));

    BmpParts v5 = rgb32;
    v5.infoSize = 124;
    v5.height = -3;
    v5.compression = kBitFields;
    Put32(v5.masks, 0x000000FF);  // red in the low byte
    Put32(v5.masks, 0x0000FF00);
    Put32(v5.masks, 0x00FF0000);
    Put32(v5.masks, 0xFF000000);
    v5.pixels = Rows(4, 3, 32, true, [](int x, int y) {
        const COLORREF c = PatternColour(x, y, 4, 3);
        return uint32_t(c | 0xFF000000u);
    });
    WriteFile(dir / "v5_bitfields32_topdown.bmp", Bmp(v5));

    BmpParts v4 = rgb24;
    v4.infoSize = 108;
    WriteFile(dir / "v4_rgb24.bmp", Bmp(v4));

    BmpParts rle8 = Indexed(8, 6, 8);
    rle8.compression = kRle8;
    rle8.pixels = Rle8Pixels();
    WriteFile(dir / "rle8.bmp", Bmp(rle8));

    BmpParts rle4 = Indexed(10, 4, 4);
    rle4.compression = kRle4;
    rle4.pixels = Rle4Pixels();
    WriteFile(dir / "rle4.bmp", Bmp(rle4));

    // Nearly valid: pixel data cut short, a palette cut short, run-length data without its end.
    Bytes cut = Bmp(rgb24);
    cut.resize(cut.size() - 5);
    WriteFile(dir / "rgb24_truncated.bmp", cut);
    BmpParts fewEntries = Indexed(4, 2, 8);
    fewEntries.pixels = Rows(4, 2, 8, false, [](int x, int) { return uint32_t(x); });
    fewEntries.palette.resize(4 * 4);
    fewEntries.paletteEntries = 0;
    Bytes fewBytes = Bmp(fewEntries);
    WriteFile(dir / "indexed8_palette_cut.bmp", fewBytes);
    BmpParts noEnd = rle8;
    noEnd.pixels.resize(noEnd.pixels.size() - 2);
    WriteFile(dir / "rle8_without_end.bmp", Bmp(noEnd));
}

// ---- WAVE ----

struct Chunk {
    const char* id;
    Bytes content;
    int64_t claimedSize = -1;
};

Bytes Fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes out;
    const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    Put16(out, tag);
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * block);
    Put16(out, block);
    Put16(out, bits);
    return out;
}

Bytes Riff(const std::vector<Chunk>& chunks, int64_t claimedRiffSize = -1) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Chunk& chunk : chunks) {
        AppendText(body, chunk.id);
        Put32(body, chunk.claimedSize >= 0 ? static_cast<uint32_t>(chunk.claimedSize)
                                           : static_cast<uint32_t>(chunk.content.size()));
        Append(body, chunk.content);
        if (chunk.content.size() % 2) body.push_back(0);
    }
    Bytes out = {'R', 'I', 'F', 'F'};
    Put32(out, claimedRiffSize >= 0 ? static_cast<uint32_t>(claimedRiffSize)
                                    : static_cast<uint32_t>(body.size()));
    Append(out, body);
    return out;
}

Bytes Samples(size_t count, int bits, uint32_t seed) {
    Bytes out;
    uint32_t x = seed * 2654435761u + 12345;
    for (size_t i = 0; i < count; ++i) {
        x = x * 1664525u + 1013904223u;
        if (bits == 8) {
            out.push_back(static_cast<uint8_t>(x >> 24));
        } else {
            Put16(out, x >> 16);
        }
    }
    return out;
}

Bytes ListInfo() {
    Bytes out;
    AppendText(out, "INFO");
    AppendText(out, "INAM");
    Put32(out, 7);
    AppendText(out, "Schuss");
    out.push_back(0);
    out.push_back(0);  // pad
    AppendText(out, "ISFT");
    Put32(out, 4);
    AppendText(out, "tq\0\0");
    return out;
}

void WriteWaveSeeds(const fs::path& dir) {
    WriteFile(dir / "pcm8_mono.wav",
              Riff({{"fmt ", Fmt(1, 1, 11025, 8)}, {"data", Samples(120, 8, 1)}}));
    WriteFile(dir / "pcm8_stereo.wav",
              Riff({{"fmt ", Fmt(1, 2, 22050, 8)}, {"data", Samples(96, 8, 2)}}));
    WriteFile(dir / "pcm16_mono.wav",
              Riff({{"fmt ", Fmt(1, 1, 8000, 16)}, {"data", Samples(50, 16, 3)}}));
    WriteFile(dir / "pcm16_stereo.wav",
              Riff({{"fmt ", Fmt(1, 2, 44100, 16)}, {"data", Samples(64, 16, 4)}}));
    WriteFile(
        dir / "list_before_data.wav",
        Riff({{"fmt ", Fmt(1, 1, 22050, 16)}, {"LIST", ListInfo()}, {"data", Samples(40, 16, 5)}}));
    WriteFile(dir / "data_before_fmt.wav",
              Riff({{"data", Samples(33, 8, 6)}, {"fmt ", Fmt(1, 1, 11025, 8)}}));
    WriteFile(dir / "odd_chunk_padded.wav", Riff({{"junk", {1, 2, 3}},
                                                  {"fmt ", Fmt(1, 2, 44100, 8)},
                                                  {"fact", {0x10, 0, 0, 0}},
                                                  {"data", Samples(31, 8, 7)}}));
    Bytes fmt18 = Fmt(1, 2, 32000, 16);
    Put16(fmt18, 0);
    WriteFile(dir / "fmt18.wav", Riff({{"fmt ", fmt18}, {"data", Samples(48, 16, 8)}}));

    Bytes extensible = Fmt(0xFFFE, 2, 44100, 16);
    Put16(extensible, 22);
    Put16(extensible, 16);   // valid bits
    Put32(extensible, 0x3);  // channel mask: front left and right
    Append(extensible, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA,
                        0x00, 0x38, 0x9B, 0x71});
    WriteFile(dir / "extensible16.wav", Riff({{"fmt ", extensible}, {"data", Samples(40, 16, 9)}}));

    Bytes mp3 = Fmt(0x55, 2, 44100, 0);
    Put16(mp3, 12);
    Append(mp3, {1, 0, 2, 0, 0, 0, 0x20, 0x01, 1, 0, 0x71, 0x05});
    WriteFile(dir / "other_tag_with_extra.wav",
              Riff({{"fmt ", mp3}, {"data", Samples(30, 8, 10)}}));

    // Nearly valid: a data chunk claiming more than the file holds, a RIFF size ending before
    // the data, a format chunk too short.
    WriteFile(dir / "data_claims_more.wav",
              Riff({{"fmt ", Fmt(1, 1, 11025, 8)}, {"data", Samples(20, 8, 11), 5000}}));
    WriteFile(dir / "riff_ends_early.wav",
              Riff({{"fmt ", Fmt(1, 1, 11025, 8)}, {"data", Samples(20, 8, 12)}}, 4 + 8 + 16));
    Bytes shortFmt = Fmt(1, 1, 11025, 8);
    shortFmt.resize(14);
    WriteFile(dir / "fmt_too_short.wav", Riff({{"fmt ", shortFmt}, {"data", Samples(20, 8, 13)}}));
}

// ---- score.dat ----

void SetName(persistence::HighScoreTable& table, int i, const char* name) {
    std::memset(table.names[i], 0, persistence::HighScoreFieldSize);
    std::strncpy(table.names[i], name, persistence::HighScoreNameLength);
}

Bytes ReadBack(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteScoreSeeds(const fs::path& dir) {
    using persistence::HighScoreTable;
    HighScoreTable empty;
    bool ok = persistence::SaveHighScores(empty, (dir / "empty_table.dat").string());

    // Twenty entries, best first, with German names in Windows-1252 and one of full length.
    HighScoreTable full;
    static const char* const kNames[] = {"J\xe4ger", "Stra\337e",     "Anna", "M\xfcller",
                                         "",         "Wildsau-Willi", "x",    "Zielwasser",
                                         "Hase",     "Ente"};
    for (int i = 0; i < persistence::HighScoreCount; ++i) {
        full.scores[i] = 20000 - 913 * i;
        SetName(full, i, kNames[i % 10]);
    }
    SetName(full, 3, "Ein sehr langer Name, der das ganze Feld ausf\xfcllt");
    full.scores[19] = -5;  // a negative score has a sign in its digest text
    ok = persistence::SaveHighScores(full, (dir / "full_table.dat").string()) && ok;

    // A few entries, then empty ones, with bytes left behind the names' NULs.
    HighScoreTable some;
    for (int i = 0; i < 4; ++i) {
        some.scores[i] = 700 - 100 * i;
        SetName(some, i, kNames[i]);
        std::memcpy(some.names[i] + 30, "ALT", 3);
    }
    ok = persistence::SaveHighScores(some, (dir / "four_entries.dat").string()) && ok;

    // Nearly valid: an entry edited by hand, a file cut short, a file with bytes behind it.
    Bytes edited = ReadBack(dir / "full_table.dat");
    edited[7 * persistence::HighScoreRecordSize] ^= 1;
    ok = WriteFile(dir / "edited_entry.dat", edited) && ok;
    Bytes cut = ReadBack(dir / "full_table.dat");
    cut.resize(1500);
    ok = WriteFile(dir / "cut_short.dat", cut) && ok;
    Bytes longer = ReadBack(dir / "four_entries.dat");
    longer.resize(longer.size() + 100, 0x5A);
    ok = WriteFile(dir / "trailing_bytes.dat", longer) && ok;
    return ok;
}

// ---- INI ----

void WriteIniSeeds(const fs::path& dir) {
    const struct {
        const char* name;
        const char* text;
    } seeds[] = {
        {"plain.ini", "[options]\nsound=1\nstream=1\n"},
        {"crlf_comments_sections.ini",
         "; Tannenquirl Rauze\r\n[display]\r\nwidth=800\r\n\r\n[options]\r\nsound = 0\r\n"
         "# streamed from its file\r\nstream=0\r\n\r\n[other]\r\nkey=value\r\n"},
        {"no_final_break.ini", "[Options]\nSOUND=1"},
        {"key_before_section_quotes.ini", "sound=0\n[options]\nsound=\"1\"\nstream='0'\n"},
        {"duplicates.ini", "[options]\nsound=0\n[options]\nsound=1\nsound=0\n"},
        {"other_section_only.ini", "# settings\n[video]\nfullscreen=1\n"},
        {"empty.ini", ""},
        {"malformed.ini", "[options\nsound\n=1\nstream=+1\n[ options ] x\nsound=99999999999\n"},
        {"blank_lines_between.ini", "[options]\nstream=0\n\n\n[later]\na=b\n"},
        {"mixed_breaks.ini", "[a]\r\nx=1\n[options]\nsound=1\r\n"},
        {"spaces_and_tabs.ini", "  [ options ]  \n\tsound\t=\t1 \nstream = -0\n"},
    };
    for (const auto& seed : seeds) {
        Bytes bytes;
        AppendText(bytes, seed.text);
        WriteFile(dir / seed.name, bytes);
    }
}

}  // namespace

// Recorded rounds made by the recording backend itself over a few hundred frames of everything a
// round asks: the clock, keys, the pad, the cursor, typed text, events, sound and checkpoints.
void WriteRoundSeeds(const fs::path& dir) {
    platform::HeadlessBackend backend;
    backend.OpenWindow("seeds");
    platform::replay::RecordingBackend recorder(backend);
    platform::SetBackend(&recorder);
    presentation::CreateMainMenu();
    const std::vector<uint16_t> frame(platform::ScreenWidth * platform::ScreenHeight, 0);
    for (int frames : {3, 300}) {
        platform::replay::RoundFile header;
        header.gameVersion = "1.0.0";
        header.inheritance = app::CaptureRoundInheritance();
        recorder.Begin(header);
        for (int i = 0; i < frames; ++i) {
            backend.AdvanceTime(16);
            backend.SetCursor(100 + i % 50, 300 - i % 20);
            if (i % 40 == 10) backend.Click(platform::vk::LButton);
            if (i == 100) backend.QueueText("Jörg");
            platform::Event event;
            while (platform::PollEvent(event)) {
            }
            platform::Ticks();
            platform::CursorPos();
            platform::KeyDown(platform::vk::LButton);
            platform::KeyDown(platform::vk::Escape);
            platform::PadDown(platform::PadButton::A);
            platform::TakeTypedText();
            platform::Ticks();
            platform::Observe(i % 7 != 0);
            platform::Present(frame.data(), platform::ScreenWidth);
            if (i % 60 == 59)
                platform::Checkpoint(0x0123456789ABCDEFull * static_cast<uint64_t>(i));
        }
        const std::string bytes = platform::replay::EncodeRoundFile(recorder.End());
        std::ofstream(dir / ("round-" + std::to_string(frames) + ".tqround"), std::ios::binary)
            << bytes;
    }
    presentation::ReleaseMenu();
    platform::SetBackend(nullptr);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    for (const char* reader : {"bmp", "wave", "score", "ini", "round"})
        fs::create_directories(root / reader);
    WriteBmpSeeds(root / "bmp");
    WriteWaveSeeds(root / "wave");
    if (!WriteScoreSeeds(root / "score")) {
        std::fprintf(stderr, "could not write the score.dat seeds\n");
        return 1;
    }
    WriteIniSeeds(root / "ini");
    WriteRoundSeeds(root / "round");
    return 0;
}
