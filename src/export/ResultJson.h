// The applied result as JSON, for scripts and other programs: every sheet record in
// list order with its parts and offcuts, numbers with round-trip precision.
#pragma once

#include <string>

#include "job/AppliedResult.h"

namespace tarvex {

// `seed` is the random seed the calculation started from.
std::string ResultJson(const AppliedResult& result);

}  // namespace tarvex
