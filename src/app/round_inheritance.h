// What a round takes over from the game before it, and a digest of the rules' state.
//
// A recorded round must start, when it is played back in a fresh program, exactly where the game
// stood when it was recorded: the generator's position, the screen and its latches, the frame
// timing, the pause, the options, the trophy puzzle and the high-score table. Everything else of
// the rules is put where a freshly started game has it, in the recording as in the replay, so
// that nothing a previous round left behind can make the two differ.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The inherited state, coded. Empty while there is no menu (nothing to inherit from).
std::string CaptureRoundInheritance();

// Puts the rules' state where a fresh game has it, then applies `coded`. False, and nothing
// changed, when `coded` is not a whole inheritance.
bool ApplyRoundInheritance(std::string_view coded);

// A checksum of the rules' state (not of the pictures or the sound): two runs that have played
// the same round so far give the same number.
uint64_t RulesDigest();

}  // namespace app
