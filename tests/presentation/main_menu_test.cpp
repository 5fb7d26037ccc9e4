// Menu scenarios on the headless backend: a real MainMenu on a real display device, with the
// mouse, keys, typed text and clock of the test backend, in a fresh directory that holds small
// stand-in pictures and receives score.dat and tannenquirl.ini.
#include "presentation/main_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/game_reset.h"
#include "display/colour.h"
#include "display/display_device.h"
#include "flow/game_frame.h"
#include "gamestate/devices.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "platform/headless/headless_backend.h"
#include "presentation/bitmap_font.h"
#include "sound/sound_system.h"
#include "sound/sound_test_support.h"
#include "support/bmp_fixture.h"
#include "support/file_bytes.h"
#include "support/in_directory.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadFileBytes;

using presentation::MainMenu;
using presentation::Menu;
using testing_support::TempDir;

// Stand-in colours; each survives the 16-bit display format unchanged.
constexpr uint32_t kButtonNormal = 0x00004080;  // frame 0 of every two-frame button
constexpr uint32_t kButtonHover = 0x000080F8;   // frame 1
constexpr uint32_t kSoundFrames[4] = {0x00100000, 0x00200000, 0x00300000, 0x00400000};
constexpr uint32_t kWindowColour = 0x00F80800;
constexpr uint32_t kTrophyDark = 0x00008000;
constexpr uint32_t kTrophyLit = 0x0000F800;

// The background tells its own x: the red channel steps every 8 pixels, the green every 256.
uint32_t BackgroundColour(int x) {
    return uint32_t((x / 8) % 32 * 8) | uint32_t(x / 256 * 32) << 8;
}

class MenuScenario : public ::testing::Test {
  protected:
    void SetUp() override {
        WritePictures();
        platform::SetBackend(&backend_);
        backend_.OpenWindow("menu test");
        backend_.SetTime(10000);
        app::ResetGame();
        gamestate::Display = std::make_unique<CDisplayDevice>();
        ASSERT_EQ(gamestate::Display->OpenFullScreen(800, 600, 16), 0);
        // Frames of 16 ms all along, so the menu slides 16 / 16 + 10 pixels a frame.
        gamestate::ResetFrameTiming();
        for (int i = 0; i <= gamestate::FrameRingSize; ++i) {
            backend_.AdvanceTime(16);
            gamestate::UpdateFrameTiming();
        }
        StartProgram();
    }
    void TearDown() override {
        app::ResetGame();
        platform::SetBackend(nullptr);
    }

    // What the program does from its start to the first menu frame.
    void StartProgram() {
        presentation::ReleaseMenu();
        presentation::CreateMainMenu();
        Menu->display = gamestate::Display.get();
        presentation::CreateMissingFonts(gamestate::Display.get());
        Menu->ResetMenu();
        Menu->EnterMenu();
    }

    static void WritePictures() {
        std::filesystem::create_directories("grafik/menue");
        std::filesystem::create_directories("grafik/font");
        testing_support::WriteBmp("grafik/menue/menue.bmp", 1200, 600,
                                  [](int x, int) { return BackgroundColour(x); });
        for (const char* name : {"gamestart", "highscores", "credits", "back", "exit"}) {
            testing_support::WriteBmp(
                std::string("grafik/menue/bttn_") + name + ".bmp", 612, 66,
                [](int x, int) { return x < 306 ? kButtonNormal : kButtonHover; });
        }
        testing_support::WriteBmp("grafik/menue/bttn_sound.bmp", 4 * 306, 66,
                                  [](int x, int) { return kSoundFrames[x / 306]; });
        for (const char* name : {"menu_window_impressum", "menu_window_highscores"}) {
            testing_support::WriteBmp(std::string("grafik/menue/") + name + ".bmp", 400, 580,
                                      [](int, int) { return kWindowColour; });
        }
        // Trophies of 40 x 40 per frame whose left half is transparent.
        for (const char* name : {"hirsch", "hase", "schwein", "specht", "ente"}) {
            testing_support::WriteBmp(std::string("grafik/menue/trophy_") + name + ".bmp", 80, 40,
                                      [](int x, int) {
                                          if (x % 40 < 20) return SpriteKeyColour;
                                          return x < 40 ? kTrophyDark : kTrophyLit;
                                      });
        }
        for (const auto* style : {&presentation::MenuFontStyle, &presentation::IngameFontStyle}) {
            const int cell = style->cellWidth;
            testing_support::WriteBmp(style->sheetFile, 100 * cell, style->glyphHeight,
                                      [](int, int) { return 0x00F8F8F8u; });
        }
    }

