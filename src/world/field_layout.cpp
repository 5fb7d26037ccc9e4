// The field: acorns in the oak, the tree heart and the eyes in the tree, the fly agaric, the
// forest and field signs, the dynamite blast, the cave with its stone, the woodpecker and the
// bear with its two targets.
#include "gamestate/asset_catalogue.h"
#include "world/level_layout.h"
#include "world/object_placement.h"

namespace world {

namespace {

using namespace gamestate;
namespace ix = entity_index;

void PlaceSign(int index, ScenePicture picture, float x, float y) {
    Entity& sign =
        PlaceOnFirstPicture(index, kind::Decoration, Picture(picture), 2, NearPlane, x, y);
    sign.frame = 0.0f;
    sign.state = 0;
    sign.sinkOffset = 0.0f;
}

// The bear and its targets start together, all on their first frame.
Entity& PlaceBearPart(int index, int32_t kind, CBitmapSurface* picture, int frames, uint32_t now) {
    Entity& e = PlaceOnFirstPicture(index, kind, picture, frames, MidPlane, 4117, 179);
    e.lastUpdateMs = now;
    e.frame = 0.0f;
    e.state = 0;
    e.sinkOffset = 0.0f;
    return e;
}

}  // namespace

void LayoutField(uint32_t now) {
    struct AcornRow {
        int32_t kind;
        int picture;  // 1..6
        float x, y;
    };
    const AcornRow acorns[8] = {
        {kind::Acorn, 1, 3491, 74},     {kind::BigAcorn, 2, 3514, 76},  {kind::Acorn, 3, 3527, 100},
        {kind::BigAcorn, 4, 3582, 143}, {kind::BigAcorn, 4, 3514, 156}, {kind::Acorn, 5, 3497, 175},
        {kind::BigAcorn, 6, 3474, 158}, {kind::BigAcorn, 6, 3563, 170},
    };
    for (int i = 0; i < 8; ++i) {
        const AcornRow& row = acorns[i];
        PlaceOnFirstPicture(
            ix::Acorn1 + i, row.kind,
            Picture(static_cast<ScenePicture>(gamestate::Acorn1Picture + row.picture - 1)), 1,
            NearPlane, row.x, row.y);
    }
    PlaceOnFirstPicture(ix::TreeHeart, kind::TreeHeart, Picture(gamestate::TreeHeartPicture), 6,
                        NearPlane, 3309, 271);
    for (int i = 0; i < 3; ++i) {
        const LayoutPlace& eyes = TreeEyesPlaces[i];
        PlaceOnFirstPicture(ix::TreeEyes1 + i, kind::TreeEyes,
                            Picture(static_cast<ScenePicture>(gamestate::TreeEyes1Picture + i)), 2,
                            NearPlane, eyes.x, eyes.y);
    }
    PlaceOnFirstPicture(ix::FlyAgaricStalk, kind::FlyAgaricStalk,
                        Picture(gamestate::FlyAgaricStalkPicture), 1, NearPlane, 4445, 351);
    PlaceOnFirstPicture(ix::FlyAgaricCap, kind::FlyAgaricCap,
                        Picture(gamestate::FlyAgaricCapPicture), 6, NearPlane, 4445, 351);
    PlaceSign(ix::ForestSign, gamestate::ForestSignPicture, 3077, 335);
    PlaceSign(ix::FieldSign, gamestate::FieldSignPicture, 4609, 333);

    // The crumbs the thrown dynamite leaves, waiting for a throw.
    Entity& blast = PlaceOnFirstPicture(ix::DynamiteBlast, kind::DynamiteBlast,
                                        gamestate::CrumbsSprites.at(gamestate::FullSize, 1), 8,
                                        NearPlane, 400, 500);
    blast.playFrames(0, 7);
    blast.lastUpdateMs = now;
    blast.state = 0;
    blast.sinkOffset = 0.0f;
    blast.active = 0;

    PlaceOnFirstPicture(ix::CaveStone, kind::CaveStone, Picture(gamestate::CaveStonePicture), 1,
                        MidPlane, 4191, 225);
    PlaceOnFirstPicture(ix::Woodpecker, kind::Woodpecker, Picture(gamestate::WoodpeckerPicture), 3,
                        MidPlane, 4044, 155);
    PlaceBearPart(ix::BearTarget1, kind::BearTarget, gamestate::BearTargetSprites.at(FullSize, 1),
                  7, now);
    // The bear itself has no pictures: it only drives the frames of its targets.
    Entity& bear = PlaceBearPart(ix::Bear, kind::Bear, nullptr, 18, now);
    bear.setSprite(nullptr, LeftContinuation, MidPlane, 14);
    PlaceBearPart(ix::BearTarget2, kind::BearTarget, BearTargetSprites.at(FullSize, 1), 7, now);
}

}  // namespace world
