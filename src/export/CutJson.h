// The cut figures of the result JSON: the saw cut sequence, cut count and cut
// length of every used sheet of a guillotine plan, the tool path length of every
// used sheet of a free plan, and their totals over the plan.
#pragma once

#include <nlohmann/json.hpp>

#include "job/AppliedResult.h"
#include "job/DecimalGrid.h"

namespace tarvex {

// Adds the fields of a sheet of the result (nothing for an unused sheet), with the
// rounding noise of their sums taken off on the grid of the result's entries.
void AddSheetCutFields(nlohmann::ordered_json& sheetJson, const AppliedResult& result,
                       const PlannedSheet& sheet, const DecimalGrid& grid);
// Adds the blade width, which the cuts' slots take, and the totals over every
// used sheet.
void AddPlanCutFields(nlohmann::ordered_json& resultJson, const AppliedResult& result,
                      const DecimalGrid& grid);

}  // namespace tarvex
