// The forest: mushrooms, the tin can, the apple tree with five apples on their stalks, the
// sculpture, the trough with its cork and the three bells of the chapel.
#include "presentation/asset_catalogue.h"
#include "world/level_layout.h"
#include "world/object_placement.h"

namespace world {

namespace {

using namespace presentation;
namespace ix = entity_index;

CBitmapSurface* Picture(ScenePicture picture) {
    return ScenePictures[picture];
}

// Every forest object starts on its first picture; the animation position stays as it was.
Entity& Place(int index, int32_t kind, CBitmapSurface* picture, int frames, int plane, float x,
              float y) {
    Entity& e = PlaceObject(index, kind, picture, frames, plane, x, y);
    e.firstFrame = e.lastFrame = 0;
    return e;
}

}  // namespace

void LayoutForest(uint32_t) {
    const float mushroomX[5] = {1788, 1795, 2036, 2098, 2138};
    const float mushroomY[5] = {444, 426, 432, 398, 412};
    for (int i = 0; i < 5; ++i) {
        Place(ix::Mushroom1 + i, kind::Mushroom,
              Picture(static_cast<ScenePicture>(Mushroom1Picture + i)), 1, NearPlane, mushroomX[i],
              mushroomY[i]);
    }
    Place(ix::TinCan, kind::TinCan, Picture(TinCanPicture), 7, NearPlane, 2417, 473).groundY = 473;

    // Each stalk links to itself: the apple it holds is the entity after it.
    const float appleX[5] = {1745, 1845, 1949, 2065, 2163};
    const float appleY[5] = {155, 196, 131, 198, 170};
    for (int i = 0; i < 5; ++i) {
        const int stalk = ix::AppleStalk1 + 2 * i;
        Place(stalk, kind::AppleStalk, Picture(AppleStalkPicture), 1, NearPlane, appleX[i],
              appleY[i])
            .linkedIndex = stalk;
        Place(stalk + 1, kind::TreeApple, Picture(TreeApplePicture), 5, NearPlane, appleX[i],
              appleY[i])
            .linkedIndex = stalk + 1;
    }
    Place(ix::Sculpture, kind::Sculpture, Picture(SculpturePicture), 5, NearPlane, 2859, 312);
    Place(ix::SculptureCrumbs, kind::Decoration, CrumbsSprites.at(FullSize, 1), 8, NearPlane, 2859,
          312)
        .active = 0;
    Place(ix::Cork, kind::Cork, Picture(CorkPicture), 1, MidPlane, 2464, 270);
    Place(ix::WaterTrough, kind::WaterTrough, Picture(TroughWaterPicture), 7, MidPlane, 2447, 274);
    Place(ix::Bell1, kind::Bell1, Picture(Bell1Picture), 1, FarPlane, 2557, 146);
    Place(ix::Bell2, kind::Bell2, Picture(Bell2Picture), 1, FarPlane, 2560, 127);
    Place(ix::Bell3, kind::Bell3, Picture(Bell3Picture), 1, FarPlane, 2560, 111);
}

}  // namespace world
