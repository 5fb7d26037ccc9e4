#include "autoplayer.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers' allocator keeps its own count (not every compiler ships the header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "display/bitmap_surface.h"
#include "flow/camera.h"
#include "gamestate/asset_catalogue.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/parallax.h"
#include "gamestate/round_state.h"
#include "presentation/background.h"
#include "presentation/main_menu.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/scenery.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace driver {

namespace {

// The bytes the program holds on the heap right now, as the allocator in use counts them.
long HeapInUseKB() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#elif defined(__EMSCRIPTEN__)
    // The browser build's C library (musl with dlmalloc) has only the older call.
    return static_cast<long>(mallinfo().uordblks / 1024);
#else
    return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

namespace kind = world::kind;
using world::Entity;
using world::EntityAt;
using world::EntityTable;

constexpr int KeyReturn = platform::vk::Return;
constexpr int KeyLeft = platform::vk::LButton;
constexpr int KeyRight = platform::vk::RButton;
constexpr int KeyOne = '1';

// Menu places (the start button, the back button of the high-score window).
constexpr int StartButtonX = 600;
constexpr int StartButtonY = 220;
constexpr int BackButtonX = 200;
constexpr int BackButtonY = 510;
// Frames to wait in the menu after a round, for the high-score window and the name entry.
constexpr int RoundOverWaitFrames = 150;

// The bell that plays the next note of the bell melody, while reproducing it can still unlock
// the crossbow. Any bell starts the melody.
int BellPriority(const Entity& e) {
    const world::Weapon* weapon = world::PlayerWeapon;
    if (!weapon || weapon->crossbowAvailable != world::Locked) return 0;
    const gamestate::BellSequence& bells = gamestate::Round.bellSequence;
    if (bells.progress >= 4) return 0;
    if (bells.times[0] == gamestate::NotScheduled) return 60;
    const int32_t note = kind::Bell3 - e.kind + 1;
    return bells.notes[bells.inputPosition] == note ? 60 : 0;
}

// What the selected weapon can use: the dynamite does nothing to birds.
bool ReachableWith(const Entity& e, int32_t weapon) {
    if (weapon != world::Dynamite) return true;
    if (e.kind == kind::Duck || e.kind == kind::Raven) return false;
    return world::DynamiteReaches(e);
}

// Puzzle pieces come before the animals of the quotas, only the clock before them.
constexpr int PuzzlePriority = 150;

// The colour each blossom has to show for the blossom puzzle, which unlocks the crossbow once a
// round: every hit moves a blossom on by one colour.
int32_t BlossomColourWanted(int index) {
    switch (index) {
        case world::entity_index::Blossom3:
            return 1;
        case world::entity_index::Blossom2:
            return 2;
        case world::entity_index::Blossom1:
            return 3;
        default:
            return -1;
    }
}

// True while the blossom puzzle can still be solved this round.
bool BlossomPuzzleOpen() {
    if (gamestate::Round.crossbowTargetHit) return false;
    for (int index : {world::entity_index::Blossom3, world::entity_index::Blossom2,
                      world::entity_index::Blossom1}) {
        const Entity& blossom = EntityAt(index);
        if (blossom.active != 1 || blossom.state == world::state::Hit) return false;
    }
    return true;
}

// A blossom that does not show its colour yet.
int BlossomPriority(const Entity& e, int index) {
    if (!BlossomPuzzleOpen()) return 0;
    return e.shownFrame() != BlossomColourWanted(index) ? PuzzlePriority : 0;
}

bool MachineGunLocked() {
    return world::PlayerWeapon && world::PlayerWeapon->machineGunAvailable == world::Locked;
}

// How much a target is worth aiming at: 0 = leave it alone.
int Priority(const Entity& e, int index) {
    switch (e.kind) {
        case kind::Blossom:
            return BlossomPriority(e, index);
        case kind::Bell1:
        case kind::Bell2:
        case kind::Bell3:
            return BellPriority(e);
        case kind::Clock:
            return 200;  // ten more seconds
        case kind::Boar:
        case kind::Mole:
        case kind::Hare:
        case kind::Duck:
        case kind::Quail:
            return gamestate::Round.QuotaOf(e.kind) > 0 ? 100 : 50;
        case kind::TreeApple:
            return e.state == world::FallingState ? 90 : 0;  // 200 points
        case kind::FenceEye:
            return 80;
        case kind::Apple:
        case kind::Deer:
            return 60;
        case kind::Raven:
            return 40;
        case kind::BearTarget:
            return MachineGunLocked() ? PuzzlePriority : 30;  // any hit unlocks the machine gun
        case kind::AppleStalk:
        case kind::Mushroom:
            return 30;
        case kind::Bottle:
        case kind::Pot:
        case kind::PowerBoxCover:
        case kind::SmallBoulder:
        case kind::TinCan:
        case kind::Cork:
        case kind::Acorn:
        case kind::BigAcorn:
        case kind::TreeEyes:
        case kind::Woodpecker:
            return 20;
        default:
            return 0;
    }
}

// The weapons take turns, one magazine each.
int32_t NextWeapon(const world::Weapon& weapon) {
    const int32_t availability[5] = {0, weapon.shotgunAvailable, weapon.crossbowAvailable,
                                     weapon.dynamiteAvailable, weapon.machineGunAvailable};
    for (int step = 1; step <= 4; ++step) {
        const int32_t candidate = (weapon.selected - 1 + step) % 4 + 1;
        if (availability[candidate] > 0) return candidate;
    }
    return weapon.selected;
}

// The camera the game will have after scrolling for a cursor at `cursorX`.
float PredictCamera(int cursorX, float frameMs) {
    const gamestate::RoundState& round = gamestate::Round;
    return flow::ScrolledCamera(gamestate::Game.CameraX, cursorX, static_cast<double>(frameMs),
                                round.cameraMin, round.cameraMax);
}

float PlaneScroll(int plane, float camera) {
    return gamestate::LayerScroll(world::LayerOfPlane(plane), camera);
}

// The pixels after which a plane's picture repeats round the world.
float PlanePeriod(int plane) {
    return static_cast<float>(gamestate::LayerPeriod(world::LayerOfPlane(plane)));
}

// How far a plane moves for each pixel the camera moves, in the camera's precision.
float PlaneParallax(int plane) {
    return static_cast<float>(gamestate::Parallax(world::LayerOfPlane(plane)));
}

// How far a plane scrolls from `from` to `to`, the short way round the world: a camera that
// crosses the seam jumps by a whole world but moves only a few pixels.
float ScrollStep(int plane, float from, float to) {
    const float period = PlanePeriod(plane);
    float step = PlaneScroll(plane, to) - PlaneScroll(plane, from);
    if (step > period / 2) step -= period;
    if (step < -period / 2) step += period;
    return step;
}

// How far the entity will have moved on the screen by the next draw.
int PredictShiftX(const Entity& e, float frameMs, float newCamera) {
    float shift = 0.0f;
    const bool walking = e.kind == kind::Duck || e.state == world::state::Walking ||
                         e.state == world::state::SlowWalk;
    if (world::StandsAtWorldPosition(e.kind) && walking) {
        shift = static_cast<float>(e.direction) * world::PixelsPerSpeedUnit * frameMs / 1000.0f *
                PlaneParallax(e.plane);
    }
    return static_cast<int>(
        std::lround(shift - ScrollStep(e.plane, gamestate::Game.CameraX, newCamera)));
}

int PredictShiftY(const Entity& e, float frameMs) {
    if (e.kind == kind::TreeApple && e.state == world::FallingState) {
        return static_cast<int>(std::lround(8.0f * 48.0f * frameMs / 1000.0f));
    }
    return 0;
}

bool Opaque(const CBitmapSurface* strip, int column, int row) {
    const COLORREF colour = strip->ReadPixelColour(column, row);
    return colour != gamestate::TransparentPixelColour && colour != CLR_INVALID;
}

// A pixel of the entity's frame that a shot in the coming frame will find opaque: well inside
// the picture (so that a pixel or two of error does not matter) and not hidden by a background
// layer in front of it. Prefers the middle of the picture.
bool FindAimPoint(const Entity& e, int cursorX, float frameMs, Autoplayer::Aim& aim) {
    const world::StripFrame shown = e.shownStripFrame();
    const CBitmapSurface* strip = shown.strip;
    if (!strip) return false;
    // The column of the strip at the left edge of what was drawn.
    const int frameLeft = shown.left + e.clipLeft;
    const int width = e.sourceRect.right - e.sourceRect.left;
    const int height = e.sourceRect.bottom;
    const int top = static_cast<int>(e.y);
    float camera = PredictCamera(cursorX, frameMs);
    int dx = PredictShiftX(e, frameMs, camera);
    const int dy = PredictShiftY(e, frameMs);
    for (int margin : {5, 2, 0}) {
        long best = -1;
        for (int pass = 0; pass < 2; ++pass) {
            // The aim decides the cursor, and the cursor the scroll: aim once without, then once
            // with the scroll the first aim causes.
            best = -1;
            for (int row = 0; row < height; row += 2) {
                for (int column = 0; column < width; column += 2) {
                    const int x = e.screenX + column + dx;
                    const int y = top + row + dy;
                    if (x < 0 || x >= 800 || y < 0 || y >= 600) continue;
                    const int sx = frameLeft + column;
                    if (!Opaque(strip, sx, row)) continue;
                    if (margin > 0 &&
                        (column < margin || column + margin >= width ||
                         !Opaque(strip, sx - margin, row) || !Opaque(strip, sx + margin, row) ||
                         !Opaque(strip, sx, row - margin) || !Opaque(strip, sx, row + margin))) {
                        continue;
                    }
                    if (!(e.hitPlane < presentation::LayerHitAt(x, y, camera))) continue;
                    const long ddx = column - width / 2;
                    const long ddy = row - height / 2;
                    const long distance = ddx * ddx + ddy * ddy;
                    if (best >= 0 && distance >= best) continue;
                    best = distance;
                    aim.x = x;
                    aim.y = y;
                }
            }
            if (best < 0) break;
            const float scrolled = PredictCamera(aim.x, frameMs);
            if (scrolled == camera) break;
            camera = scrolled;
            dx = PredictShiftX(e, frameMs, camera);
        }
        if (best >= 0) return true;
    }
    return false;
}

// The camera that shows `e`, scenery of its plane, in the middle of the screen.
float CameraShowing(const Entity& e) {
    const float period = PlanePeriod(e.plane);
    float scroll = e.x + static_cast<float>(e.shownStripFrame().width) / 2.0f - 400.0f;
    if (scroll < 0.0f) scroll += period;
    return std::fmod(std::round(scroll / PlaneParallax(e.plane)), world::WorldWidth);
}

// From the camera to `goal`, the short way round the world (negative: to the left).
float CameraDistance(float goal) {
    float distance = goal - gamestate::Game.CameraX;
    if (distance > world::WorldWidth / 2) distance -= world::WorldWidth;
    if (distance < -world::WorldWidth / 2) distance += world::WorldWidth;
    return distance;
}

// A cursor that scrolls towards `distance` away: at the edge while far, slower when close.
int SteeringCursorX(float distance) {
    if (std::abs(distance) < 8.0f) return 400;
    const int push = std::abs(distance) > 150.0f ? 190 : 60;
    return distance > 0.0f ? 600 + push : 200 - push;
}

}  // namespace

