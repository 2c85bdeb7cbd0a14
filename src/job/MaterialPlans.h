// Jobs of several materials. A part is cut only from sheets of its material, so each
// material is a job of its own, searched on its own, and their plans are joined
// into one applied result.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "job/AppliedResult.h"
#include "job/InputFault.h"
#include "job/JobRows.h"

namespace tarvex {

// Materials are the same when their names are, letter case ignored.
bool SameMaterial(const std::string& a, const std::string& b);

// The rows of each material that has parts to cut, in the order the sheet table
// first names the materials; each keeps the settings and the entered rows. When
// every row is of one material the rows come back as they are.
std::vector<JobRows> RowsByMaterial(const JobRows& rows);

// The first part row, with a quantity, whose material no sheet row with a quantity
// is of; nothing when every row is of one material.
std::optional<InputFault> PartWithoutItsMaterial(const JobRows& rows);

// The plans of the materials as one, in their order: the sheets one material after
// the other, the layouts numbered on, the part ids shifted to count on from
// `firstPartId`, the figures of all together. The entered rows are the caller's.
AppliedResult JoinMaterialPlans(std::vector<AppliedResult> plans, std::int32_t firstPartId);

}  // namespace tarvex
