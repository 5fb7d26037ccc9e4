// Values read out of the state files tqdriver writes (--state, "state FILE" in a script).
#pragma once

#include <string>

namespace testing_support {

// The number after "key": in a flat part of the state (the first one found), or -1 when it is
// missing.
long long NumberAfter(const std::string& json, const std::string& key);

}  // namespace testing_support