Autoplayer::Aim Autoplayer::ChooseTarget(int cursorX, int cursorY, float frameMs) const {
    struct Candidate {
        int index;
        int priority;
        long distance;
    };
    Candidate candidates[world::EntityCount];
    int count = 0;
    for (int i = 0; i < world::EntityCount; ++i) {
        const Entity& e = EntityAt(i);
        if (e.active != 1 || e.state == world::state::Hit) continue;
        if (gamestate::Round.RoundClock < ignoredUntil_[i]) continue;
        const int priority = Priority(e, i);
        if (priority == 0 || !ReachableWith(e, world::SelectedWeapon())) continue;
        const int width = e.sourceRect.right - e.sourceRect.left;
        const int height = e.sourceRect.bottom;
        const int top = static_cast<int>(e.y);
        if (width <= 0 || height <= 0 || e.screenX >= 800 || top >= 600 || top + height <= 0) {
            continue;
        }
        const long dx = e.screenX + width / 2 - cursorX;
        const long dy = top + height / 2 - cursorY;
        candidates[count++] = {i, priority, dx * dx + dy * dy};
    }
    std::sort(candidates, candidates + count, [](const Candidate& a, const Candidate& b) {
        return a.priority != b.priority ? a.priority > b.priority : a.distance < b.distance;
    });
    Aim aim;
    for (int c = 0; c < std::min(count, 8); ++c) {
        if (FindAimPoint(EntityAt(candidates[c].index), cursorX, frameMs, aim)) {
            aim.index = candidates[c].index;
            return aim;
        }
    }
    return Aim{};
}

