#include "flow/bell_hints.h"

#include "gamestate/round_state.h"
#include "platform/platform.h"
#include "world/bell_notes.h"
#include "world/weapon.h"

namespace flow {

namespace {

constexpr uint32_t HintPeriodMs = 10000;
constexpr uint32_t NoteSpacingMs = 750;
// A note slot that has sounded waits far beyond the next period, which reschedules it.
constexpr uint32_t PlayedNoteDelayMs = 20000;

}  // namespace

void PlayBellHints(uint32_t t) {
    gamestate::BellSequence& bells = gamestate::Round.bellSequence;
    const int32_t p = bells.progress;
    uint32_t* times = bells.times;
    if (p <= 3) {
        if (t > times[3] && p >= 3) {
            world::PlayBellNote(bells.notes[3]);
            times[3] = t + PlayedNoteDelayMs;
        }
        if (t > times[2] && p >= 2) {
            world::PlayBellNote(bells.notes[2]);
            times[2] = t + PlayedNoteDelayMs;
        }
        if (t > times[1] && p >= 1) {
            world::PlayBellNote(bells.notes[1]);
            times[1] = t + PlayedNoteDelayMs;
        }
        if (t > times[0]) {
            world::PlayBellNote(bells.notes[0]);
            times[0] = t + HintPeriodMs;
            if (p >= 1) times[1] = t + NoteSpacingMs;
            if (p >= 2) times[2] = t + 2 * NoteSpacingMs;
            if (p >= 3) times[3] = t + 3 * NoteSpacingMs;
        }
    } else if (p == 4) {
        // The melody is solved. It unlocks the crossbow whatever else the round has brought; a
        // crossbow the blossoms already brought is announced again, so that the player hears
        // the puzzle was solved.
        if (world::PlayerWeapon) world::PlayerWeapon->unlock(world::Crossbow, platform::Ticks());
        bells.progress = 5;
    }
}

}  // namespace flow
