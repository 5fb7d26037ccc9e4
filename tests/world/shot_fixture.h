// A world ready for shooting: the entity table and the round cleared, a weapon object with the
// shotgun, and strips whose frames hold an opaque block on a transparent ground, so that a test
// knows which pixels of an entity a shot can hit.
#pragma once

#include "flow/controls.h"
#include "gamestate/asset_catalogue.h"
#include "world/shot.h"
#include "world/weapon.h"
#include "world/world_fixture.h"

namespace world_testing {

class ShotTest : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        world::PlayerWeapon = new world::Weapon();
        gamestate::Round.RoundClock = 50000;
        // Transparent pixels read back as the key colour after keying, as the loading hare's do.
        CBitmapSurface* probe = MakeBlockStrip(1, 4, 4, {0, 0, 0, 0});
        probe->SetKeyColour(SpriteKeyColour);
        gamestate::TransparentPixelColour = probe->ReadPixelColour(0, 0);
    }

    // `frames` frames of `width` x `height`, transparent except `block` (frame coordinates),
    // which is opaque in every frame.
    CBitmapSurface* MakeBlockStrip(int frames, int width, int height, Rect block) {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < frames * width; ++x) {
                const int fx = x % width;
                const bool opaque =
                    fx >= block.left && fx < block.right && y >= block.top && y < block.bottom;
                pixels.push_back(opaque ? 0x00305080 + static_cast<COLORREF>(x / width)
                                        : SpriteKeyColour);
            }
        }
        const std::string path = dir_ / ("block" + std::to_string(made_++) + ".bmp");
        WriteBmp(path, frames * width, height, pixels);
        CBitmapSurface* surface = nullptr;
        display_.LoadBitmapSurface(&surface, path.c_str(), 0, 0);
        owned_.emplace_back(surface);
        return surface;
    }

    // An active entity in slot `index`, showing frame 0 of `strip`, drawn once with the scroll
    // at 0, so its screen position is known.
    world::Entity& Place(int index, int32_t kind, int plane, CBitmapSurface* strip, int frames,
                         float x, float y) {
        world::Entity& e = world::EntityAt(index);
        e.setSprite(strip, world::LeftStrip, plane, frames);
        e.kind = kind;
        e.plane = plane;
        e.hitPlane = plane;
        e.x = x;
        e.y = y;
        e.groundY = y;
        e.state = 0;
        e.playFrames(0, 0);
        e.oneShot = 0;
        e.active = 1;
        e.linkedIndex = -1;
        e.lastUpdateMs = backend_.Ticks();
        Draw(e);
        return e;
    }

    // A solid 40x30 target (every pixel opaque) of `frames` frames.
    world::Entity& PlaceSolid(int index, int32_t kind, int plane, float x, float y,
                              int frames = 1) {
        return Place(index, kind, plane, MakeBlockStrip(frames, 40, 30, {0, 0, 40, 30}), frames, x,
                     y);
    }

    void Draw(world::Entity& e) { e.draw(&display_, 0.0f, backend_.Ticks()); }

    // Lets `ms` pass for the entity: its behaviour step, then its draw.
    void Step(world::Entity& e, uint32_t ms) {
        backend_.AdvanceTime(ms);
        e.update(0, backend_.Ticks());
        Draw(e);
    }

    // The shot loop for a click at (x, y) through a transparent background.
    void Shoot(int x, int y, int32_t layerHit = gamestate::NoLayerHit) {
        gamestate::Game.ClickPoint = gamestate::ScreenPoint{x, y};
        gamestate::Game.LayerHit = layerHit;
        flow::RunShotLoop();
    }
    // testShot at the middle of what the entity showed in its last draw.
    int32_t ShootAt(world::Entity& e) {
        return world::testShot(e, MiddleX(e), MiddleY(e), gamestate::NoLayerHit);
    }
    static int MiddleX(const world::Entity& e) {
        return e.screenX + (e.sourceRect.right - e.sourceRect.left) / 2;
    }
    static int MiddleY(const world::Entity& e) {
        return static_cast<int>(e.y) + e.sourceRect.bottom / 2;
    }

    world::Weapon& Weapon() { return *world::PlayerWeapon; }
    void Select(int32_t weapon) {
        Weapon().selected = weapon;
        Weapon().reload();
    }
};

}  // namespace world_testing