void Autoplayer::Tap(platform::HeadlessBackend& backend, int key) {
    backend.SetKey(key, true);
    if (tappedCount_ < 4) tapped_[tappedCount_++] = key;
}

void Autoplayer::ReleaseTaps(platform::HeadlessBackend& backend) {
    for (int i = 0; i < tappedCount_; ++i) backend.SetKey(tapped_[i], false);
    tappedCount_ = 0;
}

Autoplayer::TargetLook Autoplayer::LookAt(int index) {
    const Entity& e = EntityAt(index);
    const gamestate::RoundState& round = gamestate::Round;
    return TargetLook{index,
                      round.score,
                      round.RoundEnd,
                      round.bellSequence.progress * 8 + round.bellSequence.inputPosition,
                      e.active,
                      e.state,
                      e.firstFrame,
                      e.hitCount,
                      e.y};
}

void Autoplayer::CountShots() {
    const world::Weapon* weapon = world::PlayerWeapon;
    if (!weapon) return;
    const int32_t selected = weapon->selected;
    const bool fired = selected == lastSelected_ && weapon->roundsLeft < lastRoundsLeft_;
    if (fired && selected >= 1 && selected <= 4) {
        shotsFired_[selected] += lastRoundsLeft_ - weapon->roundsLeft;
    }
    if (fired && aimedAt_.index >= 0) JudgeShot();
    if (fired || selected != lastSelected_) aimedAt_.index = -1;
    lastSelected_ = selected;
    lastRoundsLeft_ = weapon->roundsLeft;
}

