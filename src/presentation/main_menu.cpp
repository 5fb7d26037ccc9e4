#include "presentation/main_menu.h"

#include <cstdio>
#include <cstdlib>

#include "display/bitmap_surface.h"
#include "display/colour.h"
#include "display/display_device.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "gamestate/sound_files.h"
#include "persistence/options.h"
#include "platform/platform.h"
#include "presentation/bitmap_font.h"
#include "sound/music_stream.h"
#include "sound/sound.h"
#include "sound/sound_buffer.h"
#include "sound/sound_system.h"

namespace presentation {

MainMenu* Menu = nullptr;

namespace {

struct BitmapFile {
    const char* path;
    COLORREF key;  // CLR_INVALID: no key colour
    int frames;
};

// In loading order.
constexpr BitmapFile kBitmapFiles[MainMenu::BitmapCount] = {
    {"grafik/menue/menue.bmp", CLR_INVALID, 1},
    {"grafik/menue/gamelogo.bmp", PanelKeyColour, 1},
    {"grafik/menue/bttn_gamestart.bmp", PanelKeyColour, 2},
    {"grafik/menue/bttn_highscores.bmp", PanelKeyColour, 2},
    {"grafik/menue/bttn_credits.bmp", PanelKeyColour, 2},
    {"grafik/menue/bttn_back.bmp", PanelKeyColour, 2},
    {"grafik/menue/bttn_exit.bmp", PanelKeyColour, 2},
    {"grafik/menue/bttn_sound.bmp", PanelKeyColour, 4},
    {"grafik/menue/menu_window_impressum.bmp", PanelKeyColour, 1},
    {"grafik/menue/menu_window_highscores.bmp", PanelKeyColour, 1},
    {"grafik/menue/trophy_hirsch.bmp", SpriteKeyColour, 2},
    {"grafik/menue/trophy_hase.bmp", SpriteKeyColour, 2},
    {"grafik/menue/trophy_schwein.bmp", SpriteKeyColour, 2},
    {"grafik/menue/trophy_specht.bmp", SpriteKeyColour, 2},
    {"grafik/menue/trophy_ente.bmp", SpriteKeyColour, 2},
};

// The trophies by number, with their place at slide 0.
struct TrophyPlace {
    MainMenu::Bitmap bitmap;
    int x0;
    int y0;
};
constexpr TrophyPlace kTrophies[MainMenu::TrophyCount] = {
    {MainMenu::HareTrophyBitmap, 318, 50}, {MainMenu::BoarTrophyBitmap, 208, 66},
    {MainMenu::DeerTrophyBitmap, 120, 22}, {MainMenu::WoodpeckerTrophyBitmap, 37, 34},
    {MainMenu::DuckTrophyBitmap, 36, 147},
};

// Where each button rests (its top), by MainMenu::Button: the buttons of the closed menu from
// the top, the back button of an open window low on the left.
constexpr int32_t RestY[MainMenu::ButtonCount] = {190, 256, 322, 480, 520, 388};
// The buttons of the closed menu take clicks between these x, and 65 pixels below their rest y.
constexpr int ButtonLeft = 450;
constexpr int ButtonRight = 755;
constexpr int ButtonReach = 65;
// The back button of an open window.
constexpr int BackLeft = 50;
constexpr int BackRight = 355;
constexpr int BackTop = RestY[MainMenu::BackButton];
constexpr int BackBottom = BackTop + ButtonReach;

constexpr int WindowX = 388;
constexpr int WindowY = 8;

bool Between(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

int32_t& RoundScore() {
    return gamestate::Round.score;
}

MainMenu::MainMenu() {
    ResetMenu();
    clickSound = nullptr;
    MusicOn = 0;
    gamestate::Game.GameScreen = gamestate::StartScreen;
    windowShown = NoWindow;
    persistence::LoadHighScores(highScores);
    highScores.pendingScore = 0;
    highScores.editing = 0;
    highScores.editIndex = -1;
    highScores.backLockUntil = gamestate::NotScheduled;
    persistence::Options options;
    persistence::LoadOptions(options);
    MusicOn = options.MusicOn;
    StreamMusic = options.StreamMusic;
    // The command line may have turned the whole hunting ground on already; the file only adds.
    if (options.Panorama == 1) gamestate::Game.PanoramaMode = true;
}

MainMenu::~MainMenu() {
    for (CBitmapSurface*& bitmap : bitmaps) {
        delete bitmap;
        bitmap = nullptr;
    }
    delete clickSound;
}

void MainMenu::ResetMenu() {
    std::srand(platform::Ticks());
    for (int b = 0; b < ButtonCount; ++b) buttons[b] = ButtonRow{RestY[b], 1};
    for (int i = 0; i < TrophySlots; ++i) {
        trophyLightOff[i] = 0;
        trophyFrames[i] = 0;
        trophySequence[i] = std::rand() % TrophyCount;
    }
    trophySequence[TrophySequenceLength] = -1;
    sequencePosition = 0;
    highScores.editIndex = -1;
}

void MainMenu::LoadMenuBitmaps() {
    for (int i = 0; i < BitmapCount; ++i) {
        delete bitmaps[i];
        bitmaps[i] = nullptr;
        if (!display) continue;
        CBitmapSurface* surface = nullptr;
        if (display->LoadBitmapSurface(&surface, kBitmapFiles[i].path, 0, 0) < 0) continue;
        if (surface && kBitmapFiles[i].key != CLR_INVALID) {
            surface->SetKeyColour(kBitmapFiles[i].key);
        }
        bitmaps[i] = surface;
    }
}

bool MainMenu::EnterMenu() {
    LoadMenuBitmaps();
    sound::LoadSoundOnce(clickSound, gamestate::sound_file::ShotgunShot);
    DiscardPendingInput(nameKeys);
    gamestate::Game.GameScreen = gamestate::MenuScreen;
    return true;
}

void MainMenu::OpenRoundResult(uint32_t now) {
    slide = OpenSlide;
    windowShown = HighScoresWindow;
    highScores.pendingScore = 1;
    slideDirection = 0;
    highScores.backLockUntil = now + 1500;
    // Keys pressed during the round must not end up in the name.
    DiscardPendingInput(nameKeys);
}

void MainMenu::DrawFrame(Bitmap bitmap, int frames, int frame, int x, int y) {
    CBitmapSurface* surface = bitmaps[bitmap];
    if (!surface || !display) return;
    const int width = surface->Width() / frames;
    const Rect source{frame * width, 0, (frame + 1) * width, surface->Height()};
    // No clipping: a frame that would reach past an edge of the screen is not drawn at all,
    // which is how the buttons vanish as they fly off.
    display->DrawSurface(uint32_t(x), uint32_t(y), surface, &source);
}

void MainMenu::DrawButtons(int s) {
    // The buttons fly off upwards one after another; the back button rises from below.
    auto flight = [this, s](Button b, int start) {
        const int restY = buttons[b].restY;
        return s < start ? restY : restY - (s - start) * (s - start) / 100;
    };
    const int x = ButtonLeft - s;
    DrawFrame(GameStartBitmap, 2, buttons[GameStartButton].state - 1, x,
              flight(GameStartButton, 0));
    DrawFrame(HighScoresBitmap, 2, buttons[HighScoresButton].state - 1, x,
              flight(HighScoresButton, 50));
    DrawFrame(CreditsBitmap, 2, buttons[CreditsButton].state - 1, x, flight(CreditsButton, 100));
    DrawFrame(SoundBitmap, 4, buttons[SoundButton].state - 1, x, flight(SoundButton, 150));
    DrawFrame(QuitBitmap, 2, buttons[QuitButton].state - 1, x, flight(QuitButton, 250));
    DrawFrame(BackBitmap, 2, buttons[BackButton].state - 1, x,
              buttons[BackButton].restY + (400 - s) * (400 - s) / 100);
    DrawFrame(LogoBitmap, 1, 0, 438 - s, 40);
}

void MainMenu::UpdateClosedMenuButtons(int cursorX, int cursorY, int clickX, int clickY) {
    static constexpr Button kMenuButtons[] = {GameStartButton, HighScoresButton, CreditsButton,
                                              SoundButton, QuitButton};
    for (Button b : kMenuButtons) {
        const bool hover = Between(cursorX, ButtonLeft, ButtonRight) &&
                           Between(cursorY, buttons[b].restY, buttons[b].restY + ButtonReach);
        const int normal = b == SoundButton ? MusicOn + 1 : 1;
        buttons[b].state = hover ? normal + 1 : normal;
    }
    if (!Between(clickX, ButtonLeft, ButtonRight)) return;
    for (Button b : kMenuButtons) {
        if (!Between(clickY, buttons[b].restY, buttons[b].restY + ButtonReach)) continue;
        switch (b) {
            case GameStartButton:
                gamestate::Game.GameScreen = gamestate::GamePlayScreen;
                break;
            case HighScoresButton:
                slideDirection = 10;
                windowShown = HighScoresWindow;
                break;
            case CreditsButton:
                slideDirection = 10;
                windowShown = CreditsWindow;
                break;
            case SoundButton:
                ToggleMusic();
                break;
            case QuitButton:
                platform::PostClose();
                break;
            default:
                break;
        }
    }
}

void MainMenu::ToggleMusic() {
    // A failed write is not reported; the option still changes for this run.
    if (MusicOn != 0) {
        persistence::SaveSoundOption("1");
        MusicOn = 0;
        // Streamed music is restarted by the menu screen on its next frame.
        if (StreamMusic == 0 && gamestate::MenuMusic)
            gamestate::MenuMusic->StartSound(0, DSBPLAY_LOOPING);
    } else {
        persistence::SaveSoundOption("0");
        MusicOn = 2;
        if (StreamMusic == 1) {
            if (sound::MusicStream) sound::MusicStream->StopSound();
        } else if (gamestate::MenuMusic) {
            gamestate::MenuMusic->StopSound();
        }
    }
}

void MainMenu::UpdateBackButton(int cursorX, int cursorY, int clickX, int clickY, uint32_t now) {
    const bool typing = persistence::NameEntryOpen(highScores);
    if (typing && !(now > highScores.backLockUntil)) return;
    const bool hover =
        Between(cursorX, BackLeft, BackRight) && Between(cursorY, BackTop, BackBottom);
    buttons[BackButton].state = hover ? 2 : 1;
    if (clickX == -1) return;
    // Any click ends the name entry, keeping the name; one on the button also closes the window
    // and saves the table whether or not a name was typed.
    const bool onButton =
        Between(clickX, BackLeft, BackRight) && Between(clickY, BackTop, BackBottom);
    if (typing || onButton) persistence::EndNameEntry(highScores);
    if (onButton) {
        slideDirection = -10;
        RoundScore() = 0;
    }
}

void MainMenu::DrawHighScoreWindow(uint32_t now) {
    DrawFrame(HighScoresWindowBitmap, 1, 0, WindowX, WindowY);
    char text[32];
    if (RoundScore() != 0) {
        if (MenuFont) {
            MenuFont->DrawString(display, 440, 150, "Sie haben");
            MenuFont->DrawString(display, 650, 150, "Punkte erreicht.");
        }
        if (IngameFont) {
            std::snprintf(text, sizeof(text), "%.6d", int(RoundScore()));
            IngameFont->DrawString(display, 520, 135, text);
        }
        if (highScores.pendingScore == 1) persistence::EnterRoundScore(highScores, RoundScore());
        highScores.pendingScore = 0;
    }
    if (!MenuFont) return;
    for (int i = 0; i < persistence::HighScoreCount; ++i) {
        const int y = 180 + 16 * i;
        std::snprintf(text, sizeof(text), "%.2d.", i + 1);
        MenuFont->DrawString(display, 440, y, text);
        const int nameEnd = MenuFont->DrawString(display, NameColumnX, y, highScores.names[i]);
        std::snprintf(text, sizeof(text), "%.6d", int(highScores.scores[i]));
        MenuFont->DrawString(display, 500, y, text);
        const bool typed = highScores.editing == 1 && highScores.editIndex == i;
        // The cursor blinks with a period of one second.
        if (typed && (now / 500) % 2 == 0 && nameEnd < NameEndLimitX) {
            MenuFont->DrawString(display, nameEnd, y, "_");
        }
    }
}

void MainMenu::MoveSlide(float averageFrameTime) {
    const float step = averageFrameTime / 16.0f + 10.0f;
    if (slideDirection > 0) slide += step;
    if (slideDirection < 0) slide -= step;
    if (slideDirection > 0 && int(slide) >= int(OpenSlide)) {
        slideDirection = 0;
        slide = OpenSlide;
    } else if (slideDirection < 0 && int(slide) <= 0) {
        slideDirection = 0;
        slide = 0.0f;
    }
}

void MainMenu::UpdateTrophies(int s, int clickX, int clickY, uint32_t now) {
    for (int i = 0; i < TrophySlots; ++i) {
        if (now > trophyLightOff[i]) trophyFrames[i] = 0;
        if (sequencePosition == TrophySequenceLength) trophyFrames[i] = 1;
    }
    for (int k = 0; k < TrophyCount; ++k) {
        const TrophyPlace& place = kTrophies[k];
        DrawFrame(place.bitmap, 2, trophyFrames[k], place.x0 - s, place.y0);
        CBitmapSurface* sheet = bitmaps[place.bitmap];
        if (clickX == -1 || !sheet) continue;
        // The test uses the place at slide 0, whatever the slide.
        const int frameWidth = sheet->Width() / 2;
        if (!Between(clickX, place.x0, place.x0 + frameWidth) ||
            !Between(clickY, place.y0, place.y0 + sheet->Height())) {
            continue;
        }
        // Transparent pixels (and the edge just outside the sheet) are misses.
        const COLORREF colour = sheet->ReadPixelColour(clickX - place.x0, clickY - place.y0);
        const COLORREF transparent = Rgb565ToColourRef(ColourRefToRgb565(SpriteKeyColour));
        if (colour == CLR_INVALID || colour == transparent) continue;
        if (trophySequence[sequencePosition] == k) {
            trophyFrames[k] = 1;
            trophyLightOff[k] = now + 1000;
            ++sequencePosition;
        } else {
            sequencePosition = 0;
        }
    }
}

bool MainMenu::MenuFrame(int cursorX, int cursorY, int clickX, int clickY, float averageFrameTime) {
    const uint32_t now = platform::Ticks();
    int s = int(slide);

    if (bitmaps[BackgroundBitmap] && display) {
        const Rect source{s, 0, s + 800, 600};
        display->DrawSurface(0, 0, bitmaps[BackgroundBitmap], &source);
    }
    DrawButtons(s);
    if (s == 0) UpdateClosedMenuButtons(cursorX, cursorY, clickX, clickY);
    if (s == int(OpenSlide)) UpdateBackButton(cursorX, cursorY, clickX, clickY, now);
    if (s == int(OpenSlide) && slideDirection == 0) {
        if (windowShown == HighScoresWindow) DrawHighScoreWindow(now);
        if (windowShown == CreditsWindow) DrawFrame(CreditsWindowBitmap, 1, 0, WindowX, WindowY);
    }
    MoveSlide(averageFrameTime);
    s = int(slide);
    UpdateTrophies(s, clickX, clickY, now);
    NameEntryFrame(highScores, nameKeys, persistence::HighScoreFilePath());
    return true;
}

MainMenu* CreateMainMenu() {
    if (!Menu) Menu = new MainMenu();
    return Menu;
}

void ReleaseMenu() {
    delete Menu;
    Menu = nullptr;
}

}  // namespace presentation
