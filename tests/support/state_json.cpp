#include "support/state_json.h"

#include <regex>

namespace testing_support {

long long NumberAfter(const std::string& json, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(json, match, std::regex("\"" + key + "\":(-?[0-9]+)"))) return -1;
    return std::stoll(match[1]);
}

}  // namespace testing_support