void Autoplayer::JudgeShot() {
    const int index = aimedAt_.index;
    const TargetLook now = LookAt(index);
    const bool changed = now.score != aimedAt_.score || now.roundEnd != aimedAt_.roundEnd ||
                         now.bells != aimedAt_.bells || now.active != aimedAt_.active ||
                         now.state != aimedAt_.state || now.firstFrame != aimedAt_.firstFrame ||
                         now.hitCount != aimedAt_.hitCount || now.y != aimedAt_.y;
    if (changed) {
        fruitlessShots_[index] = 0;
        return;
    }
    // Something in front takes the shot (the big boulder before the moles of the meadow): leave
    // this target alone for a while.
    if (++fruitlessShots_[index] >= FruitlessShotsAllowed) {
        fruitlessShots_[index] = 0;
        ignoredUntil_[index] = gamestate::Round.RoundClock + IgnoreFruitlessMs;
    }
}

void Autoplayer::BeforeFrame(platform::HeadlessBackend& backend, int frame) {
    if (gamestate::Game.GameScreen == gamestate::GamePlayScreen) CountShots();
    // A key tapped on the last frame is up on this one, so that the next press is an edge.
    const bool tappedLastFrame = tappedCount_ > 0;
    ReleaseTaps(backend);
    if (tappedLastFrame) return;
    if (gamestate::Game.GameScreen == gamestate::GamePlayScreen) {
        if (!inRound_) {
            for (float& waited : goalWaitMs_) waited = 0.0f;
            for (uint32_t& until : ignoredUntil_) until = 0;
            for (int& shots : fruitlessShots_) shots = 0;
            aimedAt_.index = -1;
        }
        inRound_ = true;
        InGame(backend);
    } else if (gamestate::Game.GameScreen != gamestate::StartScreen) {
        InMenu(backend, frame);
    }
}

