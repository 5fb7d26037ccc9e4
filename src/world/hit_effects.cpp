// The two play-once effects a hit can leave: the explosion of the dynamite and a puff of crumbs.
// The effect takes the place of the entity's picture, centred on it, and the entity goes away
// when the effect's frame 7 shows.
#include <algorithm>

#include "display/bitmap_surface.h"
#include "gamestate/asset_catalogue.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace world {

namespace {

int SizeClassOfPlane(int plane) {
    switch (plane) {
        case MidPlane:
            return gamestate::HalfSize;
        case FarPlane:
            return gamestate::QuarterSize;
        default:
            return gamestate::FullSize;
    }
}

int WidthOf(const CBitmapSurface* s) {
    return s ? s->Width() : 0;
}
int HeightOf(const CBitmapSurface* s) {
    return s ? s->Height() : 0;
}

// The width of one frame of the picture the entity shows now (its left-facing first strip).
int ShownFrameWidth(const Entity& e, int set) {
    const int frames = e.frameCounts[set][LeftStrip];
    return frames > 0 ? WidthOf(e.sprites[set][LeftStrip]) / frames : 0;
}

// Puts `effect` in place of the entity's picture and plays its frames once.
void PlayEffect(Entity& e, int set, CBitmapSurface* effect, int frames) {
    if (!e.setSprite(effect, LeftStrip, set, frames)) {
        // Without its picture the effect shows nothing, but still ends the entity on time.
        e.sprites[set][LeftStrip] = nullptr;
        e.frameCounts[set][LeftStrip] = frames;
        e.frameWidth[set] = 0;
    }
    e.direction = 0;
    e.verticalSpeed = 0.0f;
    e.playFrames(0, frames - 1);
    e.oneShot = 1;
}

}  // namespace

void explode(Entity& e) {
    if (SelectedWeapon() != Dynamite) return;
    const int set = std::clamp(e.plane, 0, SpriteSetCount - 1);
    CBitmapSurface* blast = gamestate::ExplosionSprites.at(SizeClassOfPlane(e.plane), 1);
    constexpr int BlastFrames = 9;
    const CBitmapSurface* shown = e.sprites[set][LeftStrip];
    // Centred sideways, standing on the entity's bottom edge.
    e.x += static_cast<float>(ShownFrameWidth(e, set) / 2);
    e.x -= static_cast<float>(WidthOf(blast) / (2 * BlastFrames));
    e.y += static_cast<float>(HeightOf(shown));
    e.y -= static_cast<float>(HeightOf(blast));
    PlayEffect(e, set, blast, BlastFrames);
}

void crumble(Entity& e) {
    const int set = std::clamp(e.plane, 0, SpriteSetCount - 1);
    CBitmapSurface* crumbs = gamestate::CrumbsSprites.at(SizeClassOfPlane(e.plane), 1);
    constexpr int CrumbFrames = 8;
    const CBitmapSurface* shown = e.sprites[set][LeftStrip];
    // Centred on the entity.
    e.x += static_cast<float>(ShownFrameWidth(e, set) / 2);
    e.x -= static_cast<float>(WidthOf(crumbs) / (2 * CrumbFrames));
    e.y += static_cast<float>(HeightOf(shown) / 2);
    e.y -= static_cast<float>(HeightOf(crumbs) / 2);
    PlayEffect(e, set, crumbs, CrumbFrames);
}

}  // namespace world
