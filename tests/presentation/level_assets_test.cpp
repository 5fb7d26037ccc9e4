#include "presentation/level_assets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "presentation/loading_screen.h"
#include "presentation/screen_surfaces.h"
#include "sound/music_stream.h"
#include "sound/sound.h"
#include "sound/sound_system.h"
#include "sound/sound_test_support.h"
#include "support/in_directory.h"
#include "world/level_layout.h"
#include "world/world_fixture.h"

namespace {

using namespace presentation;
using world::EntityTable;

class LevelAssetsTest : public world_testing::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        LoadingStepsShown = 0;
    }
    void Bmp(const std::string& path, int width, int height, COLORREF colour) {
        world_testing::WriteSolidBmp(dir_.Path() / path, width, height, colour);
    }
    testing_support::InDirectory inside_{dir_.Path()};
};

TEST_F(LevelAssetsTest, AFirstLoadShows148StepsAndPlacesTheSceneryAReloadDoesNot) {
    EXPECT_EQ(LoadLevelAssets(&display_, true), 0);
    EXPECT_EQ(LoadingStepsShown, 148) << "144 pictures, the sounds, three regions";
    EXPECT_NEAR(LoadingProgress, 14.8f, 1e-3f);
    EXPECT_EQ(backend_.PresentCount(), 148);
    EXPECT_EQ(gamestate::TransparentPixelColour, CLR_INVALID) << "no loading hare";
    ASSERT_NE(world::PlayerWeapon, nullptr);
    EXPECT_EQ(EntityTable[world::entity_index::Clock].kind, world::kind::Clock);
    EXPECT_EQ(EntityTable[world::entity_index::Clock].spawnable, 0);

    // A reload after a display loss keeps the weapon and leaves the table alone.
    world::PlayerWeapon->crossbowAvailable = world::Unlocked;
    world::EntityTable[world::entity_index::Clock].kind = 0;
    LoadingStepsShown = 0;
    LoadLevelAssets(&display_, false);
    EXPECT_EQ(LoadingStepsShown, 145);
    EXPECT_EQ(world::PlayerWeapon->crossbowAvailable, world::Unlocked);
    EXPECT_EQ(EntityTable[world::entity_index::Clock].kind, 0);

    // A new game starts with a new weapon.
    LoadLevelAssets(&display_, true);
    EXPECT_EQ(world::PlayerWeapon->crossbowAvailable, world::Locked);
}

TEST_F(LevelAssetsTest, ScaledCopiesTakeTheirSizeFromImageOne) {
    Bmp("grafik/tiere/wildschwein1.bmp", 40, 20, 0x00203040);
    Bmp("grafik/tiere/wildschwein2.bmp", 80, 60, 0x00203040);
    Bmp("grafik/tiere/rabe1.bmp", 24, 8, 0x00000080);
    Bmp("grafik/tiere/rabe4.bmp", 48, 16, 0x00008000);
    Bmp("grafik/tiere/wachtel4.bmp", 64, 32, 0x00008000);  // no image 1: own size
    LoadLevelAssets(&display_, true);
    for (int image : {1, 2}) {
        ASSERT_NE(gamestate::BoarSprites.at(gamestate::HalfSize, image), nullptr);
        EXPECT_EQ(gamestate::BoarSprites.at(gamestate::HalfSize, image)->Width(), 20);
        EXPECT_EQ(gamestate::BoarSprites.at(gamestate::HalfSize, image)->Height(), 10);
        EXPECT_EQ(gamestate::BoarSprites.at(gamestate::QuarterSize, image)->Width(), 10);
        EXPECT_EQ(gamestate::BoarSprites.at(gamestate::QuarterSize, image)->Height(), 5);
    }
    EXPECT_EQ(gamestate::BoarSprites.at(gamestate::FullSize, 2)->Width(), 80);
    EXPECT_EQ(gamestate::BoarSprites.at(gamestate::QuarterSize, 4), nullptr);
    // The small raven looks left whichever way it faces.
    ASSERT_NE(gamestate::RavenSprites.at(gamestate::HalfSize, 4), nullptr);
    EXPECT_EQ(gamestate::RavenSprites.at(gamestate::HalfSize, 4)->Width(), 12);
    EXPECT_EQ(gamestate::RavenSprites.at(gamestate::HalfSize, 4)->ReadPixelColour(0, 0),
              0x00000084u);
    EXPECT_EQ(gamestate::RavenSprites.at(gamestate::FullSize, 4)->Width(), 48);
    EXPECT_EQ(gamestate::QuailSprites.at(gamestate::HalfSize, 4)->Width(), 64);
    EXPECT_TRUE(gamestate::BoarSprites.at(gamestate::HalfSize, 1)->HasKeyColour());
}