    // One frame of the game's menu screen: the clock moves on, then the real frame reads the
    // cursor, the button (a click on its press edge only) and Escape, updates and draws the menu
    // and presents it.
    void Frame(int x, int y, bool buttonDown = false, uint32_t stepMs = 16) {
        backend_.AdvanceTime(stepMs);
        backend_.SetCursor(x, y);
        backend_.SetKey(platform::vk::LButton, buttonDown);
        flow::GameFrame();
    }
    void Click(int x, int y) {
        Frame(x, y, true);
        Frame(x, y, false);
    }
    void Tap(int key) {
        backend_.SetKey(key, true);
        Frame(0, 0);
        backend_.SetKey(key, false);
        Frame(0, 0);
    }
    void Type(const std::string& utf8) {
        backend_.QueueText(utf8);
        Frame(0, 0);
    }
    void SettleSlide() {
        for (int i = 0; i < 100 && Menu->slideDirection != 0; ++i) Frame(0, 0);
    }
    uint16_t Pixel(int x, int y) const { return backend_.LastFrame()[size_t(y) * 800 + size_t(x)]; }
    static uint16_t Rgb(uint32_t colour) { return ColourRefToRgb565(colour); }

    TempDir dir_;
    testing_support::InDirectory inside_{dir_.Path()};
    platform::HeadlessBackend backend_;
};

TEST_F(MenuScenario, GameStartButtonReactsOnlyInsideItsRectangle) {
    Frame(300, 300);
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuScreen);
    // Everything stands at rest: the background from x 0, the buttons at 450.
    EXPECT_EQ(Pixel(0, 0), Rgb(BackgroundColour(0)));
    EXPECT_EQ(Pixel(450, 190), Rgb(kButtonNormal));
    EXPECT_EQ(Pixel(450, 520), Rgb(kButtonNormal));
    EXPECT_EQ(Pixel(450, 388), Rgb(kSoundFrames[0]));

    Click(449, 190);
    Click(756, 190);
    Click(450, 189);
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuScreen);
    Frame(450, 190);  // hovering only
    EXPECT_EQ(Menu->buttons[MainMenu::GameStartButton].state, 2);
    Frame(450, 190);
    EXPECT_EQ(Pixel(460, 200), Rgb(kButtonHover));
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuScreen);
    Click(450, 190);
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::GamePlayScreen);
}

TEST_F(MenuScenario, WindowsSlideOpenAndShut) {
    Click(600, 330);  // credits
    EXPECT_EQ(Menu->windowShown, MainMenu::CreditsWindow);
    EXPECT_EQ(Menu->slideDirection, 10);
    // Each frame moves 16 / 16 + 10 = 11 pixels; while it slides, no window is drawn and the
    // buttons do not react.
    const float before = Menu->slide;
    Frame(450, 190, true);
    EXPECT_FLOAT_EQ(Menu->slide, before + 11.0f);
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuScreen);
    const int s = int(before);
    EXPECT_EQ(Pixel(0, 0), Rgb(BackgroundColour(s)));
    Frame(0, 0);
    SettleSlide();
    EXPECT_EQ(Menu->slide, 400.0f);
    Frame(0, 0);
    EXPECT_EQ(Pixel(0, 0), Rgb(BackgroundColour(400)));
    EXPECT_EQ(Pixel(390, 10), Rgb(kWindowColour));
    EXPECT_EQ(Pixel(50, 480), Rgb(kButtonNormal));  // the back button has risen to (50, 480)
    EXPECT_EQ(Pixel(60, 190), Rgb(BackgroundColour(460)));  // game start has flown off

    Frame(60, 500);
    EXPECT_EQ(Menu->buttons[MainMenu::BackButton].state, 2);
    Click(355, 545);
    EXPECT_EQ(Menu->slideDirection, -10);
    SettleSlide();
    EXPECT_EQ(Menu->slide, 0.0f);
    Frame(0, 0);
    EXPECT_EQ(Pixel(0, 0), Rgb(BackgroundColour(0)));
    EXPECT_EQ(Pixel(450, 190), Rgb(kButtonNormal));
}

