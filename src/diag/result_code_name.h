// Symbolic names of the result codes the sound layer can meet, for traces.
#pragma once

#include "diag/result_codes.h"

namespace diag {

// The name under which the platform published `hr` ("E_FAIL", "DSERR_BUFFERLOST" ...), or
// "Unknown". The returned text is a constant.
const char* ResultCodeName(HRESULT hr);

}  // namespace diag
