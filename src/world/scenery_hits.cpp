// What a hit does to each scenery target, and what it is worth. Several targets are linked into
// small chains: the cover hides the power switch, the switch sends a shock down the line with
// the ravens on it, the three blossoms and the bells each hide a puzzle that unlocks the
// crossbow, the bear target unlocks the machine gun, the clock gives ten more seconds.
#include <initializer_list>

#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "gamestate/rules_random.h"
#include "platform/platform.h"
#include "sound/sound_system.h"
#include "world/bell_notes.h"
#include "world/level_layout.h"
#include "world/scenery.h"
#include "world/shot.h"
#include "world/weapon.h"

namespace world {

namespace {

namespace ix = entity_index;

// The second flower's stem can be shot down only once this many loose petals are gone.
constexpr int32_t PetalsBeforeStem2Falls = 16;
constexpr uint32_t ClockBonusMs = 10000;
// Where a shot clock goes: below the screen, out of play.
constexpr float ClockGoneY = 1000.0f;
constexpr int32_t JumpingState = 4;  // small boulder, tin can: in the air after a hit
constexpr int32_t HitInAirState = 5;

bool IsHit(const Entity& e) {
    return e.state == state::Hit;
}

// Flies off sideways: 2 or 3 speed units to either side (a second draw picks the speed).
void FlyOff(Entity& e) {
    if (gamestate::Rand() % 2 == 0) {
        e.direction = 2 + gamestate::Rand() % 2;
    } else {
        e.direction = -2 - gamestate::Rand() % 2;
    }
}

void SinkAll(std::initializer_list<int> indices) {
    for (int index : indices) EntityAt(index).state = state::Hit;
}

// Small boulder and tin can: a hit on the ground makes it jump, a second one in the air keeps
// it flying, a third one takes it away.
void Jump(Entity& e, int32_t weapon, int32_t jumpFirst, int32_t jumpLast) {
    if (e.state == 0 || e.state == 1) {
        e.playFrames(jumpFirst, jumpLast);
        e.verticalSpeed = -15.0f;
        e.state = JumpingState;
    } else if (e.state == JumpingState) {
        e.state = HitInAirState;
    } else if (e.state == HitInAirState) {
        e.state = state::Hit;
        e.active = 0;
    }
    if (weapon == Dynamite) e.state = state::Hit;
}

void ApplyPowerSwitchHit(Entity& e) {
    e.active = 0;
    Entity& shock = EntityAt(ix::ElectricShock);
    shock.playFrames(0, 2);
    shock.state = 2;
    shock.timer = 3.0f;
    for (int i = ix::PowerLineRaven1; i < ix::PowerLineRaven1 + 4; ++i) {
        Entity& raven = EntityAt(i);
        if (IsHit(raven)) continue;
        raven.playFrames(3, 5);
        raven.frame = 4.0f;
    }
}

int32_t ScorePowerSwitch(const Entity& e) {
    if (IsHit(e)) return 0;
    int32_t points = 0;
    for (int i = ix::PowerLineRaven1; i < ix::PowerLineRaven1 + 4; ++i) {
        if (EntityAt(i).active && !IsHit(EntityAt(i))) points += 100;
    }
    return points;
}

// The three blossoms showing the colours 1, 2 and 3 unlock the crossbow and give their bonus,
// once a round. A crossbow the bells already brought is announced again all the same: the
// fanfare is the player's only sign that the puzzle is solved.
int32_t ScoreBlossom() {
    const Entity& first = EntityAt(ix::Blossom3);
    const Entity& second = EntityAt(ix::Blossom2);
    const Entity& third = EntityAt(ix::Blossom1);
    const bool solved = first.shownFrame() == 1 && second.shownFrame() == 2 &&
                        third.shownFrame() == 3 && !IsHit(first) && !IsHit(second) && !IsHit(third);
    gamestate::RoundState& round = gamestate::Round;
    if (!solved || round.crossbowTargetHit) return HitWithoutPoints;
    round.crossbowTargetHit = 1;
    if (PlayerWeapon) PlayerWeapon->unlock(Crossbow, platform::Ticks());
    return 100;
}

int32_t ScoreSmallBoulder(const Entity& e, int32_t weapon) {
    if (weapon == Dynamite) return 20;
    if (e.state == JumpingState) return 15;
    if (e.y != e.groundY) return 200;  // hit while in the air
    if (IsHit(e)) return 100;
    return 0;
}

int32_t ScoreTinCan(Entity& e, int32_t weapon) {
    if (++e.hitCount == 4) {
        e.state = state::Hit;
        crumble(e);
    }
    if (weapon == Dynamite) explode(e);
    if (e.state == JumpingState) return 10;
    if (e.state == HitInAirState) return 50;
    if (IsHit(e)) return 100;
    return 0;
}

// The machine gun makes the tree heart beat faster, frame by frame.
int32_t ScoreTreeHeart(Entity& e, int32_t weapon) {
    if (weapon != MachineGun || e.firstFrame >= 5) return 0;
    e.showOnly(e.firstFrame + 1);
    return e.firstFrame == 5 ? 100 : 10;
}

// A stalk shot off its branch lets its apple fall.
int32_t ScoreAppleStalk(Entity& e) {
    const int appleIndex = e.linkedIndex + 1;
    if (appleIndex < 0 || appleIndex >= EntityCount) return 0;
    Entity& apple = EntityAt(appleIndex);
    if (IsHit(e) || IsHit(apple)) return 0;
    e.active = 0;
    apple.state = FallingState;
    return 10;
}

// An apple shot on the tree is worth little; one shot while it falls, a lot.
int32_t ScoreTreeApple(Entity& e) {
    e.playFrames(1, 4);
    e.state = state::Hit;
    const int stalkIndex = e.linkedIndex - 1;
    const bool onItsStalk =
        stalkIndex >= 0 && stalkIndex < EntityCount && EntityAt(stalkIndex).active;
    return onItsStalk ? 5 : 200;
}

int32_t ScoreTreeEyes(Entity& e) {
    e.state = 2;
    e.timer = static_cast<float>(20 + gamestate::Rand() % 10);
    e.showOnly(0);
    constexpr int32_t Points[3] = {50, 20, 10};
    for (int i = 0; i < 3; ++i) {
        if (static_cast<int>(e.x) == static_cast<int>(TreeEyesPlaces[i].x)) return Points[i];
    }
    return 0;
}

// An arm of the scarecrow, shot while no raven sits on it, turns the scarecrow round.
int32_t ScoreScarecrowArm(Entity& arm, bool firstArm) {
    const Entity& raven = EntityAt(ix::PerchedRaven);
    if (raven.active && !IsHit(raven)) return 0;
    arm.showOnly(1);
    Entity& scarecrow = EntityAt(ix::Scarecrow);
    if (firstArm) {
        if (scarecrow.firstFrame != 8) {
            scarecrow.state = 6;
            scarecrow.playFrames(1, 4);
        } else {
            scarecrow.state = 8;
            scarecrow.playFrames(9, 12);
        }
    } else {
        if (scarecrow.firstFrame != 12) {
            scarecrow.state = 7;
            scarecrow.playFrames(5, 8);
        } else {
            scarecrow.state = 9;
            scarecrow.playFrames(13, 16);
        }
    }
    sound::PlayOneShot(ScarecrowTurnSound);
    EntityAt(ix::ScarecrowHat).showOnly(1);
    return 10;
}

int32_t ScoreScarecrowHat(Entity& hat) {
    EntityAt(ix::ScarecrowArm1).active = 0;
    EntityAt(ix::ScarecrowArm2).active = 0;
    hat.direction = gamestate::Rand() % 5 - 2;
    hat.verticalSpeed = static_cast<float>(-(gamestate::Rand() % 3 + 10));
    return 250;
}

// The machine gun chips the sculpture away piece by piece; the last piece is worth 500.
int32_t ScoreSculpture(Entity& e, int32_t weapon) {
    if (weapon != MachineGun) return 0;
    if (e.firstFrame >= 4) return HitWithoutPoints;
    Entity& crumbs = EntityAt(ix::SculptureCrumbs);
    crumble(crumbs);
    crumbs.active = 1;
    crumbs.lastUpdateMs = platform::Ticks();
    e.showOnly(e.firstFrame + 1);
    return e.firstFrame == 4 ? 500 : HitWithoutPoints;
}

// The fly agaric: shot, its cap bursts; blown up, it is gone; hit by a bolt, the cap sails up
// and can be shot in the air.
int32_t ScoreFlyAgaric(const Entity& e, int32_t weapon) {
    Entity& stalk = EntityAt(ix::FlyAgaricStalk);
    Entity& cap = EntityAt(ix::FlyAgaricCap);
    if (cap.state != FallingState) {
        switch (weapon) {
            case Shotgun:
            case MachineGun:
                stalk.active = 0;
                cap.playFrames(1, 3);
                return 10;
            case Dynamite:
                explode(stalk);
                cap.active = 0;
                return HitWithoutPoints;
            case Crossbow:
                cap.playFrames(4, 5);
                cap.verticalSpeed = 2.0f;
                cap.state = FallingState;
                stalk.active = 0;
                return 300;
            default:
                return 0;
        }
    }
    if (e.kind == kind::FlyAgaricCap && cap.firstFrame == 4) {
        cap.playFrames(1, 3);
        return 300;
    }
    return 0;
}

int32_t ScoreBear(Entity& bear) {
    if (IsHit(bear) || EntityAt(ix::CaveStone).active) return 0;
    bear.state = state::Hit;
    bear.playFrames(26, 32);
    EntityAt(ix::BearTarget1).active = 0;
    EntityAt(ix::BearTarget2).active = 0;
    return 200;
}

// The bear's target: every weapon unlocks the machine gun; all but the crossbow also bring the
// bear down.
int32_t ScoreBearTarget(int32_t weapon) {
    if (weapon != Crossbow) {
        Entity& bear = EntityAt(ix::Bear);
        bear.state = state::Hit;
        bear.playFrames(26, 32);
        EntityAt(ix::BearTarget1).active = 0;
        EntityAt(ix::BearTarget2).active = 0;
    }
    if (PlayerWeapon && PlayerWeapon->machineGunAvailable == Locked)
        PlayerWeapon->unlock(MachineGun, platform::Ticks());
    return 300;
}

}  // namespace

void applySceneryHit(Entity& e, int32_t weapon) {
    switch (e.kind) {
        case kind::PowerSwitch:
            if (!IsHit(e)) ApplyPowerSwitchHit(e);
            break;
        case kind::PowerBoxCover:
            if (!IsHit(e) && weapon != Crossbow) {
                EntityAt(ix::PowerSwitch).active = 1;
                e.state = state::Hit;
            }
            break;
        case kind::Bottle:
            // It shatters and sinks.
            if (!IsHit(e)) {
                e.state = state::Hit;
                e.playFrames(1, 4);
            }
            break;
        case kind::Pot:
            e.state = state::Hit;
            break;
        case kind::FlowerStem1:
            if (!IsHit(e)) {
                SinkAll({ix::FlowerStem1, ix::FlowerStem1Target, ix::FlowerCrown1, ix::Blossom1});
            }
            break;
        case kind::FlowerStem3:
            if (!IsHit(e)) {
                SinkAll({ix::FlowerStem3, ix::FlowerStem3Target, ix::FlowerCrown3, ix::Blossom3});
            }
            break;
        case kind::FlowerStem2:
            if (!IsHit(e) && gamestate::PetalsShot >= PetalsBeforeStem2Falls) {
                SinkAll({ix::FlowerStem2, ix::FlowerStem2Target, ix::Blossom2});
            }
            break;
        case kind::Petal:
            if (!IsHit(e)) {
                e.state = state::Hit;
                ++gamestate::PetalsShot;
            }
            break;
        case kind::SmallBoulder:
            if (IsHit(e)) break;
            Jump(e, weapon, 1, 1);
            if (++e.hitCount == 4) {
                e.state = state::Hit;
                crumble(e);
            }
            break;
        case kind::BigBoulder:
            if (weapon == Dynamite && !IsHit(e)) {
                // The two moles hiding behind it run off.
                e.state = state::Hit;
                Entity& left = EntityAt(ix::HiddenMole1);
                Entity& right = EntityAt(ix::HiddenMole2);
                left.direction = -15;
                right.direction = 15;
                left.state = state::Walking;
                right.state = state::Walking;
            }
            break;
        case kind::TinCan:
            if (!IsHit(e)) Jump(e, weapon, 0, 6);
            break;
        case kind::Cork:
            if (!IsHit(e)) {
                crumble(e);
                for (const char* cork : CorkSounds) sound::PlayOneShot(cork);
                e.state = state::Hit;
            }
            break;
        default:
            break;
    }
}

int32_t scoreSceneryHit(Entity& e, int32_t weapon) {
    switch (e.kind) {
        case kind::PowerSwitch:
            return ScorePowerSwitch(e);
        case kind::PowerBoxCover:
            if (weapon == Crossbow) return 0;
            FlyOff(e);
            e.verticalSpeed = -20.0f;
            return 50;
        case kind::Mushroom:
            e.verticalSpeed = static_cast<float>(-10 - gamestate::Rand() % 10);
            FlyOff(e);
            explode(e);
            return 100;
        case kind::Clock:
            // Ten more seconds; the shot goes on to what lies behind the clock.
            gamestate::Round.RoundEnd += ClockBonusMs;
            e.y = ClockGoneY;
            return 0;
        case kind::Bottle:
            return 100;
        case kind::Pot:
            e.verticalSpeed = -15.0f;
            return 100;
        case kind::Petal:
            return 5;
        case kind::FlowerStem1:
        case kind::FlowerStem3:
            return 100;
        case kind::Blossom:
            return ScoreBlossom();
        case kind::FlowerStem2:
            return gamestate::PetalsShot >= PetalsBeforeStem2Falls ? 750 : 0;
        case kind::SmallBoulder:
            return ScoreSmallBoulder(e, weapon);
        case kind::TinCan:
            return ScoreTinCan(e, weapon);
        case kind::BigBoulder:
            return weapon == Dynamite ? 50 : HitWithoutPoints;
        case kind::Cork:
            EntityAt(ix::WaterTrough).playFrames(1, 6);
            EntityAt(ix::WaterTrough).timer = 3.0f;
            e.state = state::Hit;
            return 200;
        case kind::TreeHeart:
            return ScoreTreeHeart(e, weapon);
        case kind::AppleStalk:
            return ScoreAppleStalk(e);
        case kind::TreeApple:
            return ScoreTreeApple(e);
        case kind::Acorn:
            e.verticalSpeed = -2.0f;
            e.direction = gamestate::Rand() % 6 - 3;
            e.state = FallingState;
            return 20;
        case kind::BigAcorn: {
            e.verticalSpeed = -2.0f;
            e.direction = gamestate::Rand() % 6 - 3;
            // Worth much more when it is hit again while falling.
            if (e.state == FallingState) return 500;
            e.state = FallingState;
            return 10;
        }
        case kind::FenceEye:
            e.state = 2;
            e.timer = static_cast<float>(20 + gamestate::Rand() % 10);
            e.showOnly(1);
            return 1000;
        case kind::TreeEyes:
            return ScoreTreeEyes(e);
        case kind::ScarecrowArm1:
            return ScoreScarecrowArm(e, true);
        case kind::ScarecrowArm2:
            return ScoreScarecrowArm(e, false);
        case kind::ScarecrowHat:
            return ScoreScarecrowHat(e);
        case kind::Sculpture:
            return ScoreSculpture(e, weapon);
        case kind::FlyAgaricStalk:
        case kind::FlyAgaricCap:
            return ScoreFlyAgaric(e, weapon);
        case kind::Silo:
            if (weapon != MachineGun || e.verticalSpeed != 0.0f) return 0;
            e.playFrames(1, 2);
            e.verticalSpeed = 1.0f;  // it takes off
            return 500;
        case kind::MountainPeak:
            if (weapon != MachineGun) return 0;
            crumble(e);
            return 500;
        case kind::CaveStone:
            if (weapon == Dynamite) {
                e.state = state::Hit;
                explode(e);
            }
            return 0;
        case kind::Woodpecker:
            if (IsHit(e)) return 0;
            e.state = state::Hit;
            e.showOnly(2);
            return 20;
        case kind::Bear:
            return ScoreBear(e);
        case kind::BearTarget:
            return ScoreBearTarget(weapon);
        default:
            return 0;
    }
}

bool ringBell(Entity& e) {
    // The bells carry the notes 3, 2 and 1.
    const int32_t note = kind::Bell3 - e.kind + 1;
    gamestate::BellSequence& bells = gamestate::Round.bellSequence;
    const bool melodyRunning = bells.times[0] != gamestate::NotScheduled;
    bells.times[0] = platform::Ticks() + 10000;
    for (int i = 1; i < 4; ++i) bells.times[i] = gamestate::NotScheduled;
    PlayBellNote(note);
    if (!melodyRunning) return false;
    // Once all four notes were reproduced the melody is complete and takes no more notes.
    if (bells.progress >= 4) return true;
    if (bells.notes[bells.inputPosition] == note) {
        if (++bells.inputPosition > bells.progress) {
            bells.inputPosition = 0;
            ++bells.progress;
        }
    } else {
        bells.inputPosition = 0;
    }
    return true;
}

void advanceBlossom(Entity& e) {
    const int set = e.plane >= 0 && e.plane < SpriteSetCount ? e.plane : 0;
    const int colours = e.frameCounts[set][LeftStrip] > 0 ? e.frameCounts[set][LeftStrip] : 4;
    e.showOnly((e.firstFrame + 1) % colours);
}

}  // namespace world
