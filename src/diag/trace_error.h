// The sound layer's failure trace: one debugger line per failing call and, for most failures, a
// modal message box naming the file, the line, the result code and the call.
#pragma once

#include "diag/result_codes.h"

namespace diag {

// Writes "<file>(<line>): <calling> (hr=<name> (0x<code>))" to the debugger output and, when
// `showBox` is set, shows the box "Unexpected error encountered". Returns `hr` unchanged, so a
// caller can trace and return a failure in one step. Safe to call from any thread.
HRESULT TraceError(const char* file, long line, HRESULT hr, const char* calling, bool showBox);

}  // namespace diag

// The sound layer traces under the file name "dsutil" (the name its trace boxes have always shown).
#define TQ_SOUND_TRACE(calling, hr, showBox) \
    ::diag::TraceError("dsutil", __LINE__, (hr), (calling), (showBox))
