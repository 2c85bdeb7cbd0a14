// The result JSON as a value, for the stored plan that adds to it.
#pragma once

#include <nlohmann/json.hpp>

#include "job/AppliedResult.h"

namespace tarvex {

nlohmann::ordered_json ResultJsonValue(const AppliedResult& result);

}  // namespace tarvex
