#include "flow/round_lifecycle.h"

#include "gamestate/asset_catalogue.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/round_state.h"
#include "gamestate/sound_files.h"
#include "platform/platform.h"
#include "presentation/menu_link.h"
#include "sound/music_stream.h"
#include "sound/sound.h"
#include "sound/sound_buffer.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/spawning.h"
#include "world/weapon.h"

namespace flow {

namespace {

void StopMenuMusic(const presentation::MusicOptions& music) {
    if (music.StreamMusic == 1) {
        sound::StopMusic();
    } else if (gamestate::MenuMusic) {
        gamestate::MenuMusic->StopSound();
    }
}

// Half of each quota, of each kind, in the middle and in the far plane.
void PopulateWorld() {
    for (int position = 0; position < gamestate::QuotaCount; ++position) {
        const int n = gamestate::Round.quotas[position] / 2;
        const int32_t kind = gamestate::QuotaKinds[position];
        for (int i = 0; i < n; ++i) world::spawnAnimal(world::MidPlane, 1, kind, false);
        for (int i = 0; i < n; ++i) world::spawnAnimal(world::FarPlane, 1, kind, false);
    }
}

// The third stage brings the dynamite. It arrives once the stage's own message has ended: its
// banner would be hidden behind the message and its fanfare drowned in the stage's.
void UnlockDynamiteAfterStageMessage() {
    world::Weapon* weapon = world::PlayerWeapon;
    if (!weapon || weapon->dynamiteAvailable != world::Locked) return;
    if (gamestate::Round.QuotaStage < 3 || gamestate::Round.StageMessageShowing()) return;
    weapon->unlock(world::Dynamite, platform::Ticks());
}

}  // namespace

void StartRound() {
    const presentation::MusicOptions music = presentation::CurrentMusicOptions();
    StopMenuMusic(music);
    if (music.MusicOn == 0 && music.StreamMusic == 1) {
        sound::OpenMusic(gamestate::sound_file::GameTune);
        sound::PlayMusic(true);
    }
    gamestate::Pause.MinimizedInGame = false;
    gamestate::PetalsShot = 0;
    gamestate::Pause.Pausing = false;
    gamestate::Pause.PauseStart = 0;
    gamestate::Pause.PausedTotal = 0;
    gamestate::Round.ResetRound();
    gamestate::Round.RoundEnd = platform::Ticks() + gamestate::RoundLengthMs;
    if (presentation::TrophyPuzzleSolved()) gamestate::Round.RoundEnd += gamestate::TrophyBonusMs;
    // The round fires only on a press that began in it, as the menu clicks only on one that
    // began in the menu: a button held down through the loading and the hold, or a click made
    // during a load that outlasted the hold, must not shoot on the round's first frame.
    gamestate::Game.LeftButtonLatch = true;
    PopulateWorld();
}

void PrepareRoundMusic() {
    const presentation::MusicOptions music = presentation::CurrentMusicOptions();
    if (music.MusicOn == 0 && music.StreamMusic == 1)
        sound::PrepareMusic(gamestate::sound_file::GameTune);
}

void AccountPause() {
    const uint32_t now = platform::Ticks();
    if (gamestate::Pause.Pausing) {
        gamestate::Pause.PausedTotal += now - gamestate::Pause.PauseStart;
        gamestate::Pause.PauseStart = now;
    }
    gamestate::Round.RoundClock = now - gamestate::Pause.PausedTotal;
}

void EndPause() {
    gamestate::Pause.MinimizedInGame = false;
    gamestate::Pause.PausedTotal += platform::Ticks() - gamestate::Pause.PauseStart;
    gamestate::Pause.Pausing = false;
}

bool TestRoundEnd() {
    if (gamestate::Round.RoundEnd == 0 ||
        !(gamestate::Round.RoundEnd < gamestate::Round.RoundClock) ||
        gamestate::Pause.MinimizedInGame) {
        return false;
    }
    const presentation::MusicOptions music = presentation::CurrentMusicOptions();
    if (music.StreamMusic == 1) {
        if (music.MusicOn == 0) sound::StopMusic();
    } else {
        if (gamestate::GameMusic) gamestate::GameMusic->StopSound();
        if (gamestate::MenuMusic) {
            if (CSoundBuffer* buffer = gamestate::MenuMusic->BufferAt(0)) buffer->SetVolume(0);
        }
    }
    gamestate::Game.GameScreen = gamestate::MenuEntryScreen;
    presentation::OpenRoundResultInMenu(platform::Ticks());
    return true;
}

void CheckQuotaStage() {
    if (gamestate::Round.StageComplete()) {
        gamestate::Round.RoundEnd += gamestate::StageExtensionMs;
        gamestate::PlayEffect(gamestate::StageCompleteSound);
        gamestate::Round.stageMessageEnd = gamestate::Round.RoundClock + gamestate::StageMessageMs;
    }
    UnlockDynamiteAfterStageMessage();
    // The region signs turn to their second picture as the stages are reached.
    if (gamestate::Round.QuotaStage >= 2)
        world::EntityTable[world::entity_index::MeadowSign].showOnly(1);
    if (gamestate::Round.QuotaStage >= 3) {
        world::EntityTable[world::entity_index::ForestSign].showOnly(1);
        world::EntityTable[world::entity_index::FieldSign].showOnly(1);
    }
}

}  // namespace flow
