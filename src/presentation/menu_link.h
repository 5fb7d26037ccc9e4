// What the round needs from the main menu: the music options, the trophy puzzle that lengthens
// the next round, and the high-score window that shows a finished round's result.
#pragma once

#include <cstdint>

namespace presentation {

struct MusicOptions {
    int32_t MusicOn = 0;      // 0 music on, 2 off
    int32_t StreamMusic = 1;  // 1 streamed from its file, 0 held whole in memory
};

MusicOptions CurrentMusicOptions();

// True when the trophies of the menu were clicked in their secret order: the round is longer.
bool TrophyPuzzleSolved();

// The round has ended: the menu opens its high-score window on the round's score at once,
// offering it to the table, and keeps its back button still for a moment.
void OpenRoundResultInMenu(uint32_t now);

}  // namespace presentation
