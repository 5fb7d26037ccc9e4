// The driver's JSON summary of the running game.
#pragma once

#include <string>

namespace driver {

std::string GameStateJson(int frame);
bool WriteGameState(const std::string& path, int frame);

}  // namespace driver
