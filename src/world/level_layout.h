// The fixed objects of the three regions of the world, meadow (x 43..1477), forest (1745..3077)
// and field (3309..4609), each with its sign. A full level load writes them into the entity table,
// region by region; their behaviour and reactions live with the scenery.
#pragma once

#include <cstdint>

namespace world {

// Table indices of the placed objects that other rules refer to by position.
namespace entity_index {
constexpr int MeadowSign = 0;
constexpr int PerchedRaven = 1;  // on the scarecrow; appears now and then
constexpr int Bottle2 = 2;
constexpr int SmallBoulder1 = 3;  // .. 5
constexpr int Scarecrow = 6;
constexpr int ScarecrowArm1 = 7;
constexpr int ScarecrowArm2 = 8;
constexpr int ScarecrowHat = 9;
constexpr int Mushroom1 = 10;  // .. 14
constexpr int TinCan = 15;
constexpr int AppleStalk1 = 16;  // stalks 16, 18, .. 24, each followed by its apple
constexpr int Sculpture = 26;
constexpr int Acorn1 = 27;  // .. 34
constexpr int TreeHeart = 35;
constexpr int TreeEyes1 = 36;  // .. 38
constexpr int FlyAgaricStalk = 39;
constexpr int FlyAgaricCap = 40;
constexpr int HiddenMole1 = 41;
constexpr int ForestSign = 42;
constexpr int FieldSign = 43;
constexpr int Clock = 44;
constexpr int HiddenMole2 = 45;
constexpr int BigBoulder = 46;
constexpr int Bottle1 = 47;
constexpr int SculptureCrumbs = 48;
constexpr int DynamiteBlast = 49;
constexpr int PowerBoxCover = 51;
constexpr int PowerSwitch = 52;
constexpr int Pot = 53;
constexpr int FlowerStem1 = 54;
constexpr int FlowerStem1Target = 55;
constexpr int FlowerStem2 = 56;
constexpr int FlowerStem3 = 57;
constexpr int FlowerStem3Target = 58;
constexpr int FlowerCrown1 = 59;
constexpr int FlowerStem2Target = 60;
constexpr int Petal1 = 61;  // .. 76
constexpr int FlowerCrown3 = 77;
constexpr int FenceEye = 78;
constexpr int Blossom3 = 79;
constexpr int Blossom2 = 80;
constexpr int Blossom1 = 81;
constexpr int Cork = 82;
constexpr int WaterTrough = 83;
constexpr int CaveStone = 84;
constexpr int Woodpecker = 85;
constexpr int BearTarget1 = 86;
constexpr int Bear = 87;
constexpr int BearTarget2 = 88;
constexpr int PowerLineRaven1 = 177;  // .. 180
constexpr int ElectricShock = 181;
constexpr int Silo = 182;
constexpr int MountainPeak = 183;
constexpr int Bell1 = 184;
constexpr int Bell2 = 185;
constexpr int Bell3 = 186;
}  // namespace entity_index

// Places that rules other than the layout refer to.
struct LayoutPlace {
    float x;
    float y;
};
// The scarecrow's shoulder, where the perched raven sits whenever it is there; a raven at
// another height is flying.
constexpr LayoutPlace RavenPerch{55, 198};
// The three eyes in the field's oak, top to bottom (entities TreeEyes1 ..); the higher the eye,
// the more a hit on it is worth.
constexpr LayoutPlace TreeEyesPlaces[3] = {{3329, 88}, {3365, 139}, {3324, 186}};

// The three layout steps, in the order a full load runs them. `now` is the tick count at the
// start of the step, given to the objects whose animation starts at once.
void LayoutMeadow(uint32_t now);
void LayoutForest(uint32_t now);
void LayoutField(uint32_t now);

}  // namespace world
