// The driver's JSON summary of the running game.
#pragma once

#include <string>

namespace driver {

class Autoplayer;

// `autoplayer`, when given, adds what the built-in player saw: rounds played and the heap in use
// at each round's end.
std::string GameStateJson(int frame, const Autoplayer* autoplayer = nullptr);
bool WriteGameState(const std::string& path, int frame, const Autoplayer* autoplayer = nullptr);

}  // namespace driver