TEST_F(MenuScenario, SoundButtonWritesTheOptionAndShowsItsState) {
    Click(450, 388);
    EXPECT_EQ(Menu->MusicOn, 2);
    EXPECT_EQ(ReadFileBytes("tannenquirl.ini"), "[options]\nsound=0\n");
    // A frame draws the states the previous frame left.
    Frame(300, 300);
    Frame(300, 300);
    EXPECT_EQ(Pixel(450, 388), Rgb(kSoundFrames[2]));
    Frame(450, 400);
    Frame(450, 400);
    EXPECT_EQ(Pixel(450, 388), Rgb(kSoundFrames[3]));
    Click(450, 400);
    EXPECT_EQ(Menu->MusicOn, 0);
    EXPECT_EQ(ReadFileBytes("tannenquirl.ini"), "[options]\nsound=1\n");
    Frame(300, 300);
    Frame(300, 300);
    EXPECT_EQ(Pixel(450, 388), Rgb(kSoundFrames[0]));

    // The next start reads the option back.
    Click(450, 400);
    StartProgram();
    EXPECT_EQ(Menu->MusicOn, 2);
    EXPECT_EQ(Menu->StreamMusic, 1);
}

TEST_F(MenuScenario, TheWholeHuntingGroundComesFromTheOptionsOrTheCommandLine) {
    EXPECT_FALSE(gamestate::Game.PanoramaMode) << "off without a file";
    std::ofstream("tannenquirl.ini") << "[options]\npanorama=1\n";
    StartProgram();
    EXPECT_TRUE(gamestate::Game.PanoramaMode);
    // --panorama wins over a file that says 0.
    std::ofstream("tannenquirl.ini") << "[options]\npanorama=0\n";
    gamestate::Game.PanoramaMode = true;
    StartProgram();
    EXPECT_TRUE(gamestate::Game.PanoramaMode);
    gamestate::Game.PanoramaMode = false;
    StartProgram();
    EXPECT_FALSE(gamestate::Game.PanoramaMode);
}

TEST_F(MenuScenario, QuitButtonAsksTheWindowToClose) {
    platform::Event event;
    while (backend_.PollEvent(event)) {
    }
    Click(755, 585);
    ASSERT_TRUE(backend_.PollEvent(event));
    EXPECT_EQ(event.type, platform::EventType::Close);
}

TEST_F(MenuScenario, EscapeClosesTheGameWhenItIsReleased) {
    platform::Event event;
    backend_.SetKey(platform::vk::Escape, true);
    // The loop's poll before a frame: what arrived until then is that frame's input.
    while (backend_.PollEvent(event)) {
    }
    Frame(300, 300);
    Frame(300, 300);
    EXPECT_FALSE(backend_.PollEvent(event)) << "held: nothing yet";
    backend_.SetKey(platform::vk::Escape, false);
    Frame(300, 300);
    ASSERT_TRUE(backend_.PollEvent(event));
    EXPECT_EQ(event.type, platform::EventType::Close);
}

TEST_F(MenuScenario, AHeldButtonClicksOnceAndEveryPressSoundsTheClick) {
    // The click sound needs a sound device and its file.
    std::filesystem::create_directories("sounds/waffen");
    dir_.Write("sounds/waffen/gewehr02.wav",
               soundtest::PcmWave(1, 22050, 16, std::vector<uint8_t>(400, 0)));
    sound::SoundDevice = new CSoundDevice;
    ASSERT_EQ(sound::SoundDevice->OpenDevice(DSSCL_PRIORITY, 2, 44100, 16), S_OK);
    StartProgram();
    ASSERT_NE(Menu->clickSound, nullptr);
    auto clicksSounded = [] {
        const std::vector<std::string> started = sound::RecentlyStartedSounds();
        return std::count(started.begin(), started.end(), "sounds/waffen/gewehr02.wav");
    };

    // Pressed beside the buttons and held while the cursor moves onto "Spiel starten": the
    // press was seen where it began, so the held button starts nothing.
    Frame(300, 300, true);
    EXPECT_EQ(clicksSounded(), 1);
    for (int i = 0; i < 5; ++i) Frame(600, 222, true);
    EXPECT_EQ(gamestate::Game.GameScreen, gamestate::MenuScreen);
    EXPECT_EQ(clicksSounded(), 1) << "one press, one click";

    // Released and pressed again on the credits button: one click, held over several frames.
    Frame(600, 330);
    for (int i = 0; i < 5; ++i) Frame(600, 330, true);
    EXPECT_EQ(clicksSounded(), 2);
    EXPECT_EQ(Menu->windowShown, MainMenu::CreditsWindow);
    EXPECT_EQ(Menu->slideDirection, 10);
    EXPECT_GT(Menu->slide, 0.0f);
}

