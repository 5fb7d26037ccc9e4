// The body every fuzz target shares: one rig for the whole run (screen, sound device, scratch
// directory), one reader check per input, and an abort that libFuzzer reports as a crash when the
// check finds the reader did something wrong.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "regressions/reader_checks.h"

namespace fuzzing {

using Check = std::string (*)(readercheck::Rig&, const uint8_t*, size_t);

inline int RunCheck(Check check, const uint8_t* data, size_t size) {
    static readercheck::Rig rig;
    if (!rig.Ready()) {
        std::fprintf(stderr, "the reader checks cannot run: no screen, sound device or scratch\n");
        std::abort();
    }
    const std::string problem = check(rig, data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "reader check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

}  // namespace fuzzing

#define TQ_FUZZ_READER(check)                                                 \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
        return ::fuzzing::RunCheck(&(check), data, size);                     \
    }
