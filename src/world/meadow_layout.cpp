// The meadow: the scarecrow with its raven, bottles, boulders with two moles hiding behind the
// big one, the power box with the ravens on the line, the three flowers, the silo and the peak.
#include "gamestate/asset_catalogue.h"
#include "world/level_layout.h"
#include "world/object_placement.h"

namespace world {

namespace {

using namespace gamestate;
namespace ix = entity_index;

Entity& Place(int index, int32_t kind, CBitmapSurface* picture, int frames, int plane, float x,
              float y) {
    Entity& e = PlaceObject(index, kind, picture, frames, plane, x, y);
    e.frame = 0.0f;
    return e;
}

void PlaceSmallBoulder(int index, float x, float y) {
    Place(index, kind::SmallBoulder, Picture(gamestate::SmallBoulderPicture), 4, NearPlane, x, y)
        .groundY = y;
}

void PlaceHiddenMole(int index, float x) {
    Entity& mole = Place(index, kind::Mole, gamestate::MoleSprites.at(gamestate::FullSize, 1), 20,
                         NearPlane, x, 470);
    mole.setSprite(MoleSprites.at(FullSize, 4), RightStrip, NearPlane, 20);
}

}  // namespace

void LayoutMeadow(uint32_t now) {
    Entity& sign = Place(ix::MeadowSign, kind::Decoration, Picture(gamestate::MeadowSignPicture), 2,
                         NearPlane, 1477, 344);
    sign.lastUpdateMs = now;
    sign.state = 0;
    sign.sinkOffset = 0.0f;

    // The raven on the scarecrow only shows up now and then.
    Entity& raven =
        Place(ix::PerchedRaven, kind::Raven, gamestate::RavenSprites.at(gamestate::FullSize, 1), 6,
              NearPlane, RavenPerch.x, RavenPerch.y);
    raven.state = 0;
    raven.sinkOffset = 0.0f;
    raven.active = 0;

    Place(ix::Bottle1, kind::Bottle, Picture(gamestate::BottlePicture), 5, NearPlane, 1221, 262);
    Place(ix::Bottle2, kind::Bottle, Picture(BottlePicture), 5, NearPlane, 1292, 295);
    PlaceSmallBoulder(ix::SmallBoulder1, 433, 441);
    PlaceSmallBoulder(ix::SmallBoulder1 + 1, 960, 552);
    PlaceSmallBoulder(ix::SmallBoulder1 + 2, 1362, 450);
    PlaceHiddenMole(ix::HiddenMole1, 50);
    PlaceHiddenMole(ix::HiddenMole2, 70);
    Place(ix::BigBoulder, kind::BigBoulder, Picture(gamestate::BigBoulderPicture), 1, NearPlane, 45,
          454);
    Place(ix::Scarecrow, kind::Scarecrow, Picture(gamestate::ScarecrowPicture), 17, NearPlane, 43,
          190);
    PlaceObject(ix::ScarecrowArm1, kind::ScarecrowArm1, Picture(gamestate::ScarecrowArm1Picture), 2,
                NearPlane, 154, 261);
    Place(ix::ScarecrowArm2, kind::ScarecrowArm2, Picture(gamestate::ScarecrowArm2Picture), 2,
          NearPlane, 61, 262)
        .showOnly(1);
    Place(ix::ScarecrowHat, kind::ScarecrowHat, Picture(gamestate::ScarecrowHatPicture), 2,
          NearPlane, 120, 201)
        .showOnly(1);
    Entity& clock =
        Place(ix::Clock, kind::Clock, Picture(gamestate::ClockPicture), 1, NearPlane, 100, -100);
    clock.state = 0;
    clock.sinkOffset = 0.0f;

    Place(ix::PowerBoxCover, kind::PowerBoxCover, Picture(gamestate::PowerBoxCoverPicture), 1,
          MidPlane, 1314, 253);
    Place(ix::PowerSwitch, kind::PowerSwitch, Picture(gamestate::PowerSwitchPicture), 1, MidPlane,
          1321, 271)
        .active = 0;
    Place(ix::Pot, kind::Pot, Picture(gamestate::PotPicture), 1, MidPlane, 1196, 262);

    // Three flowers: each has a plain stem, a crown of petals and a blossom centre; the stems
    // placed last over the plain ones are the targets that bring a flower down.
    Place(ix::FlowerStem1, kind::Decoration, Picture(gamestate::Stem1Picture), 1, MidPlane, 251,
          202);
    Place(ix::FlowerCrown1, kind::FlowerCrown, Picture(gamestate::FlowerCrownPicture), 1, MidPlane,
          257, 156);
    Place(ix::Blossom1, kind::Blossom, Picture(gamestate::BlossomCentrePicture), 4, MidPlane, 274,
          175);
    Place(ix::FlowerStem3, kind::Decoration, Picture(gamestate::Stem3Picture), 1, MidPlane, 367,
          283);
    Place(ix::FlowerCrown3, kind::FlowerCrown, Picture(FlowerCrownPicture), 1, MidPlane, 382, 240);
    Place(ix::Blossom3, kind::Blossom, Picture(BlossomCentrePicture), 4, MidPlane, 399, 259);
    Place(ix::FlowerStem2Target, kind::FlowerStem2, Picture(gamestate::Stem2bPicture), 1, MidPlane,
          311, 234);
    for (int petal = 0; petal < 16; ++petal) {
        Place(ix::Petal1 + petal, kind::Petal,
              Picture(static_cast<ScenePicture>(gamestate::Petal1Picture + petal)), 1, MidPlane,
              328, 187);
    }
    Place(ix::Blossom2, kind::Blossom, Picture(BlossomCentrePicture), 4, MidPlane, 345, 206);
    Place(ix::FenceEye, kind::FenceEye, Picture(gamestate::FenceEyePicture), 2, MidPlane, 1412, 255)
        .frame = 1.0f;
    Place(ix::FlowerStem1Target, kind::FlowerStem1, Picture(gamestate::Stem1bPicture), 1, MidPlane,
          251, 202);
    Place(ix::FlowerStem3Target, kind::FlowerStem3, Picture(gamestate::Stem3bPicture), 1, MidPlane,
          367, 283);
    Place(ix::FlowerStem2, kind::Decoration, Picture(gamestate::Stem2Picture), 1, MidPlane, 311,
          234);

    // Four ravens on the power line.
    const float ravenX[4] = {1173, 1187, 1200, 1220};
    const float ravenY[4] = {139, 141, 136, 139};
    for (int i = 0; i < 4; ++i) {
        Entity& lineRaven =
            Place(ix::PowerLineRaven1 + i, kind::Raven, RavenSprites.at(gamestate::HalfSize, 1), 6,
                  FarPlane, ravenX[i], ravenY[i]);
        lineRaven.setSprite(RavenSprites.at(HalfSize, 4), RightStrip, FarPlane, 6);
        lineRaven.lastUpdateMs = now;
        lineRaven.state = 1;
        lineRaven.sinkOffset = 0.0f;
    }
    Place(ix::ElectricShock, kind::ElectricShock, Picture(gamestate::ElectricShockPicture), 3,
          FarPlane, 1193, 112)
        .showOnly(2);
    Entity& silo =
        PlaceObject(ix::Silo, kind::Silo, Picture(gamestate::SiloPicture), 3, FarPlane, 969, 172);
    silo.firstFrame = silo.lastFrame = 0;
    Entity& peak = PlaceObject(ix::MountainPeak, kind::MountainPeak,
                               Picture(gamestate::MountainPeakPicture), 1, FarPlane, 788, 56);
    peak.firstFrame = peak.lastFrame = 0;
}

}  // namespace world
