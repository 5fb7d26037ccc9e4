#include "game_state_json.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>

#include "app/round_inheritance.h"
#include "autoplayer.h"
#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "json_writer.h"
#include "platform/platform.h"
#include "presentation/main_menu.h"
#include "presentation/menu_link.h"
#include "presentation/name_entry.h"
#include "sound/sound_system.h"
#include "world/entity.h"
#include "world/weapon.h"

namespace driver {

namespace {

void WriteRoundAndEntities(JsonWriter& json) {
    const gamestate::RoundState& round = gamestate::Round;
    json.Value("score", round.score);
    json.Value("roundEnd", round.RoundEnd);
    json.Value("roundClock", round.RoundClock);
    json.BeginArray("quotas");
    for (int32_t quota : round.quotas) json.Value(nullptr, quota);
    json.EndArray();
    json.Value("stage", round.QuotaStage);
    int active = 0;
    for (const world::Entity& entity : world::EntityTable) active += entity.active == 1;
    json.Value("activeEntities", active);
    json.BeginArray("entities");
    for (int i = 0; i < world::EntityCount; ++i) {
        const world::Entity& entity = world::EntityAt(i);
        if (entity.active != 1) continue;
        json.BeginObject();
        json.Value("index", i);
        json.Value("kind", entity.kind);
        json.Value("plane", entity.plane);
        json.Value("x", static_cast<double>(entity.x));
        json.Value("y", static_cast<double>(entity.y));
        json.Value("state", entity.state);
        json.Value("frame", static_cast<double>(entity.frame));
        json.EndObject();
    }
    json.EndArray();
}

void WriteMenuAndScores(JsonWriter& json) {
    const presentation::MainMenu* menu = presentation::Menu;
    json.BeginObject("menu");
    if (menu) {
        json.Value("slide", static_cast<double>(menu->slide));
        json.Value("window", menu->windowShown);
        json.Value("editing", menu->highScores.editing != 0);
        json.Value("editIndex", menu->highScores.editIndex);
    }
    json.EndObject();
    json.BeginArray("highScores");
    if (menu) {
        for (int i = 0; i < persistence::HighScoreCount; ++i) {
            json.BeginObject();
            json.Value("score", menu->highScores.scores[i]);
            const char* name = menu->highScores.names[i];
            json.Value("name", presentation::Windows1252ToUtf8(std::string_view(
                                   name, strnlen(name, sizeof menu->highScores.names[i]))));
            json.EndObject();
        }
    }
    json.EndArray();
    presentation::MusicOptions music = presentation::CurrentMusicOptions();
    json.Value("musicOn", music.MusicOn);
    json.Value("streamMusic", music.StreamMusic);
}

void WriteWeapon(JsonWriter& json) {
    const world::Weapon* weapon = world::PlayerWeapon;
    json.BeginObject("weapon");
    if (weapon) {
        json.Value("selected", weapon->selected);
        json.Value("rounds", weapon->roundsLeft);
        json.Value("shotgun", weapon->shotgunAvailable);
        json.Value("crossbow", weapon->crossbowAvailable);
        json.Value("dynamite", weapon->dynamiteAvailable);
        json.Value("machineGun", weapon->machineGunAvailable);
    }
    json.EndObject();
}

void WriteSounds(JsonWriter& json) {
    json.BeginArray("soundsStarted");
    for (const std::string& path : sound::RecentlyStartedSounds()) json.Value(nullptr, path);
    json.EndArray();
}

}  // namespace

std::string GameStateJson(int frame, const Autoplayer* autoplayer) {
    JsonWriter json;
    json.BeginObject();
    json.Value("frame", frame);
    json.Value("clock", static_cast<long long>(platform::Ticks()));
    json.Value("screen", gamestate::Game.GameScreen);
    json.Value("camera", static_cast<double>(gamestate::Game.CameraX));
    json.Value("panorama", gamestate::Game.PanoramaMode);
    // The checksum a recorded round notes: two runs that agree on it agree on every rule.
    char digest[17];
    std::snprintf(digest, sizeof digest, "%016llx",
                  static_cast<unsigned long long>(app::RulesDigest()));
    json.Value("rulesDigest", std::string(digest));
    WriteRoundAndEntities(json);
    WriteMenuAndScores(json);
    WriteWeapon(json);
    WriteSounds(json);
    if (autoplayer) {
        json.BeginObject("autoplay");
        json.Value("rounds", autoplayer->RoundsPlayed());
        json.BeginObject("shotsFired");
        json.Value("shotgun", autoplayer->ShotsFired(1));
        json.Value("crossbow", autoplayer->ShotsFired(2));
        json.Value("dynamite", autoplayer->ShotsFired(3));
        json.Value("machineGun", autoplayer->ShotsFired(4));
        json.EndObject();
        json.BeginArray("heapKBAtRoundEnds");
        for (long kb : autoplayer->HeapKBAtRoundEnds())
            json.Value(nullptr, static_cast<long long>(kb));
        json.EndArray();
        json.EndObject();
    }
    json.EndObject();
    return json.Text();
}

bool WriteGameState(const std::string& path, int frame, const Autoplayer* autoplayer) {
    std::ofstream file(path);
    file << GameStateJson(frame, autoplayer) << "\n";
    return static_cast<bool>(file);
}

}  // namespace driver
