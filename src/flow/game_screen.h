// The game screen: loading, the hold before the round, and the playing frame.
#pragma once

#include "diag/result_codes.h"
#include "platform/platform.h"

namespace flow {

HRESULT GamePlayFrame(platform::Point cursor);

}  // namespace flow
