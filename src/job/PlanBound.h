// The lower bound of a plan's job and the plan's distance to it, as the report,
// the result JSON and the window show them.
#pragma once

#include <optional>

#include "job/AppliedResult.h"

namespace tarvex {

// The bound of the job whose sheets the plan lies on (sheet ids are positions in
// its list); nothing when no plan of the job places every part.
std::optional<PlanBound> PlanBoundOf(const AppliedResult& plan, const Job& job);

}  // namespace tarvex
