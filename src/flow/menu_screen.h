// The menu screen: its entry step (run once when the menu is entered) and its frame.
#pragma once

#include "diag/result_codes.h"
#include "platform/platform.h"

namespace flow {

void MenuEntry();
HRESULT MenuScreenFrame(platform::Point cursor);

}  // namespace flow
