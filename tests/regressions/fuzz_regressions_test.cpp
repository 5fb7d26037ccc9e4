// Every input with which a fuzzer once broke a reader, replayed through the same checks the
// fuzzers run, together with the fuzzers' seed files: each must be refused cleanly or read
// correctly. The inputs live in tests/regressions/<reader>/ and fuzz/corpus/<reader>/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/bitmap_surface.h"
#include "display/bmp_decoder.h"
#include "persistence/atomic_file.h"
#include "persistence/ini_file.h"
#include "persistence/options.h"
#include "regressions/reader_checks.h"

namespace {

namespace fs = std::filesystem;

using Check = std::string (*)(readercheck::Rig&, const uint8_t*, size_t);

struct Reader {
    const char* name;
    Check check;
};

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

// The kept inputs of one reader, regressions first, each folder in name order.
std::vector<fs::path> InputsOf(const std::string& reader) {
    std::vector<fs::path> inputs;
    for (const fs::path& folder : {fs::path(TQ_SOURCE_DIR) / "tests/regressions" / reader,
                                   fs::path(TQ_SOURCE_DIR) / "fuzz/corpus" / reader}) {
        std::vector<fs::path> files;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    return inputs;
}

class FuzzRegressions : public ::testing::TestWithParam<Reader> {};

TEST_P(FuzzRegressions, EveryKeptInputIsRefusedOrReadCorrectly) {
    readercheck::Rig rig;
    ASSERT_TRUE(rig.Ready());
    const std::vector<fs::path> inputs = InputsOf(GetParam().name);
    EXPECT_FALSE(inputs.empty());
    for (const fs::path& input : inputs) {
        const std::vector<uint8_t> bytes = ReadAll(input);
        EXPECT_EQ(GetParam().check(rig, bytes.data(), bytes.size()), "") << input;
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzRegressions,
                         ::testing::Values(Reader{"bmp", &readercheck::CheckBmp},
                                           Reader{"wave", &readercheck::CheckWave},
                                           Reader{"score", &readercheck::CheckScoreFile},
                                           Reader{"ini", &readercheck::CheckIniFile},
                                           Reader{"round", &readercheck::CheckRoundFile}),
                         [](const ::testing::TestParamInfo<Reader>& instance) {
                             return std::string(instance.param.name);
                         });

// What the fuzzers found, stated directly.

TEST(FuzzFindings, CopyingFromAnEmptyOrNegativeSourceRectangleIsRefused) {
    readercheck::Rig rig;
    ASSERT_TRUE(rig.Ready());
    const std::string path = (fs::path(TQ_SOURCE_DIR) / "fuzz/corpus/bmp/rgb24.bmp").string();
    CBitmapSurface* loaded = nullptr;
    ASSERT_EQ(rig.Display().LoadBitmapSurface(&loaded, path.c_str(), 5, 4), S_OK);
    std::unique_ptr<CBitmapSurface> surface(loaded);
    const COLORREF before = surface->ReadPixelColour(2, 2);

    display::DecodedBitmap picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels.assign(6, MakeColourRef(0, 255, 0));
    for (const auto& [sw, sh] : {std::pair{-1, 2}, std::pair{3, -5}, std::pair{-3, -2}}) {
        EXPECT_EQ(surface->CopyBitmapIn(&picture, 0, 0, sw, sh), E_INVALIDARG) << sw << "x" << sh;
    }
    const display::DecodedBitmap empty;
    EXPECT_EQ(surface->CopyBitmapIn(&empty, 0, 0, 0, 0), E_INVALIDARG);
    EXPECT_EQ(surface->ReadPixelColour(2, 2), before) << "a refused copy leaves the surface";

    // A source rectangle reaching outside the picture copies black for the part outside.
    ASSERT_EQ(surface->CopyBitmapIn(&picture, -3, 0, 6, 2), S_OK);
    EXPECT_EQ(surface->ReadPixelColour(0, 0), 0u);
    EXPECT_EQ(surface->ReadPixelColour(4, 3), MakeColourRef(0, 255, 0));
}

TEST(FuzzFindings, RunLengthLinesLongerThanAnIntCanCountStayInsideThePicture) {
    // A 1x2 picture whose first line strings 8.5 million runs of 255 pixels together, more than
    // two billion pixels right of the picture: they are dropped, quickly, and the next line still
    // lands where it belongs.
    std::vector<uint8_t> file = {'B', 'M'};
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](uint32_t v) {
        file.push_back(static_cast<uint8_t>(v));
        file.push_back(static_cast<uint8_t>(v >> 8));
    };
    constexpr uint32_t kRuns = 8'500'000;
    const uint32_t offset = 14 + 40 + 3 * 4;
    put32(offset + kRuns * 2 + 8);
    put32(0);
    put32(offset);
    put32(40);
    put32(1);  // width
    put32(2);  // height, bottom-up
    put16(1);
    put16(8);
    put32(1);  // run-length encoded, 8 bits
    put32(kRuns * 2 + 8);
    put32(0);
    put32(0);
    put32(3);  // palette entries
    put32(0);
    for (uint32_t bgr0 : {0x000000u, 0xFF0000u, 0x00FF00u}) put32(bgr0);  // black, red, green
    file.insert(file.end(), {1, 2});  // the visible pixel of the first line: green
    for (uint32_t i = 1; i < kRuns; ++i) file.insert(file.end(), {255, 1});
    file.insert(file.end(), {0, 0, 1, 1, 0, 1});  // end of line, one red pixel, end of picture

    display::DecodedBitmap picture;
    ASSERT_TRUE(display::DecodeBmp(file.data(), file.size(), picture));
    ASSERT_EQ(picture.pixels.size(), 2u);
    EXPECT_EQ(picture.At(0, 1), MakeColourRef(0, 255, 0));
    EXPECT_EQ(picture.At(0, 0), MakeColourRef(255, 0, 0));
}

TEST(FuzzFindings, IniLinesKeepTheirOwnLineBreaksAcrossWrites) {
    // A last line ending in a stray carriage return gets a line feed when the option is added
    // behind it; writing the same option again must not then turn every line break into CR LF.
    readercheck::Rig rig;
    ASSERT_TRUE(rig.Ready());
    const std::string stray = "[video]\nscale=2\nnote=x\r";
    const std::string path =
        rig.Write("stray.ini", reinterpret_cast<const uint8_t*>(stray.data()), stray.size());
    ASSERT_TRUE(persistence::SaveSoundOption("1", path));
    const std::optional<std::string> first = persistence::ReadWholeFile(path);
    EXPECT_EQ(first, stray + "\n[options]\nsound=1\n");
    ASSERT_TRUE(persistence::SaveSoundOption("1", path));
    EXPECT_EQ(persistence::ReadWholeFile(path), first);

    // In a file with both kinds of line break every untouched line keeps its own; added lines
    // take CR LF, as the file has some.
    persistence::IniFile mixed =
        persistence::IniFile::Parse("[a]\r\nx=1\n[options]\nstream=0\r\n\n[b]\ny=2");
    EXPECT_EQ(mixed.Serialize(), "[a]\r\nx=1\n[options]\nstream=0\r\n\n[b]\ny=2");
    mixed.SetString("options", "sound", "0");
    mixed.SetString("c", "z", "3");
    EXPECT_EQ(mixed.Serialize(),
              "[a]\r\nx=1\n[options]\nstream=0\r\nsound=0\r\n\n[b]\ny=2\r\n[c]\r\nz=3\r\n");
}

}  // namespace
