#include "world/bell_notes.h"

#include "gamestate/sound_files.h"
#include "sound/sound.h"
#include "sound/sound_system.h"

namespace world {

namespace {

CSound* NoteSounds[4] = {};
constexpr const char* NoteFiles[4] = {nullptr, gamestate::sound_file::BellNote1,
                                      gamestate::sound_file::BellNote2,
                                      gamestate::sound_file::BellNote3};

}  // namespace

void PlayBellNote(int32_t note) {
    if (note < 1 || note > 3) return;
    sound::PlayLazily(NoteSounds[note], NoteFiles[note]);
}

void PrepareBellNotes() {
    for (int32_t note = 1; note <= 3; ++note)
        sound::PrepareLazily(NoteSounds[note], NoteFiles[note]);
}

void ReleaseBellNotes() {
    for (CSound*& note : NoteSounds) {
        delete note;
        note = nullptr;
    }
}

}  // namespace world
