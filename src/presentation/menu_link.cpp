#include "presentation/menu_link.h"

#include "presentation/main_menu.h"

namespace presentation {

MusicOptions CurrentMusicOptions() {
    const presentation::MainMenu* menu = presentation::Menu;
    if (!menu) return MusicOptions{};
    return MusicOptions{menu->MusicOn, menu->StreamMusic};
}

bool TrophyPuzzleSolved() {
    const presentation::MainMenu* menu = presentation::Menu;
    return menu && menu->sequencePosition == presentation::MainMenu::TrophySequenceLength;
}

void OpenRoundResultInMenu(uint32_t now) {
    if (presentation::Menu) presentation::Menu->OpenRoundResult(now);
}

}  // namespace presentation
