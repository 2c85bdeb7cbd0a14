// What either search hands to the result application: the one plan type of both.
#pragma once

#include <vector>

#include "model/Sheet.h"

namespace tarvex {

// The laid-out sheets of a plan in its sheet order, their rooms carrying one blade
// width as the engine's do; its fitness, the search's figure of it; and whether
// every part of its job lies on a sheet.
struct SearchedPlan {
    std::vector<LaidOutSheet> sheets;
    double fitness = 0;
    bool allPlaced = false;
};

}  // namespace tarvex
