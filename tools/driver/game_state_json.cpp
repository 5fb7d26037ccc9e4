#include "game_state_json.h"

#include <fstream>

#include "flow/game_state.h"
#include "flow/round_state.h"
#include "json_writer.h"
#include "platform/platform.h"
#include "world/entity.h"

namespace driver {

namespace {

void WriteRoundAndEntities(JsonWriter& json) {
    const flow::RoundState& round = flow::Round;
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
        const world::Entity& entity = world::EntityTable[static_cast<size_t>(i)];
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

}  // namespace

std::string GameStateJson(int frame) {
    JsonWriter json;
    json.BeginObject();
    json.Value("frame", frame);
    json.Value("clock", static_cast<long long>(platform::Ticks()));
    json.Value("screen", flow::GameScreen);
    json.Value("camera", static_cast<double>(flow::CameraX));
    WriteRoundAndEntities(json);
    json.EndObject();
    return json.Text();
}

bool WriteGameState(const std::string& path, int frame) {
    std::ofstream file(path);
    file << GameStateJson(frame) << "\n";
    return static_cast<bool>(file);
}

}  // namespace driver
