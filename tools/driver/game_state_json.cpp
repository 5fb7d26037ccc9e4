#include "game_state_json.h"

#include <fstream>

#include "flow/game_state.h"
#include "json_writer.h"
#include "platform/platform.h"

namespace driver {

std::string GameStateJson(int frame) {
    JsonWriter json;
    json.BeginObject();
    json.Value("frame", frame);
    json.Value("clock", static_cast<long long>(platform::Ticks()));
    json.Value("screen", flow::GameScreen);
    json.Value("camera", static_cast<double>(flow::CameraX));
    json.EndObject();
    return json.Text();
}

bool WriteGameState(const std::string& path, int frame) {
    std::ofstream file(path);
    file << GameStateJson(frame) << "\n";
    return static_cast<bool>(file);
}

}  // namespace driver
