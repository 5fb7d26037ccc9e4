// The main menu: one screen with the background picture, six buttons, the game logo and five
// hunting trophies. Opening the high-score or credits window slides the whole picture 400 pixels
// to the left while the buttons fly off upwards one after another and the back button rises from
// below. The high-score window shows the result of the round just played and takes the player's
// name for a new entry. The trophies hide a puzzle: clicking them in a secret order lights them
// all, and the next round is longer.
#pragma once

#include <atomic>
#include <cstdint>

#include "persistence/high_scores.h"
#include "presentation/name_entry.h"

class CBitmapSurface;
class CDisplayDevice;
class CSound;

namespace presentation {

class MainMenu {
  public:
    enum Button {
        GameStartButton,
        HighScoresButton,
        CreditsButton,
        BackButton,
        QuitButton,
        SoundButton,
        ButtonCount
    };
    enum Window { NoWindow = 0, HighScoresWindow = 1, CreditsWindow = 2 };
    enum Bitmap {
        BackgroundBitmap,
        LogoBitmap,
        GameStartBitmap,
        HighScoresBitmap,
        CreditsBitmap,
        BackBitmap,
        QuitBitmap,
        SoundBitmap,
        CreditsWindowBitmap,
        HighScoresWindowBitmap,
        DeerTrophyBitmap,
        HareTrophyBitmap,
        BoarTrophyBitmap,
        WoodpeckerTrophyBitmap,
        DuckTrophyBitmap,
        BitmapCount
    };
    static constexpr int TrophyCount = 5;
    static constexpr int TrophySlots = 6;
    // Once this many trophies have been hit in order, all stay lit and the next round is longer.
    static constexpr int TrophySequenceLength = 5;
    static constexpr float OpenSlide = 400.0f;

    // Empty bitmaps and sound, the start screen showing, the high-score table and the options
    // read from their files.
    MainMenu();
    ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // At every menu entry: buttons back to rest, trophies dark, a new secret trophy order (from
    // the standard generator, seeded with the tick count), no name being typed. The slide and the
    // window shown stay as they are, so a finished round can open the menu on its result.
    void ResetMenu();
    // Loads the menu bitmaps, creates the click sound if missing and shows the menu screen.
    bool EnterMenu();
    // (Re)loads every menu bitmap; also used after the display lost its surfaces.
    void LoadMenuBitmaps();
    // Updates and draws the whole menu for one frame. clickX -1 = no click this frame.
    bool MenuFrame(int cursorX, int cursorY, int clickX, int clickY, float averageFrameTime);
    // The round has ended: open the high-score window at once, offer `RoundScore` to the table
    // on the next menu frame, and keep the back button from reacting for 1.5 s.
    void OpenRoundResult(uint32_t now);

    struct ButtonRow {
        int32_t restY = 0;
        int32_t state = 1;  // 1 normal, 2 under the cursor; sound: MusicOn + 1 or + 2
    };

    CDisplayDevice* display = nullptr;  // set by the display start-up; target of all drawing
    CBitmapSurface* bitmaps[BitmapCount] = {};
    CSound* clickSound = nullptr;  // played by the menu screen on every click
    float slide = 0.0f;            // 0 closed .. 400 window fully open
    int32_t slideDirection = 0;    // +10 opening, -10 closing, 0 still
    int32_t windowShown = NoWindow;
    ButtonRow buttons[ButtonCount];
    // 0 music on, 2 off. The music thread reads it while the sound button changes it.
    std::atomic<int32_t> MusicOn{0};
    uint32_t trophyLightOff[TrophySlots] = {};  // tick after which a lit trophy goes dark
    int32_t trophyFrames[TrophySlots] = {};     // 0 dark, 1 lit
    int32_t trophySequence[TrophySlots] = {};   // five trophy numbers, then -1
    int32_t sequencePosition = 0;               // trophies of the sequence hit in order so far
    persistence::HighScoreTable highScores;
    int32_t StreamMusic = 1;  // 1 streamed music, 0 whole-file music
    NameEntryKeys nameKeys;

  private:
    void DrawButtons(int s);
    void UpdateClosedMenuButtons(int cursorX, int cursorY, int clickX, int clickY);
    void ToggleMusic();
    void UpdateBackButton(int cursorX, int cursorY, int clickX, int clickY, uint32_t now);
    void DrawHighScoreWindow(uint32_t now);
    void MoveSlide(float averageFrameTime);
    void UpdateTrophies(int s, int clickX, int clickY, uint32_t now);
    void DrawFrame(Bitmap bitmap, int frames, int frame, int x, int y);
};

// The one menu of the game, created once the program runs in its data directory.
extern MainMenu* Menu;

// The score of the round just played (the round state's score), shown and entered by the
// high-score window; the back button sets it to 0.
int32_t& RoundScore();

// Creates `Menu` if it does not exist yet (reading score.dat and the options file).
MainMenu* CreateMainMenu();
// Deletes `Menu`.
void ReleaseMenu();

}  // namespace presentation