void Autoplayer::InMenu(platform::HeadlessBackend& backend, int frame) {
    const presentation::MainMenu* menu = presentation::Menu;
    if (!menu) return;
    if (inRound_) {
        inRound_ = false;
        roundOver_ = true;
        roundOverFrames_ = 0;
        typed_ = false;
        ++roundsPlayed_;
        heapKBAtRoundEnds_.push_back(HeapInUseKB());
    }
    if (menu->highScores.editing == 1) {
        if (!typed_) {
            backend.QueueText(PlayerName);
            typed_ = true;
            typedFrame_ = frame;
        } else if (frame - typedFrame_ > 10) {
            Tap(backend, KeyReturn);
        }
        return;
    }
    if (roundOver_) {
        if (++roundOverFrames_ < RoundOverWaitFrames) return;
        if (roundsToPlay_ > 0 && roundsPlayed_ >= roundsToPlay_) {
            if (!closeRequested_) backend.PostClose();
            closeRequested_ = true;
            return;
        }
        if (menu->windowShown != presentation::MainMenu::NoWindow && menu->slide > 0.0f) {
            // Back to the buttons, once the window has opened fully and the back button reacts.
            if (menu->slide >= presentation::MainMenu::OpenSlide && menu->slideDirection == 0) {
                backend.SetCursor(BackButtonX, BackButtonY);
                Tap(backend, KeyLeft);
            }
            return;
        }
        if (menu->slide == 0.0f) roundOver_ = false;
        return;
    }
    if (menu->slide == 0.0f && menu->slideDirection == 0) {
        backend.SetCursor(StartButtonX, StartButtonY);
        Tap(backend, KeyLeft);
    }
}

float Autoplayer::PuzzleGoal() {
    if (!gamestate::Game.PanoramaMode) return -1.0f;
    if (BlossomPuzzleOpen() && goalWaitMs_[BlossomGoal] < GoalPatienceMs) {
        currentGoal_ = BlossomGoal;
        return CameraShowing(EntityTable[world::entity_index::Blossom2]);
    }
    const Entity& target = EntityTable[world::entity_index::BearTarget1];
    if (MachineGunLocked() && target.active == 1 && goalWaitMs_[BearGoal] < GoalPatienceMs) {
        currentGoal_ = BearGoal;
        return CameraShowing(target);
    }
    return -1.0f;
}

void Autoplayer::InGame(platform::HeadlessBackend& backend) {
    world::Weapon* weapon = world::PlayerWeapon;
    const gamestate::RoundState& round = gamestate::Round;
    if (!weapon || round.RoundEnd == 0 ||
        gamestate::Game.StartScreenTime != gamestate::NotScheduled)
        return;
    const float frameMs = gamestate::AverageFrameTime > 0.0f ? gamestate::AverageFrameTime : 16.0f;
    const platform::Point cursor = backend.CursorPos();

    if (weapon->roundsLeft == 0) {
        // Empty: on to the next weapon available, or reload when there is no other.
        const int32_t next = NextWeapon(*weapon);
        Tap(backend, next == weapon->selected ? KeyRight : KeyOne + next - 1);
        return;
    }
    // On the whole hunting ground the puzzles of the meadow and the field are worth the way.
    const float goal = PuzzleGoal();
    if (goal >= 0.0f) {
        const float distance = CameraDistance(goal);
        if (std::abs(distance) > 200.0f) {
            backend.SetCursor(SteeringCursorX(distance), 300);
            return;
        }
        goalWaitMs_[currentGoal_] += frameMs;
    }
    const Aim aim = ChooseTarget(cursor.x, cursor.y, frameMs);
    if (aim.index < 0 && goal >= 0.0f) {
        backend.SetCursor(SteeringCursorX(CameraDistance(goal)), 300);
        return;
    }
    if (aim.index < 0) {
        // Nothing in sight: sweep the camera from one end of its range to the other.
        if (gamestate::Game.CameraX >= static_cast<float>(round.cameraMax)) sweep_ = -1;
        if (gamestate::Game.CameraX <= static_cast<float>(round.cameraMin)) sweep_ = 1;
        backend.SetCursor(sweep_ > 0 ? 780 : 20, 300);
        return;
    }
    backend.SetCursor(aim.x, aim.y);
    // A press before the weapon is ready would be lost.
    if (weapon->canFire(round.RoundClock + static_cast<uint32_t>(frameMs), true)) {
        Tap(backend, KeyLeft);
        aimedAt_ = LookAt(aim.index);
    }
}

}  // namespace driver