TEST_F(MenuScenario, RoundResultTakesANameWithUmlautsAndKeepsItAcrossARestart) {
    presentation::RoundScore() = 4321;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    EXPECT_EQ(Menu->highScores.scores[0], 4321);
    EXPECT_EQ(Menu->highScores.editIndex, 0);
    EXPECT_EQ(Menu->highScores.editing, 1);
    EXPECT_EQ(Menu->highScores.pendingScore, 0);

    // Clicks during the first 1.5 s do not end the entry; characters the font cannot draw are
    // left out.
    Click(100, 500);
    Type("J\xc3\xbcrgen ");
    Type("Gro\xc3\x9f-\xc3\x84\xe2\x82\xac!");
    EXPECT_STREQ(Menu->highScores.names[0], "J\xfcrgen Gro\xdf-\xc4");
    Tap(platform::vk::Back);
    EXPECT_STREQ(Menu->highScores.names[0], "J\xfcrgen Gro\xdf-");
    // Backspace held down briefly removes one character only.
    backend_.SetKey(platform::vk::Back, true);
    for (int i = 0; i < 5; ++i) Frame(0, 0);
    backend_.SetKey(platform::vk::Back, false);
    EXPECT_STREQ(Menu->highScores.names[0], "J\xfcrgen Gro\xdf");
    Tap(platform::vk::Return);
    EXPECT_EQ(Menu->highScores.editing, 0);
    EXPECT_EQ(Menu->highScores.editIndex, -1);
    Type("x");
    EXPECT_STREQ(Menu->highScores.names[0], "J\xfcrgen Gro\xdf");

    StartProgram();
    EXPECT_EQ(Menu->highScores.scores[0], 4321);
    EXPECT_STREQ(Menu->highScores.names[0], "J\xfcrgen Gro\xdf");
}

TEST_F(MenuScenario, KeysFromTheRoundDoNotReachTheName) {
    // The weapon keys typed during the round, and Return still held at its end.
    backend_.QueueText("1212");
    backend_.SetKey(platform::vk::Return, true);
    presentation::RoundScore() = 55;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    Frame(0, 0);
    EXPECT_EQ(Menu->highScores.editIndex, 0);
    EXPECT_STREQ(Menu->highScores.names[0], "");
    backend_.SetKey(platform::vk::Return, false);
    Type("Eva");
    EXPECT_STREQ(Menu->highScores.names[0], "Eva");
}

TEST_F(MenuScenario, AHeldBackspaceRepeatsAsAHeldLetterDoes) {
    presentation::RoundScore() = 300;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    Type("Wilhelmine Kurz");
    auto hold = [this](uint32_t ms) {
        for (uint32_t held = 0; held < ms; held += 16) Frame(0, 0);
    };
    backend_.SetKey(platform::vk::Back, true);
    hold(480);
    EXPECT_STREQ(Menu->highScores.names[0], "Wilhelmine Kur") << "one, then the repeat delay";
    hold(320);
    const size_t afterMoreThanHalfASecond = std::strlen(Menu->highScores.names[0]);
    EXPECT_LE(afterMoreThanHalfASecond, 9u) << Menu->highScores.names[0];
    EXPECT_GE(afterMoreThanHalfASecond, 4u) << "no faster than a keyboard repeats";
    hold(400);
    EXPECT_STREQ(Menu->highScores.names[0], "");
    backend_.SetKey(platform::vk::Back, false);
    Frame(0, 0);

    // Released and pressed again, it starts with one character and the delay once more.
    Type("Eva");
    backend_.SetKey(platform::vk::Back, true);
    hold(400);
    EXPECT_STREQ(Menu->highScores.names[0], "Ev");

    // Still held as the name is done and the next round's result opens: it deletes nothing
    // there, however long it stays down.
    Tap(platform::vk::Return);
    presentation::RoundScore() = 200;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    ASSERT_EQ(Menu->highScores.editIndex, 1);
    Type("Ida");
    hold(1500);
    EXPECT_STREQ(Menu->highScores.names[1], "Ida");
}

