// Everything that moves or can be shot in the playfield is an Entity: one fixed-size record in a
// table of 300. Animals, the apples that ride on boars and the animated scenery targets share the
// record, its animation and its drawing; `update` switches on the kind for the behaviour.
//
// The world is a strip 4800 pixels wide that wraps around (six screens of 800). An entity's `x` is
// a world position of its left edge for animals and a layer position for scenery; `y` is a screen
// row.
#pragma once

#include <array>
#include <cstdint>

#include "display/geometry.h"
#include "gamestate/parallax.h"

class CBitmapSurface;
class CDisplayDevice;

namespace world {

// As wide as the near layer's six tiles.
constexpr float WorldWidth = static_cast<float>(gamestate::LayerPeriod(gamestate::NearLayer));
constexpr int EntityCount = 300;

// Animals move this many pixels per second per speed unit and animate at this many frames per
// second.
constexpr float PixelsPerSpeedUnit = 12.0f;
constexpr float FramesPerSecond = 12.0f;

// Depth planes. The plane is also the sprite set an entity draws from.
constexpr int NearPlane = 1;
constexpr int MidPlane = 2;
constexpr int FarPlane = 3;
// The background layer a plane moves with (the planes count from the front, the layers from the
// back).
constexpr int LayerOfPlane(int plane) {
    return plane == FarPlane   ? gamestate::FarLayer
           : plane == MidPlane ? gamestate::MidLayer
                               : gamestate::NearLayer;
}

// Sprite slots within a set: a left-facing strip and its continuation, a right-facing strip and
// its continuation. Slots 0, 3 and 6 are never drawn.
constexpr int SpriteSetCount = 4;
constexpr int SpriteSlotCount = 7;
constexpr int LeftStrip = 1;
constexpr int LeftContinuation = 2;
constexpr int RightStrip = 4;
constexpr int RightContinuation = 5;

// Values of `kind`.
namespace kind {
constexpr int32_t Decoration = -1;  // signs and plain decoration: no behaviour, no reaction
constexpr int32_t Boar = 1;
constexpr int32_t Duck = 2;
constexpr int32_t Mole = 3;
constexpr int32_t Quail = 4;
constexpr int32_t Hare = 5;
constexpr int32_t Deer = 6;
constexpr int32_t Apple = 7;  // rides on a boar
constexpr int32_t Raven = 24;
// Scenery targets.
constexpr int32_t FirstScenery = 25;
constexpr int32_t PowerSwitch = 25;
constexpr int32_t PowerBoxCover = 26;
constexpr int32_t Bottle = 27;
constexpr int32_t Pot = 28;
constexpr int32_t FlowerCrown = 29;
constexpr int32_t Blossom = 30;
constexpr int32_t FlowerStem1 = 31;
constexpr int32_t FlowerStem2 = 32;
constexpr int32_t FlowerStem3 = 33;
constexpr int32_t Petal = 34;
constexpr int32_t SmallBoulder = 35;
constexpr int32_t BigBoulder = 36;
constexpr int32_t FenceEye = 37;
constexpr int32_t Scarecrow = 38;
constexpr int32_t ScarecrowArm1 = 39;
constexpr int32_t ScarecrowArm2 = 40;
constexpr int32_t ScarecrowHat = 41;
constexpr int32_t Mushroom = 42;
constexpr int32_t Bell1 = 43;
constexpr int32_t Bell2 = 44;
constexpr int32_t Bell3 = 45;
constexpr int32_t TinCan = 46;
constexpr int32_t Cork = 47;
constexpr int32_t TreeApple = 48;
constexpr int32_t AppleStalk = 49;
constexpr int32_t Sculpture = 50;
constexpr int32_t ElectricShock = 51;
constexpr int32_t Silo = 52;
constexpr int32_t MountainPeak = 53;
constexpr int32_t TreeHeart = 54;
constexpr int32_t Acorn = 55;
constexpr int32_t BigAcorn = 56;
constexpr int32_t CaveStone = 57;
constexpr int32_t TreeEyes = 58;
constexpr int32_t FlyAgaricStalk = 59;
constexpr int32_t FlyAgaricCap = 60;
constexpr int32_t Woodpecker = 61;
constexpr int32_t Bear = 62;
constexpr int32_t BearTarget = 63;
constexpr int32_t DynamiteBlast = 64;
constexpr int32_t WaterTrough = 66;
constexpr int32_t Clock = 67;
}  // namespace kind

// Kinds that behave as animals (walk, fly, dive, flee, sink when hit).
constexpr bool IsAnimalKind(int32_t k) {
    return (k >= kind::Boar && k <= kind::Apple) || k == kind::Raven;
}
// Kinds whose `x` is a world position, which the parallax of the middle and far planes scales
// when they are drawn: the animals that roam the world. The raven and the scenery stand at
// positions of their layer.
constexpr bool StandsAtWorldPosition(int32_t k) {
    return k >= kind::Boar && k < kind::Raven;
}
// Kinds the shotgun's spread finds: a miss close to an animal or the raven still hits it.
constexpr bool CaughtBySpread(int32_t k) {
    return k >= 0 && k <= kind::Raven;
}

// Values of `state` shared by the animals. 10 means hit for every kind.
namespace state {
constexpr int32_t Standing = 1;  // boar only
constexpr int32_t Walking = 2;   // walking or flying
constexpr int32_t SlowWalk = 3;  // boar only
constexpr int32_t Hit = 10;
constexpr int32_t Diving = 11;  // mole and hare, into a hole
}  // namespace state

// The frame an entity shows: its strip and where the frame lies in it.
struct StripFrame {
    CBitmapSurface* strip = nullptr;  // null: nothing to show (no picture was registered)
    int left = 0;                     // first column of the frame in the strip
    int width = 0;                    // columns of one frame
};

struct Entity {
    float x = 0.0f;        // world x of the left edge, kept in 0..4800
    float y = 0.0f;        // screen y of the top edge
    float groundY = 0.0f;  // resting y of kinds that jump or fall
    // Horizontal velocity in speed units; its sign is the facing (> 0 right). 0 = standing.
    int32_t direction = 0;
    float verticalSpeed = 0.0f;  // speed units, negative = upwards (scenery only)
    int32_t plane = 0;           // 1 near, 2 middle, 3 far
    float sinkOffset = 0.0f;     // extra y while a hit entity sinks out of view
    int32_t state = 0;
    float timer = 0.0f;  // seconds left in the current behaviour phase
    int32_t kind = 0;
    int32_t firstFrame = 0;
    int32_t lastFrame = 0;
    int32_t hitPlane = 0;       // depth that decides which background layer hides it from a shot
    uint8_t active = 0;         // 1 = updated, drawn and shootable; 0 = free slot
    uint8_t spawnable = 1;      // cleared on the slots the level layout places scenery in
    int32_t screenX = 0;        // screen x of the last draw, after the cut at the left edge
    int32_t clipLeft = 0;       // pixels the last draw cut off at the left edge
    uint32_t lastUpdateMs = 0;  // tick count of the last draw: the time base of all motion
    float frame = 0.0f;         // animation position; its integer part is the frame shown
    int32_t frameWidth[SpriteSetCount] = {};  // per set: frame width of the last strip registered
    int32_t linkedIndex = 0;  // entity that copies this one's position and frame; -1 = none
    uint8_t oneShot = 0;      // play-once effect: deactivates when frame 7 shows
    // Strips per sprite set and slot (not owned: they belong to the level assets).
    CBitmapSurface* sprites[SpriteSetCount][SpriteSlotCount] = {};
    int32_t frameCounts[SpriteSetCount][SpriteSlotCount] = {};
    Rect sourceRect;  // strip rectangle of the last draw
    int32_t hitCount = 0;

