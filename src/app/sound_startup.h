// Start-up and shutdown of the sound output and the music worker.
#pragma once

#include "diag/result_codes.h"

namespace app {

// Opens the sound device (2 channels, 44100 Hz, 16 bits); a failure means no sound output.
HRESULT StartSoundOutput();
void StopSoundOutput();
// Starts the thread that refills streamed music, and tells it to end (joining it).
void StartMusicWorker();
void StopMusicWorker();
// Where the build has no music thread (TQ_MUSIC_FROM_FRAME_LOOP), refills the music played since
// the last frame; otherwise nothing, the thread does it.
void RefillMusicBetweenFrames();

}  // namespace app