TEST(NameCharacters, OnlyDrawableCharactersSurviveAndBrokenTextIsDropped) {
    using presentation::NameCharactersFromUtf8;
    EXPECT_EQ(
        NameCharactersFromUtf8("a-Z 09\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x84\xc3\x96\xc3\x9c\xc3\x9f"),
        "a-Z 09\xe4\xf6\xfc\xc4\xd6\xdc\xdf");
    // Another Latin-1 letter, control characters, an overlong "A", a cut sequence followed by
    // "x", a lone continuation byte, a four-byte emoji and a sequence cut by the end.
    EXPECT_EQ(NameCharactersFromUtf8("\xc3\xa9\t\n\xc1\x81\xc3x\x80\xf0\x9f\x98\x80\xc3"), "x");
    EXPECT_EQ(presentation::Windows1252ToUtf8("Gro\xdf \x80"), "Gro\xc3\x9f \xe2\x82\xac");
}

TEST_F(MenuScenario, NamesStopAtFortyNineCharactersOrTheWindowEdge) {
    presentation::RoundScore() = 10;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    Type(std::string(60, 'i'));  // 3 pixels each: the length limit comes first
    EXPECT_EQ(std::strlen(Menu->highScores.names[0]), 49u);

    // A click once the back button is free again ends the entry and a new round starts another.
    backend_.AdvanceTime(1500);
    Click(600, 300);
    EXPECT_EQ(Menu->highScores.editIndex, -1);
    presentation::RoundScore() = 20;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    ASSERT_EQ(Menu->highScores.editIndex, 0);
    Type(std::string(20, 'W'));  // 16 pixels each: 560 + 12 x 16 reaches 752
    EXPECT_STREQ(Menu->highScores.names[0], std::string(12, 'W').c_str());
}

TEST_F(MenuScenario, BackButtonClosesTheResultAndSaves) {
    presentation::RoundScore() = 777;
    Menu->OpenRoundResult(backend_.Ticks());
    Frame(0, 0);
    Type("Ann");
    backend_.AdvanceTime(1600);
    Click(50, 480);
    EXPECT_EQ(Menu->slideDirection, -10);
    EXPECT_EQ(presentation::RoundScore(), 0);
    persistence::HighScoreTable stored;
    persistence::LoadHighScores(stored);
    EXPECT_EQ(stored.scores[0], 777);
    EXPECT_STREQ(stored.names[0], "Ann");
}

TEST_F(MenuScenario, TrophiesLightInTheSecretOrderAndTransparentPixelsMiss) {
    static constexpr int kPlaces[5][2] = {{318, 50}, {208, 66}, {120, 22}, {37, 34}, {36, 147}};
    auto clickTrophy = [&](int k, bool opaque) {
        Click(kPlaces[k][0] + (opaque ? 30 : 5), kPlaces[k][1] + 10);
    };
    const int first = Menu->trophySequence[0];
    clickTrophy(first, false);
    EXPECT_EQ(Menu->sequencePosition, 0);
    for (int i = 0; i < 4; ++i) {
        clickTrophy(Menu->trophySequence[i], true);
        ASSERT_EQ(Menu->sequencePosition, i + 1);
    }
    Frame(0, 0);
    const int k = Menu->trophySequence[3];
    EXPECT_EQ(Pixel(kPlaces[k][0] + 30, kPlaces[k][1] + 10), Rgb(kTrophyLit));
    backend_.AdvanceTime(1000);
    Frame(0, 0);
    EXPECT_EQ(Pixel(kPlaces[k][0] + 30, kPlaces[k][1] + 10), Rgb(kTrophyDark));

    clickTrophy(Menu->trophySequence[4], true);
    EXPECT_EQ(Menu->sequencePosition, 5);
    backend_.AdvanceTime(5000);
    Frame(0, 0);
    for (const auto& place : kPlaces) {
        EXPECT_EQ(Pixel(place[0] + 30, place[1] + 10), Rgb(kTrophyLit));
    }
    // Any further trophy click starts again.
    clickTrophy(0, true);
    EXPECT_EQ(Menu->sequencePosition, 0);
}

}  // namespace