    // Back to the state of a new game: behaviour, animation and flags cleared, the slot free for
    // spawning. Position, kind, plane and pictures stay.
    void resetEntity();

    // Registers a strip of `frameCount` equal frames in `slot` of sprite set `set` and keys it with
    // the sprite key colour. False, and nothing changes, when there is no bitmap.
    bool setSprite(CBitmapSurface* bitmap, int slot, int set, int frameCount);

    // The behaviour step. `cameraX` is the integer camera position; `now` the tick count the
    // frame read for this entity's group.
    void update(int cameraX, uint32_t now);

    // Advances the animation (and the sinking of a hit entity), then draws the current frame with
    // parallax and wrap-around, cut at the screen edges. `planeCameraX` is the scroll of the
    // entity's group.
    void draw(CDisplayDevice* display, float planeCameraX, uint32_t now);

    int shownFrame() const { return static_cast<int>(frame); }
    // The strip and frame the current animation position shows. The draw shows it and the hit
    // test reads its pixels, so a shot always meets the picture that was drawn. Frames beyond the
    // first strip continue in the second strip of the facing.
    StripFrame shownStripFrame() const;
    // Runs frames first..last from the first.
    void playFrames(int32_t first, int32_t last) {
        firstFrame = first;
        lastFrame = last;
        frame = static_cast<float>(first);
    }
    // Shows the single frame `f`.
    void showOnly(int32_t f) { playFrames(f, f); }
};

// Index ranges of the table, each drawn after its background layer with its layer's scroll.
struct EntityGroup {
    int first;
    int last;  // inclusive
};
constexpr EntityGroup NearGroup{0, 49};    // scenery of the near layer
constexpr EntityGroup MidGroup{51, 175};   // animals and scenery of the middle layer
constexpr EntityGroup FarGroup{177, 276};  // animals and scenery of the far layer
// Indices 50, 176 and 277..299 belong to no group and are never updated or drawn.

extern std::array<Entity, EntityCount> EntityTable;

// The entry at `index`; the game keeps indices (links, groups, places of the layout) as int.
inline Entity& EntityAt(int index) {
    return EntityTable[static_cast<size_t>(index)];
}

// Draws one number from the standard generator: odd gives +1, even -1.
int randomSign();

// Applies resetEntity to all 300 entries (at every menu entry, before a new game fills them).
void ResetEntityTable();
// Puts every entry back to its value at program start, pictures included.
void ClearEntityTable();

// Replaces every reference to the strip `from` in the table by `to` (which may be null), so
// that reloading a picture never leaves an entity drawing a deleted one.
void ReplaceSpriteEverywhere(const CBitmapSurface* from, CBitmapSurface* to);

}  // namespace world
