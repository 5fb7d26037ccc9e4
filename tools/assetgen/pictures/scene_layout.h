// Where things stand in the world, as the game places them: the pictures are drawn to fit these
// positions (animals' feet on the ground lines, holes where the moles and hares dive, the
// background details behind the scenery targets). The background layers are the game's
// (gamestate/parallax.h): world x times the layer's parallax is layer x.
#pragma once

namespace assetgen::layout {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// Feet lines: middle-plane animals stand on y 399, far-plane animals on y 299.
constexpr double MidGround = 399;
constexpr double FarGround = 299;
// Where the middle layer's meadow begins behind the walking path, and the near layer's ground.
constexpr double MidMeadowTop = 306;
constexpr double NearGroundTop = 470;

// Full-size animal frames (the game also shows them at half and quarter size).
constexpr int BoarFrameWidth = 280, BoarHeight = 200;
constexpr int DuckFrameWidth = 100, DuckHeight = 72;
constexpr int MoleFrameWidth = 64, MoleHeight = 40;
constexpr int QuailFrameWidth = 120, QuailHeight = 100;
constexpr int HareFrameWidth = 80, HareHeight = 65;
constexpr int RavenFrameSize = 64;
constexpr int ExplosionFrameSize = 200;
constexpr int CrumbsFrameSize = 200;

// Left edges (layer x) where a walking mole or hare may dive; the hole lies under the middle of
// its frame. Middle layer at full size, far layer at half size.
constexpr double MidMoleDives[] = {1633, 2160, 2473};
constexpr double MidHareDives[] = {1613, 2150, 2463};
constexpr double FarMoleDives[] = {1763, 2003, 2343};
constexpr double FarHareDives[] = {1758, 1998, 2323};

// Far layer (layer x, screen y).
constexpr double BellTowerX = 2569;    // centre of the belfry that holds the three bells
constexpr double MountainPeakX = 788;  // the peak target sits on the mountain here, y 56
constexpr double MountainPeakY = 56;
constexpr double SiloX = 969, SiloY = 172;
constexpr double PowerLineX = 1173, PowerLineY = 170;  // ravens perch on it up to x ~1252

// Middle layer.
constexpr double TroughX = 2447, TroughY = 274;  // the water entity; the cork floats at 2464, 270
constexpr double PowerBoxX = 1314, PowerBoxY = 253;
constexpr double PotX = 1196, PotY = 262;
constexpr double FenceEyeX = 1412, FenceEyeY = 255;
constexpr double CaveStoneX = 4191, CaveStoneY = 225;
constexpr double WoodpeckerX = 4044, WoodpeckerY = 155;
constexpr double BearTargetX = 4117, BearTargetY = 179;

// Near layer (world x).
constexpr double AppleTreeLeft = 1745, AppleTreeRight = 2200;
constexpr double ScarecrowX = 43, ScarecrowY = 190;
constexpr double BottleXs[] = {1221, 1292};
constexpr double BottleYs[] = {262, 295};
constexpr double SculptureX = 2859, SculptureY = 312;
constexpr double TinCanX = 2417, TinCanY = 473;
constexpr double FlyAgaricX = 4445, FlyAgaricY = 351;
constexpr double OakX = 3309;  // tree heart, eyes and acorns of the field's oak
constexpr double MeadowSignX = 1477, ForestSignX = 3077, FieldSignX = 4609;

// Mushrooms by the apple tree: left edge, top.
constexpr double MushroomXs[] = {1788, 1795, 2036, 2098, 2138};
constexpr double MushroomYs[] = {444, 426, 432, 398, 412};

}  // namespace assetgen::layout
