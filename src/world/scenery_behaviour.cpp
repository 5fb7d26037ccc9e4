// The scenery targets' own movements and timers: flights with gravity after a hit, blinking
// eyes, the scarecrow's turn, the woodpecker, the bear behind its cave stone, the launching silo,
// the electric shock, and the bonus clock of the last ten seconds.
//
// Scenery moves in its own speed units: a speed of 1 moves U pixels per second, where U depends
// on the kind; where a kind falls, gravity adds U speed units per second.
#include <initializer_list>

#include "gamestate/round_state.h"
#include "gamestate/rules_random.h"
#include "sound/sound_system.h"
#include "world/level_layout.h"
#include "world/scenery.h"

namespace world {

namespace {

namespace ix = entity_index;

// Scenery flies off or drops out of the world past these rows.
constexpr float BelowWorldY = 700.0f;
constexpr float AboveWorldY = -100.0f;
constexpr uint32_t ClockShowsInLastMs = 10000;

// Counts the timer down; true when it has expired.
bool CountDown(Entity& e, float seconds) {
    e.timer -= seconds;
    return e.timer < 0.0f;
}

// The power-box cover, a mushroom and the pot after a hit: a throw with gravity. The pot always
// drifts to the right.
void UpdateThrown(Entity& e, float seconds, bool driftsRight) {
    constexpr float U = 36.0f;
    if (e.verticalSpeed == 0.0f) return;
    e.verticalSpeed += seconds * U;
    e.y += e.verticalSpeed * seconds * U;
    const float dx = driftsRight ? 2.0f : static_cast<float>(e.direction);
    e.x += dx * seconds * U;
}

// A small boulder or the tin can: a jump that lands on the ground again. The sideways drift is
// drawn once per jump: boulders mostly roll on to the right, the can either way.
void UpdateJumper(Entity& e, float seconds, int driftOffset) {
    constexpr float U = 48.0f;
    e.y += e.verticalSpeed * seconds * U;
    e.x += static_cast<float>(e.direction) * seconds * U;
    if (e.verticalSpeed == 0.0f) return;
    if (e.direction == 0) e.direction = gamestate::Rand() % 5 - driftOffset;
    e.verticalSpeed += seconds * U;
    if (e.y > e.groundY) {
        e.verticalSpeed = 0.0f;
        e.y = e.groundY;
        e.state = 1;
        e.showOnly(0);
        e.direction = 0;
    }
}

void UpdateHat(Entity& e, float seconds) {
    constexpr float U = 48.0f;
    e.y += e.verticalSpeed * seconds * U;
    e.x += static_cast<float>(e.direction) * seconds * U;
    if (e.verticalSpeed != 0.0f) e.verticalSpeed += seconds * U;
    if (e.y > BelowWorldY) e.active = 0;
}

// An apple whose stalk was shot falls at a steady 384 pixels per second.
void UpdateTreeApple(Entity& e, float seconds) {
    constexpr float U = 48.0f;
    e.y += e.verticalSpeed * seconds * U;
    if (e.verticalSpeed == 0.0f && e.state == FallingState) e.verticalSpeed = 8.0f;
}

void UpdateAcorn(Entity& e, float seconds) {
    constexpr float U = 48.0f;
    if (e.state == FallingState) e.verticalSpeed += seconds * U;
    e.x += static_cast<float>(e.direction) * seconds * U;
    e.y += e.verticalSpeed * seconds * U;
    if (e.y > BelowWorldY) e.active = 0;
}

// The fly agaric's cap: gone once it has burst; shot off by the crossbow it rises ever faster.
void UpdateFlyAgaricCap(Entity& e, float seconds) {
    constexpr float U = 24.0f;
    if (e.shownFrame() == 3) e.active = 0;
    if (e.verticalSpeed == 0.0f) return;
    e.verticalSpeed += seconds * U;
    e.y -= e.verticalSpeed * seconds * U;
    if (e.y < AboveWorldY) e.active = 0;
}

// The silo, once the machine gun has started it, lifts off with its exhaust flickering.
void UpdateSilo(Entity& e, float seconds) {
    constexpr float U = 6.0f;
    const bool expired = CountDown(e, seconds);
    if (e.verticalSpeed == 0.0f) return;
    if (expired) {
        e.showOnly(e.firstFrame != 1 ? 1 : 2);
        e.timer = 0.125f;
    }
    e.verticalSpeed += seconds * U;
    e.y -= e.verticalSpeed * seconds * U;
    if (e.y < AboveWorldY) e.active = 0;
}

// The trough's water runs out for three seconds once the cork was shot, then it is gone.
void UpdateWaterTrough(Entity& e, float seconds) {
    if (e.firstFrame != 0 && CountDown(e, seconds)) e.active = 0;
}

// The bonus clock appears somewhere in the playfield for the last ten seconds and ticks; once
// shot it has gone below the screen, and its tick changes.
void UpdateClock(Entity& e, float seconds) {
    const bool expired = CountDown(e, seconds);
    const gamestate::RoundState& round = gamestate::Round;
    if (!(round.RoundEnd - round.RoundClock < ClockShowsInLastMs)) return;
    if (e.y < 0.0f) {
        e.x = static_cast<float>(gamestate::Rand() % 1200 + 1700);
        e.y = static_cast<float>(gamestate::Rand() % 400 + 100);
    }
    if (expired) {
        const bool inPlayfield = e.y > 0.0f && e.y < 600.0f;
        sound::PlayOneShot(inPlayfield ? ClockTickSound : ClockTickAwaySound);
        e.timer = 1.0f;
    }
}

// The eye behind the knothole of the fence: mostly hidden, now and then looking out for two
// seconds.
void UpdateFenceEye(Entity& e, float seconds) {
    if (!CountDown(e, seconds)) return;
    if (e.state == 2 && gamestate::Rand() % 8 == 0) {
        e.state = 1;
        e.timer = 2.0f;
        e.showOnly(0);
        return;
    }
    e.state = 2;
    e.timer = static_cast<float>(10 + gamestate::Rand() % 10);
    e.showOnly(1);
}

// The eyes in the tree blink: open most of the time, closed for two seconds now and then.
void UpdateTreeEyes(Entity& e, float seconds) {
    if (!CountDown(e, seconds)) return;
    if (e.state == 0) {
        e.state = 2;
        e.timer = static_cast<float>(5 + gamestate::Rand() % 10);
        e.showOnly(0);
    } else if (e.state == 2) {
        if (gamestate::Rand() % 4 != 0) {
            e.timer = static_cast<float>(5 + gamestate::Rand() % 10);
            e.showOnly(1);
        } else {
            e.state = 1;
            e.timer = 2.0f;
            e.showOnly(0);
        }
    } else if (e.state == 1) {
        e.state = 2;
        e.timer = static_cast<float>(10 + gamestate::Rand() % 10);
        e.showOnly(1);
    }
}

// The scarecrow turns when an arm is shot (states 6..9, set by the arm); at the end of the turn
// it stands still again and the arms show their rest pictures.
void UpdateScarecrow(Entity& e) {
    const int shown = e.shownFrame();
    switch (e.state) {
        case 6:
            if (shown > 3) {
                e.showOnly(4);
                e.state = 1;
                EntityAt(ix::ScarecrowArm2).showOnly(0);
            }
            break;
        case 8:
            if (shown > 11) {
                e.showOnly(12);
                e.state = 1;
                EntityAt(ix::ScarecrowArm2).showOnly(0);
            }
            break;
        case 7:
            if (shown > 6) EntityAt(ix::ScarecrowHat).showOnly(0);
            if (shown > 7) {
                e.showOnly(8);
                e.state = 1;
                EntityAt(ix::ScarecrowArm1).showOnly(0);
            }
            break;
        case 9:
            if (shown > 15) {
                e.showOnly(0);
                e.state = 1;
                EntityAt(ix::ScarecrowArm1).showOnly(0);
            }
            break;
        default:
            break;
    }
}

// The woodpecker knocks; it is heard only while the camera looks at the field.
void UpdateWoodpecker(Entity& e, int cameraX, float seconds) {
    if (e.state == state::Hit || !CountDown(e, seconds)) return;
    e.timer = 0.075f;
    if (e.firstFrame > 0) {
        e.showOnly(0);
        return;
    }
    e.showOnly(1);
    if (cameraX >= 3470 && cameraX <= 4640) {
        sound::PlayOneShot(WoodpeckerKnockSound);
    }
}

// The bear waits in its cave until the stone in front of it is blown away, then now and then
// walks out. While the woodpecker lives the bear holds up its target on the way (frames 19..25);
// the two target pictures follow the bear's frame.
void UpdateBear(Entity& e, float seconds) {
    if (e.state == state::Hit || !CountDown(e, seconds)) return;
    if (EntityAt(ix::CaveStone).active) return;
    if (e.firstFrame == 0) {
        if (gamestate::Rand() % 4 != 0) {
            e.timer = 5.0f;
        } else {
            e.timer = 0.125f;
            e.showOnly(1);
        }
        return;
    }
    e.timer = 0.125f;
    int32_t next = e.firstFrame + 1;
    if (e.firstFrame == 9 && EntityAt(ix::Woodpecker).active) next = 19;
    if (next == 20) e.timer = 1.0f;
    if (next == 18) next = 0;
    if (next == 26) next = 11;
    e.showOnly(next);
    const int32_t targetFrame = (next >= 20 && next <= 24) ? next - 18 : 0;
    EntityAt(ix::BearTarget1).showOnly(targetFrame);
    EntityAt(ix::BearTarget2).showOnly(targetFrame);
}

// After the switch was shot the shock runs along the line; when it ends the ravens on the line
// fall off.
void UpdateElectricShock(Entity& e, float seconds) {
    if (e.state != 2 || !CountDown(e, seconds)) return;
    e.active = 0;
    for (int i = ix::PowerLineRaven1; i < ix::PowerLineRaven1 + 4; ++i) {
        Entity& raven = EntityAt(i);
        if (raven.state != state::Hit) raven.showOnly(3);
        raven.state = state::Hit;
    }
}

}  // namespace

bool updateScenery(Entity& e, int cameraX, float seconds) {
    switch (e.kind) {
        case kind::PowerBoxCover:
        case kind::Mushroom:
            UpdateThrown(e, seconds, false);
            break;
        case kind::Pot:
            UpdateThrown(e, seconds, true);
            break;
        case kind::SmallBoulder:
            UpdateJumper(e, seconds, 1);
            break;
        case kind::TinCan:
            UpdateJumper(e, seconds, 2);
            break;
        case kind::ScarecrowHat:
            UpdateHat(e, seconds);
            break;
        case kind::TreeApple:
            UpdateTreeApple(e, seconds);
            break;
        case kind::Acorn:
        case kind::BigAcorn:
            UpdateAcorn(e, seconds);
            break;
        case kind::FlyAgaricCap:
            UpdateFlyAgaricCap(e, seconds);
            break;
        case kind::Silo:
            UpdateSilo(e, seconds);
            break;
        case kind::WaterTrough:
            UpdateWaterTrough(e, seconds);
            break;
        case kind::Clock:
            UpdateClock(e, seconds);
            break;
        case kind::FenceEye:
            UpdateFenceEye(e, seconds);
            break;
        case kind::TreeEyes:
            UpdateTreeEyes(e, seconds);
            break;
        case kind::Scarecrow:
            UpdateScarecrow(e);
            break;
        case kind::Woodpecker:
            UpdateWoodpecker(e, cameraX, seconds);
            break;
        case kind::Bear:
            UpdateBear(e, seconds);
            break;
        case kind::ElectricShock:
            UpdateElectricShock(e, seconds);
            break;
        default:
            break;
    }
    return true;
}

void PrepareScenerySounds() {
    for (const char* path : {ScarecrowTurnSound, CorkSounds[0], CorkSounds[1], ClockTickSound,
                             ClockTickAwaySound, WoodpeckerKnockSound}) {
        sound::PrepareOneShot(path);
    }
}

}  // namespace world
