#include "world/animal_behaviour.h"

#include "gamestate/rules_random.h"

namespace world {

// Hole positions of the background layers divided by the layer's parallax factor (0.95 middle,
// 0.9 far), so that they are compared with an animal's world x.
const HoleRange HoleRanges[12] = {
    {kind::Mole, MidPlane, 1718.9474f, 1723.158f, 18},
    {kind::Mole, MidPlane, 2273.6843f, 2277.8948f, 18},
    {kind::Mole, MidPlane, 2603.158f, 2607.3684f, 24},
    {kind::Mole, FarPlane, 1958.8889f, 1963.3334f, 18},
    {kind::Mole, FarPlane, 2225.5557f, 2230.0f, 18},
    {kind::Mole, FarPlane, 2603.3335f, 2608.889f, 24},
    {kind::Hare, MidPlane, 1697.8948f, 1702.1052f, 18},
    {kind::Hare, MidPlane, 2263.158f, 2267.3684f, 18},
    {kind::Hare, MidPlane, 2592.6316f, 2596.842f, 24},
    {kind::Hare, FarPlane, 1953.3334f, 1957.7778f, 18},
    {kind::Hare, FarPlane, 2220.0f, 2224.4446f, 18},
    {kind::Hare, FarPlane, 2581.111f, 2585.5557f, 24},
};

namespace {

// Far animals are slower on screen: speeds are divided by the plane.
int32_t PlaneDivisor(const Entity& e) {
    return e.plane > 0 ? e.plane : 1;
}

void Move(Entity& e, float seconds) {
    e.x += static_cast<float>(e.direction) * seconds * PixelsPerSpeedUnit;
}

// Counts the timer down; true when it has expired.
bool CountDown(Entity& e, float seconds) {
    e.timer -= seconds;
    return e.timer < 0.0f;
}

void UpdateBoar(Entity& e, float seconds) {
    if (CountDown(e, seconds)) {
        const int r = gamestate::Rand() % 9;
        if (r <= 2) {
            e.state = state::Walking;
            e.timer = 10.0f;
            e.firstFrame = 0;
            e.lastFrame = 7;
        } else if (r <= 5) {
            e.state = state::SlowWalk;
            e.timer = 10.0f;
            e.firstFrame = 8;
            e.lastFrame = 19;
        } else {
            e.direction = randomSign();
            e.state = state::Standing;
            e.timer = 2.0f;
            e.firstFrame = e.lastFrame = 23 + (r - 6);
        }
        e.frame = static_cast<float>(e.firstFrame);
    }
    const int32_t divisor = PlaneDivisor(e);
    if (e.state == state::Walking || e.state == state::SlowWalk) {
        const int32_t speed = (e.state == state::Walking ? 20 : 4) / divisor;
        if (e.direction != -speed && e.direction != speed) e.direction = randomSign() * speed;
        Move(e, seconds);
    }
    if (e.linkedIndex >= 0 && e.linkedIndex < EntityCount) {
        // The apple on its back follows it frame by frame.
        Entity& rider = EntityAt(e.linkedIndex);
        rider.x = e.x;
        rider.y = e.y;
        rider.direction = e.direction;
        rider.firstFrame = rider.lastFrame = e.shownFrame();
        rider.frame = e.frame;
    }
}

void UpdateDuck(Entity& e, float seconds) {
    e.firstFrame = 0;
    e.lastFrame = 11;
    if (e.direction > -3 && e.direction < 3) {
        const int sign = randomSign();
        e.direction = sign * ((gamestate::Rand() % 5 + 15) / PlaneDivisor(e));
    }
    Move(e, seconds);
}

// A mole or hare walking over one of its holes may dive into it.
bool TryDive(Entity& e, int32_t firstDiveFrame, int32_t lastDiveFrame) {
    for (const HoleRange& hole : HoleRanges) {
        if (hole.kind != e.kind || hole.plane != e.plane) continue;
        if (e.x < hole.from || e.x > hole.to) continue;
        if (gamestate::Rand() % hole.oneIn != 0) continue;
        e.state = state::Diving;
        e.playFrames(firstDiveFrame, lastDiveFrame);
        e.direction = 0;
        return true;
    }
    return false;
}

bool UpdateMole(Entity& e, float seconds) {
    if (e.frame >= 18.0f) {  // the end of the dive
        e.active = 0;
        return false;
    }
    if (e.state == state::Diving) return false;
    if (TryDive(e, 12, 19)) return false;
    if (CountDown(e, seconds)) {
        e.timer = 10.0f;
        e.firstFrame = 0;
        e.lastFrame = 6;
    }
    if (e.state == state::Walking) {
        if (e.direction == 0) {
            const int sign = randomSign();
            e.direction = sign * ((gamestate::Rand() % 10 + 35) / PlaneDivisor(e));
        }
        Move(e, seconds);
    }
    return true;
}

bool UpdateHare(Entity& e, float seconds) {
    const bool expired = CountDown(e, seconds);
    if (e.frame >= 23.0f) {  // the end of the dive
        e.active = 0;
        return false;
    }
    if (e.state == state::Diving) return false;
    if (TryDive(e, 15, 24)) return false;
    if (expired) {
        e.state = state::Walking;
        e.timer = 10.0f;
        e.playFrames(0, 4);
    }
    if (e.state == state::Walking) {
        if (e.direction == 0) {
            const int sign = randomSign();
            e.direction = sign * ((gamestate::Rand() % 4 + 11) / PlaneDivisor(e));
        }
        Move(e, seconds);
    }
    return true;
}

// Quail and deer: they walk all the time, with a fresh walking phase every ten seconds.
void UpdateWalker(Entity& e, float seconds, int32_t lastWalkFrame, int speedRange, int speedBase) {
    if (CountDown(e, seconds)) {
        if (e.state != state::Walking) e.frame = static_cast<float>(e.firstFrame);
        e.timer = 10.0f;
        e.firstFrame = 0;
        e.lastFrame = lastWalkFrame;
        e.state = state::Walking;
    }
    if (e.state == state::Walking) {
        if (e.direction == 0) {
            const int sign = randomSign();
            e.direction = sign * ((gamestate::Rand() % speedRange + speedBase) / PlaneDivisor(e));
        }
        Move(e, seconds);
    }
}

// The perched raven looks about: every five seconds one of its first three frames, until a hit
// gives it frames 3 and above.
void UpdateRaven(Entity& e, float seconds) {
    if (CountDown(e, seconds) && e.frame < 4.0f) {
        const int r = gamestate::Rand() % 3;
        if (e.direction == 0) e.direction = randomSign();
        e.showOnly(r);
        e.timer = 5.0f;
    }
}

}  // namespace

bool updateAnimal(Entity& e, float seconds) {
    switch (e.kind) {
        case kind::Boar:
            UpdateBoar(e, seconds);
            return true;
        case kind::Duck:
            UpdateDuck(e, seconds);
            return true;
        case kind::Mole:
            return UpdateMole(e, seconds);
        case kind::Hare:
            return UpdateHare(e, seconds);
        case kind::Quail:
            UpdateWalker(e, seconds, 8, 5, 25);
            return true;
        case kind::Deer:
            UpdateWalker(e, seconds, 7, 3, 8);
            return true;
        case kind::Raven:
            UpdateRaven(e, seconds);
            return true;
        default:  // the apple is moved by the boar it rides on
            return true;
    }
}

}  // namespace world