TEST_F(LevelAssetsTest, TheLoadingHareGivesTheTransparentColourAndRunsAcrossTheScreen) {
    // 30 frames of 10 pixels; the corner is the key colour the hit tests compare against.
    std::vector<COLORREF> hare(300 * 20, 0x00408020);
    hare[0] = SpriteKeyColour;
    world_testing::WriteBmp(dir_.Path() / "grafik/tiere/Hase4.bmp", 300, 20, hare);
    Bmp("grafik/screens/loadingscreen.bmp", 800, 600, 0x00101010);
    LoadLoadingScreen(&display_);
    LoadLevelAssets(&display_, true);
    EXPECT_EQ(gamestate::TransparentPixelColour,
              Rgb565ToColourRef(ColourRefToRgb565(SpriteKeyColour)));
    // The last step was drawn at progress 14.7: 14 x 44 pixels along.
    const std::vector<uint16_t>& frame = backend_.LastFrame();
    EXPECT_EQ(frame[306 * 800 + 616], ColourRefToRgb565(0x00408020));
    EXPECT_EQ(frame[306 * 800 + 626], ColourRefToRgb565(0x00101010));
    EXPECT_EQ(frame[306 * 800 + 615], ColourRefToRgb565(0x00101010));
    ReleaseScreenSurfaces();
}

TEST_F(LevelAssetsTest, TheWholeHuntingGroundShowsItsOwnLoadingScreen) {
    Bmp("grafik/screens/loadingscreen.bmp", 800, 600, 0x00101010);
    Bmp("grafik/screens/loadingscreen_revier.bmp", 800, 600, 0x00008000);
    LoadLoadingScreen(&display_);
    ASSERT_NE(LoadingScreenSurface, nullptr);
    EXPECT_EQ(LoadingScreenSurface->ReadPixelColour(400, 518), 0x00101010u);
    gamestate::Game.PanoramaMode = true;
    LoadLoadingScreen(&display_);
    ASSERT_NE(LoadingScreenSurface, nullptr);
    EXPECT_EQ(LoadingScreenSurface->ReadPixelColour(400, 518),
              Rgb565ToColourRef(ColourRefToRgb565(0x00008000)));
    // A pack without it shows the plain one.
    std::filesystem::remove(dir_.Path() / "grafik/screens/loadingscreen_revier.bmp");
    LoadLoadingScreen(&display_);
    ASSERT_NE(LoadingScreenSurface, nullptr);
    EXPECT_EQ(LoadingScreenSurface->ReadPixelColour(400, 518), 0x00101010u);
    ReleaseScreenSurfaces();
}

TEST_F(LevelAssetsTest, OnlyTheMiddleAndNearLayersAreKeyed) {
    for (const char* name : {"E13", "E23", "E33"}) {
        Bmp(std::string("grafik/hintergrund/") + name + ".bmp", 720, 600, 0x00406080);
    }
    Bmp("grafik/ingame/info_mg.bmp", 328, 54, 0x00406080);
    LoadLevelAssets(&display_, true);
    EXPECT_FALSE(gamestate::BackgroundTiles[gamestate::FarLayer][3]->HasKeyColour());
    EXPECT_TRUE(gamestate::BackgroundTiles[gamestate::MidLayer][3]->HasKeyColour());
    EXPECT_TRUE(gamestate::BackgroundTiles[gamestate::NearLayer][3]->HasKeyColour());
    EXPECT_TRUE(gamestate::ScenePictures[gamestate::MachineGunInfoPicture]->HasKeyColour());
}

