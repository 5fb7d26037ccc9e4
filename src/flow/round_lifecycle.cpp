#include "flow/round_lifecycle.h"

#include "flow/game_state.h"
#include "flow/menu_link.h"
#include "flow/pause.h"
#include "flow/round_state.h"
#include "platform/platform.h"
#include "presentation/asset_catalogue.h"
#include "sound/music_stream.h"
#include "sound/sound.h"
#include "sound/sound_buffer.h"
#include "world/entity.h"
#include "world/level_layout.h"
#include "world/spawning.h"
#include "world/weapon.h"

namespace flow {

namespace {

constexpr const char* GameMusicFile = "sounds/music/ingame01.wav";

void StopMenuMusic(const MusicOptions& music) {
    if (music.StreamMusic == 1) {
        sound::StopMusic();
    } else if (MenuMusic) {
        MenuMusic->StopSound();
    }
}

// Half of each quota, of each kind, in the middle and in the far plane.
void PopulateWorld() {
    for (int position = 0; position < QuotaCount; ++position) {
        const int n = Round.quotas[position] / 2;
        const int32_t kind = QuotaKinds[position];
        for (int i = 0; i < n; ++i) world::spawnAnimal(world::MidPlane, 1, kind, false);
        for (int i = 0; i < n; ++i) world::spawnAnimal(world::FarPlane, 1, kind, false);
    }
}

// The third stage brings the dynamite.
void UnlockDynamite() {
    world::Weapon* weapon = world::PlayerWeapon;
    if (!weapon) return;
    weapon->dynamiteAvailable = world::JustUnlocked;
    weapon->unlockBannerUntil[world::Dynamite] =
        static_cast<int32_t>(platform::Ticks() + world::UnlockBannerMs);
}

}  // namespace

void StartRound() {
    const MusicOptions music = CurrentMusicOptions();
    StopMenuMusic(music);
    if (music.MusicOn == 0 && music.StreamMusic == 1) {
        sound::OpenMusic(GameMusicFile);
        sound::PlayMusic(true);
    }
    MinimizedInGame = false;
    PetalsShot = 0;
    Pausing = false;
    PauseStart = 0;
    PausedTotal = 0;
    Round.ResetRound();
    Round.RoundEnd = platform::Ticks() + RoundLengthMs;
    if (TrophyPuzzleSolved()) Round.RoundEnd += TrophyBonusMs;
    LeftButtonLatch = false;
    PopulateWorld();
}

void AccountPause() {
    const uint32_t now = platform::Ticks();
    if (Pausing) {
        PausedTotal += now - PauseStart;
        PauseStart = now;
    }
    Round.RoundClock = now - PausedTotal;
}

void EndPause() {
    MinimizedInGame = false;
    PausedTotal += platform::Ticks() - PauseStart;
    Pausing = false;
}

bool TestRoundEnd() {
    if (Round.RoundEnd == 0 || !(Round.RoundEnd < Round.RoundClock) || MinimizedInGame) {
        return false;
    }
    const MusicOptions music = CurrentMusicOptions();
    if (music.StreamMusic == 1) {
        if (music.MusicOn == 0) sound::StopMusic();
    } else {
        if (GameMusic) GameMusic->StopSound();
        if (MenuMusic) {
            if (CSoundBuffer* buffer = MenuMusic->BufferAt(0)) buffer->SetVolume(0);
        }
    }
    GameScreen = MenuEntryScreen;
    OpenRoundResultInMenu(platform::Ticks());
    return true;
}

void CheckQuotaStage() {
    if (Round.StageComplete()) {
        Round.RoundEnd += StageExtensionMs;
        if (CSound* fanfare = presentation::EffectSounds[presentation::StageCompleteSound]) {
            fanfare->StartSound(0, 0);
        }
        Round.stageMessageEnd = Round.RoundClock + StageMessageMs;
        if (Round.QuotaStage == 3) UnlockDynamite();
    }
    // The region signs turn to their second picture as the stages are reached.
    if (Round.QuotaStage >= 2) world::EntityTable[world::entity_index::MeadowSign].showOnly(1);
    if (Round.QuotaStage >= 3) {
        world::EntityTable[world::entity_index::ForestSign].showOnly(1);
        world::EntityTable[world::entity_index::FieldSign].showOnly(1);
    }
}

}  // namespace flow
