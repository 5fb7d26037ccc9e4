// The round's steps in the playing frame: its start after the hold, the pause accounting that
// keeps the round clock still while the window was minimised, the end of the round, and the
// check for a fulfilled set of quotas.
#pragma once

#include <cstdint>

namespace flow {

// Menu music off, in-game music on, pause bookkeeping cleared, a fresh RoundState with its first
// quotas, 90 s on the clock (120 s after the trophy puzzle) and the first animals in the world.
void StartRound();

// At level load: makes the round's music stream, so that the frame that starts the round does
// not read and allocate the first seconds of it.
void PrepareRoundMusic();

// Moves the paused time into PausedTotal and sets the round clock for this frame.
void AccountPause();
// After the first frame presented since a minimise: the world runs again.
void EndPause();

// On the first frame whose round clock is past the round end (never while minimised): music
// back to the menu's, and the menu opens on the round's result. True when the round ended.
bool TestRoundEnd();

// Every playing frame: a fulfilled set of quotas extends the round and begins the next stage;
// the region signs show how many stages have been reached. From the third stage on, the dynamite
// arrives on the first frame after the stage's message.
void CheckQuotaStage();

}  // namespace flow