TEST_F(LevelAssetsTest, PlacedObjectsFollowTheirPicturesThroughAReload) {
    Bmp("grafik/objekte/level1/flasche.bmp", 50, 30, 0x00406080);
    Bmp("grafik/tiere/rabe1.bmp", 24, 8, 0x00000080);
    LoadLevelAssets(&display_, true);
    const world::Entity& bottle = EntityTable[world::entity_index::Bottle2];
    EXPECT_EQ(bottle.sprites[1][world::LeftStrip],
              gamestate::ScenePictures[gamestate::BottlePicture]);
    EXPECT_EQ(bottle.frameWidth[1], 10);
    const world::Entity& raven = EntityTable[world::entity_index::PowerLineRaven1];
    EXPECT_EQ(raven.sprites[3][world::RightStrip],
              gamestate::RavenSprites.at(gamestate::HalfSize, 4));
    EXPECT_EQ(raven.state, 1);
    EXPECT_EQ(raven.frame, 0.0f);

    LoadLevelAssets(&display_, false);
    EXPECT_EQ(bottle.sprites[1][world::LeftStrip],
              gamestate::ScenePictures[gamestate::BottlePicture])
        << "the reloaded picture, not the deleted one";
    EXPECT_EQ(raven.sprites[3][world::LeftStrip],
              gamestate::RavenSprites.at(gamestate::HalfSize, 1));
}

TEST_F(LevelAssetsTest, EffectSoundsAreMadeOnceAndTheMenuMusicFadesOnlyOnTheWayIn) {
    sound::SoundDevice = new CSoundDevice;
    ASSERT_EQ(sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16), S_OK);
    const std::vector<uint8_t> wave =
        soundtest::PcmWave(2, 44100, 16, soundtest::Bytes16(soundtest::NoiseSamples(88200)));
    for (const char* file : gamestate::EffectSoundFiles) {
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(wave.data()), std::streamsize(wave.size()));
    }
    std::filesystem::create_directories("sounds/music");
    for (const char* file : {"sounds/music/menu01.wav", "sounds/music/ingame01.wav"}) {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(wave.data()), std::streamsize(wave.size()));
    }
    sound::OpenMusic("sounds/music/menu01.wav");
    ASSERT_NE(sound::MusicStream, nullptr);
    CSoundBuffer* music = sound::MusicStream->BufferAt(0);

    LoadLevelAssets(&display_, true);
    CSound* first[gamestate::EffectSoundCount];
    for (int i = 0; i < gamestate::EffectSoundCount; ++i) {
        ASSERT_NE(gamestate::EffectSounds[i], nullptr) << gamestate::EffectSoundFiles[i];
        first[i] = gamestate::EffectSounds[i];
    }
    int32_t volume = 0;
    music->GetVolume(&volume);
    EXPECT_NEAR(volume, -5920, 1) << "faded by 400 per unit of progress";
    EXPECT_EQ(gamestate::GameMusic, nullptr) << "streamed music needs no whole-file copy";

    LoadLevelAssets(&display_, true);
    for (int i = 0; i < gamestate::EffectSoundCount; ++i)
        EXPECT_EQ(gamestate::EffectSounds[i], first[i]);

    music->SetVolume(0);
    LoadLevelAssets(&display_, false);
    music->GetVolume(&volume);
    EXPECT_EQ(volume, 0) << "a reload after a display loss leaves the music alone";
}

TEST(LevelCatalogue, EveryPictureHasAFileInTheGameFolders) {
    for (int i = 0; i < gamestate::ScenePictureCount; ++i) {
        ASSERT_NE(gamestate::ScenePictureFiles[i], nullptr) << i;
        EXPECT_EQ(std::string(gamestate::ScenePictureFiles[i]).rfind("grafik/", 0), 0u) << i;
    }
    for (int i = 0; i < gamestate::EffectSoundCount; ++i)
        ASSERT_NE(gamestate::EffectSoundFiles[i], nullptr) << i;
}

}  // namespace
