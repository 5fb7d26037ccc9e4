// The menu screen: its entry step (run once when the menu is entered) and its frame.
#pragma once

#include "diag/result_codes.h"
#include "platform/platform.h"

namespace flow {

void MenuEntry();
// The pictures a round needs from its first frame on (the loading screen, the in-game sheet, the
// fonts), which the menu loads on its way in; a replayed round that starts without the menu
// loads them here.
void LoadScreensAndFonts();
HRESULT MenuScreenFrame(platform::Point cursor);

}  // namespace flow
