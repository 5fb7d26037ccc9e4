// The forest: mushrooms, the tin can, the apple tree with five apples on their stalks, the
// sculpture, the trough with its cork and the three bells of the chapel.
#include "gamestate/asset_catalogue.h"
#include "world/level_layout.h"
#include "world/object_placement.h"

namespace world {

namespace {

using namespace gamestate;
namespace ix = entity_index;

}  // namespace

void LayoutForest(uint32_t) {
    const float mushroomX[5] = {1788, 1795, 2036, 2098, 2138};
    const float mushroomY[5] = {444, 426, 432, 398, 412};
    for (int i = 0; i < 5; ++i) {
        PlaceOnFirstPicture(ix::Mushroom1 + i, kind::Mushroom,
                            Picture(static_cast<ScenePicture>(gamestate::Mushroom1Picture + i)), 1,
                            NearPlane, mushroomX[i], mushroomY[i]);
    }
    PlaceOnFirstPicture(ix::TinCan, kind::TinCan, Picture(gamestate::TinCanPicture), 7, NearPlane,
                        2417, 473)
        .groundY = 473;

    // Each stalk links to itself: the apple it holds is the entity after it.
    const float appleX[5] = {1745, 1845, 1949, 2065, 2163};
    const float appleY[5] = {155, 196, 131, 198, 170};
    for (int i = 0; i < 5; ++i) {
        const int stalk = ix::AppleStalk1 + 2 * i;
        PlaceOnFirstPicture(stalk, kind::AppleStalk, Picture(gamestate::AppleStalkPicture), 1,
                            NearPlane, appleX[i], appleY[i])
            .linkedIndex = stalk;
        PlaceOnFirstPicture(stalk + 1, kind::TreeApple, Picture(gamestate::TreeApplePicture), 5,
                            NearPlane, appleX[i], appleY[i])
            .linkedIndex = stalk + 1;
    }
    PlaceOnFirstPicture(ix::Sculpture, kind::Sculpture, Picture(gamestate::SculpturePicture), 5,
                        NearPlane, 2859, 312);
    PlaceOnFirstPicture(ix::SculptureCrumbs, kind::Decoration,
                        gamestate::CrumbsSprites.at(gamestate::FullSize, 1), 8, NearPlane, 2859,
                        312)
        .active = 0;
    PlaceOnFirstPicture(ix::Cork, kind::Cork, Picture(gamestate::CorkPicture), 1, MidPlane, 2464,
                        270);
    PlaceOnFirstPicture(ix::WaterTrough, kind::WaterTrough, Picture(gamestate::TroughWaterPicture),
                        7, MidPlane, 2447, 274);
    PlaceOnFirstPicture(ix::Bell1, kind::Bell1, Picture(gamestate::Bell1Picture), 1, FarPlane, 2557,
                        146);
    PlaceOnFirstPicture(ix::Bell2, kind::Bell2, Picture(gamestate::Bell2Picture), 1, FarPlane, 2560,
                        127);
    PlaceOnFirstPicture(ix::Bell3, kind::Bell3, Picture(gamestate::Bell3Picture), 1, FarPlane, 2560,
                        111);
}

}  // namespace world
